// The few system calls the program makes on its windows: SetWindowPos, SendMessageA,
// the SendKeys statement and the screen's mouse pointer.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

// SetWindowPos's insert-after values and flags, and the combo box messages, with
// Windows' numbers (scoped, so that they never meet the macros of Windows' headers).
namespace hwnd {
inline constexpr Hwnd Top = 0;
inline constexpr Hwnd Bottom = 1;
inline constexpr Hwnd TopMost = -1;
inline constexpr Hwnd NoTopMost = -2;
}  // namespace hwnd
namespace swp {
inline constexpr int32_t NoSize = 0x1;
inline constexpr int32_t NoMove = 0x2;
inline constexpr int32_t NoZOrder = 0x4;
}  // namespace swp
namespace cb {
inline constexpr int32_t ShowDropDown = 0x14F;
inline constexpr int32_t GetDroppedState = 0x157;
}  // namespace cb

// Puts a form's window above all others (hwnd::TopMost) or ends that
// (hwnd::NoTopMost); hwnd::Top and hwnd::Bottom change its z-order. Unless the flags
// say swp::NoMove / swp::NoSize, x and y (pixels) move it and cx and cy size it;
// swp::NoZOrder ignores insertAfter. Nonzero when the window exists.
int32_t SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t flags);

// cb::ShowDropDown opens (wParam nonzero) or closes (0) a combo box's list and
// gives 1; cb::GetDroppedState gives 1 when the list is open. Other messages and
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
