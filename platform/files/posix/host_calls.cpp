#include "platform/files/posix/host_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/posix/fault_injection.h"

namespace platform::files::detail {

using faults::HostCall;

namespace {

// Writes every byte; 0 or the host's error.
int WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int OpenWith(const std::filesystem::path& file, int flags, int& fd) {
    do {
        fd = ::open(file.c_str(), flags | O_CLOEXEC, 0666);  // the process's umask applies
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? errno : 0;
}

}  // namespace

int OpenForReading(const std::filesystem::path& file, int& fd) {
    fd = -1;
    if (int injected = faults::detail::Next(HostCall::Read)) return injected;
    return OpenWith(file, O_RDONLY, fd);
}

int ReadSome(int fd, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (int injected = faults::detail::Next(HostCall::Read)) return injected;
    ssize_t count;
    do {
        count = ::read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) return errno;
    got = static_cast<std::size_t>(count);
    return 0;
}

int CreateNewFile(const std::filesystem::path& file, int& fd) {
    fd = -1;
    if (int injected = faults::detail::Next(HostCall::Create)) return injected;
    return OpenWith(file, O_WRONLY | O_CREAT | O_EXCL, fd);
}

int OpenForWriting(const std::filesystem::path& file, bool append, int& fd) {
    fd = -1;
    if (int injected = faults::detail::Next(HostCall::Create)) return injected;
    return OpenWith(file, O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), fd);
}

int MakeFolder(const std::filesystem::path& folder) {
    if (int injected = faults::detail::Next(HostCall::Create)) return injected;
    return ::mkdir(folder.c_str(), 0777) == 0 ? 0 : errno;
}

int WriteAll(int fd, std::string_view bytes) {
    if (int injected = faults::detail::Next(HostCall::Write)) {
        WriteFully(fd, bytes.substr(0, bytes.size() / 2));  // the disk filled up midway
        return injected;
    }
    return WriteFully(fd, bytes);
}

int FlushToDisk(int fd) {
    if (int injected = faults::detail::Next(HostCall::Flush)) return injected;
    return ::fsync(fd) == 0 ? 0 : errno;
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (int injected = faults::detail::Next(HostCall::Rename)) return injected;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const std::filesystem::path& file) {
    if (int injected = faults::detail::Next(HostCall::Delete)) return injected;
    return ::unlink(file.c_str()) == 0 ? 0 : errno;
}

int CloseFile(int fd) {
    // A close the host interrupts has closed the file all the same: never retried.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

}  // namespace platform::files::detail
