// Inside the platform library on Windows: a Windows path checked and normalised as
// everywhere in the system (windows_path.h: the same names are refused, ".." above a
// drive's root is "path not found"), then handed to the system in its own form.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files/windows_path.h"

namespace platform::files::win {

struct NativePath {
    detail::WindowsPath windows;  // taken apart
    std::wstring native;          // the drive, then each component, for the system's functions

    // The folder that holds it: the drive's root for a name right below it.
    std::wstring Parent() const;
};

// 0, or the failure number (75, 76). A path without a drive is relative to the
// process's current folder, as Windows has it.
int32_t Resolve(std::string_view path, NativePath& out);
NativePath ResolveOrRaise(std::string_view path);

// The file's attributes; INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD AttributesOf(const std::wstring& native);
bool IsFolder(const std::wstring& native);
bool IsFile(const std::wstring& native);
bool IsReadOnly(const std::wstring& native);

// Whether two names reach one existing file (another spelling, a share and the drive
// behind it): the volume and the file's index are the same.
bool SameFile(const std::wstring& a, const std::wstring& b);

// The file layer's number for a system error: 53, 58, 70, 75 or 76.
int32_t NumberOf(DWORD error);
[[noreturn]] void RaiseSystemError(DWORD error);

}  // namespace platform::files::win
