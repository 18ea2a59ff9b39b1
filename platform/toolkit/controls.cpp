#include "platform/toolkit/controls.h"

#include <utility>

#include "platform/errors/errors.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

Label::Label(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::Label, std::move(name), index) {}

void Label::SetCaption(const std::string& value) { Update(caption_, value, Change::Caption); }

CommandButton::CommandButton(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::CommandButton, std::move(name), index) {}

void CommandButton::SetCaption(const std::string& value) { Update(caption_, value, Change::Caption); }
void CommandButton::SetPicture(const std::string& value) { Update(picture_, value, Change::Picture); }

bool CommandButton::Default() const { return Parent().defaultButton_ == this; }
void CommandButton::SetDefault(bool value) {
    if (value)
        Parent().SetDefaultButton(this);
    else if (Default())
        Parent().SetDefaultButton(nullptr);
}
bool CommandButton::Cancel() const { return Parent().cancelButton_ == this; }
void CommandButton::SetCancel(bool value) {
    if (value)
        Parent().SetCancelButton(this);
    else if (Cancel())
        Parent().SetCancelButton(nullptr);
}

CheckBox::CheckBox(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::CheckBox, std::move(name), index) {}

void CheckBox::SetCaption(const std::string& value) { Update(caption_, value, Change::Caption); }

void CheckBox::SetValue(int16_t value) {
    if (value < vbUnchecked || value > vbGrayed) platform::Raise(380, "Invalid property value");
    if (value == value_) return;
    Update(value_, value, Change::Value);
    RaiseClick();
}

void CheckBox::Toggle() {
    Update(value_, static_cast<int16_t>(value_ == vbChecked ? vbUnchecked : vbChecked), Change::Value);
    RaiseClick();
}

OptionButton::OptionButton(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::OptionButton, std::move(name), index) {}

void OptionButton::SetCaption(const std::string& value) { Update(caption_, value, Change::Caption); }

void OptionButton::ClearGroup() {
    for (Control* control : Parent().Controls())
        if (control != this && control->Kind() == ControlKind::OptionButton && control->Container() == Container())
            static_cast<OptionButton*>(control)->Set(false);
}

void OptionButton::Set(bool value) { Update(value_, value, Change::Value); }

void OptionButton::SetValue(bool value) {
    if (!value) {
        Set(false);
        return;
    }
    ClearGroup();
    if (value_) return;
    Set(true);
    RaiseClick();
}

void OptionButton::Choose() {
    ClearGroup();
    Set(true);
    RaiseClick();
}

Frame::Frame(Form& form, std::string name, int16_t index)
    : Control(form, ControlKind::Frame, std::move(name), index) {}

void Frame::SetCaption(const std::string& value) { Update(caption_, value, Change::Caption); }

}  // namespace platform::toolkit
