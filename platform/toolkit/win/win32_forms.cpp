// The Windows toolkit's forms: their top-level windows, the window manager's calls,
// the modal loop, and the person's actions on a form's window.
#include <algorithm>

#include "platform/text/win/wide.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/win/win32_toolkit.h"
#include "platform/toolkit/win/win32_windows.h"

namespace platform::toolkit {

using text::win::Wide;

namespace {

constexpr wchar_t kFormClass[] = L"QuilletForm";
// Without WS_CLIPCHILDREN: a group box is transparent, the form paints what lies inside it.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK FormProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetPropW(hwnd, win32::kFormProperty, create->lpCreateParams);
    }
    auto* form = static_cast<Form*>(GetPropW(hwnd, win32::kFormProperty));
    if (Win32Toolkit* toolkit = win32::Current(); toolkit && form)
        return toolkit->FormMessage(*form, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) RemovePropW(hwnd, win32::kFormProperty);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = FormProcedure;
        windowClass.hInstance = win32::ThisModule();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

}  // namespace

// The toolkit made last draws the windows; when it goes, the one before it draws again
// (the system's own backend is made when the window manager starts, which may be just
// after a host made its own, just before installing it).
Win32Toolkit::Win32Toolkit(StandIn* standIn) : standIn_(standIn), previous_(win32::Current()) {
    win32::SetCurrent(this);
}

Win32Toolkit::~Win32Toolkit() {
    for (auto& [form, window] : forms_)
        if (window.hwnd) DestroyWindow(window.hwnd);
    forms_.clear();
    for (auto& [color, brush] : brushes_) DeleteObject(brush);
    if (font_) DeleteObject(font_);
    if (win32::Current() == this) win32::SetCurrent(previous_);
}

Win32Toolkit::FormWindow* Win32Toolkit::Find(const Form& form) {
    auto it = forms_.find(&form);
    return it == forms_.end() ? nullptr : &it->second;
}
const Win32Toolkit::FormWindow* Win32Toolkit::Find(const Form& form) const {
    auto it = forms_.find(&form);
    return it == forms_.end() ? nullptr : &it->second;
}

HWND Win32Toolkit::WindowOf(const Form& form) const {
    const FormWindow* window = Find(form);
    return window ? window->hwnd : nullptr;
}

HWND Win32Toolkit::WindowOf(const Control& control) const {
    const FormWindow* window = Find(control.Parent());
    if (!window) return nullptr;
    auto it = window->controls.find(const_cast<Control*>(&control));
    return it == window->controls.end() ? nullptr : it->second;
}

int32_t Win32Toolkit::DpiOf(const Form& form) const { return win32::WindowDpi(WindowOf(form)); }

// The window a new form belongs to: the form below it on the modal stack, else the
// window that was active (another form, or the host's own window).
HWND Win32Toolkit::OwnerFor(const Form& form) const {
    const auto& modal = WindowManager::Get().ModalForms();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it)
        if (*it != &form)
            if (HWND hwnd = WindowOf(**it)) return hwnd;
    HWND active = GetActiveWindow();
    return active && active != WindowOf(form) ? active : nullptr;
}

HWND Win32Toolkit::CreateFormWindow(Form& form) {
    RegisterFormClass();
    // A modal form is owned; a modeless one stands on its own, as the host's windows do.
    HWND owner = form.Modal() ? OwnerFor(form) : nullptr;
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, Wide(form.Caption()).c_str(), kFormStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr, win32::ThisModule(), &form);
    if (!hwnd) return nullptr;
    FormWindow& window = forms_[&form];
    window.hwnd = hwnd;
    PlaceForm(form, hwnd);
    CreateControls(form, window);
    return hwnd;
}

// The form's client area is the model's ScaleWidth by ScaleHeight, in pixels at the
// window's resolution; its outer rectangle starts at Left and Top.
void Win32Toolkit::PlaceForm(Form& form, HWND hwnd) {
    const int32_t dpi = win32::WindowDpi(hwnd);
    RECT outer{0, 0, TwipsToPixels(form.ScaleWidth(), dpi), TwipsToPixels(form.ScaleHeight(), dpi)};
    AdjustWindowRectEx(&outer, kFormStyle, FALSE, WS_EX_CONTROLPARENT);
    SetWindowPos(hwnd, nullptr, TwipsToPixels(form.Left(), dpi), TwipsToPixels(form.Top(), dpi),
                 outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Toolkit::Shown(Form& form) {
    FormWindow* window = Find(form);
    HWND hwnd = window ? window->hwnd : CreateFormWindow(form);
    if (!hwnd) return;
    // A form hidden and now shown modally belongs to the window below it from now on.
    if (window && form.Modal()) SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(OwnerFor(form)));
    WindowManager::Get().Attach(form, this);
    if (form.TopMost()) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOWNA);
}

void Win32Toolkit::Activated(Form& form) {
    HWND hwnd = WindowOf(form);
    if (!hwnd) return;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(hwnd);
    if (Control* focused = form.ActiveControl())
        if (HWND control = WindowOf(*focused)) SetFocus(control);
}

void Win32Toolkit::RunModal(Form& form) {
    FormWindow* window = Find(form);
    if (!window) return Backend::RunModal(form);
    HWND owner = GetWindow(window->hwnd, GW_OWNER);
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        window->disabledOwner = owner;
    }
    MSG message;
    // The stand-in works in the form instead of a person; a form it leaves loaded is
    // unloaded by the window manager. Otherwise each pass asks again whether the form
    // is still loaded: its window may be gone.
    if (standIn_) standIn_->RunModal(form);
    while (!standIn_ && form.Loaded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // Someone is ending the thread's loop: the outer loop must see it too.
            if (got == 0) PostQuitMessage(int(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (FormWindow* still = Find(form); still && still->disabledOwner) {
        EnableWindow(still->disabledOwner, TRUE);
        still->disabledOwner = nullptr;
    }
}

void Win32Toolkit::Hidden(Form& form) {
    if (HWND hwnd = WindowOf(form)) ShowWindow(hwnd, SW_HIDE);
}

void Win32Toolkit::Unloaded(Form& form) {
    WindowManager::Get().Attach(form, nullptr);
    auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    FormWindow window = it->second;
    forms_.erase(it);
    // The owner is enabled again before the window goes, so that it becomes active.
    if (window.disabledOwner) EnableWindow(window.disabledOwner, TRUE);
    if (window.tips) DestroyWindow(window.tips);
    if (window.hwnd) {
        RemovePropW(window.hwnd, win32::kFormProperty);
        DestroyWindow(window.hwnd);
    }
}

void Win32Toolkit::ZOrderChanged(Form&) {
    // Back to front, each window placed on top of the ones before it in its band.
    for (Form* form : WindowManager::Get().ZOrder()) {
        HWND hwnd = WindowOf(*form);
        if (!hwnd) continue;
        SetWindowPos(hwnd, form->TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!form->TopMost())
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32Toolkit::MousePointerChanged(int16_t pointer) {
    constexpr int16_t kHourglass = 11;
    SetCursor(LoadCursorW(nullptr, pointer == kHourglass ? IDC_WAIT : IDC_ARROW));
}

void Win32Toolkit::FormChanged(Form& form, Change change) {
    FormWindow* window = Find(form);
    if (!window) return;
    switch (change) {
        case Change::Caption: SetWindowTextW(window->hwnd, Wide(form.Caption()).c_str()); break;
        case Change::Position: PlaceForm(form, window->hwnd); break;
        case Change::Focus:
            if (Control* focused = form.ActiveControl())
                if (HWND hwnd = WindowOf(*focused); hwnd && GetFocus() != hwnd) SetFocus(hwnd);
            break;
        case Change::DefaultButton:
        case Change::CancelButton: ShowDefaultButtons(form, *window); break;
        default: break;
    }
}

LRESULT Win32Toolkit::FormMessage(Form& form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // The close box: the model unloads the form, which drops the window.
            input::CloseBox(form);
            return 0;
        case WM_ACTIVATE:
            // The person brought the form to the front (the window manager may refuse).
            if (LOWORD(wParam) != WA_INACTIVE && WindowManager::Get().ActiveForm() != &form && form.Visible())
                WindowManager::Get().Activate(form);
            break;
        case WM_COMMAND: {
            HWND from = reinterpret_cast<HWND>(lParam);
            auto* control = from ? static_cast<Control*>(GetPropW(from, win32::kControlProperty)) : nullptr;
            if (!control) break;
            const WORD code = HIWORD(wParam);
            switch (control->Kind()) {
                case ControlKind::CommandButton:
                case ControlKind::CheckBox:
                case ControlKind::OptionButton:
                    if (code == BN_CLICKED) input::Click(*control);
                    return 0;
                case ControlKind::Label:
                    if (code == STN_CLICKED) input::Click(*control);
                    return 0;
                case ControlKind::ComboBox:
                    if (code == CBN_SELENDOK) {
                        const auto position = int32_t(SendMessageW(from, CB_GETCURSEL, 0, 0));
                        if (position >= 0) input::Pick(static_cast<ComboBox&>(*control), position);
                    } else if (code == CBN_EDITCHANGE) {
                        TakeText(*control, from);
                    } else if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) {
                        static_cast<ComboBox&>(*control).ShowDropDown(code == CBN_DROPDOWN);
                    }
                    return 0;
                case ControlKind::TextBox:
                    if (code == EN_CHANGE) TakeText(*control, from);
                    return 0;
                default: return 0;
            }
        }
        case WM_SYSCHAR:
            if (AccessKey(form, wchar_t(wParam))) return 0;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            auto* control = static_cast<Control*>(GetPropW(reinterpret_cast<HWND>(lParam), win32::kControlProperty));
            if (control) return Colors(*control, reinterpret_cast<HDC>(wParam));
            break;
        }
        case WM_NCDESTROY: RemovePropW(hwnd, win32::kFormProperty); break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::toolkit
