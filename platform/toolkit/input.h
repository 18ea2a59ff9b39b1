// A person's input as a host delivers it to the forms: the headless toolkit's
// person, or a desktop's widgets. Each function does what the keyboard or the mouse
// does on Windows, raising the controls' events in the same order.
//
// - A key goes to the form's focused control. In a text or combo box it first raises
//   KeyPress with the code by reference; a code set to 0 is swallowed, a changed code
//   is what the box receives. Then: a character replaces the selection; Backspace (8)
//   edits (text_box.h); Enter (13) activates the form's default button (in a
//   multi-line text box of a form without one it breaks the line); Esc (27) the
//   cancel button; Tab (9) moves the focus to the next control in tab order.
// - On a focused command button Enter and Space click it; on a check box Space
//   toggles it, on an option button Space chooses it; Esc and Tab act as above.
//   These kinds raise no KeyPress.
// - A mouse click on a button, check box or option button gives it the focus first,
//   then raises MouseDown (left button, no shift, at its middle), then its effect
//   and Click. A click on a label raises Click only.
// - Activating a button from the keyboard (its access key) raises Click only: no
//   mouse events, no focus change.
// - A key code above 0x7FFF does not fit a key press: such a character is announced
//   with code -1 and, unless changed, typed as itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::toolkit {
class Control;
class ComboBox;
class Form;
class TextControl;
}  // namespace platform::toolkit

namespace platform::toolkit::input {

// Why the control cannot take a person's input now ("" when it can): its form is
// unloaded or hidden, a modal form is open above it, it is hidden or disabled.
std::string Refusal(const Control& control);
std::string Refusal(const Form& form);

// One key with that code on the form (to its focused control).
void Key(Form& form, int16_t keyAscii);
// One character typed on the form; codes below 32 are keys (13 Enter...).
void Character(Form& form, char32_t character);
// A text typed character by character (each one as Character does).
void Text(Form& form, std::string_view text);
// Keystrokes in SendKeys notation ("{TAB}", "~", "{ESC}", "{BS}", characters).
void Keys(Form& form, std::string_view keys);
void Click(Control& control);
void KeyboardClick(Control& button);
// A list entry chosen with the mouse: the box takes the focus, then the entry is
// selected (its text goes into the box and Click is raised; no Change).
void Pick(ComboBox& box, int32_t position);
// The whole text replaced at once (as pasted over a full selection): the box takes
// the focus, then its text is set (one Change when it differs).
void Replace(TextControl& box, const std::string& text);
// The window's close button: unloads the form.
void CloseBox(Form& form);

}  // namespace platform::toolkit::input
