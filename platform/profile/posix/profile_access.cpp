#include <sys/stat.h>

#include "platform/errors/frame.h"
#include "platform/files/files.h"
#include "platform/files/posix/prefix.h"
#include "platform/profile/posix/profile_storage.h"

namespace platform::profile {

namespace fs = std::filesystem;

namespace {

// In use by someone else: the file layer refuses to open it (70).
bool InUse(std::string_view windowsPath) {
    bool inUse = false;
    ErrorFrame([](const ErrorInfo&) {})
        .On(err::PermissionDenied,
            [&](const ErrorInfo&) {
                inUse = true;
                return Resume::ExitStep;
            })
        .Run([&] {
            files::NewFileSystemObject()->OpenTextFile(windowsPath, files::ForReading)->Close();
        });
    return inUse;
}

// Read-only: no write permission bits at all. Checked on the bits themselves, since
// the permission checks of the host let some users (root) write anyway.
bool ReadOnly(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return true;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::optional<fs::path> ReadableHostFile(std::string_view windowsPath) {
    std::optional<fs::path> host = files::Prefix::HostPath(windowsPath);
    std::error_code error;
    if (!host || !fs::is_regular_file(*host, error)) return std::nullopt;
    if (InUse(windowsPath)) return std::nullopt;
    return host;
}

std::optional<fs::path> WritableHostFile(std::string_view windowsPath) {
    std::optional<fs::path> host = files::Prefix::HostPath(windowsPath);
    if (!host) return std::nullopt;
    std::error_code error;
    if (!host->has_filename() || !fs::is_directory(host->parent_path(), error)) return std::nullopt;
    fs::file_status status = fs::status(*host, error);
    if (status.type() == fs::file_type::not_found) return host;
    if (status.type() != fs::file_type::regular) return std::nullopt;
    if (ReadOnly(*host) || InUse(windowsPath)) return std::nullopt;
    return host;
}

}  // namespace platform::profile
