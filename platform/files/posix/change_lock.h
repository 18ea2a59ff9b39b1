// The lock that serialises every read-change-replace of one shared host file (a
// settings file, the registry store) across threads and processes: without it, two
// writers that read the same old content each rename their own change over the file
// and the first change is lost, though both reported success.
//
// The lock is an advisory lock (flock) on the folder that holds the file: the file
// itself is replaced by a new one at every write, so a lock on it would guard a file
// that is no longer the file, and a lock file beside it would be left behind. Every
// writer of this library takes it, so every writer waits for the one before.
#pragma once

#include <chrono>
#include <filesystem>

namespace platform::files::detail {

class ChangeLock {
public:
    // How long a writer waits for the one before it before it gives up.
    static constexpr std::chrono::milliseconds kWait{10000};
    // Sets the wait of every later lock of this process (a test shortens it).
    static void SetWait(std::chrono::milliseconds wait);

    // Takes the lock of the file's folder, waiting at most the set time.
    explicit ChangeLock(const std::filesystem::path& file);
    ~ChangeLock();
    ChangeLock(const ChangeLock&) = delete;
    ChangeLock& operator=(const ChangeLock&) = delete;

    // 0 when the lock is held; else the host error: EWOULDBLOCK when another writer
    // held it for the whole wait, or why the folder could not be opened.
    int Failure() const { return failure_; }

private:
    int fd_ = -1;
    int failure_ = 0;
};

}  // namespace platform::files::detail
