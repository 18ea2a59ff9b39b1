// The setup form: each default checked and saved as its field is left, the switch
// between own and Plexar mode laid out at once, the whole form checked on return.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/forms/web_addresses.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/window_calls.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/clsUtil.h"

namespace text = platform::text;
namespace toolkit = platform::toolkit;

namespace {
const std::string kCrLf = "\r\n";
// The caption label (and "Required" mark) of each field: the separators share one.
int16_t LabelOf(int16_t field) { return field == 2 ? 1 : field; }

// The setup form's hint for a field; a hint file without it fails as a missing
// array element does.
const std::string& SetupHint(const HintTable& hints, int16_t item) {
    if (hints.size() < 2 || item < 0 || size_t(item) >= hints[1].size()) platform::Raise(9, "Subscript out of range");
    return hints[1][size_t(item)];
}
}  // namespace

void clsQuillet::OpenSetupForm() {
    frmSetupEvent = std::make_shared<frmSetup>();
    auto form = SetupForm();
    SetupLoading_ = true;
    FillWorkUnitList(form->cboWorkType);
    if (PlexarInstalled_) {
        form->optDbType(UsePlexar_ ? 1 : 0).SetValue(true);
    } else {
        form->optDbType(1).SetEnabled(false);
        form->optDbType(0).SetValue(true);
    }
    ShowSetupDefaults();
    frmSetupEvent_SetupFieldGotFocus(0);
    SetupLoading_ = false;
    form->SetCaption("Quillet Defaults Setup");
    form->ZOrder(0);
    form->Show(toolkit::vbModal);
}

toolkit::TextControl& clsQuillet::SetupField(int16_t index) {
    frmSetup& form = Use(SetupForm());
    if (index == 6) return form.cboWorkType;
    return form.txtSetup(index);
}

// The caption of the field's label with every ": " taken out ("Server Folder").
std::string clsQuillet::SetupFieldName(int16_t index) {
    return text::Replace(Use(SetupForm()).lblFieldLabel(LabelOf(index)).Caption(), ": ", "");
}

void clsQuillet::frmSetupEvent_SetupDbTypeOptionClick() {
    Guard("SetupDbTypeOptionClick()").Run([&] {
        frmSetup& form = Use(SetupForm());
        UsePlexar_ = form.optDbType(1).Value();
        if (!SetupLoading_) {
            QuilletDefaultsSave(7);
            ShowSetupDefaults();
            ClearCurrentProject();
            if (auto saveForm = SaveForm()) saveForm->txtSaveFolder.SetText("");
        }
        LayOutFormsForMode();
        if (!FormHints_.empty()) form.rtfFieldHints.SetText(SetupHint(FormHints_, 7));
    });
}

// Both forms laid out for the mode in force. The row step is the distance from the
// work-unit box to the server folder, taken before anything moves.
void clsQuillet::LayOutFormsForMode() {
    frmSetup& form = Use(SetupForm());
    const int32_t rowStep = form.txtSetup(0).Top() - form.cboWorkType.Top();
    const bool plexar = UsePlexar_;

    if (auto saveForm = SaveForm()) {
        if (plexar) {
            saveForm->cmdQuillet(2).SetVisible(false);
            saveForm->cmdQuillet(8).SetVisible(false);
            saveForm->lblAlert(0).SetLeft(saveForm->cmdQuillet(2).Left());
        } else {
            saveForm->cmdQuillet(2).SetVisible(true);
            saveForm->lblAlert(0).SetLeft(saveForm->cmdQuillet(8).Left());
        }
        saveForm->lblAlert(2).SetLeft(saveForm->lblAlert(0).Left());
    }

    form.txtSetup(0).SetLocked(plexar);
    form.txtSetup(4).SetLocked(plexar);
    form.cmdBrowse(0).SetVisible(!plexar);
    form.cmdBrowse(2).SetVisible(!plexar);
    form.txtSetup(5).SetVisible(!plexar);
    form.lblFieldLabel(5).SetVisible(!plexar);
    form.cmdBrowse(3).SetVisible(!plexar);
    if (plexar) form.lblAlert(5).SetVisible(false);

    if (plexar) {
        form.txtSetup(4).SetTop(form.txtSetup(5).Top());
        form.fraSettings.SetVisible(true);
        form.fraSettings.SetTop(form.txtSetup(4).Top() + rowStep);
        const int32_t buttonsTop = form.fraSettings.Top() + form.fraSettings.Height() + 144;
        form.cmdSetup(0).SetTop(buttonsTop);
        form.cmdSetup(1).SetTop(buttonsTop);
    } else {
        form.txtSetup(4).SetTop(form.txtSetup(5).Top() + rowStep);
        form.fraSettings.SetVisible(false);
        form.fraSettings.SetTop(form.txtSetup(4).Top() + rowStep);
        form.cmdSetup(0).SetTop(form.txtSetup(4).Top() + rowStep);
        form.cmdSetup(1).SetTop(form.txtSetup(4).Top() + rowStep);
    }

    form.lblFieldLabel(4).SetTop(form.txtSetup(4).Top());
    form.lblAlert(4).SetTop(form.txtSetup(4).Top());
    form.cmdBrowse(2).SetTop(form.txtSetup(4).Top());
    form.rtfFieldHints.SetTop(form.cmdSetup(0).Top() + rowStep);
    form.lblWebSite(0).SetTop(form.rtfFieldHints.Top() + form.rtfFieldHints.Height() + 144);
    form.SetHeight(form.lblWebSite(0).Top() + form.lblWebSite(0).Height() + 720);
}

void clsQuillet::frmSetupEvent_SetupFieldChange(int16_t index) {
    frmSetup& form = Use(SetupForm());
    MarkRequiredField(SetupField(index), form.lblFieldLabel(LabelOf(index)), form.lblAlert(LabelOf(index)));
}

void clsQuillet::frmSetupEvent_SetupFieldGotFocus(int16_t index) {
    frmSetup& form = Use(SetupForm());
    if (index == 6 && !form.cboWorkType.Text().empty()) HintWorkUnit_ = form.cboWorkType.Text();
    if (FormHints_.empty()) return;
    std::string hint = SetupHint(FormHints_, index);
    const std::string workUnit = form.cboWorkType.Text().empty() ? HintWorkUnit_ : form.cboWorkType.Text();
    hint = text::Replace(hint, HintWorkUnit_, workUnit, text::Compare::Text);
    form.rtfFieldHints.SetText((index == 4 ? "***IMPORTANT***:" : "Hint:") + kCrLf + hint);
}

void clsQuillet::frmSetupEvent_SetupFieldLostFocus(int16_t index) {
    frmSetup& form = Use(SetupForm());
    std::optional<std::string> inForce;
    switch (index) {
        case 0: inForce = Root_; break;
        case 1: inForce = ProjDelim_; break;
        case 2: inForce = SubjDelim_; break;
        case 3: inForce = EmailFolder_; break;
        case 4: inForce = Use(gDb).DbFilePath(); break;
        case 5: inForce = gSettingsFolder; break;
        case 6: inForce = WorkUnit_; break;
        default: break;
    }
    if (inForce && !text::EqualNoCase(SetupField(index).Text(), *inForce)) {
        toolkit::TextControl& field = SetupField(index);
        const std::string fieldName = SetupFieldName(index);
        std::string problems;
        bool valid = MarkRequiredField(field, form.lblFieldLabel(LabelOf(index)), form.lblAlert(LabelOf(index)));
        if (!valid) problems += kCrLf + "-The " + fieldName + " must have a value.";
        // A line break saved into the settings file would start a line of its own there,
        // a key of its own: "Crew" + CRLF + "QuilletDBPath=..." would move everyone's database.
        const bool brokenLine = field.Text().find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
        if (brokenLine) {
            valid = false;
            problems += kCrLf + "-The " + fieldName + " must be one line of text.";
        }
        std::string folder = field.Text();
        const bool drivePath = text::Left(folder, 2) == "\\\\" || text::Mid(folder, 2, 2) == ":\\";
        if ((index == 0 || index == 4 || index == 5) && drivePath && !brokenLine) {
            DriveOk_ = true;
            problems += kCrLf + CheckDriveType(text::Left(folder, 3), form.lblFieldLabel(LabelOf(index)).Caption());
            if (!EnsureFolderExists(folder)) {
                valid = false;
                problems += kCrLf + "-Select a different " + fieldName + ".";
                field.SetFocus();
                field.SetSelStart(0);
                field.SetSelLength(int32_t(text::Len(field.Text())));
            }
        }
        if (!valid)
            toolkit::MsgBox("Please correct the following errors... " + kCrLf + problems, toolkit::vbInformation,
                            "Invalid " + fieldName);
        else if (!FillingForm_)
            QuilletDefaultsSave(index);
    }
    // The example of where a mail would be saved, with the settings now in force.
    if (auto setup = SetupForm()) {
        const std::string folder = !ProjFilePath_.empty() ? FixPath(ProjFilePath_) : FixPath(Root_);
        const std::string name = !MailSubject_.empty() ? MailSubject_ : "<email subject>";
        setup->lblSavePathSample.SetCaption(folder + FixPath(EmailFolder_) + name);
    }
}

void clsQuillet::frmSetupEvent_SetupListChange(const std::string& value) {
    if (FillingForm_) return;
    frmSetup& form = Use(SetupForm());
    MarkRequiredField(form.cboWorkType, form.lblFieldLabel(6), form.lblAlert(6));
    // The change a typed key itself makes keeps the typed length: resetting it there
    // would make the next key start a new word ("Task" typed would end as "sk").
    if (typedKeyLanding_)
        typedKeyLanding_ = false;
    else
        TypedLength_ = 0;
    if (!form.cboWorkType.Text().empty())
        for (int16_t i : {0, 1})
            form.lblDelimLabel(i).SetCaption(
                text::Replace(form.lblDelimLabel(i).Caption(), HintWorkUnit_, value, text::Compare::Text));
    HintWorkUnit_ = value;
}

void clsQuillet::frmSetupEvent_SetupListKeyPress(const std::string&, int16_t& key) {
    if (FillingForm_) return;
    frmSetup& form = Use(SetupForm());
    if (key == 9) {
        TypedLength_ = 0;
    } else if (key == 13) {
        toolkit::SendKeys("{TAB}", true);
        key = 0;
        TypedLength_ = 0;
    } else if ((key >= 32 && key <= 126) || (key == 8 && TypedLength_ > 0)) {
        // Unlike the project box, the work-unit box has no Backspace lock.
        ComboTypeAhead(form.cboWorkType, TypedLength_, key);
        typedKeyLanding_ = key != 0;
    }
}

void clsQuillet::frmSetupEvent_BrowseClicked(int16_t index) {
    static constexpr int32_t kTargets[] = {1, 2, 3, 8};
    if (index >= 0 && index <= 3) BrowseTarget_ = kTargets[index];
    ChooseFolder();
}

void clsQuillet::frmSetupEvent_ButtonClicked(int16_t index) {
    auto form = SetupForm();
    Use(form).rtfFieldHints.SetText("");
    if (index == 0) {
        const std::string problems = ValidateSetupForm();
        if (!problems.empty()) {
            toolkit::MsgBox("Please correct the following errors... " + kCrLf + problems, toolkit::vbInformation,
                            "Invalid Form Entries");
            return;
        }
        auto saveForm = SaveForm();
        if (!ProjectNumber_.empty()) CheckTypedProject();
        if (saveForm) {
            ShowWorkUnitLabels();
            FillProjectList(saveForm->cboQuillet);
            ShowProjectOnSaveForm(*saveForm);
        }
        TypedLength_ = 0;
        form->Unload();
        frmSetupEvent = nullptr;
        if (saveForm) {
            toolkit::SetWindowPos(saveForm->hWnd(), toolkit::hwnd::TopMost, 0, 0, 0, 0,
                                  toolkit::swp::NoMove | toolkit::swp::NoSize);
            saveForm->cboQuillet.SetFocus();
        }
    } else if (index == 1) {
        int32_t owner = SaveForm() ? SaveForm()->hWnd() : 0;
        gUtil->UtilStartDoc(owner, "open", std::string(QuilletWebAddress) + "/QuilletHelp_files/programsetup.htm");
    }
}

void clsQuillet::frmSetupEvent_SetupWebLabelClick(const std::string& link) {
    int32_t owner = Use(SetupForm()).hWnd();
    gUtil->UtilStartDoc(owner, "open", link, "", gCommonAppData);
}
