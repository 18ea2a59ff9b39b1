// What the Windows toolkit's pieces share: the backend the window procedures reach,
// the window properties that lead from a window to its form or control, the module
// the window classes belong to, and a window's resolution.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace platform::toolkit {
class Win32Toolkit;
}

namespace platform::toolkit::win32 {

inline constexpr wchar_t kFormProperty[] = L"Quillet.Form";
inline constexpr wchar_t kControlProperty[] = L"Quillet.Control";
inline constexpr wchar_t kProcedureProperty[] = L"Quillet.Procedure";

// The backend that draws now, or null.
Win32Toolkit* Current();
void SetCurrent(Win32Toolkit* toolkit);

// The module (DLL or program) this code is in.
HINSTANCE ThisModule();

// The window's resolution in dots per inch (the system's when it cannot say).
int32_t WindowDpi(HWND hwnd);

// The icon of a picture an icon button names, at a resolution; null when there is none
// (the caller destroys it).
HICON LoadPictureIcon(std::string_view picture, int32_t dpi);

}  // namespace platform::toolkit::win32
