// frmQuillet: the save form. It proposes a project, a folder and a file name for the
// mail being filed; the controller fills it and does all the work. The form only
// turns its controls' events into the events below.
#pragma once

#include <cstdint>
#include <string>

#include "addin/forms/form_controls.h"

class frmQuilletEvents {
public:
    // A cmdQuillet button was clicked.
    virtual void ButtonClicked(int16_t index) = 0;
    // The form unloads, whatever the reason; cancel is always 0.
    virtual void FormUnload(int16_t cancel) = 0;
    virtual void FormActivate() = 0;
    // The text of cboQuillet changed.
    virtual void ProjectComboChange(const std::string& text) = 0;
    // An entry of cboQuillet was chosen: its text and its list index.
    virtual void ProjectComboClick(const std::string& text, int32_t listIndex) = 0;
    virtual void ProjectComboGotFocus(int16_t hint) = 0;
    // A key typed in cboQuillet: set key to 0 to swallow it, or change it.
    virtual void ProjectComboKeyPress(const std::string& text, int16_t& key) = 0;
    virtual void ProjectComboLostFocus() = 0;
    virtual void SaveAsNameChanged() = 0;
    virtual void SaveAsNameGotFocus(int16_t hint) = 0;
    virtual void SaveAsNameLostFocus() = 0;
    virtual void SaveFolderChanged() = 0;
    virtual void SaveFolderGotFocus(int16_t hint) = 0;
    virtual void SaveFolderLostFocus() = 0;
    // lblWebSite was clicked: its caption (the web address).
    virtual void WebLabelClick(const std::string& caption) = 0;

protected:
    ~frmQuilletEvents() = default;
};

class frmQuillet : public forms::Form, public platform::toolkit::EventSource<frmQuilletEvents> {
public:
    frmQuillet();

    forms::Label lblFormTitle{*this, "lblFormTitle"};
    forms::ControlArray<forms::Label> lblFieldLabel{*this, "lblFieldLabel", {0, 1, 2}};
    forms::ComboBox cboQuillet{*this, "cboQuillet"};
    forms::ControlArray<forms::CommandButton> cmdQuillet{*this, "cmdQuillet", {0, 1, 2, 3, 4, 5, 8}};
    forms::ControlArray<forms::Label> lblAlert{*this, "lblAlert", {0, 1, 2}};
    forms::TextBox txtSaveFolder{*this, "txtSaveFolder"};
    forms::TextBox txtSaveAsName{*this, "txtSaveAsName"};
    forms::RichTextBox rtfFieldHints{*this, "rtfFieldHints"};
    forms::Label lblWebSite{*this, "lblWebSite"};

private:
    void Design();
    void Wire();
};
