// The file-system object: existence tests, drive names, folders and deleting files.
// Copying is in copy_file.cpp, text files in open_text_file.cpp.
#include <cerrno>
#include <system_error>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/files.h"
#include "platform/files/posix/host_calls.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"
#include "platform/files/windows_path.h"

namespace platform::files {

namespace fs = std::filesystem;

std::shared_ptr<FileSystemObject> NewFileSystemObject() { return std::make_shared<HostFileSystem>(); }

bool HostFileSystem::DriveExists(std::string_view drive) {
    auto normal = detail::NormalDriveName(drive);
    return normal && detail::FindDrive(*normal).has_value();
}

bool HostFileSystem::FolderExists(std::string_view path) {
    detail::ResolvedPath resolved;
    std::error_code ec;
    return detail::ResolveWindowsPath(path, resolved) == 0 && fs::is_directory(resolved.host, ec);
}

bool HostFileSystem::FileExists(std::string_view path) {
    detail::ResolvedPath resolved;
    std::error_code ec;
    return detail::ResolveWindowsPath(path, resolved) == 0 && !resolved.windows.trailingSeparator &&
           fs::is_regular_file(resolved.host, ec);
}

std::string HostFileSystem::GetDriveName(std::string_view path) { return detail::DrivePart(path); }

void HostFileSystem::CreateFolder(std::string_view path) {
    auto resolved = detail::ResolveOrRaise(path);
    std::error_code ec;
    if (resolved.windows.components.empty() || fs::exists(resolved.host, ec))
        RaiseStandard(err::FileAlreadyExists);
    if (!fs::is_directory(resolved.host.parent_path(), ec)) RaiseStandard(err::PathNotFound);
    if (int failure = detail::MakeFolder(resolved.host)) {
        if (failure == EEXIST) RaiseStandard(err::FileAlreadyExists);
        RaiseStandard(detail::WindowsNumber(failure) == err::PermissionDenied ? err::PermissionDenied
                                                                              : err::PathFileAccess);
    }
}

void HostFileSystem::DeleteFile(std::string_view path, bool force) {
    auto resolved = detail::ResolveOrRaise(path);
    std::error_code ec;
    if (resolved.windows.trailingSeparator || !fs::is_regular_file(resolved.host, ec)) {
        bool folderThere = fs::is_directory(resolved.host.parent_path(), ec);
        RaiseStandard(folderThere ? err::FileNotFound : err::PathNotFound);
    }
    if (detail::IsLockedHost(resolved.host)) RaiseStandard(err::PermissionDenied);
    if (!force && detail::IsReadOnly(resolved.host)) RaiseStandard(err::PermissionDenied);
    if (int failure = detail::RemoveFile(resolved.host)) RaiseStandard(detail::WindowsNumber(failure));
}

}  // namespace platform::files
