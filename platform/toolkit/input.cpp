#include "platform/toolkit/input.h"

#include <map>

#include "platform/text/text.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"

namespace platform::toolkit::input {

namespace text = platform::text;

namespace {

constexpr char32_t kWidestKeyCode = 0x7FFF;
constexpr int16_t kWideCharacterKey = -1;

bool IsBox(const Control& control) {
    return control.Kind() == ControlKind::TextBox || control.Kind() == ControlKind::ComboBox ||
           control.Kind() == ControlKind::RichTextBox;
}

// A button that can still be pressed: there, shown and usable.
void Activate(CommandButton* button) {
    if (button && button->Shown() && button->Usable()) button->RaiseClick();
}

void Tab(Form& form) {
    if (Control* next = form.NextInTabOrder()) next->SetFocus();
}

// Enter, Esc and Tab where the focused control does not use them itself.
void FormKey(Form& form, int16_t key) {
    if (key == vbKeyReturn)
        Activate(form.DefaultButton());
    else if (key == vbKeyEscape)
        Activate(form.CancelButton());
    else if (key == vbKeyTab)
        Tab(form);
}

// What a box does with a key after its KeyPress.
void BoxKey(Form& form, TextControl& box, int16_t key) {
    switch (key) {
        case vbKeyReturn:
            if (!form.DefaultButton() && box.Kind() == ControlKind::TextBox &&
                static_cast<TextBox&>(box).MultiLine() && !box.Locked())
                box.SetSelText("\r\n");
            else
                FormKey(form, key);
            return;
        case vbKeyEscape:
        case vbKeyTab: FormKey(form, key); return;
        case vbKeyBack: box.Backspace(); return;
        default:
            if (key >= vbKeySpace) box.TypeCharacter(static_cast<char32_t>(key));
            return;
    }
}

// One key on the form; `character` is the character typed when the key came from
// one (0 otherwise).
void Deliver(Form& form, int16_t key, char32_t character) {
    auto keep = form.KeepAlive();
    Control* focused = form.ActiveControl();
    if (focused && IsBox(*focused)) {
        auto& box = static_cast<TextControl&>(*focused);
        int16_t announced = key;
        box.RaiseKeyPress(key);
        if (key == 0) return;
        if (key == announced && character > kWidestKeyCode)
            box.TypeCharacter(character);
        else
            BoxKey(form, box, key);
        return;
    }
    if (focused && (key == vbKeySpace || key == vbKeyReturn) && focused->Kind() == ControlKind::CommandButton) {
        focused->RaiseClick();
        return;
    }
    if (focused && key == vbKeySpace && focused->Kind() == ControlKind::CheckBox) {
        static_cast<CheckBox&>(*focused).Toggle();
        return;
    }
    if (focused && key == vbKeySpace && focused->Kind() == ControlKind::OptionButton) {
        static_cast<OptionButton&>(*focused).Choose();
        return;
    }
    FormKey(form, key);
}

bool Clickable(const Control& control) { return Refusal(control).empty(); }

}  // namespace

std::string Refusal(const Form& form) {
    if (!form.Loaded()) return "form " + form.Name() + " is not loaded";
    if (!form.Visible()) return "form " + form.Name() + " is hidden";
    const auto& modal = WindowManager::Get().ModalForms();
    if (!modal.empty() && modal.back() != &form) return "modal form " + modal.back()->Name() + " is open above " + form.Name();
    return "";
}

std::string Refusal(const Control& control) {
    std::string why = Refusal(control.Parent());
    if (!why.empty()) return why;
    if (!control.Shown()) return control.DisplayName() + " is hidden";
    if (!control.Usable()) return control.DisplayName() + " is disabled";
    return "";
}

void Key(Form& form, int16_t keyAscii) { Deliver(form, keyAscii, 0); }

void Character(Form& form, char32_t character) {
    if (character < vbKeySpace)
        Deliver(form, static_cast<int16_t>(character), 0);
    else if (character <= kWidestKeyCode)
        Deliver(form, static_cast<int16_t>(character), character);
    else
        Deliver(form, kWideCharacterKey, character);
}

void Text(Form& form, std::string_view typed) {
    auto keep = form.KeepAlive();
    for (char32_t c : text::Characters(typed)) Character(form, c);
}

void Keys(Form& form, std::string_view keys) {
    static const std::map<std::string_view, int16_t> named = {
        {"TAB", vbKeyTab},   {"ENTER", vbKeyReturn}, {"ESC", vbKeyEscape}, {"ESCAPE", vbKeyEscape},
        {"BS", vbKeyBack},   {"BKSP", vbKeyBack},    {"BACKSPACE", vbKeyBack}, {"{", '{'},
        {"}", '}'},          {"~", '~'},             {"+", '+'},          {"^", '^'},
        {"%", '%'},
    };
    auto keep = form.KeepAlive();
    size_t i = 0;
    while (i < keys.size()) {
        if (keys[i] == '~') {
            Key(form, vbKeyReturn);
            ++i;
            continue;
        }
        if (keys[i] == '{') {
            // "{}}" names the closing brace itself.
            size_t close = keys.find('}', i + 2);
            if (close != std::string_view::npos) {
                auto name = keys.substr(i + 1, close - i - 1);
                if (auto it = named.find(name); it != named.end()) Key(form, it->second);
                i = close + 1;
                continue;
            }
        }
        size_t next = i + text::ByteOffset(keys.substr(i), 1);
        for (char32_t c : text::Characters(keys.substr(i, next - i))) Character(form, c);
        i = next;
    }
}

void Click(Control& control) {
    auto keep = control.Parent().KeepAlive();
    ControlKind kind = control.Kind();
    if (kind == ControlKind::Label || kind == ControlKind::Frame) {
        control.RaiseClick();
        return;
    }
    if (control.CanFocus()) control.SetFocus();
    if (!Clickable(control)) return;
    control.RaiseMouseDown(vbLeftButton, 0, static_cast<float>(control.Width()) / 2,
                           static_cast<float>(control.Height()) / 2);
    if (!Clickable(control)) return;
    if (kind == ControlKind::CheckBox)
        static_cast<CheckBox&>(control).Toggle();
    else if (kind == ControlKind::OptionButton)
        static_cast<OptionButton&>(control).Choose();
    else
        control.RaiseClick();
}

void KeyboardClick(Control& button) {
    auto keep = button.Parent().KeepAlive();
    if (button.Kind() == ControlKind::CheckBox)
        static_cast<CheckBox&>(button).Toggle();
    else if (button.Kind() == ControlKind::OptionButton)
        static_cast<OptionButton&>(button).Choose();
    else
        button.RaiseClick();
}

void Pick(ComboBox& box, int32_t position) {
    auto keep = box.Parent().KeepAlive();
    if (box.CanFocus()) box.SetFocus();
    if (box.DroppedDown()) box.ShowDropDown(false);
    box.SetListIndex(position);
}

void Replace(TextControl& box, const std::string& text) {
    auto keep = box.Parent().KeepAlive();
    if (box.CanFocus()) box.SetFocus();
    if (box.Locked()) return;
    box.SetSelStart(0);
    box.SetSelLength(box.TextLength());
    box.SetSelText(text);
}

void CloseBox(Form& form) { form.Unload(); }

}  // namespace platform::toolkit::input
