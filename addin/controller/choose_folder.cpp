// The folder picker for each field that takes a folder, by BrowseTarget.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "util/interfaces/clsUtil.h"

namespace text = platform::text;

void clsQuillet::ChooseFolder() {
    std::string start = (!ProjFilePath_.empty() && gUtil->DoesFolderExist(ProjFilePath_)) ? ProjFilePath_ : Root_;
    int32_t owner = 0;
    bool setRoot = false;
    std::string title;
    auto windowOf = [](const auto& form) { return form ? form->hWnd() : 0; };
    switch (BrowseTarget_) {
        case 0:
            owner = windowOf(SaveForm());
            title = "Select a folder to save the Email in:";
            if (!ProjFilePath_.empty() && UsePlexar_) {
                setRoot = true;
                title = "The Plexar " + WorkUnit_ + " Folder is " + ProjFilePath_ + "\r\n" + title;
            }
            break;
        case 1:
            owner = windowOf(SetupForm());
            title = "Select Default Root Folder:";
            break;
        case 2:
            owner = windowOf(SetupForm());
            setRoot = true;
            title = "Select Default Email Folder:";
            break;
        case 3:
            owner = windowOf(SetupForm());
            title = "Select the Quillet Database Location:";
            break;
        case 6:
            owner = windowOf(ProjectForm());
            setRoot = true;
            title = "Select the Folder for the " + WorkUnit_ + " Files and Emails:";
            start = Root_;
            break;
        case 8:
            owner = windowOf(SetupForm());
            title = "Select the Settings File Location:";
            break;
        default:
            break;
    }

    BrowseFolder_ = gUtil->ShellNewFolder(owner, title, setRoot, start);
    if (BrowseFolder_.empty()) return;

    switch (BrowseTarget_) {
        case 0:
            Use(SaveForm()).txtSaveFolder.SetText(FixPath(BrowseFolder_));
            break;
        case 1:
            Use(SetupForm()).txtSetup(0).SetText(FixPath(BrowseFolder_));
            frmSetupEvent_SetupFieldLostFocus(0);
            break;
        case 2:
            Use(SetupForm()).txtSetup(3).SetText(FixPath(text::Mid(BrowseFolder_, text::InStrRev(BrowseFolder_, "\\") + 1)));
            frmSetupEvent_SetupFieldLostFocus(3);
            break;
        case 3:
            Use(SetupForm()).txtSetup(4).SetText(FixPath(BrowseFolder_));
            frmSetupEvent_SetupFieldLostFocus(4);
            break;
        case 6:
            Use(ProjectForm()).txtProjInfo(2).SetText(BrowseFolder_);
            break;
        case 8:
            Use(SetupForm()).txtSetup(5).SetText(FixPath(BrowseFolder_));
            frmSetupEvent_SetupFieldLostFocus(5);
            break;
        default:
            break;
    }
}
