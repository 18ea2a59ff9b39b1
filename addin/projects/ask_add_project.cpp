// A typed project that the own database does not hold: the question whether to add
// it, and the current project cleared when the save form closes.
#include "addin/controller/clsQuillet.h"
#include "platform/toolkit/dialogs.h"

namespace toolkit = platform::toolkit;

namespace {
const std::string kCrLf = "\r\n";
}  // namespace

bool clsQuillet::AskAddProject(int32_t& index, const std::string&) {
    const std::string quote = "\"";
    int32_t answer = toolkit::MsgBox(
        WorkUnit_ + " name " + quote + ProjectName_ + quote + " was not found in the Database . " + kCrLf + kCrLf +
            "You may:" + kCrLf + "   -Click 'Yes' to add it to the Quillet database or" + kCrLf +
            "   -Click 'No' to use it as a temporary " + WorkUnit_ + " for this Email." + kCrLf + kCrLf +
            "Do you want to add " + quote + ProjectName_ + quote + " to the database?",
        toolkit::vbYesNo + toolkit::vbQuestion, WorkUnit_ + " Not Found");
    if (answer != toolkit::vbYes) return false;
    if (ProjFilePath_.empty()) ProjFilePath_ = Root_ + ProjectNumber_ + "\\";
    ProjInfoMode_ = "addmanual";
    ProjActive_ = true;
    OpenProjectForm();
    return FindProjectIndex(index, ProjectNumber_, ProjectName_);
}

void clsQuillet::ClearCurrentProject() {
    ProjectNumber_.clear();
    ProjectName_.clear();
    ProjFilePath_.clear();
    MailSubject_.clear();
    ProjActive_ = false;
    ProjectID_ = 0;
}
