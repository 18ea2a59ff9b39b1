// The person's actions on the forms: checks what a real person could not do, then
// does it through the toolkit's input.
#include "hosts/sim/host/person.h"

#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/text_box.h"

namespace sim {

namespace input = platform::toolkit::input;
using platform::toolkit::ComboBox;
using platform::toolkit::ControlKind;
using platform::toolkit::TextControl;

namespace {
bool IsBox(const Control& control) {
    return control.Kind() == ControlKind::TextBox || control.Kind() == ControlKind::ComboBox ||
           control.Kind() == ControlKind::RichTextBox;
}
bool IsButton(const Control& control) {
    return control.Kind() == ControlKind::CommandButton || control.Kind() == ControlKind::CheckBox ||
           control.Kind() == ControlKind::OptionButton;
}
}  // namespace

bool Person::Refuse(const std::string& action, const Control& control, const std::string& why) {
    Unexpected("cannot " + action + " " + control.Parent().Name() + "." + control.DisplayName() + ": " + why);
    return false;
}

bool Person::Type(Control& box, std::string_view text) {
    if (!IsBox(box)) return Refuse("type into", box, "it is not a text or combo box");
    if (auto why = input::Refusal(box); !why.empty()) return Refuse("type into", box, why);
    auto keep = box.Parent().KeepAlive();
    if (hands_) {
        hands_->Type(static_cast<TextControl&>(box), text);
        return true;
    }
    box.SetFocus();
    input::Text(box.Parent(), text);
    return true;
}

bool Person::Key(Control& control, int16_t key) {
    if (!control.TakesFocus()) return Refuse("press a key in", control, "it never takes the focus");
    if (auto why = input::Refusal(control); !why.empty()) return Refuse("press a key in", control, why);
    auto keep = control.Parent().KeepAlive();
    if (hands_) {
        hands_->Key(control, key);
        return true;
    }
    control.SetFocus();
    input::Key(control.Parent(), key);
    return true;
}

bool Person::Set(Control& box, const std::string& text) {
    if (!IsBox(box)) return Refuse("set the text of", box, "it is not a text or combo box");
    if (auto why = input::Refusal(box); !why.empty()) return Refuse("set the text of", box, why);
    if (static_cast<TextControl&>(box).Locked()) return Refuse("set the text of", box, "it is locked");
    if (hands_)
        hands_->Replace(static_cast<TextControl&>(box), text);
    else
        input::Replace(static_cast<TextControl&>(box), text);
    return true;
}

bool Person::Pick(Control& combo, int32_t position) {
    if (combo.Kind() != ControlKind::ComboBox) return Refuse("pick from", combo, "it is not a combo box");
    if (auto why = input::Refusal(combo); !why.empty()) return Refuse("pick from", combo, why);
    auto& box = static_cast<ComboBox&>(combo);
    if (position < 0 || position >= box.ListCount())
        return Refuse("pick from", combo,
                      "it has no entry " + std::to_string(position) + " (" + std::to_string(box.ListCount()) +
                          " entries)");
    if (hands_)
        hands_->Pick(box, position);
    else
        input::Pick(box, position);
    return true;
}

bool Person::Click(Control& control) {
    if (auto why = input::Refusal(control); !why.empty()) return Refuse("click", control, why);
    if (hands_)
        hands_->Click(control);
    else
        input::Click(control);
    return true;
}

bool Person::Press(Control& button) {
    if (!IsButton(button)) return Refuse("press", button, "it is not a button, check box or option");
    if (auto why = input::Refusal(button); !why.empty()) return Refuse("press", button, why);
    if (hands_)
        hands_->KeyboardClick(button);
    else
        input::KeyboardClick(button);
    return true;
}

bool Person::Focus(Control& control) {
    if (!control.TakesFocus()) return Refuse("focus", control, "it never takes the focus");
    if (auto why = input::Refusal(control); !why.empty()) return Refuse("focus", control, why);
    if (hands_)
        hands_->Focus(control);
    else
        control.SetFocus();
    return true;
}

bool Person::CloseBox(Form& form) {
    if (auto why = input::Refusal(form); !why.empty()) {
        Unexpected("cannot close " + form.Name() + ": " + why);
        return false;
    }
    if (hands_)
        hands_->CloseBox(form);
    else
        input::CloseBox(form);
    return true;
}

}  // namespace sim
