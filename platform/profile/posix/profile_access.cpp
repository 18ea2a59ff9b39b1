#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/prefix.h"
#include "platform/profile/posix/profile_storage.h"

namespace platform::profile {

namespace fs = std::filesystem;

// A file in use by someone else is refused, as the file layer refuses to open it.
std::optional<fs::path> ReadableHostFile(std::string_view windowsPath) {
    std::optional<fs::path> host = files::Prefix::HostPath(windowsPath);
    std::error_code error;
    if (!host || !fs::is_regular_file(*host, error)) return std::nullopt;
    if (files::detail::IsLockedHost(*host)) return std::nullopt;
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
    if (files::detail::IsReadOnly(*host) || files::detail::IsLockedHost(*host)) return std::nullopt;
    return host;
}

}  // namespace platform::profile
