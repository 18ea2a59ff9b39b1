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

    // True while the path still names the file this handle holds open: the same
    // device and inode as when it was opened, and the engine's own handle agrees. A
    // file replaced under the path (a restore from a backup, say) is another file.
    bool HoldsFileOfPath() const;

    // What tells whether the database may have changed since: which handle this is,
    // the engine's change counter for it (which sees other connections' commits), the
    // writes made through it, and the file's identity, size and time. Equal stamps
    // mean no change; an empty stamp means it cannot be told.
    std::string ChangeStamp();
    // A statement that may write ran through this handle.
    void NoteWrite() { ++writes_; }

    // Runs statements without results.
    void Exec(const char* sql);
    // Raises the failure for a result code of the engine (rc) as the provider reports
    // it. preparing: the code came from reading a statement, not from running it.
    [[noreturn]] void Fail(int rc, bool preparing = false) const;

private:
    SqliteDatabase(sqlite3* db, std::filesystem::path hostPath, std::string shownPath);
    void CheckSound(uint32_t pageSize);

    void RecordIdentity();

    sqlite3* db_;
    std::filesystem::path hostPath_;
    std::string shownPath_;
    uint64_t serial_;        // this handle among all opened by the process
    uint64_t writes_ = 0;    // statements that may have written
    uint64_t device_ = 0;    // the file opened
    uint64_t inode_ = 0;
    bool identified_ = false;
};

// Finalizes a prepared statement when dropped.
struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

}  // namespace platform::ado
