#include "platform/toolkit/controls.h"

#include <utility>

#include "platform/errors/errors.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

Label::Label(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::Label, std::move(name), index) {}

CommandButton::CommandButton(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::CommandButton, std::move(name), index) {}

bool CommandButton::Default() const { return Parent().defaultButton_ == this; }
void CommandButton::SetDefault(bool value) {
    if (value)
        Parent().defaultButton_ = this;
    else if (Default())
        Parent().defaultButton_ = nullptr;
}
bool CommandButton::Cancel() const { return Parent().cancelButton_ == this; }
void CommandButton::SetCancel(bool value) {
    if (value)
        Parent().cancelButton_ = this;
    else if (Cancel())
        Parent().cancelButton_ = nullptr;
}

CheckBox::CheckBox(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::CheckBox, std::move(name), index) {}

void CheckBox::SetValue(int16_t value) {
    if (value < vbUnchecked || value > vbGrayed) platform::Raise(380, "Invalid property value");
    if (value == value_) return;
    value_ = value;
    RaiseClick();
}

void CheckBox::Toggle() {
    value_ = value_ == vbChecked ? vbUnchecked : vbChecked;
    RaiseClick();
}

OptionButton::OptionButton(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::OptionButton, std::move(name), index) {}

void OptionButton::ClearGroup() {
    for (Control* control : Parent().Controls())
        if (control != this && control->Kind() == ControlKind::OptionButton && control->Container() == Container())
            static_cast<OptionButton*>(control)->value_ = false;
}

void OptionButton::SetValue(bool value) {
    if (!value) {
        value_ = false;
        return;
    }
    ClearGroup();
    if (value_) return;
    value_ = true;
    RaiseClick();
}

void OptionButton::Choose() {
    ClearGroup();
    value_ = true;
    RaiseClick();
}

Frame::Frame(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::Frame, std::move(name), index) {}

}  // namespace platform::toolkit
