#include "platform/files/posix/host_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/errors/errors.h"

namespace platform::files::detail {

namespace fs = std::filesystem;

bool IsReadOnly(const fs::path& host) {
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

fs::path AsideName(const fs::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::string name = ".";
    name += target.filename().string();
    name += ".aside-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

std::optional<std::string> ReadHostFile(const fs::path& host) {
    std::ifstream in(host, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return content.str();
}

void WriteHostFileAtomically(const fs::path& target, std::string_view content) {
    fs::path aside = AsideName(target);
    std::FILE* out = std::fopen(aside.c_str(), "wb");
    if (!out) RaiseStandard(errno == EACCES || errno == EROFS ? err::PermissionDenied : err::PathFileAccess);
    bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    written = std::fflush(out) == 0 && written;
    written = std::fclose(out) == 0 && written;
    std::error_code ec;
    if (written) fs::rename(aside, target, ec);
    if (!written || ec) {
        fs::remove(aside, ec);
        RaiseStandard(err::PathFileAccess);
    }
}

}  // namespace platform::files::detail
