// The add-in's start against project databases of 1 000, 10 000 and 100 000
// projects, beside the plain loop over the embedded database's C interface that
// reads the same project list into strings. Outlook turns off an add-in whose start
// takes longer than a second on average; the goals: a start no slower than the plain
// loop in a fresh process at 100 000 projects and within 1.5 times it at 1 000 (the
// counter x_plain_fresh, mean over mean in this run), and a project list that holds
// no more than twice the bytes of its texts (list_x_text; peak_rss_MB is the child's
// peak resident size, beside the plain loop's).
//
// How the start is timed. The library start runs once per process (the module-level
// objects are made when the host creates the library's first object), so every
// measurement is one fresh process: the benchmark forks a child, the child creates
// "Quillet.Connect" as Outlook does (class id from the registry, the library's class
// factory, the library start: gDb, gUtil, the controller with the registry folders,
// the settings file, the database settings, the defaults, the hint file and the
// project list, then gOutlook) and sends the time of that one call back through a
// pipe; the fork itself is not timed (manual time). Two forms:
//   LibraryStart  the plug-ins are already mapped into the child (loaded untimed
//                 before the clock starts): the start itself;
//   LoadAndStart  the child loads both plug-ins inside the timed call, as the first
//                 start of an Outlook session does.
// The parent never loads the plug-ins: they are registered from a child as well, so
// each child starts from the state Outlook is in before it loads the add-in. A child
// that met a dialog, or read another number of projects than the database lists,
// fails the benchmark instead of reporting a time.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/support/plain_loop.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "tools/dbtool/project_database.h"
#include "platform/com/library.h"
#include "platform/com/abi_values.h"
#include "platform/com/server.h"
#include "platform/registry/registry.h"

namespace {

namespace fs = std::filesystem;


// The add-in's test build (bin/diagnostic/), through which the benchmark reads the
// project list the start loaded.
const char* const kPlugins[] = {"UtilOrvek2.so", "diagnostic/Quillet09.so"};

fs::path PluginFolder() { return fs::canonical("/proc/self/exe").parent_path(); }
fs::path AddinLibrary() { return PluginFolder() / "diagnostic" / "Quillet09.so"; }

sim::TestMachine& Machine() {
    static sim::TestMachine machine;
    return machine;
}

// Runs `work` in a child process; its exit code (0 when it succeeded).
template <class F>
int InChild(F&& work) {
    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) _exit(work());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The machine as an office installs it: both plug-ins registered, the hint and
// work-unit files in place. Made once.
bool Installed() {
    static const bool installed = [] {
        Machine();
        const int registered = InChild([] {
            for (const char* plugin : kPlugins)
                if (platform::com::RegisterLibrary((PluginFolder() / plugin).string()) != 0) return 1;
            return 0;
        });
        Machine().Write("C:\\ProgramData\\Quillet\\Quillet.cnt",
                        "2\r\n[Form] Save\r\n"
                        "Project|Pick the <WorkUnit> this e-mail belongs to.\r\n"
                        "Folder|The folder the e-mail is saved in.\r\n"
                        "Name|The file name of the saved e-mail.\r\n"
                        "[Form] Setup\r\n"
                        "Server|The folder that holds every <WorkUnit> folder.\r\n"
                        "Server|Plexar keeps the <WorkUnit> folders here.\r\n"
                        "Delim|Between the <WorkUnit> number and its name.\r\n"
                        "Subj|Between the tag and the subject.\r\n"
                        "Email|The e-mail sub-folder of a <WorkUnit> folder.\r\n"
                        "Database|The folder of the <WorkUnit> database.\r\n"
                        "Settings|The folder of the settings file.\r\n"
                        "Work|Your word for a <WorkUnit>.\r\n"
                        "Option|The add-in's own files or Plexar's.\r\n"
                        "[Form]\r\n");
        Machine().Write("C:\\ProgramData\\Quillet\\WorkUnitType.cnt", "Project\r\nJob\r\nMatter\r\n");
        return registered == 0;
    }();
    return installed;
}

// The folder of a project database of n projects, made on first use: names in no
// particular order, one in ten inactive, and the template project 0. The rows the
// list holds are counted too.
struct BenchDatabase {
    std::string folder;
    size_t listed = 0;
    size_t textBytes = 0;  // the texts of the list's cells, every one
};

const BenchDatabase& Database(int64_t n) {
    static std::map<int64_t, BenchDatabase> made;
    if (auto found = made.find(n); found != made.end()) return found->second;
    BenchDatabase db{"C:\\Bench\\" + std::to_string(n) + "\\", 0};
    const auto host = Machine().Host(db.folder + "Quillet.mdb");
    fs::create_directories(host.parent_path());
    dbtool::CreateProjectDatabase(host);
    static const char* const words[] = {"Harbour", "North", "Library", "Bridge", "School", "Depot", "Tower",
                                        "Clinic", "Market", "Station", "Garden", "Works"};
    std::mt19937 random(42);
    std::vector<dbtool::ProjectRecord> projects;
    projects.reserve(size_t(n) + 1);
    for (int64_t i = 0; i < n; ++i) {
        const std::string number = std::to_string(10 + i / 1000) + "-" + std::to_string(100000 + i).substr(1);
        const std::string name = std::string(words[random() % 12]) + " " + words[random() % 12] + " " +
                                 std::to_string(random() % 100000);
        const bool active = i % 10 != 0;
        projects.push_back({number, name, "P:\\Projects\\" + number + " " + name + "\\", active});
        db.listed += active ? 1 : 0;
        if (active)  // number, name, folder, "True" and the identifier given in this order
            db.textBytes += number.size() + name.size() + projects.back().folder.size() + 4 +
                            std::to_string(i + 1).size();
    }
    projects.push_back({"0", "Template", "P:\\Projects\\Template\\", true});
    dbtool::AddProjects(host, projects);
    return made.emplace(n, db).first->second;
}

// The anchor file, which is the settings file in use: own mode, this database.
void UseDatabase(const BenchDatabase& db) {
    Machine().Write("C:\\ProgramData\\Quillet\\Quillet.ini",
                    "[Setup]\r\nRoot=P:\\Projects\\\r\nWorkUnit=Project\r\nQuilletDBPath=" + db.folder + "\r\n");
}

struct ChildReport {
    int64_t nanoseconds = 0;
    int64_t rows = -1;       // the project list's rows as the add-in holds them
    int64_t problems = -1;   // dialogs the start showed
    int64_t listBytes = -1;  // the bytes the project list holds
    int64_t peakKb = 0;      // the process's peak resident size after the start
    int64_t faults = 0;      // the page faults the timed call met
};

int64_t PeakResidentKb() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_maxrss);
}

// The page faults this process has met so far: on a virtual machine each first touch
// of a fresh page costs microseconds, often more than the work done with it.
int64_t PageFaults() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_minflt + usage.ru_majflt);
}

// What Outlook does before it creates an add-in: it reads its list of add-ins and
// their load behaviour from the registry, so its view of the registry is in hand.
void ReadAddinList() {
    using platform::registry::Hive;
    for (const auto& progId : platform::registry::SubKeys(Hive::CurrentUser, sim::Outlook::kAddinsKey))
        benchmark::DoNotOptimize(platform::registry::QueryValue(
            Hive::CurrentUser, std::string(sim::Outlook::kAddinsKey) + "\\" + progId, "LoadBehavior"));
}

// One start in a fresh process.
ChildReport StartInChild(bool preload) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    InChild([&] {
        close(channel[0]);
        if (preload)
            for (const char* plugin : kPlugins) dlopen((PluginFolder() / plugin).c_str(), RTLD_NOW | RTLD_LOCAL);
        ReadAddinList();
        const int64_t faultsBefore = PageFaults();
        const auto begin = std::chrono::steady_clock::now();
        platform::com::abi::IUnknown* addin = platform::com::CreateInstance("Quillet.Connect");
        const auto end = std::chrono::steady_clock::now();
        ChildReport report;
        report.nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(end - begin).count();
        report.faults = PageFaults() - faultsBefore;
        report.problems = int64_t(Machine().Person().Problems().size());
        using Diagnostic = platform::com::abi::HRESULT (*)(const char*, platform::com::abi::BSTR*);
        void* library = dlopen(AddinLibrary().c_str(), RTLD_NOW | RTLD_NOLOAD);
        auto read = library ? reinterpret_cast<Diagnostic>(dlsym(library, "QuilletDiagnostic")) : nullptr;
        platform::com::abi::Bstr list;
        if (addin && read && read("ProjectList", list.out()) == platform::com::abi::hr::Ok) {
            const std::string rows = platform::com::abi::Utf8Of(list.get());
            report.rows = rows == "empty" ? 0 : std::stoll(rows);
        }
        if (addin && read && read("ProjectListBytes", list.out()) == platform::com::abi::hr::Ok)
            report.listBytes = std::stoll(platform::com::abi::Utf8Of(list.get()));
        report.peakKb = PeakResidentKb();
        if (addin) addin->Release();
        const bool written = write(channel[1], &report, sizeof report) == ssize_t(sizeof report);
        return written ? 0 : 1;
    });
    close(channel[1]);
    ChildReport report;
    if (read(channel[0], &report, sizeof report) != ssize_t(sizeof report)) report = {};
    close(channel[0]);
    return report;
}

void TimeStart(benchmark::State& state, bool preload) {
    if (!Installed()) {
        state.SkipWithError("the plug-ins could not be registered");
        return;
    }
    const BenchDatabase& db = Database(state.range(0));
    UseDatabase(db);
    double seconds = 0, iterations = 0;
    ChildReport last;
    for (auto _ : state) {
        last = StartInChild(preload);
        if (last.problems != 0 || last.rows != int64_t(db.listed)) {
            state.SkipWithError("the start did not load the project list without dialogs");
            break;
        }
        state.SetIterationTime(double(last.nanoseconds) * 1e-9);
        seconds += double(last.nanoseconds) * 1e-9;
        ++iterations;
    }
    state.counters["rows"] = double(db.listed);
    if (iterations > 0) bench::ReportRatio(state, seconds / iterations, "x_plain_fresh");
    // The project list's bytes over the bytes of its texts, and the peak resident size.
    state.counters["list_x_text"] = double(last.listBytes) / double(db.textBytes);
    state.counters["peak_rss_MB"] = double(last.peakKb) / 1024;
    state.counters["faults"] = double(last.faults);
}

void LibraryStart(benchmark::State& state) { TimeStart(state, true); }
void LoadAndStart(benchmark::State& state) { TimeStart(state, false); }

// The same rows straight from the engine, on a connection kept open throughout, with
// the engine's default page cache.
void PlainLoop(benchmark::State& state) {
    const auto host = Machine().Host(Database(state.range(0)).folder + "Quillet.mdb");
    bench::TimePlainLoop(state, host);
}

// The plain loop once in a fresh process, timed as the start is: the connection
// opened, the rows read, the connection closed. What a start costs beyond this is the
// add-in's own.
void PlainLoopFreshProcess(benchmark::State& state) {
    const auto host = Machine().Host(Database(state.range(0)).folder + "Quillet.mdb");
    double seconds = 0, iterations = 0;
    int64_t peakKb = 0, faults = 0;
    for (auto _ : state) {
        int channel[2];
        if (pipe(channel) != 0) break;
        InChild([&] {
            close(channel[0]);
            const int64_t faultsBefore = PageFaults();
            const auto begin = std::chrono::steady_clock::now();
            sqlite3* db = nullptr;
            sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
            std::vector<std::string> cells = bench::ReadProjectList(db);
            sqlite3_close(db);
            benchmark::DoNotOptimize(cells);
            const auto end = std::chrono::steady_clock::now();
            const int64_t report[3] = {std::chrono::duration_cast<std::chrono::nanoseconds>(end - begin).count(),
                                       PeakResidentKb(), PageFaults() - faultsBefore};
            return write(channel[1], report, sizeof report) == ssize_t(sizeof report) ? 0 : 1;
        });
        close(channel[1]);
        int64_t report[3] = {0, 0, 0};
        const bool received = read(channel[0], report, sizeof report) == ssize_t(sizeof report);
        close(channel[0]);
        if (!received) {
            state.SkipWithError("the child did not report");
            break;
        }
        state.SetIterationTime(double(report[0]) * 1e-9);
        seconds += double(report[0]) * 1e-9;
        ++iterations;
        peakKb = report[1];
        faults = report[2];
    }
    if (iterations > 0) bench::PlainLoopSeconds()[state.range(0)] = seconds / iterations;
    state.counters["peak_rss_MB"] = double(peakKb) / 1024;
    state.counters["faults"] = double(faults);
}

BENCHMARK(PlainLoop)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainLoopFreshProcess)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LibraryStart)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndStart)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
