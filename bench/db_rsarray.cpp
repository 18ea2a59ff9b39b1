// The project list through the database object's query result array, against a plain
// loop over the embedded database's C interface reading the same rows into strings.
// Goal: GetRSArray within 1.3 times the plain loop, at 10 000 and 100 000 projects.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/support/plain_loop.h"
#include "hosts/sim/host/test_machine.h"
#include "tools/dbtool/project_database.h"
#include "util/clsDbADO/clsDbADO.h"

namespace {


sim::TestMachine& Machine() {
    static sim::TestMachine machine;
    return machine;
}

// The Windows path of a database of n projects, made on first use: names in no
// particular order, one in ten inactive.
std::string Database(int64_t n) {
    static std::map<int64_t, std::string> made;
    if (auto found = made.find(n); found != made.end()) return found->second;
    const std::string path = "C:\\Bench\\Projects" + std::to_string(n) + ".mdb";
    const auto host = Machine().Host(path);
    std::filesystem::create_directories(host.parent_path());
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
        projects.push_back({number, name, "P:\\Projects\\" + number + " " + name + "\\", i % 10 != 0});
    }
    projects.push_back({"0", "Template", "P:\\Projects\\Template\\", true});
    dbtool::AddProjects(host, projects);
    made[n] = path;
    return path;
}

void GetRSArray(benchmark::State& state) {
    const std::string path = Database(state.range(0));
    clsDbADO db;
    db.DbType("Access");
    db.DbProvider("Microsoft.Jet.OLEDB.4.0");
    db.DbServer(path);
    db.BuildDBConnnectString();
    size_t rows = 0;
    for (auto _ : state) {
        QueryResult list = db.GetRSArray(bench::kProjectListSql);
        rows = list.Rows();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = double(rows);
}

// The same rows straight from the engine, on a connection kept open throughout: with
// the engine's default page cache, and with the page cache the provider gives its
// connections (which holds a whole project database).
void PlainLoop(benchmark::State& state, const char* setup) {
    const auto host = Machine().Host(Database(state.range(0)));
    bench::TimePlainLoop(state, host, setup);
}

BENCHMARK_CAPTURE(PlainLoop, default_cache, "")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainLoop, large_cache, "PRAGMA cache_size = -32768")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(GetRSArray)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
