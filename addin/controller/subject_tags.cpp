// Subject tags, the current project, and the save form's project, folder and name.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsDbADO.h"

namespace text = platform::text;
using text::Compare;

// A non-empty path ends with its backslash.
std::string clsQuillet::FixPath(const std::string& path) {
    if (!path.empty() && text::Right(path, 1) != "\\") return path + "\\";
    return path;
}

// Reads a project tag (number, delimiter, name, delimiter, subject) out of a subject,
// after taking off one leading "RE: " and then one "FW: ". True when the number, the
// name and the subject are all known afterwards (values from before count).
bool clsQuillet::ParseSubjectTag(std::string& subject) {
    if (text::Left(subject, 4) == "RE: ") subject = text::Mid(subject, 5);
    if (text::Left(subject, 4) == "FW: ") subject = text::Mid(subject, 5);

    long numberEnd = 0;
    const long projDelimAt = text::InStr(subject, ProjDelim_);
    if (!ProjDelim_.empty() && projDelimAt > 0) {
        if (ProjDelim_ != "-") {
            numberEnd = projDelimAt - 1;
        } else {
            long second = text::InStr(projDelimAt + 1, subject, "-");
            numberEnd = second - 1;  // -1 when there is no second dash
        }
        if (numberEnd > 0) ProjectNumber_ = text::Left(subject, numberEnd);
    }

    const long subjDelimAt = SubjDelim_.empty() ? 0 : text::InStr(subject, SubjDelim_);
    if (subjDelimAt > 0) {
        MailSubject_ = text::Mid(subject, subjDelimAt + text::Len(SubjDelim_));
        if (!ProjDelim_.empty() && projDelimAt > 0) {
            long start = numberEnd + text::Len(ProjDelim_) + 1;
            long length = subjDelimAt - start;
            // The subject delimiter stands before the name's start: the name cannot be cut.
            if (length < 0) platform::Raise(5, "Invalid procedure call or argument");
            ProjectName_ = text::Mid(subject, start, length);
        }
    }
    return !ProjectNumber_.empty() && !MailSubject_.empty() && !ProjectName_.empty();
}

bool clsQuillet::FindProjectIndex(int32_t& index, const std::string& number, const std::string& name) {
    if (ProjectList_.empty()) return false;
    int32_t row = 0;
    for (; size_t(row) < ProjectList_.Rows(); ++row) {
        bool match = !number.empty() ? text::EqualNoCase(ProjectList_(0, row), number)
                                     : text::EqualNoCase(ProjectList_(1, row), name);
        if (match) {
            index = row;
            return true;
        }
    }
    index = row;
    return false;
}

void clsQuillet::SelectProject(int32_t row) {
    if (row < 0 || size_t(row) >= ProjectList_.Rows() || ProjectList_.empty())
        platform::Raise(9, "Subscript out of range");
    ProjectNumber_ = ProjectList_(0, row);
    ProjectName_ = ProjectList_(1, row);
    const std::string folder(ProjectList_(2, row));
    ProjFilePath_ = !folder.empty() ? FixPath(folder) : Root_ + ProjectNumber_;
    ProjActive_ = text::CBool(ProjectList_(3, row));
    ProjectID_ = text::CLng(ProjectList_(4, row));
}

// The project box as typed: "name: number", or a name alone.
void clsQuillet::ReadTypedProject() {
    frmQuillet& form = Use(SaveForm());
    const std::string typed = form.cboQuillet.Text();
    long colon = text::InStr(typed, ":");
    if (colon > 1) {
        ProjectNumber_ = text::Trim(text::Mid(typed, colon + 1));
        ProjectName_ = text::Left(typed, colon - 1);
    } else {
        ProjectName_ = typed;
        ProjectNumber_.clear();
    }
    const std::string folder = form.txtSaveFolder.Text();
    ProjFilePath_ = !folder.empty() ? text::Trim(FixPath(folder)) : Root_;
    ProjActive_ = true;
    ProjectID_ = 0;
}

void clsQuillet::CheckTypedProject() {
    int32_t index = 0;
    bool found = UsePlexar_ ? FindProjectIndex(index, ProjectNumber_, "")
                            : FindProjectIndex(index, ProjectNumber_, ProjectName_);
    // A typed text that names a listed project keeps what was typed, and that
    // project's identifier, so that an edit changes its row.
    if (found && ProjectTyped_) {
        ProjectID_ = text::CLng(ProjectList_(4, size_t(index)));
        return;
    }
    if (!found) {
        if (UsePlexar_) {
            const std::string crlf = "\r\n";
            platform::toolkit::MsgBox(
                "\"" + ProjectNumber_ + ProjDelim_ + ProjectName_ + "\"" + " is not an existing project. " + crlf +
                    crlf + "It will be added to the " + WorkUnit_ + " List as a temporary " + WorkUnit_ +
                    " for this Email. " + crlf + "To make it a permanent " + WorkUnit_ + ", Add the " + WorkUnit_ +
                    " in Plexar.",
                platform::toolkit::vbInformation, WorkUnit_ + " Not Found");
        } else {
            found = AskAddProject(index, ProjectNumber_);
        }
    }
    if (found) {
        SelectProject(index);
        return;
    }
    // A temporary project, for this mail only.
    ProjFilePath_ = Root_ + FixPath(ProjectNumber_);
    if (ProjectList_.empty())
        ProjectList_ = QueryResult(5, 1);
    else
        ProjectList_.ResizeRows(ProjectList_.Rows() + 1);
    const size_t last = ProjectList_.Rows() - 1;
    ProjectList_.Set(0, last, ProjectNumber_);
    ProjectList_.Set(1, last, ProjectName_);
    ProjectList_.Set(2, last, ProjFilePath_);
    ProjectList_.Set(3, last, "False");
    ProjectList_.Set(4, last, "0");
    Use(SaveForm()).cboQuillet.AddItem(ProjectName_ + (ProjectNumber_.empty() ? "" : ": ") + ProjectNumber_);
}

void clsQuillet::FillProjectList(platform::toolkit::ComboBox& box) {
    box.Clear();
    int32_t selection = -1;
    if (!ProjectList_.empty()) {
        for (size_t row = 0; row < ProjectList_.Rows(); ++row) {
            const std::string_view number = ProjectList_(0, row);
            const std::string_view name = ProjectList_(1, row);
            std::string item(name);
            if (!number.empty()) item.append(": ").append(number);
            box.AddItem(item, int32_t(row));
            bool match = !ProjectNumber_.empty() ? number == ProjectNumber_ : name == ProjectName_;
            if (match) selection = int32_t(row);
        }
    } else {
        box.AddItem(ProjectName_ + (ProjectNumber_.empty() ? "" : ": ") + ProjectNumber_);
    }
    box.SetListIndex(selection);
}

// In this order: a change of the project box resets the folder box.
void clsQuillet::ShowProjectOnSaveForm(frmQuillet& form) {
    if (!ProjectNumber_.empty()) form.cboQuillet.SetText(ProjectName_ + ": " + ProjectNumber_);
    if (form.cboQuillet.Text().empty()) frmQuilletEvent_ProjectComboChange("");
    form.txtSaveFolder.SetText((!ProjFilePath_.empty() ? FixPath(ProjFilePath_) : FixPath(Root_)) + EmailFolder_);
    form.txtSaveAsName.SetText(MailSubject_);
    if (form.txtSaveAsName.Text().empty()) frmQuilletEvent_SaveAsNameChanged();
}

void clsQuillet::ShowSetupDefaults() {
    frmSetup& form = Use(SetupForm());
    FillingForm_ = true;
    form.cboWorkType.SetText(WorkUnit_);
    form.txtSetup(0).SetText(Root_);
    form.txtSetup(5).SetText(gSettingsFolder);
    form.txtSetup(4).SetText(gDb->DbFilePath());
    form.txtSetup(3).SetText(EmailFolder_);
    form.txtSetup(1).SetText(ProjDelim_);
    form.txtSetup(2).SetText(SubjDelim_);
    FillingForm_ = false;
    for (int16_t i : {0, 1})
        form.lblDelimLabel(i).SetCaption(text::Replace(form.lblDelimLabel(i).Caption(), "~unit~", WorkUnit_,
                                                       Compare::Text));
}
