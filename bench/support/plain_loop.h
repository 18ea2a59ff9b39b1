// The yardstick of the benchmarks: the project list read straight from the engine
// with SQLite's C API into strings, as plainly as it can be done.
#pragma once

#include <sqlite3.h>

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

}  // namespace bench
