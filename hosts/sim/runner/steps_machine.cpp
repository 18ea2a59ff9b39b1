// "The machine": drives, folders, files, locks, the registry, databases, the date,
// Outlook's version and user.
#include <fstream>

#include "hosts/sim/runner/session.h"
#include "platform/ado/ado.h"
#include "platform/clock/clock.h"
#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/runner/machine.h"
#include "platform/registry/registry.h"

namespace sim::runner {

namespace fs = std::filesystem;
using scenario::Step;
using scenario::Token;

namespace {

const std::string& StringAt(const Step& step, size_t i) {
    if (i >= step.tokens.size() || step.tokens[i].kind != Token::Kind::String)
        throw BadStep("expected a quoted string after \"" + step.Word(0) + "\"");
    return step.tokens[i].text;
}

platform::files::DriveType DriveTypeNamed(const std::string& word) {
    using namespace platform::files;
    if (word == "fixed") return DriveType::Fixed;
    if (word == "remote") return DriveType::Remote;
    if (word == "removable") return DriveType::Removable;
    if (word == "cdrom") return DriveType::CdRom;
    if (word == "ramdisk") return DriveType::RamDisk;
    throw BadStep("unknown drive type " + word);
}

std::string JetConnection(const std::string& windowsPath) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + windowsPath + ";";
}

}  // namespace

fs::path Session::HostPath(const std::string& windowsPath) const {
    auto host = sim::machine::HostFile(windowsPath);
    if (!host) throw BadStep("\"" + windowsPath + "\" is on no mapped drive");
    return *host;
}

void Session::Machine(const Step& step) {
    const std::string verb = step.Word(0);
    if (verb == "drive") {
        // drive P: remote "\\srv\jobs": the letter maps the folder behind that share
        std::optional<std::string> share;
        if (step.tokens.size() > 3) {
            share = StringAt(step, 3);
            if (!sim::machine::HostFile(*share)) throw BadStep("\"" + *share + "\" is not mapped");
        }
        machine::MapDrive(step.Word(1), DriveTypeNamed(step.Word(2)), share);
    } else if (verb == "share") {
        machine::MakeShare(StringAt(step, 1));
    } else if (verb == "folder") {
        fs::create_directories(HostPath(StringAt(step, 1)));
    } else if (verb == "file") {
        fs::path host = HostPath(StringAt(step, 1));
        fs::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary | std::ios::trunc) << step.block.value_or("");
    } else if (verb == "remove") {
        fs::remove_all(HostPath(StringAt(step, 1)));
    } else if (verb == "lock") {
        machine::Lock(StringAt(step, 1));
    } else if (verb == "registry") {
        // registry "HKLM\KEY" "NAME" = "DATA"
        std::string key = StringAt(step, 1);
        auto slash = key.find('\\');
        std::string hiveName = key.substr(0, slash);
        key = slash == std::string::npos ? std::string() : key.substr(slash + 1);
        using platform::registry::Hive;
        Hive hive = hiveName == "HKLM" || hiveName == "HKEY_LOCAL_MACHINE" ? Hive::LocalMachine
                    : hiveName == "HKCU" || hiveName == "HKEY_CURRENT_USER" ? Hive::CurrentUser
                    : hiveName == "HKCR" || hiveName == "HKEY_CLASSES_ROOT" ? Hive::ClassesRoot
                                                                             : throw BadStep("unknown hive " + hiveName);
        platform::registry::SetString(hive, key, StringAt(step, 2), StringAt(step, 4));
    } else if (verb == "database") {
        HostPath(StringAt(step, 1));  // on a mapped drive
        machine::CreateProjectDatabase(StringAt(step, 1));
    } else if (verb == "sql") {
        auto connection = platform::ado::NewConnection();
        connection->Open(JetConnection(StringAt(step, 1)));
        connection->Execute(StringAt(step, 2));
        connection->Close();
    } else if (verb == "today") {
        int year = 0, month = 0, day = 0;
        if (std::sscanf(step.Word(1).c_str(), "%d-%d-%d", &year, &month, &day) != 3)
            throw BadStep("today takes a date as 2026-03-05");
        platform::clock::FixToday(platform::clock::Date{year, month, day});
    } else if (verb == "outlook") {
        if (step.tokens.size() < 2 || step.tokens[1].kind != Token::Kind::Number) throw BadStep("outlook takes a version");
        outlook_->SetVersion(int32_t(step.tokens[1].number));
    } else if (verb == "user") {
        outlook_->SetUser(StringAt(step, 1));
    }
}

}  // namespace sim::runner
