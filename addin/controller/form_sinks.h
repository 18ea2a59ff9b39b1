// The sinks through which each form's events reach the controller's handlers. The
// events the controller does not handle end here.
#pragma once

#include "addin/controller/clsQuillet.h"

struct clsQuillet::SaveFormSink final : frmQuilletEvents {
    explicit SaveFormSink(clsQuillet& c) : c(c) {}
    clsQuillet& c;
    void ButtonClicked(int16_t index) override { c.frmQuilletEvent_ButtonClicked(index); }
    void FormUnload(int16_t cancel) override { c.frmQuilletEvent_FormUnload(cancel); }
    void FormActivate() override { c.frmQuilletEvent_FormActivate(); }
    void ProjectComboChange(const std::string& text) override { c.frmQuilletEvent_ProjectComboChange(text); }
    void ProjectComboClick(const std::string& text, int32_t listIndex) override {
        c.frmQuilletEvent_ProjectComboClick(text, listIndex);
    }
    void ProjectComboGotFocus(int16_t) override { c.ShowSaveFormHint(0); }
    void ProjectComboKeyPress(const std::string& text, int16_t& key) override {
        c.frmQuilletEvent_ProjectComboKeyPress(text, key);
    }
    void ProjectComboLostFocus() override { c.frmQuilletEvent_ProjectComboLostFocus(); }
    void SaveAsNameChanged() override { c.frmQuilletEvent_SaveAsNameChanged(); }
    void SaveAsNameGotFocus(int16_t) override { c.ShowSaveFormHint(2); }
    void SaveAsNameLostFocus() override { c.frmQuilletEvent_SaveAsNameLostFocus(); }
    void SaveFolderChanged() override { c.frmQuilletEvent_SaveFolderChanged(); }
    void SaveFolderGotFocus(int16_t) override { c.ShowSaveFormHint(1); }
    void SaveFolderLostFocus() override {}
    void WebLabelClick(const std::string& caption) override { c.frmQuilletEvent_WebLabelClick(caption); }
};

struct clsQuillet::SetupFormSink final : frmSetupEvents {
    explicit SetupFormSink(clsQuillet& c) : c(c) {}
    clsQuillet& c;
    void ButtonClicked(int16_t index) override { c.frmSetupEvent_ButtonClicked(index); }
    void BrowseClicked(int16_t index) override { c.frmSetupEvent_BrowseClicked(index); }
    void SetupFieldChange(int16_t index) override { c.frmSetupEvent_SetupFieldChange(index); }
    void SetupFieldGotFocus(int16_t field) override { c.frmSetupEvent_SetupFieldGotFocus(field); }
    void SetupFieldLostFocus(int16_t field) override { c.frmSetupEvent_SetupFieldLostFocus(field); }
    void SetupListChange(const std::string& text) override { c.frmSetupEvent_SetupListChange(text); }
    void SetupListClick(const std::string& text, int32_t) override { c.frmSetupEvent_SetupListChange(text); }
    void SetupListKeyPress(const std::string& text, int16_t& key) override {
        c.frmSetupEvent_SetupListKeyPress(text, key);
    }
    void SetupWebLabelClick(const std::string& address) override { c.frmSetupEvent_SetupWebLabelClick(address); }
    void SetupDbTypeOptionClick() override { c.frmSetupEvent_SetupDbTypeOptionClick(); }
};

struct clsQuillet::ProjectFormSink final : frmProjInfoEvents {
    explicit ProjectFormSink(clsQuillet& c) : c(c) {}
    clsQuillet& c;
    void ButtonClicked(int16_t index) override { c.frmProjInfoEvent_ButtonClicked(index); }
    void ButtonMouseDown(int16_t index, int16_t button, int16_t, float, float) override {
        c.frmProjInfoEvent_ButtonMouseDown(index, button);
    }
    void BrowseClicked(int16_t index) override { c.frmProjInfoEvent_BrowseClicked(index); }
    void ProjInfoFieldChange(int16_t index) override { c.frmProjInfoEvent_ProjInfoFieldChange(index); }
    void ProjInfoFieldGotFocus(int16_t) override {}
    void ProjInfoFieldLostFocus(int16_t) override {}
    void ProjInfoWebLabelClick(const std::string&) override {}
    void ProjActiveClicked() override {}
    void FormActivate() override { c.frmProjInfoEvent_FormActivate(); }
};

struct clsQuillet::FolderMessageSink final : frmFolderMessageEvents {
    explicit FolderMessageSink(clsQuillet& c) : c(c) {}
    clsQuillet& c;
    void ButtonClicked(int16_t index) override { c.frmFolderMessageEvent_ButtonClicked(index); }
    void ButtonMouseDown(int16_t, int16_t, int16_t, float, float) override {}
    void FolderMessageFieldChange(int16_t) override {}
    void FolderMessageFieldGotFocus(int16_t) override {}
    void FolderMessageFieldLostFocus(int16_t) override {}
    void FormActivate() override { c.frmFolderMessageEvent_FormActivate(); }
};
