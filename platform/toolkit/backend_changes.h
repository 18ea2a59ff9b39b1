// How the forms tell a drawing backend what changed, so that it redraws only that.
// Backends only: the system never includes this.
//
// A backend attaches one sink to a form when it shows it (WindowManager::Attach,
// backend_window_manager.h) and detaches it when the form unloads. From then on every
// write that changes something drawn announces itself once, after the model holds the
// new value: the sink reads the value back from the control or the form. A write that
// leaves the value as it was announces nothing; neither do properties that are not
// drawn (Tag, HelpContextID, TabIndex, TabStop).
//
// A sink only reads the model: it never writes it, raises events or throws.
#pragma once

#include <cstdint>

namespace platform::toolkit {

class Control;
class Form;

enum class Change : uint8_t {
    // Controls.
    Caption,      // a label's, button's, check box's, option button's or frame's caption
    Text,         // a text, combo or rich-text box's text
    Visible,
    Enabled,
    Locked,
    Position,     // Left, Top, Width or Height (Move announces once), or the frame holding it
    BackColor,
    ForeColor,
    ToolTip,
    Picture,      // an icon button's picture name
    MultiLine,
    Selection,    // SelStart or SelLength
    Value,        // a check box's or an option button's value
    ItemAdded,    // a list entry inserted at `item`
    ItemRemoved,  // the list entry at `item` removed
    ItemChanged,  // the list entry at `item` rewritten
    ItemsCleared,
    ListIndex,
    DroppedDown,  // a combo box's list opened or closed
    // Forms (Caption and Position also apply to a form: its title and its outer rectangle).
    Focus,          // the form's focused control (Form::ActiveControl)
    DefaultButton,  // the form's default button (Enter)
    CancelButton,   // the form's cancel button (Esc)
};

class ChangeSink {
public:
    virtual ~ChangeSink() = default;
    // `item` is the list position for ItemAdded, ItemRemoved and ItemChanged, else -1.
    virtual void ControlChanged(Control& control, Change change, int32_t item) = 0;
    virtual void FormChanged(Form& form, Change change) = 0;
};

}  // namespace platform::toolkit
