// One open database file of the embedded engine, as the Access-file provider and the
// project-database functions use it. Opening checks the file first and never
// creates, repairs or rewrites a file that is not a sound project database.
//
// Shared use: several processes may open the same file over a share. Every opening
// waits up to kBusyTimeoutMs for a lock instead of failing at once, the rollback
// journal is kept (its locks work on network shares), and every statement commits
// as one unit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::ado {

inline constexpr int kBusyTimeoutMs = 5000;

class SqliteDatabase {
public:
    // Opens an existing database file after InspectDatabaseFile found it sound;
    // pageSize is the page size of its header. Failures name the file as shownPath
    // (the path the caller knows it by).
    static std::unique_ptr<SqliteDatabase> OpenExisting(const std::filesystem::path& hostPath,
                                                        std::string shownPath, uint32_t pageSize);
    // Creates a new database file; it must not exist yet.
    static std::unique_ptr<SqliteDatabase> CreateNew(const std::filesystem::path& hostPath);

    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Checks a handle taken back from the pool as opening checks a new one; failures
    // now name the file as shownPath.
    void Recheck(std::string shownPath, uint32_t pageSize);

    sqlite3* Handle() const { return db_; }
    const std::filesystem::path& HostPath() const { return hostPath_; }

    // Runs statements without results.
    void Exec(const char* sql);
    // Raises the failure for a result code of the engine (rc) as the provider reports
    // it. preparing: the code came from reading a statement, not from running it.
    [[noreturn]] void Fail(int rc, bool preparing = false) const;

private:
    SqliteDatabase(sqlite3* db, std::filesystem::path hostPath, std::string shownPath);
    void CheckSound(uint32_t pageSize);

    sqlite3* db_;
    std::filesystem::path hostPath_;
    std::string shownPath_;
};

// Finalizes a prepared statement when dropped.
struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

}  // namespace platform::ado
