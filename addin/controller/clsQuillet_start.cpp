// The controller's start and end, and the button it dresses on each mail window.
#include "addin/controller/clsQuillet.h"

#include "addin/controller/clsRegistry.h"
#include "addin/controller/form_sinks.h"
#include "addin/host/modMain.h"
#include "platform/text/text.h"
#include "util/interfaces/clsUtil.h"

namespace outlook = platform::outlook;

platform::ErrorFrame clsQuillet::Guard(const char* procedure) {
    return platform::ErrorFrame([procedure](const platform::ErrorInfo& failure) {
        if (gUtil) gUtil->ErrHandler(failure, "clsQuillet", procedure, kExeName);
    });
}

// Reads the two folders from the registry, detects Plexar, reads the mode switch from
// the anchor file and loads the settings. A path or file access error (75) is passed
// over; any other failure is reported and ends the start there.
clsQuillet::clsQuillet()
    : saveFormSink_(std::make_unique<SaveFormSink>(*this)),
      setupFormSink_(std::make_unique<SetupFormSink>(*this)),
      projectFormSink_(std::make_unique<ProjectFormSink>(*this)),
      folderMessageSink_(std::make_unique<FolderMessageSink>(*this)),
      frmQuilletEvent(saveFormSink_.get()),
      frmSetupEvent(setupFormSink_.get()),
      frmProjInfoEvent(projectFormSink_.get()),
      frmFolderMessageEvent(folderMessageSink_.get()) {
    Guard("Class_Initialize()")
        .Skip(platform::err::PathFileAccess)
        .Run({
            [&] {
                gCommonAppData = clsRegistry().GetRegistryValue(
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common AppData");
            },
            [&] {
                gProgramFiles = clsRegistry().GetRegistryValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                                               "ProgramFilesDir");
            },
            [&] { PlexarInstalled(gUtil->DoesFolderExist(gProgramFiles + "\\Plexar")); },
            [&] {
                if (PlexarInstalled())
                    UsePlexar(platform::text::CBool(gUtil->GetSettingINI(
                        "Quillet", "Setup", "UsePlexar", "1", gCommonAppData + "\\Quillet\\" + "Quillet.ini")));
                else
                    UsePlexar(false);
            },
            [&] { LocateSettings(); },
        });
}

clsQuillet::~clsQuillet() {
    if (mcbQuilletMenuButton) mcbQuilletMenuButton = nullptr;
}

// The controller holds only the newest button.
void clsQuillet::SetupMenuButton(const std::shared_ptr<outlook::CommandBarButton>& button) {
    mcbQuilletMenuButton = button;
    button->Caption(MailSent() ? "SaveToProject" : "Quil&let");
    button->Style(outlook::msoButtonIconAndCaption);
    button->FaceId(325);
    button->BeginGroup(true);
    button->Tag("Plexar Quillet Button");
    button->OnAction("!<Quillet.Connect>");
    button->Visible(true);
}

void clsQuillet::Click(const std::shared_ptr<outlook::CommandBarButton>&, bool&) { mcbQuilletMenuButton_Click(); }
