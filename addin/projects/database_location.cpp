// Where the project database is: the database object filled from the settings (the
// own database searched for until it is found), and the own database moved to a
// new folder.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/IclsOutlook.h"
#include "util/interfaces/clsUtil.h"

namespace text = platform::text;

namespace {
const std::string kCrLf = "\r\n";
}

void clsQuillet::GetDataBaseSettings() {
    Guard("GetDataBaseSettings()").Run([&] {
        IclsDbADO& db = Use(gDb);
        const std::string ini = gUtil->INIFile();
        if (UsePlexar_) {
            db.DbType(gUtil->GetSettingINI("Plexar", "Database", "Type", "Access", ini));
            db.DbProvider(gUtil->GetSettingINI("Plexar", "Database", "Provider2", "Microsoft.Jet.OLEDB.4.0", ini));
            db.DbServer(gUtil->GetSettingINI("Plexar", "Database", "DBServer", "", ini));
            db.DbName(gUtil->GetSettingINI("Plexar", "Database", "DbName", "Plexar", ini));
            db.UserID(gUtil->GetSettingINI("Plexar", "Database", "UID", "PXR", ini));
            db.PassWd(gUtil->GetSettingINI("Plexar", "Database", "Pwd", "qvz", ini));
            db.DbFilePath(gUtil->GetSettingINI("Plexar", "FilePathsMDB", "1", "Plexar.mdb", ini));
            db.DatabaseFileSpec(db.DbFilePath());
            if (!text::EqualNoCase(db.DbType(), "SQLServer")) {
                db.DbServer(db.DbFilePath());
                db.DbFilePath(text::Left(db.DbFilePath(), text::InStrRev(db.DbFilePath(), "\\")));
            } else {
                db.DbFilePath(db.DbServer());
            }
        } else {
            db.DbType("Access");
            db.DbProvider(gUtil->GetSettingINI("Quillet", "Database", "Provider2", "Microsoft.Jet.OLEDB.4.0", ini));
            db.DbName("Quillet.mdb");
            db.UserID("admin");
            db.PassWd("");
            db.DbFilePath(gUtil->GetSettingINI("Quillet", "Setup", "QuilletDBPath", gCommonAppData + "\\Quillet\\", ini));
            // The database must be found: ask for its folder until it is.
            while (!gUtil->DoesFileExist(db.DbFilePath(), db.DbName())) {
                std::string prompt = "\"";
                prompt += db.DbName();
                prompt += "\" was not found in \"" + db.DbFilePath() + "\"." + kCrLf +
                          "Select the Server Folder where the Quillet database is located. " + kCrLf +
                          "If not known, ask the person in your organization responsible for your network for the "
                          "location.";
                int32_t owner = 0;
                db.DbFilePath(gUtil->ShellNewFolder(owner, prompt, false) + "\\");
                if (db.DbFilePath() == "\\")
                    platform::Raise(platform::err::FileNotFound,
                                    "You Have Cancelled the \"Set Database Location\" process. " + kCrLf +
                                        "Quillet cannot be loaded. Please contact Orvek Technologies for assistance.",
                                    "clsQuillet.GetDataBaseSettings()");
                if (gUtil->DoesFileExist(db.DbFilePath(), db.DbName())) {
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletDBPath", db.DbFilePath(), ini);
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletDBPath", db.DbFilePath(),
                                          gCommonAppData + "\\Quillet\\" + "Quillet.ini");
                }
            }
            db.DatabaseFileSpec(db.DbFilePath() + db.DbName());
        }
        db.DbServer(db.DatabaseFileSpec());
        db.BuildDBConnnectString();
    });
}

namespace {

// The drive class of a location: a \\ path counts as a network drive.
platform::files::DriveType DriveClass(const std::string& folder) {
    if (text::Left(folder, 2) == "\\\\") return platform::files::DriveType::Remote;
    return platform::files::GetDriveTypeA(text::Left(folder, 3));
}

}  // namespace

// Copies the own database into the new folder. On a network drive the old file is
// archived under a dated "Moved_By_" name and deleted; on a local drive it stays.
bool clsQuillet::SetNewDbLocation(const std::string& newFolder) {
    bool result = false;
    std::string oldFolder;
    std::string dbName;
    platform::files::DriveType oldDrive = platform::files::DriveType::Unknown;

    auto archiveAndDelete = [&] {
        if (oldDrive != platform::files::DriveType::Remote) return;
        const std::string user = Use(Use(Use(gOutlook).App()).GetNamespace("MAPI")).CurrentUser()->Name();
        const auto fileSystem = gUtil->FileSys();  // held: the object may live in the utility library
        auto& fso = Use(fileSystem);
        fso.CopyFile(oldFolder + dbName,
                     oldFolder + "Quillet." + "Moved_By_" + user + "_" +
                         platform::clock::FormatYYYYMMDD(platform::clock::Today()) + ".mdb",
                     true);
        // The old file goes only when the new folder now holds a copy that is another
        // file than it: the same folder under another spelling (other capitals, a
        // mapped drive and its \\server\share name) would otherwise lose the only database.
        if (!fso.FileExists(newFolder + dbName)) return;
        if (platform::files::SameFile(oldFolder + dbName, newFolder + dbName)) return;
        fso.DeleteFile(oldFolder + dbName, true);
    };

    Guard("SetNewDbLocation()")
        .On(platform::err::PermissionDenied,
            [&](const platform::ErrorInfo&) {
                platform::toolkit::MsgBox("The Database file \"" + Use(gDb).DatabaseFileSpec() + "\"" + kCrLf +
                                              "is in use by another user and could not be moved to \"" + newFolder +
                                              "\"." + kCrLf + kCrLf + "Wait a few minutes and try to move it again.",
                                          platform::toolkit::vbInformation, "Permission Denied");
                return platform::Resume::ExitStep;
            })
        .On(platform::err::FileAlreadyExists,
            [&](const platform::ErrorInfo&) {
                platform::toolkit::MsgBox("A Database file named \"" + dbName + "\"" + kCrLf + " has been found at \"" +
                                              newFolder + "\"." + kCrLf + kCrLf + "Quillet will now use that location.",
                                          platform::toolkit::vbInformation, "New Location");
                return platform::Resume::NextStatement;
            })
        .Exit([&] { gUtil->UtilDestroyFileObject(); })
        .Run({
            [&] {
                IclsDbADO& db = Use(gDb);
                oldFolder = db.DbFilePath();
                dbName = db.DbName();
                oldDrive = DriveClass(oldFolder);
                (void)DriveClass(newFolder);  // worked out as for the old folder, not used
            },
            [&] { gUtil->UtilCreateFileObject(); },
            [&] { Use(gUtil->FileSys()).CopyFile(oldFolder + dbName, newFolder + dbName, false); },
            [&] { result = true; },
            archiveAndDelete,
        });
    return result;
}
