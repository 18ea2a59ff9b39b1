// The simulated Outlook's view of the machine's files: the file behind a Windows
// path, what stops a write before it starts, and the form of the messages it keeps.
// Here (posix/) the machine is the prefix, whose locks and read-only folders the
// platform plays; on Windows (win/) a Windows path is the file itself and the system
// refuses a write on its own, and the outbox keeps Outlook's message files, since
// Windows has no library for internet messages.
#pragma once

#include <filesystem>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/mail/message.h"

namespace sim::machine {

// The file behind a Windows path; nullopt when its drive is not mapped.
std::optional<std::filesystem::path> HostFile(std::string_view windowsPath);
// Whether another program holds the file so that no one may write it, and whether the
// folder refuses new files, as far as this machine must be asked before the write.
bool HeldByAnother(const std::filesystem::path& file);
bool FolderRefusesFiles(const std::filesystem::path& folder);

// The outbox's kind of message file (".eml"), written and read.
extern const char* const kOutboxExtension;
std::string WriteOutboxMessage(const mail::Message& message);
// A message file as Outlook opens it: an Outlook message file, or (where there is a
// library for them) an internet message. Throws mail::MailError naming `name`.
mail::Message ReadMessageFile(std::string_view bytes, const std::string& name);

// A time in seconds as a calendar time in UTC.
std::tm UtcTime(std::time_t seconds);
// This process's id, for names that must differ between processes.
unsigned long ProcessId();

}  // namespace sim::machine
