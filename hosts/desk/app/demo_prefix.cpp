#include "hosts/desk/app/demo_prefix.h"

#include <array>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "hosts/mail/eml_file.h"
#include "platform/com/library.h"
#include "platform/files/posix/prefix.h"
#include "tools/dbtool/project_database.h"

namespace desk {

namespace fs = std::filesystem;
using platform::files::Prefix;

namespace {

void WriteFile(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

fs::path Host(const std::string& windowsPath) {
    auto host = Prefix::HostPath(windowsPath);
    if (!host) throw std::runtime_error("no drive for " + windowsPath);
    return *host;
}

const char* const kSettings =
    "[Setup]\r\n"
    "Root=P:\\Projects\\\r\n"
    "WorkUnit=Project\r\n";

const char* const kWorkUnits = "Project\r\nJob\r\nMatter\r\n";

const char* const kHints =
    "2\r\n"
    "[Form] Save\r\n"
    "Project|Pick the <WorkUnit> this e-mail belongs to.\r\n"
    "Folder|The folder the e-mail is saved in.\r\n"
    "Name|The file name of the saved e-mail.\r\n"
    "[Form] Setup\r\n"
    "Server|The server folder that holds every <WorkUnit> folder.\r\n"
    "Server|The server folder is set in Plexar.\r\n"
    "ProjDelim|Goes between the <WorkUnit> number and name.\r\n"
    "SubjDelim|Goes between the <WorkUnit> name and the subject.\r\n"
    "EmailFolder|The sub-folder of each <WorkUnit> folder.\r\n"
    "Database|Moving the database moves it for everyone.\r\n"
    "Settings|The folder of the settings file.\r\n"
    "WorkUnit|Your word for a project.\r\n"
    "Option|Quillet's own database, or Plexar's.\r\n"
    "[Form]\r\n";

std::vector<dbtool::ProjectRecord> SampleProjects() {
    const std::array<const char*, 12> places = {"Smith House", "Bridge Street", "Harbour Office", "Mill Lane School",
                                                "Riverside Flats", "Old Bakery",   "North Depot",    "Market Hall",
                                                "Clinic Annex",    "Park Pavilion", "Station Yard",  "Hill Farm"};
    const std::array<const char*, 3> phases = {"", " Phase 2", " Fit-out"};
    std::vector<dbtool::ProjectRecord> projects;
    int number = 101;
    for (const char* phase : phases)
        for (const char* place : places) {
            dbtool::ProjectRecord record;
            record.number = "05-" + std::to_string(number++);
            record.name = std::string(place) + phase;
            projects.push_back(record);
        }
    return projects;
}

mail::Message Sample(const std::string& subject, const std::string& from, const std::string& address,
                     const std::string& text, int hoursAgo) {
    mail::Message message;
    message.subject = subject;
    message.sender = {from, address};
    message.recipients.push_back({mail::RecipientKind::To, {"Demo User", "demo@quillet.example"}});
    message.body = text;
    message.html = "<HTML><BODY><P>" + text + "</P></BODY></HTML>";
    auto when = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()) - std::chrono::hours(hoursAgo);
    message.sentTime = when;
    message.receivedTime = when;
    message.sent = true;
    return message;
}

}  // namespace

void MakeDemoPrefix(const fs::path& folder, const fs::path& libraries) {
    Prefix::Create(folder);
    Prefix::MapDrive("P:", platform::files::DriveType::Remote);
    WriteFile(Host("C:\\ProgramData\\Quillet\\Quillet.ini"), kSettings);
    WriteFile(Host("C:\\ProgramData\\Quillet\\Quillet.cnt"), kHints);
    WriteFile(Host("C:\\ProgramData\\Quillet\\WorkUnitType.cnt"), kWorkUnits);

    const fs::path database = Host("C:\\ProgramData\\Quillet") / "Quillet.mdb";
    dbtool::CreateProjectDatabase(database);
    auto projects = SampleProjects();
    dbtool::AddProjects(database, projects);
    // Most projects have their folder already; the rest are made when mail is first filed.
    for (size_t i = 0; i < projects.size(); ++i)
        if (i % 4 != 1) fs::create_directories(Host("P:\\") / "Projects" / projects[i].number);

    for (const char* name : kMailFolders) fs::create_directories(Host("C:\\") / "Quillet Mail" / name);
    const std::array<mail::Message, 4> inbox = {
        Sample("Roof drawings", "Anna Berg", "anna.berg@example.com",
               "Please find the revised roof drawings for the Smith House.", 2),
        Sample("Site meeting on Thursday", "Tom Reed", "tom.reed@example.com",
               "The site meeting at Bridge Street moves to Thursday, 9 o'clock.", 5),
        Sample("Invoice 2231-07", "Accounts", "accounts@example.com", "Our invoice for the Harbour Office survey.",
               26),
        Sample("Planning consent", "Council Planning", "planning@example.com",
               "Consent for the Mill Lane School extension has been granted.", 50),
    };
    int n = 1;
    for (const auto& message : inbox)
        WriteFile(Host("C:\\Quillet Mail\\Inbox") / (std::to_string(n++) + " " + message.subject + ".eml"),
                  mail::WriteEml(message));

    for (const fs::path& library : {libraries / "UtilOrvek2.so", libraries / "Quillet09.so"})
        if (platform::com::RegisterLibrary(library.string()) != 0)
            throw std::runtime_error("cannot register " + library.string() + ": " + platform::com::LastLoadError());
}

}  // namespace desk
