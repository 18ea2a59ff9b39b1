// The project form: adding a project ("add", "addmanual") or changing the current one
// ("edit") in the own database.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/forms/web_addresses.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/window_calls.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/clsUtil.h"
#include "util/interfaces/sql_text.h"

namespace text = platform::text;
namespace toolkit = platform::toolkit;

namespace {
const std::string kCrLf = "\r\n";
constexpr int32_t adExecuteNoRecords = 128;
}  // namespace

void clsQuillet::OpenProjectForm() {
    frmProjInfoEvent = std::make_shared<frmProjInfo>();
    auto form = ProjectForm();
    if (text::EqualNoCase(ProjInfoMode_, "add")) {
        form->SetCaption("Add a " + WorkUnit_);
        form->txtProjInfo(0).SetText(GetNewProjectNumber());
        form->txtProjInfo(1).SetText("New Project");
        form->txtProjInfo(2).SetText(Root_);
        form->chkProjActive.SetVisible(false);
    } else {
        if (text::EqualNoCase(ProjInfoMode_, "addmanual")) {
            form->SetCaption("Add a " + WorkUnit_);
            form->txtProjInfo(0).SetText(!ProjectNumber_.empty() ? ProjectNumber_ : GetNewProjectNumber());
        } else {
            form->SetCaption("Edit a " + WorkUnit_);
            if (!ProjectNumber_.empty()) form->txtProjInfo(0).SetText(ProjectNumber_);
        }
        form->txtProjInfo(1).SetText(ProjectName_);
        form->txtProjInfo(2).SetText(ProjFilePath_);
        form->chkProjActive.SetValue(ProjActive_ ? 1 : 0);
    }
    form->ZOrder(0);
    form->Show(toolkit::vbModal);
}

void clsQuillet::frmProjInfoEvent_BrowseClicked(int16_t index) {
    if (index == 0) BrowseTarget_ = 6;
    ChooseFolder();
}

void clsQuillet::frmProjInfoEvent_ButtonClicked(int16_t index) {
    auto form = ProjectForm();
    Use(form).rtfFieldHints.SetText("");
    switch (index) {
        case 0: {
            const std::string problems = ValidateProjectForm();
            if (!problems.empty()) {
                toolkit::MsgBox("The " + WorkUnit_ + " Information cannot be saved... " + kCrLf + problems,
                                toolkit::vbInformation, "Cannot Save");
                return;
            }
            if (!ProjectInfoSave()) return;
            ProjFormClosed_ = true;
            if (ProjInfoMode_ != "addmanual" && ProjActive_) CheckTypedProject();
            if (auto saveForm = SaveForm()) {
                FillProjectList(saveForm->cboQuillet);
                ShowProjectOnSaveForm(*saveForm);
            }
            CloseProjectForm();
            return;
        }
        case 1:
            if (auto saveForm = SaveForm(); saveForm && saveForm->cboQuillet.ListIndex() >= 0) {
                const int32_t selected = saveForm->cboQuillet.ListIndex();
                frmQuilletEvent_ProjectComboClick(saveForm->cboQuillet.List(selected), selected);
            }
            ProjFormClosed_ = true;
            CloseProjectForm();
            return;
        case 2: {
            int32_t owner = SaveForm() ? SaveForm()->hWnd() : 0;
            gUtil->UtilStartDoc(owner, "open", std::string(QuilletWebAddress) + "/QuilletHelp_files/howtouse.htm");
            return;
        }
        default:
            return;
    }
}

// Unloads the project form, puts the save form on top again and the focus into its
// project box.
void clsQuillet::CloseProjectForm() {
    if (auto form = ProjectForm()) form->Unload();
    frmProjInfoEvent = nullptr;
    auto saveForm = SaveForm();
    if (saveForm)
        toolkit::SetWindowPos(saveForm->hWnd(), toolkit::hwnd::TopMost, 0, 0, 0, 0,
                              toolkit::swp::NoMove | toolkit::swp::NoSize);
    FillingForm_ = false;
    if (saveForm) saveForm->cboQuillet.SetFocus();
}

// A left-button press on Cancel holds the save form's events back while Cancel
// re-selects the project; any other press lets them through.
void clsQuillet::frmProjInfoEvent_ButtonMouseDown(int16_t index, int16_t button) {
    FillingForm_ = index == 1 && button == 1;
}

void clsQuillet::frmProjInfoEvent_FormActivate() { Use(ProjectForm()).txtProjInfo(1).SetFocus(); }

void clsQuillet::frmProjInfoEvent_ProjInfoFieldChange(int16_t index) {
    frmProjInfo& form = Use(ProjectForm());
    MarkRequiredField(form.txtProjInfo(index), form.lblFieldLabel(index), form.lblAlert(index));
}

// Writes the project; a failure is reported and the save goes on with the next
// statement, so the pointer comes back and the result is false.
bool clsQuillet::ProjectInfoSave() {
    bool result = false;
    Guard("ProjectInfoSave()")
        .ResumeNextAfterReport()
        .Run({
            [&] { toolkit::Screen::SetMousePointer(toolkit::vbHourglass); },
            [&] {
                frmProjInfo& form = Use(ProjectForm());
                ProjectNumber_ = form.txtProjInfo(0).Text();
                ProjectName_ = form.txtProjInfo(1).Text();
                ProjFilePath_ = form.txtProjInfo(2).Text();
                if (text::EqualNoCase(ProjInfoMode_, "edit")) {
                    ProjActive_ = form.chkProjActive.Value() != 0;
                    result = UpdateProject();
                } else {
                    ProjActive_ = true;
                    result = InsertProject();
                }
            },
            [&] { toolkit::Screen::SetMousePointer(toolkit::vbDefault); },
        });
    return result;
}

namespace {
std::string Boolean(bool value) { return value ? "True" : "False"; }

// A write that changed no row (the project's row is not in the table, or a temporary
// project has none): the person is told, and the project form stays open.
void TellProjectNotFound(const std::string& workUnit, const std::string& name) {
    toolkit::MsgBox(workUnit + " \"" + name + "\" could not be found in the Database, so nothing was saved.",
                    toolkit::vbInformation, workUnit + " Not Found");
}
}  // namespace

bool clsQuillet::InsertProject() {
    const std::string sql = std::string("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) ") +
                            "VALUES ('" + SqlQuoted(ProjectNumber_) + "', '" + SqlQuoted(ProjectName_) + "', '" +
                            SqlQuoted(ProjFilePath_) + "', " + Boolean(ProjActive_) + ");";
    int32_t affected = 0;
    Use(gDb).ExecuteCommand(sql, &affected, adExecuteNoRecords);
    if (affected < 1) {
        TellProjectNotFound(WorkUnit_, ProjectName_);
        return false;
    }
    ProjectList_ = gDb->GetRSArray(ProjectListSQL_);
    return true;
}

bool clsQuillet::UpdateProject() {
    const std::string sql = std::string("UPDATE Project ") + "SET [Project Number] = '" + SqlQuoted(ProjectNumber_) +
                            "', " + "[Project Name] = '" + SqlQuoted(ProjectName_) + "', " + "[ProjFilePath] = '" +
                            SqlQuoted(ProjFilePath_) + "', " + "[Active] = " + Boolean(ProjActive_) + " " +
                            "WHERE ProjectID = " + std::to_string(ProjectID_) + ";";
    int32_t affected = 0;
    Use(gDb).ExecuteCommand(sql, &affected, adExecuteNoRecords);
    if (affected < 1) {
        TellProjectNotFound(WorkUnit_, ProjectName_);
        return false;
    }
    ProjectList_ = gDb->GetRSArray(ProjectListSQL_);
    return true;
}
