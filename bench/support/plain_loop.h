// The yardstick of the benchmarks: the project list read straight from the engine
// with SQLite's C API into strings, as plainly as it can be done.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>

#include <string>
#include <vector>

namespace bench {

// The time spent between Start and Stop, over all the times measured.
class Stopwatch {
public:
    void Start() { begin_ = std::chrono::steady_clock::now(); }
    void Stop() {
        total_ += std::chrono::steady_clock::now() - begin_;
        ++count_;
    }
    double Mean() const { return count_ ? std::chrono::duration<double>(total_).count() / double(count_) : 0; }

private:
    std::chrono::steady_clock::time_point begin_;
    std::chrono::steady_clock::duration total_{};
    int64_t count_ = 0;
};

// The mean time of the plain loop by the size of the list, as measured in this run.
inline std::map<int64_t, double>& PlainLoopSeconds() {
    static std::map<int64_t, double> seconds;
    return seconds;
}

// A benchmark's mean time beside the plain loop's at the same size, as a counter.
inline void ReportRatio(benchmark::State& state, double seconds, const char* name = "x_plain_loop") {
    const auto plain = PlainLoopSeconds().find(state.range(0));
    if (plain != PlainLoopSeconds().end() && plain->second > 0) state.counters[name] = seconds / plain->second;
}

inline const std::string kProjectListSql =
    "SELECT P.[Project Number], P.[Project Name], P.ProjFilePath, P.Active, P.ProjectID "
    "FROM Project AS P WHERE P.[Project Number] <> '0' AND P.Active ORDER BY P.[Project Name]";

// Reads every row of the project list on an open connection; the cells, row by row.
inline std::vector<std::string> ReadProjectList(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kProjectListSql.c_str(), -1, &statement, nullptr);
    std::vector<std::string> cells;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < 5; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
            cells.emplace_back(text ? text : "", size_t(sqlite3_column_bytes(statement, c)));
        }
    }
    sqlite3_finalize(statement);
    return cells;
}

// The plain loop as a benchmark: one connection to the file kept open throughout (with
// the statement `setup` run on it first, "" for none), the list read each iteration.
// Returns the mean time of one iteration in seconds, for the ratios of the benchmarks
// that run beside it.
inline double TimePlainLoop(benchmark::State& state, const std::filesystem::path& host, const char* setup = "") {
    sqlite3* db = nullptr;
    sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, setup, nullptr, nullptr, nullptr);
    size_t rows = 0;
    Stopwatch watch;
    for (auto _ : state) {
        watch.Start();
        std::vector<std::string> cells = ReadProjectList(db);
        rows = cells.size() / 5;
        benchmark::DoNotOptimize(cells);
        watch.Stop();
    }
    sqlite3_close(db);
    state.counters["rows"] = double(rows);
    return watch.Mean();
}

}  // namespace bench
