#include "hosts/desk/app/mail_list.h"

#include <algorithm>
#include <filesystem>

#include "hosts/mail/eml_file.h"
#include "hosts/mail/mail_error.h"
#include "platform/files/posix/prefix.h"

namespace desk {

namespace fs = std::filesystem;

std::vector<MailEntry> ReadMailFolder(const std::string& folder) {
    std::vector<MailEntry> entries;
    const std::string windowsFolder = "C:\\Quillet Mail\\" + folder;
    auto host = platform::files::Prefix::HostPath(windowsFolder);
    if (!host) return entries;
    std::error_code ec;
    for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".eml") continue;
        try {
            entries.push_back({windowsFolder + "\\" + it->path().filename().string(), mail::LoadEml(it->path())});
        } catch (const mail::MailError&) {
        }
    }
    auto when = [](const MailEntry& e) { return e.message.receivedTime.value_or(e.message.sentTime.value_or(mail::Time{})); };
    std::sort(entries.begin(), entries.end(), [&](const MailEntry& a, const MailEntry& b) { return when(a) > when(b); });
    return entries;
}

}  // namespace desk
