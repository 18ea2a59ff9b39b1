// frmFolderMessage: asks before a missing folder is created, or an existing file
// replaced. Item 0 of txtFolderMessage shows the message, item 1 holds the name to
// confirm. The form only turns its controls' events into the events below.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "addin/forms/form_controls.h"

class frmFolderMessageEvents {
public:
    // A cmdFolderMessage button was clicked.
    virtual void ButtonClicked(int16_t index) = 0;
    // A mouse button went down on a cmdFolderMessage button: the button (1 left),
    // the shift state and the point inside it (twips).
    virtual void ButtonMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y) = 0;
    // The text of txtFolderMessage(index) changed.
    virtual void FolderMessageFieldChange(int16_t index) = 0;
    virtual void FolderMessageFieldGotFocus(int16_t index) = 0;
    virtual void FolderMessageFieldLostFocus(int16_t index) = 0;
    virtual void FormActivate() = 0;

protected:
    ~frmFolderMessageEvents() = default;
};

class frmFolderMessage : public forms::Form, public platform::toolkit::EventSource<frmFolderMessageEvents> {
public:
    frmFolderMessage();

    // The placeholder the designer shows in place of a folder name.
    static constexpr std::string_view kPlaceholder = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX";

    forms::ControlArray<forms::TextBox> txtFolderMessage{*this, "txtFolderMessage", {0, 1}};
    forms::Label lblWarning{*this, "lblWarning"};
    forms::ControlArray<forms::CommandButton> cmdFolderMessage{*this, "cmdFolderMessage", {0, 1}};

private:
    void Design();
    void Wire();
};
