// The Windows toolkit's controls: one standard control of the system for each control
// of a form, what the model's changes do to it, and what the person does in it.
#include "platform/toolkit/win/win32_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/text/text.h"
#include "platform/text/win/wide.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/text_box.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/win/win32_toolkit.h"
#include "platform/toolkit/win/win32_windows.h"

namespace platform::toolkit {

using text::win::Narrow;
using text::win::Wide;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
// How far a combo box's list drops below its edit field, in pixels at 96 dots per inch.
constexpr int32_t kDropDownHeight = 160;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

// The number of characters (code points) in the first `units` UTF-16 units of a text.
int32_t Characters(const std::wstring& text, size_t units) {
    int32_t characters = 0;
    for (size_t i = 0; i < units && i < text.size(); ++i)
        if (!(text[i] >= 0xDC00 && text[i] <= 0xDFFF)) ++characters;
    return characters;
}

// The UTF-16 position of a character position in a text.
size_t Units(const std::wstring& text, int32_t characters) {
    size_t i = 0;
    for (int32_t seen = 0; i < text.size() && seen < characters; ++i)
        if (!(text[i] >= 0xDC00 && text[i] <= 0xDFFF)) ++seen;
    while (i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) ++i;
    return i;
}

bool IsTextKind(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox || kind == ControlKind::RichTextBox;
}

std::string CaptionOf(const Control& control) {
    switch (control.Kind()) {
        case ControlKind::Label: return static_cast<const Label&>(control).Caption();
        case ControlKind::CommandButton: return static_cast<const CommandButton&>(control).Caption();
        case ControlKind::CheckBox: return static_cast<const CheckBox&>(control).Caption();
        case ControlKind::OptionButton: return static_cast<const OptionButton&>(control).Caption();
        case ControlKind::Frame: return static_cast<const Frame&>(control).Caption();
        default: return static_cast<const TextControl&>(control).Text();
    }
}

// The letter after the single "&" of a caption ("&&" is an ampersand), or 0.
wchar_t AccessKeyOf(const std::string& caption) {
    const std::wstring wide = Wide(caption);
    for (size_t i = 0; i + 1 < wide.size(); ++i) {
        if (wide[i] != L'&') continue;
        if (wide[i + 1] != L'&') return wchar_t(towlower(wide[i + 1]));
        ++i;
    }
    return 0;
}

LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, win32::kProcedureProperty));
    auto* control = static_cast<Control*>(GetPropW(hwnd, win32::kControlProperty));
    if (message == WM_NCDESTROY) {
        // An icon button's picture goes with it.
        wchar_t name[16] = {};
        if (GetClassNameW(hwnd, name, 16) && _wcsicmp(name, L"Button") == 0)
            if (auto icon = reinterpret_cast<HICON>(CallWindowProcW(original, hwnd, BM_GETIMAGE, IMAGE_ICON, 0)))
                DestroyIcon(icon);
        RemovePropW(hwnd, win32::kControlProperty);
        RemovePropW(hwnd, win32::kProcedureProperty);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    } else if (Win32Toolkit* toolkit = win32::Current(); toolkit && control) {
        return toolkit->ControlMessage(*control, hwnd, message, wParam, lParam);
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

// The control's messages pass through this backend first.
void Subclass(HWND hwnd, Control& control) {
    SetPropW(hwnd, win32::kControlProperty, &control);
    SetPropW(hwnd, win32::kProcedureProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure));
}

LRESULT CallOriginal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, win32::kProcedureProperty));
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

// The edit field inside a drop-down combo box.
HWND ComboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

}  // namespace

void Win32Toolkit::CreateControls(Form& form, FormWindow& window) {
    // The message font, at the window's resolution.
    const int32_t dpi = win32::WindowDpi(window.hwnd);
    if (!font_ || fontDpi_ != dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = -MulDiv(8, dpi, 72);
        if (font_) DeleteObject(font_);
        font_ = CreateFontIndirectW(&font);
        fontDpi_ = dpi;
    }
    // The common controls' tooltips (comctl32 registers their class when it loads).
    static const bool tooltips = LoadLibraryW(L"comctl32.dll") != nullptr;
    if (tooltips && !window.tips)
        window.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window.hwnd, nullptr,
                                      win32::ThisModule(), nullptr);
    for (Control* control : form.Controls())
        if (HWND hwnd = CreateControl(form, *control, window.hwnd)) window.controls[control] = hwnd;
    // Frames lie behind what they hold.
    for (auto& [control, hwnd] : window.controls)
        if (control->Kind() == ControlKind::Frame)
            SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowDefaultButtons(form, window);
}

HWND Win32Toolkit::CreateControl(Form& form, Control& control, HWND parent) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = kChild;
    DWORD extended = 0;
    switch (control.Kind()) {
        case ControlKind::Label: style |= SS_NOTIFY | SS_LEFT; break;
        case ControlKind::TextBox: {
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            if (static_cast<TextBox&>(control).MultiLine()) style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
            extended = WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::ComboBox:
            windowClass = L"COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            break;
        case ControlKind::CommandButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            if (static_cast<CommandButton&>(control).IsIconButton()) style |= BS_ICON;
            break;
        case ControlKind::CheckBox: windowClass = L"BUTTON"; style |= WS_TABSTOP | BS_CHECKBOX; break;
        case ControlKind::OptionButton: windowClass = L"BUTTON"; style |= WS_TABSTOP | BS_RADIOBUTTON; break;
        case ControlKind::Frame: windowClass = L"BUTTON"; style |= BS_GROUPBOX; break;
        case ControlKind::RichTextBox:
            // The rich edit control of Windows XP and later.
            static const HMODULE richEdit = LoadLibraryW(L"msftedit.dll");
            windowClass = richEdit ? L"RICHEDIT50W" : L"EDIT";
            style |= WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
            extended = WS_EX_CLIENTEDGE;
            break;
    }
    HWND hwnd = CreateWindowExW(extended, windowClass, IsTextKind(control.Kind()) ? L"" : Wide(CaptionOf(control)).c_str(),
                                style, 0, 0, 0, 0, parent, nullptr, win32::ThisModule(), nullptr);
    if (!hwnd) return nullptr;
    (void)form;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    Subclass(hwnd, control);
    if (control.Kind() == ControlKind::ComboBox) {
        if (HWND edit = ComboEdit(hwnd)) Subclass(edit, control);
        ShowList(control, hwnd);
    }
    if (IsTextKind(control.Kind())) ShowText(control, hwnd);
    if (control.Kind() == ControlKind::CommandButton && static_cast<CommandButton&>(control).IsIconButton())
        ShowPicture(control, hwnd);
    if (control.Kind() == ControlKind::CheckBox)
        SendMessageW(hwnd, BM_SETCHECK, WPARAM(static_cast<CheckBox&>(control).Value()), 0);
    if (control.Kind() == ControlKind::OptionButton)
        SendMessageW(hwnd, BM_SETCHECK, static_cast<OptionButton&>(control).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    if (control.Kind() == ControlKind::TextBox && static_cast<TextBox&>(control).Locked())
        SendMessageW(hwnd, EM_SETREADONLY, TRUE, 0);
    RefreshControl(control, hwnd);
    ShowToolTip(control, hwnd);
    return hwnd;
}

// The control's tip, shown while the mouse rests on it; none for an empty text.
void Win32Toolkit::ShowToolTip(Control& control, HWND hwnd) {
    FormWindow* window = Find(control.Parent());
    if (!window || !window->tips) return;
    std::wstring text = Wide(control.ToolTipText());
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = text.data();
    SendMessageW(window->tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty()) SendMessageW(window->tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// At the pixels of its edges in the form's client area, at the window's resolution.
void Win32Toolkit::PlaceControl(Control& control, HWND hwnd) {
    const int32_t dpi = win32::WindowDpi(GetParent(hwnd));
    PixelRect rect = TwipsToPixels(control.FormLeft(), control.FormTop(), control.Width(), control.Height(), dpi);
    // A combo box's window includes its dropped-down list.
    if (control.Kind() == ControlKind::ComboBox) rect.height += MulDiv(kDropDownHeight, dpi, kStandardDpi);
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Toolkit::RefreshControl(Control& control, HWND hwnd) {
    PlaceControl(control, hwnd);
    EnableWindow(hwnd, control.Usable());
    ShowWindow(hwnd, control.Shown() ? SW_SHOWNA : SW_HIDE);
}

void Win32Toolkit::ShowText(Control& control, HWND hwnd) {
    const std::wstring text = Wide(static_cast<TextControl&>(control).Text());
    if (WindowText(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
    ShowSelection(control, hwnd);
}

void Win32Toolkit::ShowSelection(Control& control, HWND hwnd) {
    auto& box = static_cast<TextControl&>(control);
    const std::wstring text = WindowText(hwnd);
    const auto start = LPARAM(Units(text, box.SelStart()));
    const auto end = LPARAM(Units(text, box.SelStart() + box.SelLength()));
    if (control.Kind() == ControlKind::ComboBox)
        SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    else
        SendMessageW(hwnd, EM_SETSEL, WPARAM(start), end);
}

// An icon button shows its picture and no caption; a button without one its caption.
void Win32Toolkit::ShowPicture(Control& control, HWND hwnd) {
    auto& button = static_cast<CommandButton&>(control);
    HICON icon = win32::LoadPictureIcon(button.Picture(), win32::WindowDpi(GetParent(hwnd)));
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    style = icon ? (style | BS_ICON) : (style & ~LONG_PTR(BS_ICON));
    SetWindowLongPtrW(hwnd, GWL_STYLE, style);
    if (HICON old = reinterpret_cast<HICON>(SendMessageW(hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon))))
        DestroyIcon(old);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32Toolkit::ShowList(Control& control, HWND hwnd) {
    auto& box = static_cast<ComboBox&>(control);
    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : box.Items())
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    SendMessageW(hwnd, CB_SETCURSEL, WPARAM(box.ListIndex()), 0);
    ShowText(control, hwnd);
}

void Win32Toolkit::ShowDefaultButtons(Form& form, FormWindow& window) {
    for (auto& [control, hwnd] : window.controls)
        if (control->Kind() == ControlKind::CommandButton)
            SendMessageW(hwnd, BM_SETSTYLE, control == form.DefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Win32Toolkit::ControlChanged(Control& control, Change change, int32_t item) {
    HWND hwnd = WindowOf(control);
    if (!hwnd) return;
    switch (change) {
        case Change::Caption: SetWindowTextW(hwnd, Wide(CaptionOf(control)).c_str()); break;
        case Change::Text:
        case Change::Selection: ShowText(control, hwnd); break;
        case Change::Visible:
        case Change::Enabled:
        case Change::Position:
            // A frame takes what it holds along.
            if (control.Kind() == ControlKind::Frame) {
                if (FormWindow* window = Find(control.Parent()))
                    for (auto& [each, each_hwnd] : window->controls) RefreshControl(*each, each_hwnd);
            } else {
                RefreshControl(control, hwnd);
            }
            break;
        case Change::Locked:
            SendMessageW(hwnd, EM_SETREADONLY, static_cast<TextControl&>(control).Locked(), 0);
            break;
        case Change::Picture: ShowPicture(control, hwnd); break;
        case Change::ToolTip: ShowToolTip(control, hwnd); break;
        case Change::BackColor:
        case Change::ForeColor: InvalidateRect(hwnd, nullptr, TRUE); break;
        case Change::Value:
            if (control.Kind() == ControlKind::CheckBox)
                SendMessageW(hwnd, BM_SETCHECK, WPARAM(static_cast<CheckBox&>(control).Value()), 0);
            else
                SendMessageW(hwnd, BM_SETCHECK,
                             static_cast<OptionButton&>(control).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Change::MultiLine: {
            // An edit control's lines are fixed when it is made: it is made again.
            FormWindow* window = Find(control.Parent());
            if (!window) break;
            DestroyWindow(hwnd);
            window->controls.erase(&control);
            if (HWND made = CreateControl(control.Parent(), control, window->hwnd)) window->controls[&control] = made;
            break;
        }
        case Change::ItemAdded:
            SendMessageW(hwnd, CB_INSERTSTRING, WPARAM(item),
                         reinterpret_cast<LPARAM>(Wide(static_cast<ComboBox&>(control).List(item)).c_str()));
            break;
        case Change::ItemRemoved: SendMessageW(hwnd, CB_DELETESTRING, WPARAM(item), 0); break;
        case Change::ItemChanged: {
            auto& box = static_cast<ComboBox&>(control);
            SendMessageW(hwnd, CB_DELETESTRING, WPARAM(item), 0);
            SendMessageW(hwnd, CB_INSERTSTRING, WPARAM(item), reinterpret_cast<LPARAM>(Wide(box.List(item)).c_str()));
            SendMessageW(hwnd, CB_SETCURSEL, WPARAM(box.ListIndex()), 0);
            ShowText(control, hwnd);
            break;
        }
        case Change::ItemsCleared:
            SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
            ShowText(control, hwnd);
            break;
        case Change::ListIndex:
            // Selecting an entry puts its text in the field; the model's text is put back over it.
            SendMessageW(hwnd, CB_SETCURSEL, WPARAM(static_cast<ComboBox&>(control).ListIndex()), 0);
            ShowText(control, hwnd);
            break;
        case Change::DroppedDown:
            SendMessageW(hwnd, CB_SHOWDROPDOWN, static_cast<ComboBox&>(control).DroppedDown(), 0);
            break;
        default: break;
    }
}

void Win32Toolkit::TakeSelection(Control& control, HWND hwnd) {
    HWND box = control.Kind() == ControlKind::ComboBox ? ComboEdit(WindowOf(control)) : hwnd;
    if (!box) return;
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText(box);
    auto& model = static_cast<TextControl&>(control);
    const int32_t first = Characters(text, start);
    const int32_t length = Characters(text, end) - first;
    if (model.SelStart() != first || model.SelLength() != length) {
        model.SetSelStart(first);
        model.SetSelLength(length);
    }
}

void Win32Toolkit::TakeText(Control& control, HWND hwnd) {
    auto& box = static_cast<TextControl&>(control);
    const std::string text = Narrow(WindowText(hwnd));
    if (text != box.Text()) input::Replace(box, text);
}

void Win32Toolkit::Typed(Control& control, HWND hwnd, WPARAM character) {
    FormWindow* window = Find(control.Parent());
    if (!window) return;
    const auto unit = char16_t(character);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        window->highSurrogate = unit;
        return;
    }
    char32_t code = unit;
    if (unit >= 0xDC00 && unit <= 0xDFFF && window->highSurrogate)
        code = 0x10000 + ((char32_t(window->highSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
    window->highSurrogate = 0;
    if (!control.HasFocus() && control.CanFocus()) control.SetFocus();
    if (IsTextKind(control.Kind())) TakeSelection(control, hwnd);
    input::Character(control.Parent(), code);
}

bool Win32Toolkit::AccessKey(Form& form, wchar_t key) {
    const wchar_t wanted = wchar_t(towlower(key));
    for (Control* control : form.TabOrder()) {
        if (control->Kind() == ControlKind::Frame || IsTextKind(control->Kind())) continue;
        if (AccessKeyOf(CaptionOf(*control)) != wanted || !input::Refusal(*control).empty()) continue;
        if (control->Kind() == ControlKind::Label) {
            // A label's access key moves the focus to the control after it in tab order.
            const auto& order = form.TabOrder();
            auto at = std::find(order.begin(), order.end(), control);
            for (++at; at != order.end(); ++at)
                if ((*at)->CanFocus()) {
                    (*at)->SetFocus();
                    return true;
                }
            return false;
        }
        input::KeyboardClick(*control);
        return true;
    }
    return false;
}

LRESULT Win32Toolkit::Colors(Control& control, HDC dc) {
    auto color = [](Color value) {
        return (value & 0x80000000u) ? GetSysColor(int(value & 0xFF)) : COLORREF(value & 0xFFFFFF);
    };
    const COLORREF back = color(control.BackColor());
    SetTextColor(dc, color(control.ForeColor()));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(Brush(back));
}

HBRUSH Win32Toolkit::Brush(COLORREF color) {
    auto [it, made] = brushes_.try_emplace(color, nullptr);
    if (made) it->second = CreateSolidBrush(color);
    return it->second;
}

LRESULT Win32Toolkit::ControlMessage(Control& control, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form& form = control.Parent();
    switch (message) {
        case WM_SETFOCUS:
            // The person (a click) gave it the focus: the model moves its focus there.
            if (!control.HasFocus() && control.CanFocus()) control.SetFocus();
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            // Space on a button is the model's key, not the button's own click.
            if (wParam == VK_SPACE && !IsTextKind(control.Kind())) return 0;
            break;
        case WM_CHAR:
            if (IsTextKind(control.Kind())) {
                Typed(control, hwnd, wParam);
                return 0;
            }
            if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) {
                if (!control.HasFocus() && control.CanFocus()) control.SetFocus();
                input::Key(form, int16_t(wParam));
            }
            return 0;
        case WM_SYSCHAR:
            if (AccessKey(form, wchar_t(wParam))) return 0;
            break;
        default: break;
    }
    return CallOriginal(hwnd, message, wParam, lParam);
}

}  // namespace platform::toolkit
