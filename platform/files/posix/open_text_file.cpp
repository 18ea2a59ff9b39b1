// HostFileSystem::OpenTextFile.
#include <cerrno>
#include <system_error>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/text_stream_impl.h"

namespace platform::files {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kInvalidArgument = 5;

// The host file opened for writing or appending; 70 when the system refuses.
std::FILE* OpenForWriting(const fs::path& host, bool append) {
    std::FILE* file = std::fopen(host.c_str(), append ? "ab" : "wb");
    if (!file) RaiseStandard(errno == EACCES || errno == EROFS ? err::PermissionDenied : err::PathFileAccess);
    return file;
}

}  // namespace

// The format (ASCII, Unicode, default) is accepted and ignored: text passes through
// as bytes, UTF-8 being this system's one encoding.
std::shared_ptr<TextStream> HostFileSystem::OpenTextFile(std::string_view path, int32_t mode, bool create,
                                                         int32_t /*format*/) {
    if (mode != ForReading && mode != ForWriting && mode != ForAppending)
        Raise(kInvalidArgument, "Invalid procedure call or argument");
    auto resolved = detail::ResolveOrRaise(path);
    const fs::path& host = resolved.host;
    std::error_code ec;
    if (resolved.windows.components.empty() || fs::is_directory(host, ec)) RaiseStandard(err::PermissionDenied);
    if (resolved.windows.trailingSeparator) RaiseStandard(err::PathNotFound);

    bool exists = fs::exists(host, ec);
    if (!exists) {
        if (!fs::is_directory(host.parent_path(), ec)) RaiseStandard(err::PathNotFound);
        if (!create) RaiseStandard(err::FileNotFound);
    }
    if (detail::IsLockedHost(host)) RaiseStandard(err::PermissionDenied);
    if (exists && mode != ForReading && detail::IsReadOnly(host)) RaiseStandard(err::PermissionDenied);

    if (mode == ForReading) {
        if (!exists) std::fclose(OpenForWriting(host, true));  // made empty, then read
        auto content = detail::ReadHostFile(host);
        if (!content) RaiseStandard(err::PermissionDenied);
        return std::make_shared<FileTextStream>(std::move(*content));
    }
    return std::make_shared<FileTextStream>(OpenForWriting(host, mode == ForAppending));
}

}  // namespace platform::files
