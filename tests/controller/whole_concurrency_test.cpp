// Eight Outlooks on eight machines of one office at once, sharing the project folders,
// the project database and the settings file: each starts the add-in (registering the
// utility library into the shared registry store), adds a project, saves a setting
// and files a mail into the same project folder. Afterwards every mail and every
// project is there exactly once, and the settings file and the registry store read
// whole with every process's entry.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "addin/controller/clsQuillet.h"
#include "addin/host/clsQLOutlook.h"
#include "addin/host/modMain.h"
#include "hosts/mail/msg_file.h"
#include "hosts/sim/host/outlook_model.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/com/class_factory.h"
#include "platform/com/library.h"
#include "platform/files/posix/prefix.h"
#include "platform/profile/profile.h"
#include "platform/registry/registry.h"
#include "platform/toolkit/input.h"
#include "tools/dbtool/project_database.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/class_ids.h"
#include "util/interfaces/clsUtil_bridge.h"

namespace {

namespace fs = std::filesystem;
namespace input = platform::toolkit::input;

constexpr int kOutlooks = 8;
constexpr const char* kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";
constexpr const char* kFolder = "P:\\Projects\\05-123\\";

// One Outlook's session, in a process of its own: 0 when everything went through.
int OneOutlook(int n, sim::TestMachine& machine) {
    const fs::path utility = fs::read_symlink("/proc/self/exe").parent_path() / "UtilOrvek2.so";
    if (platform::com::RegisterLibrary(utility.string()) != 0) return 10;
    gDb = platform::com::CreateObjectAs<IclsDbADO>(class_ids::clsDbADO);
    gUtil = platform::com::CreateObjectAs<_clsUtil>(class_ids::clsUtil);
    gController = std::make_shared<clsQuillet>();
    gOutlook = std::make_shared<clsQLOutlook>();
    sim::Outlook outlook;
    gOutlook->App(outlook.Application());

    const std::string name = std::to_string(n);
    int32_t affected = 0;
    gDb->ExecuteCommand("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) VALUES ('C-" +
                            name + "', 'Crew " + name + "', 'P:\\Projects\\C-" + name + "\\', True);",
                        &affected);
    if (affected != 1) return 11;
    if (gUtil->SaveSettingINI("Quillet", "Writers", "W" + name, name, kIni) == 0) return 12;

    outlook.OpenMail({.subject = "Message " + name, .recipients = 1});
    outlook.ClickButton();
    auto form = gController->SaveForm();
    if (!form) return 13;
    // Other Outlooks' projects may be listed already: the shared one is picked by its name.
    const auto items = form->cboQuillet.Items();
    const auto shared =
        std::find_if(items.begin(), items.end(), [](const std::string& item) { return item.starts_with("Smith House"); });
    if (shared == items.end()) return 16;
    input::Pick(form->cboQuillet, int32_t(shared - items.begin()));
    input::Click(form->cmdQuillet(0));
    for (const auto& problem : machine.Person().Problems()) std::fprintf(stderr, "Outlook %d: %s\n", n, problem.c_str());
    if (gController->SaveForm() && gController->SaveForm()->Visible()) return 14;  // closed once filed and sent
    return machine.Person().Problems().empty() ? 0 : 15;
}

TEST(WholeConcurrency, EightOutlooksFileIntoOneFolderAndAddToOneDatabaseAtOnce) {
    sim::TestMachine machine;
    platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote);
    fs::create_directories(machine.Host(kFolder));
    machine.Write("C:\\ProgramData\\Quillet\\Quillet.cnt", "0\r\n[Form]\r\n");
    machine.Write(kIni, "[Setup]\r\nRoot=P:\\Projects\\\r\n");
    const fs::path database = machine.Host("C:\\ProgramData\\Quillet\\Quillet.mdb");
    dbtool::CreateProjectDatabase(database);
    dbtool::AddProjects(database, {{"05-123", "Smith House", kFolder, true}});

    std::map<pid_t, int> children;
    for (int n = 0; n < kOutlooks; ++n) {
        const pid_t child = ::fork();
        if (child == 0) {
            int code = 3;
            try {
                code = OneOutlook(n, machine);
            } catch (...) {
            }
            ::_exit(code);
        }
        children[child] = n;
    }
    for (const auto& [child, n] : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "Outlook " << n << " ended with " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }

    // Every mail once in the project folder, each one whole.
    std::set<std::string> filed;
    for (const auto& entry : fs::directory_iterator(machine.Host(kFolder))) filed.insert(entry.path().filename());
    for (int n = 0; n < kOutlooks; ++n) {
        const std::string file = "Message " + std::to_string(n) + ".msg";
        EXPECT_EQ(filed.count(file), 1u) << file;
        if (filed.count(file)) {
            EXPECT_EQ(mail::ReadMsg(machine.Read(kFolder + file)).subject, "Message " + std::to_string(n));
        }
    }
    EXPECT_EQ(filed.size(), size_t(kOutlooks)) << "nothing else is left in the folder";
    EXPECT_EQ(std::distance(fs::directory_iterator(machine.Host("C:\\Quillet Mail\\Outbox")), {}), kOutlooks);

    // Every project once, read straight from the database file.
    std::map<std::string, int> projects;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT [Project Number] FROM Project", -1, &query, nullptr), SQLITE_OK);
    while (sqlite3_step(query) == SQLITE_ROW) ++projects[reinterpret_cast<const char*>(sqlite3_column_text(query, 0))];
    sqlite3_finalize(query);
    sqlite3_close(db);
    EXPECT_EQ(projects.size(), size_t(kOutlooks + 1));
    for (int n = 0; n < kOutlooks; ++n) EXPECT_EQ(projects["C-" + std::to_string(n)], 1) << n;
    EXPECT_EQ(projects["05-123"], 1);

    // Every setting, and a registry store read whole.
    for (int n = 0; n < kOutlooks; ++n)
        EXPECT_EQ(platform::profile::GetPrivateProfileStringA("Writers", "W" + std::to_string(n), "", 512, kIni),
                  std::to_string(n));
    EXPECT_EQ(platform::profile::GetPrivateProfileStringA("Setup", "Root", "", 512, kIni), "P:\\Projects\\");
    EXPECT_FALSE(platform::registry::FirstUnreadLine());
    EXPECT_TRUE(platform::registry::KeyExists(platform::registry::Hive::ClassesRoot, "UtilOrvek2.clsUtil"));
}

}  // namespace
