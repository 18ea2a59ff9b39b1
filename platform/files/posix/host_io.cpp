#include "platform/files/posix/host_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>

#include "platform/errors/errors.h"
#include "platform/files/posix/host_calls.h"

namespace platform::files::detail {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// A fresh hidden name beside the target, unique within the process; a name some
// other process left behind is passed over when the file is created.
fs::path AsideName(const fs::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::string name = ".";
    name += target.filename().string();
    name += ".aside-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

}  // namespace

int32_t WindowsNumber(int hostError) {
    switch (hostError) {
        case EACCES:
        case EPERM:
        case EROFS:
        case EBUSY:
        case ETXTBSY: return err::PermissionDenied;
        case ENOENT:
        case ENOTDIR: return err::PathNotFound;
        default: return err::PathFileAccess;
    }
}

bool IsReadOnly(const fs::path& host) {
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) return true;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<std::string> ReadHostFile(const fs::path& host, std::size_t limit) {
    int fd = -1;
    if (OpenForReading(host, fd) != 0) return std::nullopt;
    std::string content;
    // Read through a buffer left unfilled, so that only the bytes the file holds are
    // touched (a settings file of a few hundred bytes costs a few hundred, not 64 KiB).
    const auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
    bool read = true;
    while (content.size() < limit) {
        std::size_t got = 0;
        read = ReadSome(fd, buffer.get(), std::min(kChunk, limit - content.size()), got) == 0;
        if (!read || got == 0) break;
        content.append(buffer.get(), got);
    }
    CloseFile(fd);
    if (!read) return std::nullopt;
    return content;
}

AsideFile::AsideFile(fs::path target) : target_(std::move(target)) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        aside_ = AsideName(target_);
        failure_ = CreateNewFile(aside_, fd_);
        if (failure_ != EEXIST) break;
    }
    if (failure_) settled_ = true;  // nothing was made
}

AsideFile::~AsideFile() { Discard(); }

void AsideFile::Discard() {
    if (fd_ >= 0) CloseFile(fd_);
    fd_ = -1;
    if (!settled_) RemoveFile(aside_);
    settled_ = true;
}

void AsideFile::Write(std::string_view bytes) {
    if (!failure_) failure_ = WriteAll(fd_, bytes);
}

int AsideFile::Commit(std::optional<mode_t> mode) {
    if (!failure_ && !mode) {
        struct stat replaced {};
        if (::stat(target_.c_str(), &replaced) == 0) mode = replaced.st_mode;
    }
    if (!failure_ && mode && ::fchmod(fd_, *mode & 07777) != 0) failure_ = errno;
    if (!failure_) failure_ = FlushToDisk(fd_);
    if (!failure_) {
        failure_ = CloseFile(fd_);
        fd_ = -1;
    }
    if (!failure_) failure_ = RenameOver(aside_, target_);
    if (failure_) {
        Discard();
        return failure_;
    }
    settled_ = true;
    return 0;
}

int ReplaceHostFile(const fs::path& target, std::string_view content) {
    AsideFile file(target);
    file.Write(content);
    return file.Commit();
}

void WriteHostFileAtomically(const fs::path& target, std::string_view content) {
    if (int failure = ReplaceHostFile(target, content)) RaiseStandard(WindowsNumber(failure));
}

}  // namespace platform::files::detail
