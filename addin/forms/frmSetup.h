// frmSetup: the setup form, where the defaults are set field by field. Field numbers
// in its events: 0 to 5 are txtSetup(0) to txtSetup(5), 6 is cboWorkType (its hint
// number). The form only turns its controls' events into the events below.
#pragma once

#include <cstdint>
#include <string>

#include "addin/forms/form_controls.h"

class frmSetupEvents {
public:
    // A cmdSetup button was clicked.
    virtual void ButtonClicked(int16_t index) = 0;
    // A cmdBrowse button was clicked.
    virtual void BrowseClicked(int16_t index) = 0;
    // The text of txtSetup(index) changed.
    virtual void SetupFieldChange(int16_t index) = 0;
    virtual void SetupFieldGotFocus(int16_t field) = 0;
    virtual void SetupFieldLostFocus(int16_t field) = 0;
    // The text of cboWorkType changed.
    virtual void SetupListChange(const std::string& text) = 0;
    // An entry of cboWorkType was chosen: the box's text and the list index.
    virtual void SetupListClick(const std::string& text, int32_t listIndex) = 0;
    // A key typed in cboWorkType: set key to 0 to swallow it, or change it.
    virtual void SetupListKeyPress(const std::string& text, int16_t& key) = 0;
    // A lblWebSite label was clicked: its Tag (a web address).
    virtual void SetupWebLabelClick(const std::string& address) = 0;
    // An optDbType option was clicked.
    virtual void SetupDbTypeOptionClick() = 0;

protected:
    ~frmSetupEvents() = default;
};

class frmSetup : public forms::Form, public platform::toolkit::EventSource<frmSetupEvents> {
public:
    frmSetup();

    forms::Label lblFormTitle{*this, "lblFormTitle"};
    forms::ControlArray<forms::Label> lblFieldLabel{*this, "lblFieldLabel", {0, 1, 2, 3, 4, 5, 6, 7}};
    forms::ComboBox cboWorkType{*this, "cboWorkType"};
    forms::ControlArray<forms::Label> lblAlert{*this, "lblAlert", {0, 1, 2, 3, 4, 5, 6}};
    forms::ControlArray<forms::TextBox> txtSetup{*this, "txtSetup", {0, 1, 2, 3, 4, 5}};
    forms::ControlArray<forms::CommandButton> cmdBrowse{*this, "cmdBrowse", {0, 1, 2, 3}};
    forms::Frame fraDbOption{*this, "fraDbOption"};
    forms::ControlArray<forms::OptionButton> optDbType{*this, "optDbType", {0, 1}};
    forms::ControlArray<forms::Label> lblWebSite{*this, "lblWebSite", {0, 1}};
    forms::Frame fraSettings{*this, "fraSettings"};
    forms::ControlArray<forms::Label> lblDelimLabel{*this, "lblDelimLabel", {0, 1, 2}};
    forms::Label lblSavePathSample{*this, "lblSavePathSample"};
    forms::ControlArray<forms::CommandButton> cmdSetup{*this, "cmdSetup", {0, 1}};
    forms::RichTextBox rtfFieldHints{*this, "rtfFieldHints"};

private:
    void Design();
    void DesignSettingsFrame();
    void Wire();
};
