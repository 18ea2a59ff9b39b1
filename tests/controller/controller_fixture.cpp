#include "tests/controller/controller_fixture.h"

#include <filesystem>
#include <stdexcept>

#include "addin/host/clsQLOutlook.h"
#include "addin/host/modMain.h"
#include "platform/com/class_factory.h"
#include "platform/com/library.h"
#include "platform/files/posix/prefix.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/class_ids.h"
#include "util/interfaces/clsUtil_bridge.h"

namespace controller_test {

namespace fs = std::filesystem;

QueryResult ListOf(const std::vector<Row>& rows) {
    QueryResult list(5, rows.size());
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < 5; ++column) list.Set(column, row, rows[row][column]);
    return list;
}

namespace {
const char* const kHints =
    "1\r\n[Form] Save\r\nProject|Pick the <WorkUnit>.\r\nFolder|The folder.\r\nName|The file name.\r\n[Form]\r\n";
const char* const kPlexarSettings =
    "[Setup]\r\nProjDelim=-\r\nSubjDelim==>\r\nEmailFolder=Corr_Out\\\r\nWorkUnit=Project\r\n"
    "[FilePathsPrj]\r\n1=P:\\Projects\\\r\n[FilePathsMDB]\r\n1=C:\\Plexar\\Plexar.mdb\r\n";
}  // namespace

void ControllerTest::Start(Mode mode, const std::vector<dbtool::ProjectRecord>& projects) {
    platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote);
    fs::create_directories(machine.Host("P:\\Projects"));
    machine.Write("C:\\ProgramData\\Quillet\\Quillet.cnt", kHints);
    std::string database = "C:\\ProgramData\\Quillet\\Quillet.mdb";
    if (mode == Mode::Plexar) {
        fs::create_directories(machine.Host("C:\\Program Files\\Plexar"));
        machine.Write("C:\\ProgramData\\Plexar\\Plxr.ini", kPlexarSettings);
        database = "C:\\Plexar\\Plexar.mdb";
    } else {
        machine.Write("C:\\ProgramData\\Quillet\\Quillet.ini", "[Setup]\r\nRoot=P:\\Projects\\\r\n");
    }
    fs::create_directories(machine.Host(database).parent_path());
    dbtool::CreateProjectDatabase(machine.Host(database));
    if (!projects.empty()) dbtool::AddProjects(machine.Host(database), projects);

    const fs::path utility = fs::read_symlink("/proc/self/exe").parent_path() / "UtilOrvek2.so";
    if (platform::com::RegisterLibrary(utility.string()) != 0)
        throw std::runtime_error("cannot register " + utility.string() + ": " + platform::com::LastLoadError());
    gDb = platform::com::CreateObjectAs<IclsDbADO>(class_ids::clsDbADO);
    gUtil = platform::com::CreateObjectAs<_clsUtil>(class_ids::clsUtil);
    gController = std::make_shared<clsQuillet>();
    gOutlook = std::make_shared<clsQLOutlook>();
    outlook = std::make_unique<sim::Outlook>();
    gOutlook->App(outlook->Application());
}

frmQuillet& ControllerTest::OpenSaveForm(const sim::MailSetup& mail) {
    outlook->OpenMail(mail);
    outlook->ClickButton();
    if (!Controller().SaveForm()) throw std::runtime_error("the save form did not open");
    return *Controller().SaveForm();
}

void ControllerTest::TearDown() {
    for (const auto& problem : person.Problems()) ADD_FAILURE() << problem;
}

// Released as Outlook's quitting releases them, before the machine goes.
ControllerTest::~ControllerTest() {
    gController = nullptr;
    gOutlook = nullptr;
    gUtil = nullptr;
    gDb = nullptr;
}

}  // namespace controller_test
