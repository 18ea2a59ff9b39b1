#include "platform/toolkit/backend_pictures.h"
#include "platform/toolkit/win/win32_windows.h"

namespace platform::toolkit {

std::filesystem::path ResourceFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(win32::ThisModule(), path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return "resources";
    return std::filesystem::path(std::wstring(path, length)).parent_path() / "resources";
}

}  // namespace platform::toolkit
