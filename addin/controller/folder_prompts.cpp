// The prompt form: a missing folder offered for creation, an existing file offered
// for overwriting or renaming.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/toolkit/window_calls.h"
#include "util/interfaces/clsUtil.h"

namespace {
const std::string kCrLf = "\r\n";
}

// Shows the prompt modally; FolderMessageText then holds the confirmed name, or ""
// after Cancel. Closing the form with its window button counts as Cancel.
void clsQuillet::ShowFolderMessage(const std::string& title, const std::string& message, const std::string& name,
                                   const std::string& choices) {
    frmFolderMessageEvent = std::make_shared<frmFolderMessage>();
    auto form = frmFolderMessageEvent.get();
    form->txtFolderMessage(0).SetText(message);
    form->txtFolderMessage(1).SetText(name);
    form->lblWarning.SetCaption(choices);
    form->SetCaption(title);
    FolderMessageText_.clear();
    form->ZOrder(0);
    form->Show(platform::toolkit::vbModal);
    if (frmFolderMessageEvent) {
        // Closed with the window's button: as Cancel.
        FolderMessageText_.clear();
        frmFolderMessageEvent = nullptr;
        FillingForm_ = false;
    }
}

void clsQuillet::frmFolderMessageEvent_ButtonClicked(int16_t index) {
    auto form = frmFolderMessageEvent.get();
    if (index == 0)
        FolderMessageText_ = Use(form).txtFolderMessage(1).Text();
    else if (index == 1)
        FolderMessageText_.clear();
    else
        return;
    Use(form).Unload();
    frmFolderMessageEvent = nullptr;
    FillingForm_ = false;
}

void clsQuillet::frmFolderMessageEvent_FormActivate() {
    Use(frmFolderMessageEvent.get()).txtFolderMessage(1).SetFocus();
}

bool clsQuillet::EnsureFolderExists(std::string& folder) {
    if (gUtil->DoesFolderExist(folder)) return true;
    ShowFolderMessage("Folder Not Found", "The folder " + kCrLf + "\"" + folder + "\"" + kCrLf + " does not exist.",
                      folder,
                      "You may:" + kCrLf + "-Click 'OK' to create it. You may edit the folder name first." + kCrLf +
                          kCrLf +
                          "-Click 'Cancel' to return to the Quillet form to pick a different location without "
                          "creating the new folder.");
    if (FolderMessageText_.empty()) return false;
    folder = FolderMessageText_;
    return gUtil->CreateNewFolder(folder);
}

// OK on the name as shown overwrites the file; an edited name that exists as well is
// offered again, so no other file is overwritten without a word; Cancel goes back to
// the form.
bool clsQuillet::CheckExistingFile(const std::string& folder, std::string& fileName) {
    while (!fileName.empty() && gUtil->DoesFileExist(folder, fileName)) {
        ShowFolderMessage("Existing File Name",
                          "The file " + kCrLf + "\"" + folder + fileName + "\"" + kCrLf + " already exists.", fileName,
                          "You may:" + kCrLf + "-Edit the name and click 'OK' to save the file." + kCrLf +
                              "-Just click 'OK' to overwrite the existing file." + kCrLf + kCrLf +
                              "-Click 'Cancel' to return to the Quillet form and modify the file name.");
        if (!FolderMessageText_.empty()) FolderMessageText_ = gUtil->RemoveIllegalCharacters(FolderMessageText_);
        const bool unchanged = FolderMessageText_ == fileName;
        fileName = FolderMessageText_;
        if (unchanged) break;
    }
    return !fileName.empty();
}
