// The captioned kinds of control: label, command button (with or without a picture),
// check box, option button and frame.
//
// What the program relies on:
// - A label's Click comes from the mouse only; labels never take the focus.
// - Setting a check box's Value to another value raises its Click; setting the value
//   it has raises nothing. Values: 0 unchecked, 1 checked, 2 grayed.
// - Setting an option button's Value to true clears the other option buttons in the
//   same frame (or on the form itself, outside frames) and raises its Click when it
//   was false. Setting it to false raises nothing.
// - One command button of a form at most is its default button (Enter) and one its
//   cancel button (Esc): making a button the default takes that from any other.
// - An icon button has a picture and no caption. The picture is a name ("folder");
//   a backend finds its image through backend_pictures.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/toolkit/control.h"

namespace platform::toolkit {

enum : int16_t { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class Label : public Control {
public:
    Label(Form& form, std::string name, int16_t index = -1);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);

private:
    std::string caption_;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, int16_t index = -1);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    std::string Picture() const { return picture_; }
    void SetPicture(const std::string& value);
    bool IsIconButton() const { return !picture_.empty(); }
    bool Default() const;
    void SetDefault(bool value);
    bool Cancel() const;
    void SetCancel(bool value);

private:
    std::string caption_;
    std::string picture_;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, int16_t index = -1);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int16_t Value() const { return value_; }
    // Fails with 380 (invalid property value) outside 0 to 2.
    void SetValue(int16_t value);
    // The person's click: checked becomes unchecked, anything else checked.
    void Toggle();

private:
    std::string caption_;
    int16_t value_ = vbUnchecked;
};

class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, int16_t index = -1);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Value() const { return value_; }
    void SetValue(bool value);
    // The person's click: selects it (clearing its group) and raises Click even when
    // it was selected already.
    void Choose();

private:
    void ClearGroup();
    void Set(bool value);
    std::string caption_;
    bool value_ = false;
};

class Frame : public Control {
public:
    Frame(Form& form, std::string name, int16_t index = -1);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);

private:
    std::string caption_;
};

}  // namespace platform::toolkit
