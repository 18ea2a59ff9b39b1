#include "platform/files/posix/change_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

namespace platform::files::detail {

namespace {
std::atomic<std::chrono::milliseconds::rep> waitMilliseconds{ChangeLock::kWait.count()};
}  // namespace

void ChangeLock::SetWait(std::chrono::milliseconds wait) { waitMilliseconds = wait.count(); }

ChangeLock::ChangeLock(const std::filesystem::path& file) {
    const std::chrono::milliseconds wait{waitMilliseconds.load()};
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        failure_ = errno;
        return;
    }
    // Polled rather than blocking, so that the wait has a bound; the pause grows from
    // a millisecond, so a short change of another writer costs little.
    auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::microseconds pause{1000};
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            failure_ = error;
            ::close(fd_);
            fd_ = -1;
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds{20000});
    }
}

ChangeLock::~ChangeLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the folder releases the lock
}

}  // namespace platform::files::detail
