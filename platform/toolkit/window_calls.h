// The few system calls the program makes on its windows: SetWindowPos, SendMessageA,
// the SendKeys statement and the screen's mouse pointer.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

inline constexpr Hwnd HWND_TOP = 0;
inline constexpr Hwnd HWND_BOTTOM = 1;
inline constexpr Hwnd HWND_TOPMOST = -1;
inline constexpr Hwnd HWND_NOTOPMOST = -2;
inline constexpr int32_t SWP_NOSIZE = 0x1;
inline constexpr int32_t SWP_NOMOVE = 0x2;
inline constexpr int32_t SWP_NOZORDER = 0x4;

inline constexpr int32_t CB_SHOWDROPDOWN = 0x14F;
inline constexpr int32_t CB_GETDROPPEDSTATE = 0x157;

// Puts a form's window above all others (HWND_TOPMOST) or ends that
// (HWND_NOTOPMOST); HWND_TOP and HWND_BOTTOM change its z-order. Unless the flags
// say SWP_NOMOVE / SWP_NOSIZE, x and y (pixels) move it and cx and cy size it;
// SWP_NOZORDER ignores insertAfter. Nonzero when the window exists.
int32_t SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t flags);

// CB_SHOWDROPDOWN opens (wParam nonzero) or closes (0) a combo box's list and
// gives 1; CB_GETDROPPEDSTATE gives 1 when the list is open. Other messages and
// windows that are not combo boxes give 0.
int32_t SendMessageA(Hwnd hwnd, int32_t message, int32_t wParam, int32_t lParam);

// Sends keystrokes to the active window, as if typed: "{TAB}", "{ENTER}" or "~",
// "{ESC}", "{BS}" and plain characters. With wait, the call returns once they are
// processed: after SendKeys "{TAB}", true the focus has moved on.
void SendKeys(std::string_view keys, bool wait = false);

// The mouse pointer over every window of the program, until set back.
enum : int16_t { vbDefault = 0, vbArrow = 1, vbHourglass = 11 };
struct Screen {
    static int16_t MousePointer();
    static void SetMousePointer(int16_t pointer);
};

}  // namespace platform::toolkit
