#include <system_error>

#include "platform/errors/errors.h"
#include "platform/files/files.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"

namespace platform::files {

namespace fs = std::filesystem;

void WriteFileAtomically(std::string_view windowsPath, std::string_view bytes) {
    auto resolved = detail::ResolveOrRaise(windowsPath);
    const fs::path& host = resolved.host;
    std::error_code ec;
    if (resolved.windows.components.empty() || fs::is_directory(host, ec)) RaiseStandard(err::PermissionDenied);
    if (resolved.windows.trailingSeparator || !fs::is_directory(host.parent_path(), ec))
        RaiseStandard(err::PathNotFound);
    if (fs::exists(host, ec) && (!fs::is_regular_file(host, ec) || detail::IsReadOnly(host)))
        RaiseStandard(err::PermissionDenied);
    if (detail::IsLockedHost(host)) RaiseStandard(err::PermissionDenied);
    detail::WriteHostFileAtomically(host, bytes);
}

}  // namespace platform::files
