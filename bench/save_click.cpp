// The click on the add-in's button of a mail window (the project list read again, the
// save form filled and shown in the headless toolkit) and one type-ahead key in the
// save form's project box, at 1 000, 10 000 and 100 000 projects, beside the plain loop
// that reads the same list straight from the embedded database's C interface.
// Goals: the click within a tenth of the plain loop at 100 000 projects (its counter
// x_plain_loop, the mean click over the mean plain loop of this run); a type-ahead key
// under 50 microseconds at 100 000 projects.
//
// The add-in runs here as Outlook runs it: the two plugins built beside this program
// (Quillet09.so and UtilOrvek2.so) are registered into the machine's fresh prefix, and
// the simulated Outlook loads the add-in by its registration, which creates the utility
// library's objects by class id, as quillet-sim does. This program uses neither
// library's objects directly: both libraries carry the in-process server entry points,
// so only one of them could be linked in, and the add-in would still reach the other
// through the registry; the plugins are the one arrangement that is the real one.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/support/plain_loop.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "tools/dbtool/project_database.h"
#include "platform/com/library.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"

namespace {

namespace fs = std::filesystem;


const char* const kDatabase = "C:\\ProgramData\\Quillet\\Quillet.mdb";

[[noreturn]] void Abort(const std::string& why) {
    std::fprintf(stderr, "bench-save_click: %s\n", why.c_str());
    std::exit(1);
}

sim::TestMachine& Machine() {
    static sim::TestMachine machine;
    return machine;
}

// The Windows path of a database of n active projects, made on first use. Names begin
// with one of twelve words, so a name's first letters lead the type-ahead into every
// part of the list.
std::string Database(int64_t n) {
    static std::map<int64_t, std::string> made;
    if (auto found = made.find(n); found != made.end()) return found->second;
    const std::string path = "C:\\Bench\\Projects" + std::to_string(n) + ".mdb";
    const auto host = Machine().Host(path);
    fs::create_directories(host.parent_path());
    dbtool::CreateProjectDatabase(host);
    static const char* const words[] = {"Harbour", "North", "Library", "Bridge", "School", "Depot", "Tower",
                                        "Clinic", "Market", "Station", "Garden", "Works"};
    std::mt19937 random(42);
    std::vector<dbtool::ProjectRecord> projects;
    projects.reserve(size_t(n));
    for (int64_t i = 0; i < n; ++i) {
        const std::string number = std::to_string(10 + i / 1000) + "-" + std::to_string(100000 + i).substr(1);
        const std::string name = std::string(words[random() % 12]) + " " + words[random() % 12] + " " +
                                 std::to_string(random() % 100000);
        projects.push_back({number, name, "P:\\Projects\\" + number + " " + name + "\\", true});
    }
    dbtool::AddProjects(host, projects);
    made[n] = path;
    return path;
}

// The add-in's database becomes the one of n projects; the add-in reads it at its
// next click (it opens the database for each query).
void UseDatabase(int64_t n) {
    const auto from = Machine().Host(Database(n));
    const auto to = Machine().Host(kDatabase);
    fs::remove(to);
    fs::copy_file(from, to);
}

// Outlook with the add-in loaded and one new mail window in front, made on first use.
sim::Outlook& Outlook() {
    static std::unique_ptr<sim::Outlook> outlook = [] {
        sim::TestMachine& machine = Machine();
        const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
        for (const char* library : {"UtilOrvek2.so", "Quillet09.so"})
            if (platform::com::RegisterLibrary((bin / library).string()) != 0)
                Abort("cannot register " + (bin / library).string() + ": " + platform::com::LastLoadError());
        machine.Write("C:\\ProgramData\\Quillet\\Quillet.ini", "[Setup]\r\nRoot=C:\\Projects\\\r\n");
        machine.Write("C:\\ProgramData\\Quillet\\Quillet.cnt",
                      "1\r\n[Form] Save\r\nProject|The project.\r\nFolder|The folder.\r\nName|The name.\r\n"
                      "[Form]\r\n");
        UseDatabase(1000);
        auto started = std::make_unique<sim::Outlook>();
        started->Start();
        if (!started->Escaped().empty()) Abort("the add-in did not load: " + started->Escaped().front());
        started->OpenMail({.subject = "Roof drawings", .recipients = 1});
        return started;
    }();
    return *outlook;
}

platform::toolkit::Form& SaveForm() {
    auto* form = Machine().Toolkit().FindForm("frmQuillet");
    if (!form || !form->Loaded()) Abort("the save form is not open");
    return *form;
}

platform::toolkit::Control& ControlOf(const char* name, int16_t index = -1) {
    auto* control = SaveForm().Find(name, index);
    if (!control) Abort(std::string("the save form has no ") + name);
    return *control;
}

void CloseSaveForm() { Machine().Person().Press(ControlOf("cmdQuillet", 4)); }

// Nothing the person did not expect was shown.
void CheckQuiet() {
    const auto problems = Machine().Person().Problems();
    if (!problems.empty()) Abort(problems.front());
}

int32_t ListedProjects() { return static_cast<platform::toolkit::ComboBox&>(ControlOf("cboQuillet")).ListCount(); }

void Click(benchmark::State& state) {
    sim::Outlook& outlook = Outlook();
    UseDatabase(state.range(0));
    int32_t listed = 0;
    bench::Stopwatch watch;
    for (auto _ : state) {
        watch.Start();
        outlook.ClickButton();
        watch.Stop();
        state.PauseTiming();
        listed = ListedProjects();
        CloseSaveForm();
        state.ResumeTiming();
    }
    CheckQuiet();
    if (listed != state.range(0)) Abort("the save form lists " + std::to_string(listed) + " projects");
    state.counters["listed"] = double(listed);
    bench::ReportRatio(state, watch.Mean());
}

// One key in the project box, after a first key typed outside the timing: "o" after
// "W" completes to the first "Works" entry, in the last twelfth of the list; "#" after
// "#" matches nothing, so the whole list is walked and the key is typed as it is.
void TypeAheadKey(benchmark::State& state, char first, char key) {
    sim::Outlook& outlook = Outlook();
    UseDatabase(state.range(0));
    outlook.ClickButton();
    sim::ScriptedPerson& person = Machine().Person();
    auto& box = ControlOf("cboQuillet");
    auto& name = ControlOf("txtSaveAsName");
    const std::string firstKey(1, first), timedKey(1, key);
    for (auto _ : state) {
        state.PauseTiming();
        person.Focus(name);  // the box loses the focus: type-ahead starts afresh
        person.Type(box, firstKey);
        state.ResumeTiming();
        person.Type(box, timedKey);
    }
    const std::string shown = static_cast<platform::toolkit::ComboBox&>(box).Text();
    CloseSaveForm();
    CheckQuiet();
    if (key == '#' ? shown != "##" : shown.rfind("Works ", 0) != 0) Abort("the box shows \"" + shown + "\"");
}

void TypeAheadMatch(benchmark::State& state) { TypeAheadKey(state, 'W', 'o'); }
void TypeAheadNoMatch(benchmark::State& state) { TypeAheadKey(state, '#', '#'); }

// The same rows straight from the engine, on a connection kept open throughout.
void PlainLoop(benchmark::State& state) {
    const auto host = Machine().Host(Database(state.range(0)));
    bench::PlainLoopSeconds()[state.range(0)] = bench::TimePlainLoop(state, host);
}

BENCHMARK(PlainLoop)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Click)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeAheadMatch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeAheadNoMatch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
