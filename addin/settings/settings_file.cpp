// The settings file in use, the defaults loaded from it, the hint and work-unit
// files, and single setup fields written back.
#include "addin/controller/clsQuillet.h"
#include "addin/controller/object_ref.h"
#include "addin/host/modMain.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/toolkit/dialogs.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/clsUtil.h"

namespace text = platform::text;
namespace files = platform::files;

namespace {
std::string AnchorFile() { return gCommonAppData + "\\Quillet\\" + "Quillet.ini"; }
std::string HintFile() { return gCommonAppData + "\\Quillet\\Quillet.cnt"; }
std::string WorkUnitFile() { return gCommonAppData + "\\Quillet\\WorkUnitType.cnt"; }

// The sentence that does not apply to Plexar's shared settings.
constexpr const char* kGroupSettingsSentence =
    "If the \"Use Group Settings\" box is checked, it is recommended that you do not change this setting.  ";
}  // namespace

void clsQuillet::LocateSettings() {
    // One settings load reads each settings file once.
    const platform::profile::ReadingEachFileOnce readingOnce;
    std::string fileName;
    if (UsePlexar_) {
        if (gUtil->DoesFolderExist(gCommonAppData + "\\Plexar")) {
            gSettingsFolder = gCommonAppData + "\\Plexar" + "\\";
            fileName = "Plxr.ini";
        } else {
            gSettingsFolder = gProgramFiles + "\\Plexar\\";
            fileName = "Plxr.txt";
        }
    } else {
        fileName = "Quillet.ini";
        gSettingsFolder =
            gUtil->GetSettingINI("Quillet", "Setup", "QuilletSettingsPath", gCommonAppData + "\\Quillet\\", AnchorFile());
    }
    gUtil->INIFile(gSettingsFolder + fileName);
    GetDataBaseSettings();
    ReadDefaults();
    LoadProjectList();
}

void clsQuillet::ReadDefaults() {
    const std::string ini = gUtil->INIFile();
    if (UsePlexar_) {
        Root_ = FixPath(gUtil->GetSettingINI("Plexar", "FilePathsPrj", "1", "C:\\", ini));
        ProjDelim_ = gUtil->GetSettingINI("Quillet", "Setup", "ProjDelim", "-", ini);
        SubjDelim_ = gUtil->GetSettingINI("Quillet", "Setup", "SubjDelim", "=>", ini);
        EmailFolder_ = FixPath(gUtil->GetSettingINI("Quillet", "Setup", "EmailFolder", "Corr_Out\\", ini));
    } else {
        Root_ = FixPath(gUtil->GetSettingINI("Quillet", "Setup", "Root", "C:\\", ini));
    }
    WorkUnit_ = gUtil->GetSettingINI("Quillet", "Setup", "WorkUnit", "Project", ini);
    LoadFormHints();
}

// The hint file: a count of form sections, a header line, then each section's hint
// lines ("label|hint") up to the next line beginning "[Form]". The setup form's
// section begins with two versions of its first hint, the own mode's and Plexar's.
// A file that ends before its last "[Form]" line fails on reading past its end; the
// sections read before that are kept, and the file is not left open.
void clsQuillet::LoadFormHints() {
    if (!gUtil->OpenFile(HintFile(), files::ForReading, false)) return;
    struct Closer {
        ~Closer() { gUtil->CloseFile(); }
    } closeWhenDone;
    const auto file = gUtil->UtilFile();
    auto& stream = Use(file);
    auto hintOf = [&](const std::string& line) {
        long bar = text::InStr(line, "|");
        std::string hint = bar > 0 ? text::Mid(line, bar + 1) : line;
        hint = text::Replace(hint, "<WorkUnit>", WorkUnit_, text::Compare::Text);
        if (UsePlexar_) hint = text::Replace(hint, kGroupSettingsSentence, "", text::Compare::Text);
        return hint;
    };
    const int32_t sections = text::CLng(stream.ReadLine());
    if (sections < 0) platform::Raise(9, "Subscript out of range");
    // The hints are made anew for the count just read, and each section joins them
    // as soon as it is read. Sections are added, not reserved, so a count that
    // promises far more than the file holds fails on reading past its end, not on
    // making room for them.
    FormHints_.clear();
    stream.ReadLine();  // the header of section 0
    for (int32_t section = 0; section < sections; ++section) {
        std::vector<std::string> hints;
        std::string line = stream.ReadLine();
        if (section == 1) {
            // The first field's two versions: the one of the mode in force is kept.
            std::string plexarLine = stream.ReadLine();
            if (UsePlexar_) line = plexarLine;
        }
        while (text::Left(line, 6) != "[Form]") {
            hints.push_back(hintOf(line));
            line = stream.ReadLine();
        }
        FormHints_.push_back(std::move(hints));
    }
}

void clsQuillet::FillWorkUnitList(platform::toolkit::ComboBox& box) {
    if (!gUtil->OpenFile(WorkUnitFile(), files::ForReading, false)) return;
    auto stream = gUtil->UtilFile();
    while (!stream->AtEndOfStream()) box.AddItem(stream->ReadLine());
    gUtil->CloseFile();
}

void clsQuillet::AddWorkUnitType(const std::string& value) {
    if (!gUtil->OpenFile(WorkUnitFile(), files::ForAppending, false)) return;
    gUtil->UtilFile()->WriteLine(value);
    gUtil->CloseFile();
}

// Writes one field of the setup form to the settings, then reloads every setting.
void clsQuillet::QuilletDefaultsSave(int16_t Index) {
    Guard("QuilletDefaultsSave()").Run([&] {
        frmSetup& form = Use(SetupForm());
        const std::string ini = gUtil->INIFile();
        std::string message;
        switch (Index) {
            case 0:
                gUtil->SaveSettingINI("Quillet", "Setup", "Root", FixPath(form.txtSetup(0).Text()), ini);
                break;
            case 1:
                gUtil->SaveSettingINI("Quillet", "Setup", "ProjDelim", form.txtSetup(1).Text(), ini);
                break;
            case 2:
                gUtil->SaveSettingINI("Quillet", "Setup", "SubjDelim", form.txtSetup(2).Text(), ini);
                break;
            case 3:
                gUtil->SaveSettingINI("Quillet", "Setup", "EmailFolder", FixPath(form.txtSetup(3).Text()), ini);
                break;
            case 4: {
                const std::string folder = FixPath(form.txtSetup(4).Text());
                if (SetNewDbLocation(folder)) {
                    IclsDbADO& db = Use(gDb);
                    db.DbFilePath(folder);
                    db.DatabaseFileSpec(db.DbFilePath() + db.DbName());
                    message = "You have changed the database location to " + db.DbFilePath() + "." + "\r\n";
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletDBPath", folder, ini);
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletDBPath", folder, AnchorFile());
                }
                break;
            }
            case 5: {
                const std::string folder = FixPath(form.txtSetup(5).Text());
                if (SetNewIniLocation(folder)) {
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletSettingsPath", folder, AnchorFile());
                    gUtil->SaveSettingINI("Quillet", "Setup", "QuilletSettingsPath", folder, ini);
                }
                break;
            }
            case 6: {
                const std::string workUnit = form.cboWorkType.Text();
                gUtil->SaveSettingINI("Quillet", "Setup", "WorkUnit", workUnit, ini);
                bool listed = false;
                for (int32_t i = 0; i < form.cboWorkType.ListCount() && !listed; ++i)
                    listed = text::EqualNoCase(form.cboWorkType.List(i), workUnit);
                if (!listed) AddWorkUnitType(workUnit);
                break;
            }
            case 7:
                gUtil->SaveSettingINI("Quillet", "Setup", "UsePlexar", form.optDbType(1).Value() ? "1" : "0",
                                      AnchorFile());
                break;
            default:
                break;
        }
        LocateSettings();
        if (!message.empty())
            platform::toolkit::MsgBox(message, platform::toolkit::vbOKOnly, "Quillet Database Location Changed");
    });
}

// Copies the settings file in use into the new folder; a file already there stays
// as it is and counts as copied.
bool clsQuillet::SetNewIniLocation(const std::string& newFolder) {
    bool result = false;
    Guard("SetNewIniLocation()")
        .Skip(platform::err::FileAlreadyExists)
        .Quiet(platform::err::PermissionDenied)
        .Exit([&] { gUtil->UtilDestroyFileObject(); })
        .Run({
            [&] { gUtil->UtilCreateFileObject(); },
            [&] { Use(gUtil->FileSys()).CopyFile(gUtil->INIFile(), newFolder + "Quillet.ini", false); },
            [&] { result = true; },
        });
    return result;
}
