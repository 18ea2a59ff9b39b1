// The yardstick of the benchmarks: the project list read straight from the engine
// with SQLite's C API into strings, as plainly as it can be done.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>

#include <string>
#include <vector>

namespace bench {

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
inline void TimePlainLoop(benchmark::State& state, const std::filesystem::path& host, const char* setup = "") {
    sqlite3* db = nullptr;
    sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, setup, nullptr, nullptr, nullptr);
    size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::string> cells = ReadProjectList(db);
        rows = cells.size() / 5;
        benchmark::DoNotOptimize(cells);
    }
    sqlite3_close(db);
    state.counters["rows"] = double(rows);
}

}  // namespace bench
