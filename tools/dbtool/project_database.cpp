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

size_t AddProjects(const fs::path& hostPath, const std::vector<ProjectRecord>& projects) {
    const DatabaseFileInspection inspection = InspectDatabaseFile(hostPath);
    if (inspection.kind == DatabaseFileKind::Missing) RaiseStandard(err::FileNotFound);
    if (inspection.kind == DatabaseFileKind::NoFolder) RaiseStandard(err::PathNotFound);
    if (inspection.kind != DatabaseFileKind::Database)
        Raise(adoerr::ProviderFailure, UnusableFileDescription(hostPath.string(), inspection));
    auto database = SqliteDatabase::OpenExisting(hostPath, hostPath.string(), inspection.pageSize);

    database->Exec("BEGIN IMMEDIATE");
    try {
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(database->Handle(),
                                    "INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, Active) "
                                    "VALUES (?, ?, ?, ?)",
                                    -1, &raw, nullptr);
        StatementPtr insert(raw);
        if (rc != SQLITE_OK) database->Fail(rc, true);
        for (const ProjectRecord& project : projects) {
            sqlite3_bind_text(raw, 1, project.number.data(), int(project.number.size()), SQLITE_STATIC);
            sqlite3_bind_text(raw, 2, project.name.data(), int(project.name.size()), SQLITE_STATIC);
            sqlite3_bind_text(raw, 3, project.folder.data(), int(project.folder.size()), SQLITE_STATIC);
            sqlite3_bind_int(raw, 4, project.active ? 1 : 0);
            rc = sqlite3_step(raw);
            if (rc != SQLITE_DONE) database->Fail(rc);
            sqlite3_reset(raw);
        }
        insert.reset();
        database->Exec("COMMIT");
    } catch (...) {
        sqlite3_exec(database->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return projects.size();
}

}  // namespace dbtool
