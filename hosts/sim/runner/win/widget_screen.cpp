// The scenario's forms in the system's own windows (`quillet-sim --toolkit win32`):
// the Win32 backend with the scenario's person standing in at the screen, and hands
// that act through the messages a keyboard and a mouse send the controls.
#include "hosts/sim/runner/widget_screen.h"

#include <windows.h>

#include <stdexcept>

#include "hosts/sim/runner/person_at_screen.h"
#include "platform/text/win/wide.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/text_box.h"
#include "platform/toolkit/win/win32_toolkit.h"

namespace sim::runner {

namespace {

namespace tk = platform::toolkit;

// The toolkit, with the person standing in at its screen; kept together.
class ScreenToolkit final : public tk::Backend {
public:
    explicit ScreenToolkit(Person& person) : person_(person), windows_(&person_) {}
    tk::Win32Toolkit& Windows() { return windows_; }

    int32_t MsgBox(const DialogRequest& request) override { return windows_.MsgBox(request); }
    std::optional<std::string> InputBox(const DialogRequest& request) override { return windows_.InputBox(request); }
    std::optional<std::string> BrowseForFolder(const DialogRequest& request) override {
        return windows_.BrowseForFolder(request);
    }
    void Shown(Form& form) override { windows_.Shown(form); }
    void Activated(Form& form) override { windows_.Activated(form); }
    void RunModal(Form& form) override { windows_.RunModal(form); }
    void Hidden(Form& form) override { windows_.Hidden(form); }
    void Unloaded(Form& form) override { windows_.Unloaded(form); }
    void ZOrderChanged(Form& form) override { windows_.ZOrderChanged(form); }
    void SendingKeys(std::string_view keys) override { windows_.SendingKeys(keys); }
    void MousePointerChanged(int16_t pointer) override { windows_.MousePointerChanged(pointer); }

private:
    PersonAtScreen person_;
    tk::Win32Toolkit windows_;
};

class WindowHands final : public Hands {
public:
    explicit WindowHands(std::shared_ptr<ScreenToolkit> toolkit) : toolkit_(std::move(toolkit)) {}

    void Focus(Control& control) override {
        auto keep = control.Parent().KeepAlive();
        HWND target = KeyTarget(control);
        // When the system had the focus there already, or refused to move it (a window
        // it has not made active), the control is told as the system would tell it.
        // When the system moved it, the model heard of it then (and may have sent the
        // focus elsewhere since, which stands).
        const HWND before = GetFocus();
        SetLastError(0);
        const bool refused = SetFocus(target) == nullptr && GetLastError() != 0;
        if ((before == target || refused) && !control.HasFocus() && IsWindow(target))
            SendMessageW(target, WM_SETFOCUS, 0, 0);
    }

    void Type(tk::TextControl& box, std::string_view text) override {
        auto keep = box.Parent().KeepAlive();
        Focus(box);
        for (wchar_t unit : platform::text::win::Wide(text)) {
            if (!box.Parent().Loaded()) return;
            SendMessageW(Receiver(box.Parent(), box), WM_CHAR, unit, 0);
        }
    }

    void Key(Control& control, int16_t key) override {
        auto keep = control.Parent().KeepAlive();
        Focus(control);
        SendMessageW(Receiver(control.Parent(), control), WM_CHAR, WPARAM(key), 0);
    }

    // Everything selected and the new text put in its place, as a paste does.
    void Replace(tk::TextControl& box, const std::string& text) override {
        auto keep = box.Parent().KeepAlive();
        Focus(box);
        if (box.Locked()) return;
        HWND target = KeyTarget(box);
        SendMessageW(target, EM_SETSEL, 0, -1);
        SendMessageW(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(platform::text::win::Wide(text).c_str()));
    }

    void Pick(tk::ComboBox& box, int32_t position) override {
        auto keep = box.Parent().KeepAlive();
        HWND combo = Window(box);
        if (SendMessageW(combo, CB_SETCURSEL, WPARAM(position), 0) == CB_ERR)
            throw std::runtime_error(box.DisplayName() + "'s window lists " +
                                     std::to_string(SendMessageW(combo, CB_GETCOUNT, 0, 0)) + " entries, not entry " +
                                     std::to_string(position));
        HWND form = toolkit_->Windows().WindowOf(box.Parent());
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
        if (box.ListIndex() != position)
            throw std::runtime_error(box.DisplayName() + " did not take entry " + std::to_string(position) +
                                     (GetParent(combo) == form ? "" : " (its window is not the form's child)") +
                                     (IsWindowVisible(form) ? "" : " (the form's window is hidden)"));
    }

    // The mouse pressed and released on the control: a button's own click, which the
    // system turns into its notification; on a label, the press it notifies.
    void Click(Control& control) override {
        auto keep = control.Parent().KeepAlive();
        HWND hwnd = Window(control);
        const bool button = control.Kind() == tk::ControlKind::CommandButton ||
                            control.Kind() == tk::ControlKind::CheckBox ||
                            control.Kind() == tk::ControlKind::OptionButton;
        if (button) {
            SendMessageW(hwnd, BM_CLICK, 0, 0);
            return;
        }
        RECT area{};
        GetClientRect(hwnd, &area);
        const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        if (IsWindow(hwnd)) SendMessageW(hwnd, WM_LBUTTONUP, 0, middle);
    }

    // A button's click from the keyboard. The backend takes every key on a button as
    // the model's own key, so no message of the system means this alone: it goes to
    // the toolkit's input, as the backend would pass it on.
    void KeyboardClick(Control& button) override {
        auto keep = button.Parent().KeepAlive();
        tk::input::KeyboardClick(button);
    }

    void CloseBox(Form& form) override {
        auto keep = form.KeepAlive();
        if (HWND hwnd = toolkit_->Windows().WindowOf(form)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

private:
    HWND Window(const Control& control) const {
        HWND hwnd = toolkit_->Windows().WindowOf(control);
        if (!hwnd) throw std::runtime_error(control.DisplayName() + " has no window");
        return hwnd;
    }
    // Where keys go in a control: a drop-down combo box's edit field, else the control.
    HWND KeyTarget(const Control& control) const {
        HWND hwnd = Window(control);
        if (control.Kind() == tk::ControlKind::ComboBox) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(hwnd, &info) && info.hwndItem) return info.hwndItem;
        }
        return hwnd;
    }
    // The control that has the form's focus now (a key may have moved it).
    HWND Receiver(const Form& form, const Control& fallback) const {
        const Control* focused = form.ActiveControl();
        return KeyTarget(focused ? *focused : fallback);
    }

    std::shared_ptr<ScreenToolkit> toolkit_;
};

}  // namespace

WidgetScreen MakeWidgetScreen(Person& person, std::optional<std::filesystem::path> screenshots) {
    if (screenshots) throw std::runtime_error("screenshots are taken of Qt's windows only");
    auto toolkit = std::make_shared<ScreenToolkit>(person);
    WidgetScreen screen;
    screen.hands = std::make_unique<WindowHands>(toolkit);
    screen.toolkit = std::move(toolkit);
    return screen;
}

}  // namespace sim::runner
