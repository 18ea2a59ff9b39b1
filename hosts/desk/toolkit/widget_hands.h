// A person's hands on the real widgets, for a script standing in for the person (a
// scenario, a test): each action is the keys and clicks a person would give the
// widgets (key and mouse events, the combo box's list, the window's close button),
// which the widgets turn into the model's input as they do for anyone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hosts/desk/toolkit/qt_toolkit.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/text_box.h"

namespace desk {

class WidgetHands {
public:
    explicit WidgetHands(QtToolkit& toolkit) : toolkit_(&toolkit) {}

    // Moves the focus into the control as a person does (the Tab key's way).
    void Focus(platform::toolkit::Control& control);
    // Focuses the box, then types the text key by key.
    void Type(platform::toolkit::TextControl& box, std::string_view text);
    // Focuses the control, then presses one key (13 Enter, 27 Esc, 8 Backspace, 9 Tab...).
    void Key(platform::toolkit::Control& control, int16_t key);
    // Focuses the box, selects all of it and pastes the text over it.
    void Replace(platform::toolkit::TextControl& box, const std::string& text);
    // Opens the list and chooses the entry.
    void Pick(platform::toolkit::ComboBox& box, int32_t position);
    // Presses and releases the left mouse button in the middle of the control.
    void Click(platform::toolkit::Control& control);
    // The button's access key.
    void KeyboardClick(platform::toolkit::Control& button);
    // The window's close button.
    void CloseBox(platform::toolkit::Form& form);

private:
    FormWindow& WindowOf(const platform::toolkit::Form& form) const;
    // Where the form's keys arrive: its focused control's widget, else the window.
    QWidget& KeyReceiver(const platform::toolkit::Form& form) const;

    QtToolkit* toolkit_;
};

}  // namespace desk
