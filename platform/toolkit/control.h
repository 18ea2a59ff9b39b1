// A control on a form: the properties every kind shares, the focus, and the events.
//
// What the program relies on:
// - Every property write takes effect at once; a read gives back what was written.
// - Positions and sizes are twips. A control placed in a frame (SetContainer) has its
//   Left and Top relative to that frame; a hidden or disabled frame hides or disables
//   what it holds.
// - The focus belongs to one control of each form (Form::ActiveControl). Moving it
//   raises LostFocus on the control that had it, then GotFocus on the new one. When a
//   LostFocus handler moves the focus again, that move wins: the control the first
//   move was heading for raises nothing.
// - Events go to the handlers in Events(), which the control's form wires to its own
//   events. A failure escaping a handler stays at the control: it never reaches the
//   code that caused the event (a property write, a person's action) nor the host.
// - Writes to what is drawn announce themselves to the backend's change sink
//   (backend_changes.h), once per change and not at all when the value stays.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/toolkit/colors.h"
#include "platform/toolkit/dialogs.h"

namespace platform::toolkit {

class Form;
class Frame;
enum class Change : uint8_t;

enum class ControlKind { Label, TextBox, ComboBox, CommandButton, CheckBox, OptionButton, Frame, RichTextBox };

// Mouse buttons and shift states of MouseDown.
enum : int16_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum : int16_t { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// Key codes that do something besides typing a character.
enum : int16_t { vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyEscape = 27, vbKeySpace = 32 };

struct ControlEvents {
    std::function<void()> Click;
    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    // The code of the typed key, by reference: set it to 0 to swallow the key, or to
    // another code to make the control receive that one instead.
    std::function<void(int16_t& keyAscii)> KeyPress;
    // Button (vbLeftButton ...), shift state, and the point inside the control (twips).
    std::function<void(int16_t button, int16_t shift, float x, float y)> MouseDown;
};

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // Identity: the form, the kind, the name and the index in its control array
    // (-1 for a control that is not part of an array), and its window handle.
    Form& Parent() const { return *form_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int16_t Index() const { return index_; }
    Hwnd hWnd() const { return hwnd_; }
    // "cmdQuillet(2)", or "cboQuillet" for a control on its own.
    std::string DisplayName() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    void SetLeft(int32_t value) { Move(value, top_, width_, height_); }
    void SetTop(int32_t value) { Move(left_, value, width_, height_); }
    void SetWidth(int32_t value) { Move(left_, top_, value, height_); }
    void SetHeight(int32_t value) { Move(left_, top_, width_, value); }
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    // The frame holding the control (positions are relative to it), or nullptr.
    Frame* Container() const { return container_; }
    void SetContainer(Frame* frame);
    // The position in the form's client area, adding up the frames around it.
    int32_t FormLeft() const;
    int32_t FormTop() const;

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color value);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color value);

    std::string Tag() const { return tag_; }
    void SetTag(const std::string& value) { tag_ = value; }
    std::string ToolTipText() const { return toolTip_; }
    void SetToolTipText(const std::string& value);
    // The help-context number, which the forms pass on as the control's hint number.
    int32_t HelpContextID() const { return helpContextId_; }
    void SetHelpContextID(int32_t value) { helpContextId_ = value; }

    // Visible itself and in every frame around it / enabled likewise.
    bool Shown() const;
    bool Usable() const;
    // Labels and frames never take the focus; other kinds do when they are shown and
    // usable on a loaded, visible form.
    bool TakesFocus() const;
    bool CanFocus() const;
    bool HasFocus() const;
    // Moves the focus here; fails with 5 (invalid procedure call) when the control
    // cannot take it.
    void SetFocus();

    // The control's place in its form's tab order, from 0. Setting it moves the control
    // there and shifts the others, as the designer does. Tab skips controls whose
    // TabStop is false.
    int16_t TabIndex() const;
    void SetTabIndex(int16_t position);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }

    ControlEvents& Events() { return events_; }

    // Raising, for the toolkit itself (property writes, a person's input): each goes
    // to its handler, if any, with the form kept alive meanwhile.
    void RaiseClick();
    void RaiseChange();
    void RaiseGotFocus();
    void RaiseLostFocus();
    void RaiseKeyPress(int16_t& keyAscii);
    void RaiseMouseDown(int16_t button, int16_t shift, float x, float y);

protected:
    Control(Form& form, ControlKind kind, std::string name, int16_t index);
    // Tells the form's change sink, if any, that something drawn changed (`item`: the
    // list entry it concerns).
    void Notify(Change change, int32_t item = -1);
    // Sets a drawn property, announcing it when the value changes.
    template <class T>
    void Update(T& property, const T& value, Change change) {
        if (property == value) return;
        property = value;
        Notify(change);
    }

private:
    template <class F>
    void Raise(const F& handler);

    Form* form_;
    ControlKind kind_;
    std::string name_;
    int16_t index_;
    Hwnd hwnd_;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Frame* container_ = nullptr;
    Color backColor_;
    Color foreColor_;
    std::string tag_;
    std::string toolTip_;
    int32_t helpContextId_ = 0;
    ControlEvents events_;
};

}  // namespace platform::toolkit
