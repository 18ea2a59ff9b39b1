#include "hosts/sim/host/machine_files.h"

#include <windows.h>

#include "hosts/mail/mail_error.h"
#include "hosts/mail/msg_file.h"
#include "platform/text/win/wide.h"

namespace sim::machine {

std::optional<std::filesystem::path> HostFile(std::string_view windowsPath) {
    return std::filesystem::path(platform::text::win::Wide(windowsPath));
}

// Windows itself refuses a write into a file held open or a folder one may not write.
bool HeldByAnother(const std::filesystem::path&) { return false; }
bool FolderRefusesFiles(const std::filesystem::path&) { return false; }

const char* const kOutboxExtension = ".msg";

std::string WriteOutboxMessage(const mail::Message& message) { return mail::WriteMsg(message); }

mail::Message ReadMessageFile(std::string_view bytes, const std::string& name) {
    if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".msg") != 0)
        throw mail::MailError(name + ": only Outlook message files (.msg) open here");
    return mail::ReadMsg(bytes);
}

std::tm UtcTime(std::time_t seconds) {
    std::tm utc{};
    gmtime_s(&utc, &seconds);
    return utc;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

}  // namespace sim::machine
