#include "platform/ado/posix/sqlite_database.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>
#include <system_error>

#include "platform/ado/ado.h"
#include "platform/ado/ado_failures.h"
#include "platform/ado/database_file.h"
#include "platform/errors/errors.h"

namespace platform::ado {

namespace fs = std::filesystem;

namespace {
constexpr const char* kCacheSize = "PRAGMA cache_size = -32768";  // KiB

std::atomic<uint64_t> handlesOpened{0};
}  // namespace

void StatementDeleter::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

SqliteDatabase::SqliteDatabase(sqlite3* db, fs::path hostPath, std::string shownPath)
    : db_(db), hostPath_(std::move(hostPath)), shownPath_(std::move(shownPath)), serial_(++handlesOpened) {}

SqliteDatabase::~SqliteDatabase() {
    // Closing rolls back whatever transaction is still open.
    sqlite3_close_v2(db_);
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::OpenExisting(const fs::path& hostPath, std::string shownPath,
                                                             uint32_t pageSize) {
    sqlite3* db = nullptr;
    // Never SQLITE_OPEN_CREATE: a file that vanished in the meantime stays missing.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(hostPath.c_str(), &db, flags, nullptr);
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(db, hostPath, std::move(shownPath)));
    if (rc != SQLITE_OK) database->Fail(rc);
    database->RecordIdentity();
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // A project database is small: let one connection keep all of it in memory, so
    // that a list read in the order of an index reads each page from the file once.
    database->Exec(kCacheSize);
    database->CheckSound(pageSize);
    return database;
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::CreateNew(const fs::path& hostPath) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(hostPath.c_str(), &db, flags, nullptr);
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(db, hostPath, hostPath.string()));
    if (rc != SQLITE_OK) database->Fail(rc);
    database->RecordIdentity();
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return database;
}

// The file the path names right after opening; the engine confirms it is the one it
// opened (a file replaced in between leaves the handle without an identity, so that
// it is never taken for the path's file).
void SqliteDatabase::RecordIdentity() {
    struct stat info {};
    if (::stat(hostPath_.c_str(), &info) != 0) return;
    device_ = uint64_t(info.st_dev);
    inode_ = uint64_t(info.st_ino);
    int moved = 1;
    identified_ = sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved == 0;
}

bool SqliteDatabase::HoldsFileOfPath() const {
    if (!identified_) return false;
    struct stat info {};
    if (::stat(hostPath_.c_str(), &info) != 0) return false;
    if (uint64_t(info.st_dev) != device_ || uint64_t(info.st_ino) != inode_) return false;
    int moved = 1;
    return sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved == 0;
}

std::string SqliteDatabase::ChangeStamp() {
    if (!HoldsFileOfPath()) return {};
    // Run as a statement of its own, it takes a read lock, and the engine compares the
    // file's change counter with the one it read last.
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &raw, nullptr) != SQLITE_OK) return {};
    StatementPtr statement(raw);
    if (sqlite3_step(statement.get()) != SQLITE_ROW) return {};
    const int64_t version = sqlite3_column_int64(statement.get(), 0);
    statement.reset();
    struct stat info {};
    if (::stat(hostPath_.c_str(), &info) != 0) return {};
    return std::to_string(serial_) + ":" + std::to_string(version) + ":" + std::to_string(writes_) + ":" +
           std::to_string(device_) + ":" + std::to_string(inode_) + ":" + std::to_string(info.st_size) + ":" +
           std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

void SqliteDatabase::Recheck(std::string shownPath, uint32_t pageSize) {
    shownPath_ = std::move(shownPath);
    CheckSound(pageSize);
}

// Reads the schema once under a shared lock, so that a damaged file fails here and
// not in the middle of some later statement, and checks the file's length against
// the page count of its header while no writer can be changing it.
void SqliteDatabase::CheckSound(uint32_t pageSize) {
    Exec("BEGIN");
    try {
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(db_, "SELECT type, name, tbl_name, sql FROM sqlite_schema", -1, &raw, nullptr);
        StatementPtr schema(raw);
        if (rc != SQLITE_OK) Fail(rc);
        while ((rc = sqlite3_step(schema.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) Fail(rc);
        schema.reset();

        rc = sqlite3_prepare_v2(db_, "PRAGMA page_count", -1, &raw, nullptr);
        StatementPtr count(raw);
        if (rc != SQLITE_OK) Fail(rc);
        rc = sqlite3_step(count.get());
        if (rc != SQLITE_ROW) Fail(rc);
        const uintmax_t pages = uintmax_t(sqlite3_column_int64(count.get(), 0));
        count.reset();

        std::error_code ec;
        const uintmax_t size = fs::file_size(hostPath_, ec);
        if (!ec && size < pages * pageSize)
            Raise(adoerr::ProviderFailure, ShortDatabaseDescription(shownPath_, size, pages * pageSize));
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    Exec("COMMIT");
}

void SqliteDatabase::Exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
}

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

void SqliteDatabase::Fail(int rc, bool preparing) const {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    const std::string file = "'" + shownPath_ + "'";
    const std::string source = "Project database";
    switch (rc & 0xFF) {
        case SQLITE_ERROR:
            if (preparing) {
                if (auto missing = MissingNameDescription(message))
                    Raise(StartsWith(message, "no such table: ") ? adoerr::NoSuchTable : adoerr::MissingValue,
                          *missing, source);
                Raise(adoerr::CommandError, "Error in the SQL statement: " + message + ".", source);
            }
            Raise(adoerr::ProviderFailure, message, source);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            Raise(adoerr::ProviderFailure,
                  "The project database " + file + " is locked by another user. Try again in a few moments.",
                  source);
        case SQLITE_READONLY:
            Raise(adoerr::ProviderFailure,
                  "Cannot update. Database or object is read-only: the project database " + file +
                      " may not be changed by this user.",
                  source);
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            Raise(adoerr::ProviderFailure, DamagedDatabaseDescription(shownPath_, message), source);
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            Raise(adoerr::ProviderFailure,
                  "The database cannot open the file " + file +
                      ". It is already opened exclusively by another user, or you need permission to view its "
                      "data.",
                  source);
        case SQLITE_IOERR: Raise(adoerr::ProviderFailure, "Disk or network error (" + message + ").", source);
        case SQLITE_FULL:
            Raise(adoerr::ProviderFailure, "The disk that holds the project database " + file + " is full.", source);
        case SQLITE_CONSTRAINT:
            Raise(adoerr::ProviderFailure, "The database refused the change: " + message + ".", source);
        default: Raise(adoerr::ProviderFailure, message, source);
    }
}

}  // namespace platform::ado
