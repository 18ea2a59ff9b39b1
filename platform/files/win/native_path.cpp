#include "platform/files/win/native_path.h"

#include <vector>

#include "platform/errors/errors.h"
#include "platform/text/win/wide.h"

namespace platform::files::win {

namespace {

std::wstring Join(const std::string& drive, const std::vector<std::string>& components, size_t count) {
    std::string path = drive + "\\";
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) path += '\\';
        path += components[i];
    }
    return text::win::Wide(path);
}

// The full form of a path without a drive, from the current folder.
std::string FullPath(std::string_view path) {
    const std::wstring relative = text::win::Wide(path);
    const DWORD size = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::string(path);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(relative.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return text::win::Narrow(full);
}

}  // namespace

std::wstring NativePath::Parent() const {
    const size_t count = windows.components.empty() ? 0 : windows.components.size() - 1;
    return Join(windows.drive, windows.components, count);
}

int32_t Resolve(std::string_view path, NativePath& out) {
    const std::string full = detail::DrivePart(path).empty() ? FullPath(path) : std::string(path);
    if (int32_t failure = detail::ParseWindowsPath(full, out.windows)) return failure;
    out.native = Join(out.windows.drive, out.windows.components, out.windows.components.size());
    return 0;
}

NativePath ResolveOrRaise(std::string_view path) {
    NativePath resolved;
    if (int32_t failure = Resolve(path, resolved)) RaiseStandard(failure);
    return resolved;
}

DWORD AttributesOf(const std::wstring& native) { return GetFileAttributesW(native.c_str()); }

bool IsFolder(const std::wstring& native) {
    const DWORD attributes = AttributesOf(native);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& native) {
    const DWORD attributes = AttributesOf(native);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnly(const std::wstring& native) {
    const DWORD attributes = AttributesOf(native);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

namespace {

bool IdentityOf(const std::wstring& native, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known;
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return IdentityOf(a, first) && IdentityOf(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

int32_t NumberOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return err::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NOT_READY: return err::PathNotFound;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return err::FileAlreadyExists;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_USER_MAPPED_FILE: return err::PermissionDenied;
        default: return err::PathFileAccess;  // a bad name among them
    }
}

void RaiseSystemError(DWORD error) { RaiseStandard(NumberOf(error)); }

}  // namespace platform::files::win
