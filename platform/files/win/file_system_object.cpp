// The file-system object: existence tests, drive names, folders and deleting files.
// Copying is in copy_file.cpp, text files in open_text_file.cpp.
#include <windows.h>

#include "platform/errors/errors.h"
#include "platform/files/win/file_system.h"
#include "platform/files/win/native_path.h"
#include "platform/files/windows_path.h"
#include "platform/text/win/wide.h"

namespace platform::files {

std::shared_ptr<FileSystemObject> NewFileSystemObject() { return std::make_shared<WindowsFileSystem>(); }

bool WindowsFileSystem::DriveExists(std::string_view drive) {
    auto normal = detail::NormalDriveName(drive);
    if (!normal) return false;
    const UINT type = GetDriveTypeW(text::win::Wide(*normal + "\\").c_str());
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

bool WindowsFileSystem::FolderExists(std::string_view path) {
    win::NativePath resolved;
    return win::Resolve(path, resolved) == 0 && win::IsFolder(resolved.native);
}

bool WindowsFileSystem::FileExists(std::string_view path) {
    win::NativePath resolved;
    return win::Resolve(path, resolved) == 0 && !resolved.windows.trailingSeparator && win::IsFile(resolved.native);
}

std::string WindowsFileSystem::GetDriveName(std::string_view path) { return detail::DrivePart(path); }

void WindowsFileSystem::CreateFolder(std::string_view path) {
    auto resolved = win::ResolveOrRaise(path);
    if (resolved.windows.components.empty() || win::AttributesOf(resolved.native) != INVALID_FILE_ATTRIBUTES)
        RaiseStandard(err::FileAlreadyExists);
    if (!win::IsFolder(resolved.Parent())) RaiseStandard(err::PathNotFound);
    if (!CreateDirectoryW(resolved.native.c_str(), nullptr)) win::RaiseSystemError(GetLastError());
}

void WindowsFileSystem::DeleteFile(std::string_view path, bool force) {
    auto resolved = win::ResolveOrRaise(path);
    if (resolved.windows.trailingSeparator || !win::IsFile(resolved.native))
        RaiseStandard(win::IsFolder(resolved.Parent()) ? err::FileNotFound : err::PathNotFound);
    const DWORD attributes = win::AttributesOf(resolved.native);
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly && !force) RaiseStandard(err::PermissionDenied);
    if (readOnly) SetFileAttributesW(resolved.native.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    if (!DeleteFileW(resolved.native.c_str())) {
        const DWORD error = GetLastError();
        if (readOnly) SetFileAttributesW(resolved.native.c_str(), attributes);
        win::RaiseSystemError(error);
    }
}

}  // namespace platform::files
