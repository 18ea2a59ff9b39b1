// The save form's events: its buttons, the project box, the folder and file name
// boxes with their required marks and hints, the web label, activation and unload.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/forms/web_addresses.h"
#include "addin/host/modMain.h"
#include "platform/toolkit/window_calls.h"
#include "util/interfaces/clsUtil.h"

namespace toolkit = platform::toolkit;

namespace {
constexpr int32_t kKeepPlaceAndSize = toolkit::swp::NoMove | toolkit::swp::NoSize;

void SetTopMost(const frmQuillet& form, bool topMost) {
    toolkit::SetWindowPos(form.hWnd(), topMost ? toolkit::hwnd::TopMost : toolkit::hwnd::NoTopMost, 0, 0, 0, 0,
                          kKeepPlaceAndSize);
}
}  // namespace

void clsQuillet::frmQuilletEvent_FormActivate() { SetTopMost(Use(SaveForm()), true); }

// Every click first takes the form out of the top-most order, so that what the click
// shows comes above it.
void clsQuillet::frmQuilletEvent_ButtonClicked(int16_t index) {
    auto form = SaveForm();  // kept while the click runs, even when the form closes
    SetTopMost(Use(form), false);
    bool close = false;
    switch (index) {
        case 0:
            close = SaveButtonClicked();
            break;
        case 1:
            BrowseTarget_ = 0;
            ChooseFolder();
            SetTopMost(*form, true);
            break;
        case 2:
            ProjInfoMode_ = "add";
            OpenProjectForm();
            break;
        case 3:
            OpenSetupForm();
            break;
        case 4:
            close = true;
            break;
        case 5: {
            int32_t hwnd = form->hWnd();
            gUtil->UtilStartDoc(hwnd, "open", std::string(QuilletWebAddress) + "/QuilletHelp.htm");
            break;
        }
        case 8:
            ProjInfoMode_ = "edit";
            OpenProjectForm();
            break;
        default:
            break;
    }
    if (close) {
        form->Unload();
        frmQuilletEvent = nullptr;
    } else if (!form->Visible()) {
        form->Show(toolkit::vbModeless);
    }
}

void clsQuillet::frmQuilletEvent_FormUnload(int16_t) {
    ClearCurrentProject();
    mailWindow_ = nullptr;
}

// Any change of the project text resets the folder to the root folder.
void clsQuillet::frmQuilletEvent_ProjectComboChange(const std::string& text) {
    if (FillingForm_) return;
    frmQuillet& form = Use(SaveForm());
    ProjectTyped_ = !text.empty();
    form.cmdQuillet(8).SetVisible(!text.empty() && !UsePlexar_);
    form.txtSaveFolder.SetText(FixPath(Root_));
    MarkRequiredField(form.cboQuillet, form.lblFieldLabel(0), form.lblAlert(0));
}

void clsQuillet::frmQuilletEvent_ProjectComboClick(const std::string& text, int32_t listIndex) {
    if (FillingForm_) return;
    auto form = SaveForm();
    Use(form).cmdQuillet(8).SetVisible(!text.empty() && !UsePlexar_);
    MarkRequiredField(form->cboQuillet, form->lblFieldLabel(0), form->lblAlert(0));
    SelectProject(listIndex);
    ShowProjectOnSaveForm(*form);
}

void clsQuillet::ShowSaveFormHint(int16_t item) {
    if (FormHints_.empty()) return;
    Use(SaveForm()).rtfFieldHints.SetText("Hint:\r\n" + FormHints_.at(0).at(size_t(item)));
}

void clsQuillet::frmQuilletEvent_ProjectComboKeyPress(const std::string&, int16_t& key) {
    if (FillingForm_) return;
    frmQuillet& form = Use(SaveForm());
    if (key >= 32 && key <= 126) {
        if (!ComboDeleting_) ComboTypeAhead(form.cboQuillet, TypedLength_, key);
    } else if (key == 13) {
        toolkit::SendKeys("{TAB}", true);
        key = 0;
        TypedLength_ = 0;
    } else if (key == 8) {
        // After a Backspace the box is edited by hand: no type-ahead until it loses the focus.
        ComboDeleting_ = true;
        toolkit::SendMessageA(form.cboQuillet.hWnd(), toolkit::cb::ShowDropDown, 0, 0);
    }
}

void clsQuillet::frmQuilletEvent_ProjectComboLostFocus() {
    TypedLength_ = 0;
    ComboDeleting_ = false;
}

void clsQuillet::frmQuilletEvent_SaveAsNameChanged() {
    frmQuillet& form = Use(SaveForm());
    MarkRequiredField(form.txtSaveAsName, form.lblFieldLabel(2), form.lblAlert(2));
}

void clsQuillet::frmQuilletEvent_SaveAsNameLostFocus() { MailSubject_ = Use(SaveForm()).txtSaveAsName.Text(); }

void clsQuillet::frmQuilletEvent_SaveFolderChanged() {
    frmQuillet& form = Use(SaveForm());
    MarkRequiredField(form.txtSaveFolder, form.lblFieldLabel(1), form.lblAlert(1));
}

void clsQuillet::frmQuilletEvent_WebLabelClick(const std::string& address) {
    int32_t hwnd = Use(SaveForm()).hWnd();
    gUtil->UtilStartDoc(hwnd, "open", address, "", gCommonAppData);
}
