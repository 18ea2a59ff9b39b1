// Subscribers for the four forms that write every event down, one line each
// ("ButtonClicked 2", "ProjectComboKeyPress Sm 105"), and let a test act on an event
// as the controller would (change a key, unload the form).
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "addin/forms/frmFolderMessage.h"
#include "addin/forms/frmProjInfo.h"
#include "addin/forms/frmQuillet.h"
#include "addin/forms/frmSetup.h"

namespace forms_test {

using Log = std::vector<std::string>;

class Recorder {
public:
    Log log;
    // Runs after each event is written down, with its line.
    std::function<void(const std::string& line)> then;
    // What the subscriber does with a key typed in a combo box.
    std::function<void(int16_t& key)> onKey;

    Log Take() { return std::exchange(log, {}); }

protected:
    template <class... Args>
    void Write(const char* event, const Args&... args) {
        std::ostringstream out;
        out << event;
        ((out << ' ' << args), ...);
        std::string line = out.str();  // `then` may write more lines down meanwhile
        log.push_back(line);
        if (then) then(line);
    }
    void Key(const char* event, const std::string& text, int16_t& key) {
        Write(event, text, key);
        if (onKey) onKey(key);
    }
};

class QuilletRecorder : public frmQuilletEvents, public Recorder {
public:
    void ButtonClicked(int16_t index) override { Write("ButtonClicked", index); }
    void FormUnload(int16_t cancel) override { Write("FormUnload", cancel); }
    void FormActivate() override { Write("FormActivate"); }
    void ProjectComboChange(const std::string& text) override { Write("ProjectComboChange", text); }
    void ProjectComboClick(const std::string& text, int32_t listIndex) override {
        Write("ProjectComboClick", text, listIndex);
    }
    void ProjectComboGotFocus(int16_t hint) override { Write("ProjectComboGotFocus", hint); }
    void ProjectComboKeyPress(const std::string& text, int16_t& key) override {
        Key("ProjectComboKeyPress", text, key);
    }
    void ProjectComboLostFocus() override { Write("ProjectComboLostFocus"); }
    void SaveAsNameChanged() override { Write("SaveAsNameChanged"); }
    void SaveAsNameGotFocus(int16_t hint) override { Write("SaveAsNameGotFocus", hint); }
    void SaveAsNameLostFocus() override { Write("SaveAsNameLostFocus"); }
    void SaveFolderChanged() override { Write("SaveFolderChanged"); }
    void SaveFolderGotFocus(int16_t hint) override { Write("SaveFolderGotFocus", hint); }
    void SaveFolderLostFocus() override { Write("SaveFolderLostFocus"); }
    void WebLabelClick(const std::string& caption) override { Write("WebLabelClick", caption); }
};

class SetupRecorder : public frmSetupEvents, public Recorder {
public:
    void ButtonClicked(int16_t index) override { Write("ButtonClicked", index); }
    void BrowseClicked(int16_t index) override { Write("BrowseClicked", index); }
    void SetupFieldChange(int16_t index) override { Write("SetupFieldChange", index); }
    void SetupFieldGotFocus(int16_t field) override { Write("SetupFieldGotFocus", field); }
    void SetupFieldLostFocus(int16_t field) override { Write("SetupFieldLostFocus", field); }
    void SetupListChange(const std::string& text) override { Write("SetupListChange", text); }
    void SetupListClick(const std::string& text, int32_t listIndex) override {
        Write("SetupListClick", text, listIndex);
    }
    void SetupListKeyPress(const std::string& text, int16_t& key) override { Key("SetupListKeyPress", text, key); }
    void SetupWebLabelClick(const std::string& address) override { Write("SetupWebLabelClick", address); }
    void SetupDbTypeOptionClick() override { Write("SetupDbTypeOptionClick"); }
};

class ProjInfoRecorder : public frmProjInfoEvents, public Recorder {
public:
    void ButtonClicked(int16_t index) override { Write("ButtonClicked", index); }
    void ButtonMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y) override {
        Write("ButtonMouseDown", index, button, shift, x, y);
    }
    void BrowseClicked(int16_t index) override { Write("BrowseClicked", index); }
    void ProjInfoFieldChange(int16_t index) override { Write("ProjInfoFieldChange", index); }
    void ProjInfoFieldGotFocus(int16_t index) override { Write("ProjInfoFieldGotFocus", index); }
    void ProjInfoFieldLostFocus(int16_t index) override { Write("ProjInfoFieldLostFocus", index); }
    void ProjInfoWebLabelClick(const std::string& caption) override { Write("ProjInfoWebLabelClick", caption); }
    void ProjActiveClicked() override { Write("ProjActiveClicked"); }
    void FormActivate() override { Write("FormActivate"); }
};

class FolderMessageRecorder : public frmFolderMessageEvents, public Recorder {
public:
    void ButtonClicked(int16_t index) override { Write("ButtonClicked", index); }
    void ButtonMouseDown(int16_t index, int16_t button, int16_t shift, float x, float y) override {
        Write("ButtonMouseDown", index, button, shift, x, y);
    }
    void FolderMessageFieldChange(int16_t index) override { Write("FolderMessageFieldChange", index); }
    void FolderMessageFieldGotFocus(int16_t index) override { Write("FolderMessageFieldGotFocus", index); }
    void FolderMessageFieldLostFocus(int16_t index) override { Write("FolderMessageFieldLostFocus", index); }
    void FormActivate() override { Write("FormActivate"); }
};

}  // namespace forms_test
