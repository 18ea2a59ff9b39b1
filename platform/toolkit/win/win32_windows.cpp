#include "platform/toolkit/win/win32_windows.h"

#include <memory>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/win/win32_toolkit.h"

namespace platform::toolkit {

namespace {
Win32Toolkit* current = nullptr;
}  // namespace

namespace win32 {

Win32Toolkit* Current() { return current; }
void SetCurrent(Win32Toolkit* toolkit) { current = toolkit; }

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

int32_t WindowDpi(HWND hwnd) {
    // Windows 10 knows each window's own; older systems have one for the desktop.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow && hwnd)
        if (const UINT dpi = dpiForWindow(hwnd)) return int32_t(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace win32

// On Windows the toolkit draws with the system's own controls unless a host installs
// another backend.
std::shared_ptr<Backend> SystemBackend() { return std::make_shared<Win32Toolkit>(); }

}  // namespace platform::toolkit
