// HostFileSystem::CopyFile: the copy is written aside, beside the target, and then
// renamed over it (host_io.h), so a failed copy never leaves half a file and a reader
// of the old target sees it whole until it is replaced.
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/files.h"
#include "platform/files/posix/host_calls.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"

namespace platform::files {

namespace fs = std::filesystem;

namespace {

// The target of a copy: the destination itself, or the source's name inside the
// destination when that is written with a separator at the end (a folder).
detail::ResolvedPath CopyTarget(std::string_view destination, const detail::ResolvedPath& source) {
    auto target = detail::ResolveOrRaise(destination);
    std::error_code ec;
    if (!target.windows.trailingSeparator) {
        if (fs::is_directory(target.host, ec)) RaiseStandard(err::PermissionDenied);
        return target;
    }
    if (!fs::is_directory(target.host, ec)) RaiseStandard(err::PathNotFound);
    return detail::ResolveOrRaise(std::string(destination) + source.host.filename().string());
}

// Copies the bytes through the one writer. The copy takes the source's mode, as
// Windows' copy takes the source's attributes: a read-only file copies read-only.
void CopyHostFile(const fs::path& from, const fs::path& to) {
    int source = -1;
    int failure = detail::OpenForReading(from, source);
    if (failure) RaiseStandard(detail::WindowsNumber(failure));
    struct stat status {};
    if (::fstat(source, &status) != 0) failure = errno;
    detail::AsideFile copy(to);
    std::string buffer(64 * 1024, '\0');
    while (!failure) {
        std::size_t got = 0;
        failure = detail::ReadSome(source, buffer.data(), buffer.size(), got);
        if (failure || got == 0) break;
        copy.Write({buffer.data(), got});
    }
    detail::CloseFile(source);
    if (!failure) failure = copy.Commit(status.st_mode);
    if (failure) RaiseStandard(detail::WindowsNumber(failure));
}

}  // namespace

void HostFileSystem::CopyFile(std::string_view source, std::string_view destination, bool overwrite) {
    auto from = detail::ResolveOrRaise(source);
    std::error_code ec;
    if (from.windows.trailingSeparator || !fs::is_regular_file(from.host, ec)) {
        bool folderThere = fs::is_directory(from.host.parent_path(), ec);
        RaiseStandard(folderThere ? err::FileNotFound : err::PathNotFound);
    }
    auto to = CopyTarget(destination, from);
    if (!fs::is_directory(to.host.parent_path(), ec)) RaiseStandard(err::PathNotFound);
    bool targetThere = fs::exists(to.host, ec);
    if (targetThere) {
        if (!overwrite) RaiseStandard(err::FileAlreadyExists);
        if (!fs::is_regular_file(to.host, ec) || detail::IsReadOnly(to.host)) RaiseStandard(err::PermissionDenied);
        if (fs::equivalent(from.host, to.host, ec)) RaiseStandard(err::PermissionDenied);
    }
    if (detail::IsLockedHost(from.host) || detail::IsLockedHost(to.host)) RaiseStandard(err::PermissionDenied);

    CopyHostFile(from.host, to.host);
}

}  // namespace platform::files
