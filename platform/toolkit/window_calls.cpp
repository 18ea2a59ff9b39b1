#include "platform/toolkit/window_calls.h"

#include "platform/toolkit/backend.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/twips.h"

namespace platform::toolkit {

namespace {
int16_t& CurrentPointer() {
    static int16_t pointer = vbDefault;
    return pointer;
}
}  // namespace

int32_t SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t flags) {
    WindowManager& windows = WindowManager::Get();
    if (Form* form = windows.FindForm(hwnd)) {
        int32_t left = form->Left(), top = form->Top(), width = form->Width(), height = form->Height();
        if (!(flags & swp::NoMove)) {
            left = PixelsToTwips(x);
            top = PixelsToTwips(y);
        }
        if (!(flags & swp::NoSize)) {
            width = PixelsToTwips(cx);
            height = PixelsToTwips(cy);
        }
        form->Move(left, top, width, height);
        if (flags & swp::NoZOrder) return 1;
        if (insertAfter == hwnd::TopMost)
            windows.SetTopMost(*form, true);
        else if (insertAfter == hwnd::NoTopMost)
            windows.SetTopMost(*form, false);
        else if (insertAfter == hwnd::Bottom)
            windows.SendToBottom(*form);
        else if (insertAfter == hwnd::Top)
            windows.BringToFront(*form);
        return 1;
    }
    if (Control* control = windows.FindControl(hwnd)) {
        int32_t left = control->Left(), top = control->Top(), width = control->Width(), height = control->Height();
        if (!(flags & swp::NoMove)) {
            left = PixelsToTwips(x);
            top = PixelsToTwips(y);
        }
        if (!(flags & swp::NoSize)) {
            width = PixelsToTwips(cx);
            height = PixelsToTwips(cy);
        }
        control->Move(left, top, width, height);
        return 1;
    }
    return 0;
}

int32_t SendMessageA(Hwnd hwnd, int32_t message, int32_t wParam, int32_t /*lParam*/) {
    Control* control = WindowManager::Get().FindControl(hwnd);
    if (!control || control->Kind() != ControlKind::ComboBox) return 0;
    auto& box = static_cast<ComboBox&>(*control);
    if (message == cb::ShowDropDown) {
        box.ShowDropDown(wParam != 0);
        return 1;
    }
    if (message == cb::GetDroppedState) return box.DroppedDown() ? 1 : 0;
    return 0;
}

void SendKeys(std::string_view keys, bool /*wait*/) {
    if (auto backend = Installed()) backend->SendingKeys(keys);
    if (Form* form = WindowManager::Get().ActiveForm()) input::Keys(*form, keys);
}

int16_t Screen::MousePointer() { return CurrentPointer(); }

void Screen::SetMousePointer(int16_t pointer) {
    CurrentPointer() = pointer;
    if (auto backend = Installed()) backend->MousePointerChanged(pointer);
}

}  // namespace platform::toolkit
