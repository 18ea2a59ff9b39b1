// The checks of the three forms before the controller acts on them. Each problem is
// a line beginning with a line break; the caller shows them in one box.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace text = platform::text;
namespace {
const std::string kCrLf = "\r\n";
}

std::string clsQuillet::ValidateSaveForm() {
    if (ProjectTyped_) {
        ReadTypedProject();
        CheckTypedProject();
    }
    frmQuillet& form = Use(SaveForm());
    std::string problems;
    if (form.cboQuillet.Text().empty()) problems += kCrLf + "You must select a " + WorkUnit_ + ".";
    if (form.txtSaveFolder.Text().empty()) problems += kCrLf + "You must select a Folder to save this E-mail in.";
    if (form.txtSaveAsName.Text().empty()) problems += kCrLf + "You must select a Filename for this E-mail.";
    return problems;
}

std::string clsQuillet::ValidateSetupForm() {
    frmSetup& form = Use(SetupForm());
    auto caption = [&](int16_t k) { return form.lblFieldLabel(k).Caption(); };
    auto driveCheck = [&](int16_t item, std::string& problems) {
        std::string line = CheckDriveType(text::Left(form.txtSetup(item).Text(), 3), caption(item));
        if (!line.empty()) problems += kCrLf + line;
    };
    std::string problems;
    if (form.cboWorkType.Text().empty()) problems += kCrLf + "-You must select a Work Unit Type.";
    if (form.txtSetup(0).Text().empty())
        problems += kCrLf + "-The " + caption(0) + " must have a value.";
    else
        driveCheck(0, problems);
    if (UsePlexar_) {
        if (form.txtSetup(1).Text().empty()) problems += kCrLf + kCrLf + "-The " + WorkUnit_ + " Delimiter must have a value.";
        if (form.txtSetup(2).Text().empty()) problems += kCrLf + "-The Subject Delimiter must have a value.";
        if (form.txtSetup(3).Text().empty()) problems += kCrLf + kCrLf + "-The " + caption(3) + " must have a value.";
    }
    if (form.txtSetup(4).Text().empty())
        problems += kCrLf + kCrLf + "-The " + caption(4) + " must have a value.";
    else
        driveCheck(4, problems);
    if (form.txtSetup(5).Visible()) {
        if (form.txtSetup(5).Text().empty())
            problems += kCrLf + kCrLf + "-The " + caption(5) + " must have a value.";
        else
            driveCheck(5, problems);
    }
    return problems;
}

std::string clsQuillet::ValidateProjectForm() {
    frmProjInfo& form = Use(ProjectForm());
    std::string problems;
    if (!text::EqualNoCase(ProjInfoMode_, "edit") && IsExisitingProjectNumber(form.txtProjInfo(0).Text())) {
        form.txtProjInfo(0).SetFocus();
        form.txtProjInfo(0).SetSelStart(0);
        form.txtProjInfo(0).SetSelLength(int32_t(text::Len(form.txtProjInfo(0).Text())));
        problems += kCrLf + "-Select a different " + WorkUnit_ + " Number.";
    }
    if (form.txtProjInfo(1).Text().empty()) problems += kCrLf + kCrLf + "-You must select a " + WorkUnit_ + " Name.";
    if (form.txtProjInfo(2).Text().empty())
        problems += kCrLf + kCrLf + "-You must select a " + WorkUnit_ + " Folder.";
    return problems;
}

// The callers pass a folder's first three characters, such as C:\.
std::string clsQuillet::CheckDriveType(const std::string& path, const std::string& fieldName) {
    std::string reason;
    if (text::Left(path, 2) != "\\\\") {
        switch (platform::files::GetDriveTypeA(path)) {
            case platform::files::DriveType::Unknown:
            case platform::files::DriveType::NoRootDir:
                reason = " doesn't exist or it's type cannot be determined.";
                break;
            case platform::files::DriveType::Removable:
                reason = " is a removable drive.";
                break;
            case platform::files::DriveType::CdRom:
                reason = " is a CD-ROM drive.";
                break;
            case platform::files::DriveType::RamDisk:
                reason = " is a RAM drive.";
                break;
            default:
                break;
        }
    }
    DriveOk_ = reason.empty();
    if (reason.empty()) return {};
    return "-Drive " + path + reason + kCrLf + "  (Select a different " + fieldName + ".)";
}

bool clsQuillet::MarkRequiredField(platform::toolkit::TextControl& field, platform::toolkit::Label& label,
                                   platform::toolkit::Label& alert) {
    const bool empty = field.Text().empty();
    if (!text::EqualNoCase(field.Tag(), "required")) {
        alert.SetVisible(empty);
        return true;
    }
    if (empty) {
        field.SetBackColor(0x00FFFF);
        label.SetForeColor(0x0000FF);
        alert.SetVisible(true);
        return false;
    }
    field.SetBackColor(0x80000005);
    label.SetForeColor(0x80000012);
    alert.SetVisible(false);
    return true;
}

void clsQuillet::ShowWorkUnitLabels() {
    frmQuillet& form = Use(SaveForm());
    form.lblFormTitle.SetCaption("Quillet " + WorkUnit_ + " EMail and File Location");
    form.lblFieldLabel(0).SetCaption(WorkUnit_ + ": ");
}
