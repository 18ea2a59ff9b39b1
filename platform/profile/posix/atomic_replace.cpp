#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/profile/posix/profile_storage.h"

namespace platform::profile {

namespace fs = std::filesystem;

std::optional<std::string> ReadHostFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return content;
}

namespace {

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The mode the new file gets: the old file's, or the usual one for a new file.
mode_t ModeFor(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) return status.st_mode & 07777;
    return 0644;
}

}  // namespace

bool ReplaceHostFile(const fs::path& file, std::string_view content) {
    std::string asideName = ".";
    asideName += file.filename().string();
    asideName += ".XXXXXX";
    std::string aside = (file.parent_path() / asideName).string();
    int fd = ::mkstemp(aside.data());
    if (fd < 0) return false;

    bool written = WriteAll(fd, content) && ::fchmod(fd, ModeFor(file)) == 0 && ::fsync(fd) == 0;
    written = (::close(fd) == 0) && written;
    if (written && ::rename(aside.c_str(), file.c_str()) == 0) return true;
    ::unlink(aside.c_str());
    return false;
}

}  // namespace platform::profile
