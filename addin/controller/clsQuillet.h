// clsQuillet: the add-in's controller. It owns the working state (paths, mode,
// loaded defaults, the current project, the mail being filed), dresses the command
// button on each mail window and receives its clicks, and receives every event of
// the four forms. Its operations are spread over the files of addin/controller,
// addin/projects and addin/settings by topic; each form's events arrive through a
// sink of the form's name + "Event" and are handled by members named after them
// (frmQuilletEvent_ButtonClicked, ...).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/forms/frmFolderMessage.h"
#include "addin/forms/frmProjInfo.h"
#include "addin/forms/frmQuillet.h"
#include "addin/forms/frmSetup.h"
#include "platform/com/events.h"
#include "platform/errors/frame.h"
#include "platform/outlook/outlook.h"
#include "util/interfaces/QueryResult.h"

// A field of the controller with its read and write accessors.
#define QUILLET_FIELD(Type, Name)                         \
public:                                                   \
    Type Name() const { return Name##_; }                 \
    void Name(Type value) { Name##_ = std::move(value); } \
                                                          \
private:                                                  \
    Type Name##_{};

// The hint texts of the forms: one entry per form section of the hint file, each
// the hints of that form's fields in file order. Empty until the file was read.
using HintTable = std::vector<std::vector<std::string>>;

class clsQuillet final : private platform::outlook::CommandBarButtonEvents {
public:
    clsQuillet();   // the start: paths, mode, settings
    ~clsQuillet();  // the end: the button is let go

    // The error frame of a guarded procedure of the controller ("clsQuillet").
    static platform::ErrorFrame Guard(const char* procedure);

    // ---- fields -------------------------------------------------------------------
    QUILLET_FIELD(bool, PlexarInstalled)
    QUILLET_FIELD(bool, UsePlexar)
    QUILLET_FIELD(bool, MailSent)
    // The message being filed (the item of the window whose button was clicked) was
    // already sent: it is saved, not sent.
    QUILLET_FIELD(bool, CurrentMailSent)
    QUILLET_FIELD(std::string, Root)
    QUILLET_FIELD(std::string, ProjDelim)
    QUILLET_FIELD(std::string, SubjDelim)
    QUILLET_FIELD(std::string, EmailFolder)
    QUILLET_FIELD(std::string, WorkUnit)
    QUILLET_FIELD(QueryResult, ProjectList)
    QUILLET_FIELD(std::string, ProjectNumber)
    QUILLET_FIELD(std::string, ProjectName)
    QUILLET_FIELD(std::string, ProjFilePath)
    QUILLET_FIELD(bool, ProjActive)
    QUILLET_FIELD(int32_t, ProjectID)
    QUILLET_FIELD(std::string, MailSubject)
    QUILLET_FIELD(bool, FillingForm)
    QUILLET_FIELD(int32_t, BrowseTarget)
    QUILLET_FIELD(std::string, BrowseFolder)
    QUILLET_FIELD(std::string, FolderMessageText)
    QUILLET_FIELD(std::string, ProjInfoMode)
    QUILLET_FIELD(int16_t, TypedLength)
    QUILLET_FIELD(bool, ComboDeleting)
    QUILLET_FIELD(bool, ProjectTyped)
    QUILLET_FIELD(bool, DriveOk)
    QUILLET_FIELD(bool, ProjFormClosed)
    QUILLET_FIELD(std::string, ProjectListSQL)
    QUILLET_FIELD(HintTable, FormHints)
    QUILLET_FIELD(bool, SetupLoading)
    QUILLET_FIELD(std::string, HintWorkUnit)

public:
    // A field's value as text, by its name ("ProjectNumber", "UsePlexar",
    // "ProjectList(1,0)"), for diagnostics; nullopt for an unknown name.
    std::optional<std::string> FieldText(std::string_view name) const;

    // ---- the button (start) -----------------------------------------------------------
    // Dresses a new button of a mail window and follows its clicks.
    void SetupMenuButton(const std::shared_ptr<platform::outlook::CommandBarButton>& button);

    // ---- subject tags, projects and file names ----------------------------------------
    static std::string FixPath(const std::string& path);
    bool ParseSubjectTag(std::string& subject);
    bool FindProjectIndex(int32_t& index, const std::string& number, const std::string& name);
    void SelectProject(int32_t row);
    void ReadTypedProject();
    void CheckTypedProject();
    void FillProjectList(platform::toolkit::ComboBox& box);
    void ShowProjectOnSaveForm(frmQuillet& form);
    void ShowSetupDefaults();

    // ---- validation and prompts -------------------------------------------------------
    std::string ValidateSaveForm();
    std::string ValidateSetupForm();
    std::string ValidateProjectForm();
    std::string CheckDriveType(const std::string& path, const std::string& fieldName);
    void ChooseFolder();
    bool EnsureFolderExists(std::string& folder);
    bool CheckExistingFile(const std::string& folder, std::string& fileName);
    bool MarkRequiredField(platform::toolkit::TextControl& field, platform::toolkit::Label& label,
                           platform::toolkit::Label& alert);
    void ShowWorkUnitLabels();

    // ---- save and send ----------------------------------------------------------------
    bool SaveAndSendMail();

    // ---- the project database ---------------------------------------------------------
    void GetDataBaseSettings();
    bool SetNewDbLocation(const std::string& newFolder);
    void LoadProjectList();
    std::string GetNewProjectNumber();
    bool IsExisitingProjectNumber(const std::string& number);
    bool ProjectInfoSave();
    bool InsertProject();
    bool UpdateProject();
    bool AskAddProject(int32_t& index, const std::string& number);
    void ClearCurrentProject();

    // ---- settings -----------------------------------------------------------------------
    void LocateSettings();
    void ReadDefaults();
    void LoadFormHints();
    void FillWorkUnitList(platform::toolkit::ComboBox& box);
    void AddWorkUnitType(const std::string& text);
    void QuilletDefaultsSave(int16_t Index);
    bool SetNewIniLocation(const std::string& newFolder);

    // ---- form workflows ---------------------------------------------------------------
    void OpenProjectForm();
    void OpenSetupForm();
    // Prefix completion of a combo box's text over its list (the save form's project
    // box, the setup form's work-unit box).
    void ComboTypeAhead(platform::toolkit::ComboBox& box, int16_t& typedLength, int16_t& key);

    // The open forms (null when closed).
    const std::shared_ptr<frmQuillet>& SaveForm() const { return frmQuilletEvent.get(); }
    const std::shared_ptr<frmSetup>& SetupForm() const { return frmSetupEvent.get(); }
    const std::shared_ptr<frmProjInfo>& ProjectForm() const { return frmProjInfoEvent.get(); }

private:
    // mcbQuilletMenuButton_Click: a click on the button of a mail window.
    void Click(const std::shared_ptr<platform::outlook::CommandBarButton>& ctrl, bool& cancelDefault) override;
    void mcbQuilletMenuButton_Click();

    // The save form's events.
    void frmQuilletEvent_ButtonClicked(int16_t index);
    void frmQuilletEvent_FormUnload(int16_t cancel);
    void frmQuilletEvent_FormActivate();
    void frmQuilletEvent_ProjectComboChange(const std::string& text);
    void frmQuilletEvent_ProjectComboClick(const std::string& text, int32_t listIndex);
    void frmQuilletEvent_ProjectComboKeyPress(const std::string& text, int16_t& key);
    void frmQuilletEvent_ProjectComboLostFocus();
    void frmQuilletEvent_SaveAsNameChanged();
    void frmQuilletEvent_SaveAsNameLostFocus();
    void frmQuilletEvent_SaveFolderChanged();
    void frmQuilletEvent_WebLabelClick(const std::string& address);
    void ShowSaveFormHint(int16_t item);
    // "Send and Save": validation, the folder check, then the save; true closes the form.
    bool SaveButtonClicked();
    // The footer naming the saved file, added to the message once.
    void AddFooter(const std::shared_ptr<platform::outlook::MailItem>& mail, const std::string& savedFile);

    // The setup form's events.
    void frmSetupEvent_BrowseClicked(int16_t index);
    void frmSetupEvent_ButtonClicked(int16_t index);
    void frmSetupEvent_SetupDbTypeOptionClick();
    void frmSetupEvent_SetupFieldChange(int16_t index);
    void frmSetupEvent_SetupFieldGotFocus(int16_t index);
    void frmSetupEvent_SetupFieldLostFocus(int16_t index);
    void frmSetupEvent_SetupListChange(const std::string& text);
    void frmSetupEvent_SetupListKeyPress(const std::string& text, int16_t& key);
    void frmSetupEvent_SetupWebLabelClick(const std::string& link);
    void LayOutFormsForMode();
    // The setup field k: its control, its caption label and its "Required" mark.
    platform::toolkit::TextControl& SetupField(int16_t index);
    std::string SetupFieldName(int16_t index);

    // The project form's events.
    void frmProjInfoEvent_BrowseClicked(int16_t index);
    void frmProjInfoEvent_ButtonClicked(int16_t index);
    void frmProjInfoEvent_ButtonMouseDown(int16_t index, int16_t button);
    void frmProjInfoEvent_FormActivate();
    void frmProjInfoEvent_ProjInfoFieldChange(int16_t index);
    void CloseProjectForm();

    // The folder-message form's events.
    void frmFolderMessageEvent_ButtonClicked(int16_t index);
    void frmFolderMessageEvent_FormActivate();
    // Shows the prompt form modally and returns what it confirmed ("" when cancelled).
    void ShowFolderMessage(const std::string& title, const std::string& message, const std::string& name,
                           const std::string& choices);

    // The window of the message being filed, taken at the click: its editor chooses
    // the footer's form. Let go when the save form unloads.
    std::shared_ptr<platform::outlook::Inspector> mailWindow_;
    // The message that last got the footer, and the saved file the footer names.
    std::weak_ptr<platform::outlook::MailItem> footerMail_;
    std::string footerPath_;

    // A key the work-unit box's type-ahead left to the box is about to change its text.
    bool typedKeyLanding_ = false;

    // Each form's events reach the controller through a sink of its own.
    struct SaveFormSink;
    struct SetupFormSink;
    struct ProjectFormSink;
    struct FolderMessageSink;
    std::unique_ptr<SaveFormSink> saveFormSink_;
    std::unique_ptr<SetupFormSink> setupFormSink_;
    std::unique_ptr<ProjectFormSink> projectFormSink_;
    std::unique_ptr<FolderMessageSink> folderMessageSink_;

    platform::com::WithEvents<platform::outlook::CommandBarButton, platform::outlook::CommandBarButtonEvents>
        mcbQuilletMenuButton{this};
    platform::com::WithEvents<frmQuillet, frmQuilletEvents> frmQuilletEvent;
    platform::com::WithEvents<frmSetup, frmSetupEvents> frmSetupEvent;
    platform::com::WithEvents<frmProjInfo, frmProjInfoEvents> frmProjInfoEvent;
    platform::com::WithEvents<frmFolderMessage, frmFolderMessageEvents> frmFolderMessageEvent;
};
