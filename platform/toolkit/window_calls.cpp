#include "platform/toolkit/window_calls.h"

#include "platform/toolkit/backend.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/window_handles.h"

namespace platform::toolkit {

namespace {
constexpr int32_t kTwipsPerPixel = 15;

int16_t& CurrentPointer() {
    static int16_t pointer = vbDefault;
    return pointer;
}
}  // namespace

int32_t SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t flags) {
    if (Form* form = detail::FindForm(hwnd)) {
        if (!(flags & swp::NoMove)) {
            form->SetLeft(x * kTwipsPerPixel);
            form->SetTop(y * kTwipsPerPixel);
        }
        if (!(flags & swp::NoSize)) {
            form->SetWidth(cx * kTwipsPerPixel);
            form->SetHeight(cy * kTwipsPerPixel);
        }
        if (!(flags & swp::NoZOrder) && insertAfter == hwnd::TopMost)
            form->SetTopMost(true);
        else if (!(flags & swp::NoZOrder) && (insertAfter == hwnd::NoTopMost || insertAfter == hwnd::Bottom))
            form->SetTopMost(false);
        else if (auto backend = Installed())
            backend->WindowPosChanged(*form);
        return 1;
    }
    if (Control* control = detail::FindControl(hwnd)) {
        if (!(flags & swp::NoMove)) {
            control->SetLeft(x * kTwipsPerPixel);
            control->SetTop(y * kTwipsPerPixel);
        }
        if (!(flags & swp::NoSize)) {
            control->SetWidth(cx * kTwipsPerPixel);
            control->SetHeight(cy * kTwipsPerPixel);
        }
        return 1;
    }
    return 0;
}

int32_t SendMessageA(Hwnd hwnd, int32_t message, int32_t wParam, int32_t /*lParam*/) {
    Control* control = detail::FindControl(hwnd);
    if (!control || control->Kind() != ControlKind::ComboBox) return 0;
    auto& box = static_cast<ComboBox&>(*control);
    if (message == cb::ShowDropDown) {
        box.ShowDropDown(wParam != 0);
        return 1;
    }
    if (message == cb::GetDroppedState) return box.DroppedDown() ? 1 : 0;
    return 0;
}

void SendKeys(std::string_view keys, bool wait) {
    if (auto backend = Installed()) backend->SendKeys(keys, wait);
}

int16_t Screen::MousePointer() { return CurrentPointer(); }

void Screen::SetMousePointer(int16_t pointer) {
    CurrentPointer() = pointer;
    if (auto backend = Installed()) backend->MousePointerChanged(pointer);
}

}  // namespace platform::toolkit
