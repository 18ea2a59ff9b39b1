#include "tools/dbtool/project_database.h"

#include <sqlite3.h>

#include <system_error>

#include "platform/ado/ado.h"
#include "platform/ado/database_file.h"
#include "platform/ado/posix/sqlite_database.h"
#include "platform/errors/errors.h"

namespace dbtool {

using namespace platform;
using namespace platform::ado;

namespace fs = std::filesystem;

namespace {

constexpr const char* kSchema =
    "CREATE TABLE Project ("
    "ProjectID INTEGER PRIMARY KEY AUTOINCREMENT, "
    "[Project Number] TEXT COLLATE NOCASE, "
    "[Project Name] TEXT COLLATE NOCASE, "
    "ProjFilePath TEXT COLLATE NOCASE, "
    "Active BOOLEAN NOT NULL DEFAULT 0);"
    "CREATE INDEX ProjectName ON Project ([Project Name]);"
    "CREATE INDEX ProjectNumber ON Project ([Project Number]);";

}  // namespace

void CreateProjectDatabase(const fs::path& hostPath) {
    std::error_code ec;
    if (fs::exists(hostPath, ec)) RaiseStandard(err::FileAlreadyExists);
    const fs::path folder = hostPath.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) RaiseStandard(err::PathNotFound);
    try {
        auto database = SqliteDatabase::CreateNew(hostPath);
        database->Exec("PRAGMA journal_mode=DELETE");
        database->Exec("BEGIN");
        database->Exec(kSchema);
        database->Exec("COMMIT");
    } catch (...) {
        fs::remove(hostPath, ec);
        throw;
    }
}

namespace {

// The database of an existing project database file, checked as a connection checks it.
std::unique_ptr<SqliteDatabase> OpenProjectDatabase(const fs::path& hostPath) {
    const DatabaseFileInspection inspection = InspectDatabaseFile(hostPath);
    if (inspection.kind == DatabaseFileKind::Missing) RaiseStandard(err::FileNotFound);
    if (inspection.kind == DatabaseFileKind::NoFolder) RaiseStandard(err::PathNotFound);
    if (inspection.kind != DatabaseFileKind::Database)
        Raise(adoerr::ProviderFailure, UnusableFileDescription(hostPath.string(), inspection));
    return SqliteDatabase::OpenExisting(hostPath, hostPath.string(), inspection.pageSize);
}

StatementPtr Prepare(SqliteDatabase& database, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(database.Handle(), sql, -1, &raw, nullptr);
    StatementPtr statement(raw);
    if (rc != SQLITE_OK) database.Fail(rc, true);
    return statement;
}

// Binds the project's texts from the first parameter on, then its active flag.
void BindProject(sqlite3_stmt* statement, const ProjectRecord& project, bool withNumber) {
    int at = 1;
    if (withNumber) sqlite3_bind_text(statement, at++, project.number.data(), int(project.number.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, at++, project.name.data(), int(project.name.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, at++, project.folder.data(), int(project.folder.size()), SQLITE_STATIC);
    sqlite3_bind_int(statement, at++, project.active ? 1 : 0);
    if (!withNumber) sqlite3_bind_text(statement, at, project.number.data(), int(project.number.size()), SQLITE_STATIC);
}

void Step(SqliteDatabase& database, sqlite3_stmt* statement, int expected) {
    int rc = sqlite3_step(statement);
    if (rc != expected && !(expected == SQLITE_DONE && rc == SQLITE_ROW)) database.Fail(rc);
}

// Runs the work in one transaction, rolled back when it fails.
template <class Work>
void InTransaction(SqliteDatabase& database, Work&& work) {
    database.Exec("BEGIN IMMEDIATE");
    try {
        work();
        database.Exec("COMMIT");
    } catch (...) {
        sqlite3_exec(database.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

constexpr const char* kInsert =
    "INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, Active) VALUES (?, ?, ?, ?)";

}  // namespace

size_t AddProjects(const fs::path& hostPath, const std::vector<ProjectRecord>& projects) {
    auto database = OpenProjectDatabase(hostPath);
    InTransaction(*database, [&] {
        StatementPtr insert = Prepare(*database, kInsert);
        for (const ProjectRecord& project : projects) {
            BindProject(insert.get(), project, true);
            Step(*database, insert.get(), SQLITE_DONE);
            sqlite3_reset(insert.get());
        }
    });
    return projects.size();
}

ImportResult ImportProjects(const fs::path& hostPath, const std::vector<ProjectRecord>& projects, bool update) {
    auto database = OpenProjectDatabase(hostPath);
    ImportResult result;
    InTransaction(*database, [&] {
        StatementPtr find = Prepare(*database, "SELECT count(*) FROM Project WHERE [Project Number] = ?");
        StatementPtr insert = Prepare(*database, kInsert);
        StatementPtr change = Prepare(*database,
                                      "UPDATE Project SET [Project Name] = ?, ProjFilePath = ?, Active = ? "
                                      "WHERE [Project Number] = ?");
        for (const ProjectRecord& project : projects) {
            sqlite3_bind_text(find.get(), 1, project.number.data(), int(project.number.size()), SQLITE_STATIC);
            Step(*database, find.get(), SQLITE_ROW);
            const bool known = sqlite3_column_int(find.get(), 0) > 0;
            sqlite3_reset(find.get());
            if (known && !update) {
                result.skipped.push_back(project.number);
                continue;
            }
            sqlite3_stmt* statement = known ? change.get() : insert.get();
            BindProject(statement, project, !known);
            Step(*database, statement, SQLITE_DONE);
            sqlite3_reset(statement);
            ++(known ? result.updated : result.added);
        }
    });
    return result;
}

}  // namespace dbtool
