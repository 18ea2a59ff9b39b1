// frmProjInfo: the project information form, where a project is added or changed.
// The form only turns its controls' events into the events below.
#pragma once

#include <cstdint>
#include <string>

#include "addin/forms/form_controls.h"

class frmProjInfoEvents {
public:
    // A cmdProjInfo button was clicked.
    virtual void ButtonClicked(int16_t index) = 0;
    // A mouse button went down on a cmdProjInfo button: the button (1 left), the
    // shift state and the point inside it (twips).
    virtual void ButtonMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y) = 0;
    // cmdBrowse was clicked.
    virtual void BrowseClicked(int16_t index) = 0;
    // The text of txtProjInfo(index) changed.
    virtual void ProjInfoFieldChange(int16_t index) = 0;
    virtual void ProjInfoFieldGotFocus(int16_t index) = 0;
    virtual void ProjInfoFieldLostFocus(int16_t index) = 0;
    // lblWebSite was clicked: its caption (the web address).
    virtual void ProjInfoWebLabelClick(const std::string& caption) = 0;
    // chkProjActive was clicked.
    virtual void ProjActiveClicked() = 0;
    virtual void FormActivate() = 0;

protected:
    ~frmProjInfoEvents() = default;
};

class frmProjInfo : public forms::Form, public platform::toolkit::EventSource<frmProjInfoEvents> {
public:
    frmProjInfo();

    forms::Label lblFormTitle{*this, "lblFormTitle"};
    forms::ControlArray<forms::Label> lblFieldLabel{*this, "lblFieldLabel", {0, 1, 2}};
    forms::ControlArray<forms::TextBox> txtProjInfo{*this, "txtProjInfo", {0, 1, 2}};
    forms::ControlArray<forms::Label> lblAlert{*this, "lblAlert", {0, 1, 2}};
    forms::ControlArray<forms::CommandButton> cmdBrowse{*this, "cmdBrowse", {0}};
    forms::CheckBox chkProjActive{*this, "chkProjActive"};
    forms::ControlArray<forms::CommandButton> cmdProjInfo{*this, "cmdProjInfo", {0, 1, 2}};
    forms::Label lblWebSite{*this, "lblWebSite"};
    forms::RichTextBox rtfFieldHints{*this, "rtfFieldHints"};

private:
    void Design();
    void Wire();
};
