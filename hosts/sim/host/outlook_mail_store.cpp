#include "hosts/sim/host/outlook_mail_store.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "hosts/sim/host/machine_files.h"
#include "hosts/sim/host/outlook_item_files.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

fs::path HostFolder(const std::string& windowsPath) {
    auto host = machine::HostFile(windowsPath);
    if (!host) throw std::runtime_error("the mail store needs drive C: mapped");
    return *host;
}

// "20260305-143012": when the message left, in UTC.
std::string Stamp(const mail::Message& message) {
    const std::time_t seconds = message.sentTime ? std::time_t(message.sentTime->time_since_epoch().count())
                                                 : std::time(nullptr);
    const std::tm utc = machine::UtcTime(seconds);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    return stamp;
}

}  // namespace

std::string FileNameFromSubject(const std::string& subject) {
    std::string name;
    size_t characters = 0;
    for (char ch : subject) {
        const auto c = static_cast<unsigned char>(ch);
        const bool lead = (c & 0xC0) != 0x80;
        if (lead && characters == 60) break;
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos) continue;
        name += ch;
        if (lead) ++characters;
    }
    // No leading spaces, no trailing dots or spaces (Windows drops them).
    const size_t last = name.find_last_not_of(". ");
    name.erase(last == std::string::npos ? 0 : last + 1);
    name.erase(0, std::min(name.find_first_not_of(' '), name.size()));
    return name.empty() ? "(no subject)" : name;
}

void MailStore::Create() const {
    const fs::path root = HostFolder(kRoot);
    std::error_code ec;  // a folder that cannot be made fails the write into it
    for (const char* folder : kFolders) fs::create_directories(root / folder, ec);
}

std::string MailStore::PutInOutbox(const mail::Message& message) {
    Create();
    const std::string base = std::string(kOutbox) + Stamp(message) + " " + FileNameFromSubject(message.subject);
    const std::string extension = machine::kOutboxExtension;
    std::string path = base + extension;
    std::error_code ec;
    for (int n = 2; fs::exists(HostFolder(path), ec); ++n) path = base + " (" + std::to_string(n) + ")" + extension;
    WriteItemFile(path, machine::WriteOutboxMessage(message));
    lastSent_ = path;
    return path;
}

std::vector<std::string> MailStore::Outbox() const {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(HostFolder(kOutbox), ec))
        if (entry.is_regular_file() && entry.path().extension() == machine::kOutboxExtension)
            paths.push_back(std::string(kOutbox) + reinterpret_cast<const char*>(entry.path().filename().u8string().c_str()));
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace sim
