#include "platform/ado/posix/sqlite_pool.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace platform::ado {

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kMaxIdle = 8;

// What tells whether a file was touched: which file it is, its size and its time.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modifiedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

bool Stamp(const std::filesystem::path& file, FileStamp& stamp) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return false;
    stamp = {info.st_dev, info.st_ino, info.st_size,
             int64_t(info.st_mtim.tv_sec) * 1000000000 + int64_t(info.st_mtim.tv_nsec)};
    return true;
}

struct Idle {
    std::unique_ptr<SqliteDatabase> database;
    FileStamp stamp;
    pid_t process;
    Clock::time_point since;
};

struct Pool {
    std::mutex lock;
    std::vector<Idle> idle;

    // Drops what has waited too long; forgets what another process left behind.
    void Expire(std::vector<Idle>& dropped) {
        const auto now = Clock::now();
        const pid_t self = ::getpid();
        for (auto& entry : idle) {
            if (entry.process != self)
                (void)entry.database.release();  // a forked child leaves its parent's handles alone
            else if (now - entry.since > std::chrono::seconds(kPoolIdleSeconds))
                dropped.push_back(std::move(entry));
        }
        idle.erase(std::remove_if(idle.begin(), idle.end(), [](const Idle& e) { return !e.database; }), idle.end());
    }
};

// Never destroyed: connections held by other objects with static lifetime may close
// after it would have been, and idle handles hold no locks the end of the process
// would have to release.
Pool& ThePool() {
    static Pool* pool = new Pool;
    return *pool;
}

}  // namespace

std::unique_ptr<SqliteDatabase> TakePooledDatabase(const std::filesystem::path& hostPath) {
    std::vector<Idle> dropped;  // closed outside the lock
    Pool& pool = ThePool();
    std::lock_guard guard(pool.lock);
    pool.Expire(dropped);
    auto found = std::find_if(pool.idle.begin(), pool.idle.end(),
                              [&](const Idle& entry) { return entry.database->HostPath() == hostPath; });
    if (found == pool.idle.end()) return nullptr;
    dropped.push_back(std::move(*found));
    pool.idle.erase(found);
    FileStamp now;
    if (!Stamp(hostPath, now) || !(now == dropped.back().stamp)) return nullptr;  // touched: the handle closes
    // The stamp was taken from the path when the handle came back; the file behind the
    // handle may have been replaced while its connection was open.
    if (!dropped.back().database->HoldsFileOfPath()) return nullptr;
    return std::move(dropped.back().database);
}

void PoolDatabase(std::unique_ptr<SqliteDatabase> database) {
    if (!database) return;
    if (!sqlite3_get_autocommit(database->Handle())) {
        database->NoteWrite();  // what was read inside the transaction may be undone
        sqlite3_exec(database->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    FileStamp stamp;
    if (!sqlite3_get_autocommit(database->Handle()) || !database->HoldsFileOfPath() ||
        !Stamp(database->HostPath(), stamp))
        return;

    std::vector<Idle> dropped;
    Pool& pool = ThePool();
    std::lock_guard guard(pool.lock);
    pool.Expire(dropped);
    // One idle handle per file: the newest.
    for (auto& entry : pool.idle)
        if (entry.database->HostPath() == database->HostPath()) dropped.push_back(std::move(entry));
    pool.idle.erase(std::remove_if(pool.idle.begin(), pool.idle.end(), [](const Idle& e) { return !e.database; }),
                    pool.idle.end());
    if (pool.idle.size() >= kMaxIdle) {
        dropped.push_back(std::move(pool.idle.front()));
        pool.idle.erase(pool.idle.begin());
    }
    pool.idle.push_back({std::move(database), stamp, ::getpid(), Clock::now()});
}

}  // namespace platform::ado
