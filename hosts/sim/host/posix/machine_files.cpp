#include "hosts/sim/host/machine_files.h"

#include <unistd.h>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/msg_file.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/prefix.h"

namespace sim::machine {

std::optional<std::filesystem::path> HostFile(std::string_view windowsPath) {
    return platform::files::Prefix::HostPath(windowsPath);
}

bool HeldByAnother(const std::filesystem::path& file) { return platform::files::detail::IsLockedHost(file); }

// A folder without a write permission bit refuses the file, as it would refuse anyone
// but root (who may write anywhere on this host).
bool FolderRefusesFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && platform::files::detail::IsReadOnly(folder);
}

const char* const kOutboxExtension = ".eml";

std::string WriteOutboxMessage(const mail::Message& message) { return mail::WriteEml(message); }

mail::Message ReadMessageFile(std::string_view bytes, const std::string& name) {
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".msg") == 0) return mail::ReadMsg(bytes);
    return mail::ParseEml(bytes, name);
}

std::tm UtcTime(std::time_t seconds) {
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    return utc;
}

unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }

}  // namespace sim::machine
