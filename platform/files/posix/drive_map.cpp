#include "platform/files/posix/drive_map.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "platform/errors/errors.h"
#include "platform/files/posix/host_io.h"
#include "platform/text/text.h"

namespace platform::files::detail {

namespace fs = std::filesystem;

namespace {

struct PrefixState {
    std::mutex mutex;
    fs::path folder;
    std::vector<DriveMapping> drives;
    std::vector<fs::path> locks;
};

PrefixState& State() {
    static PrefixState state;
    return state;
}

struct TypeName {
    DriveType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {DriveType::Unknown, "unknown"}, {DriveType::Removable, "removable"}, {DriveType::Fixed, "fixed"},
    {DriveType::Remote, "remote"},   {DriveType::CdRom, "cdrom"},         {DriveType::RamDisk, "ramdisk"},
};

const char* NameOfType(DriveType type) {
    for (const auto& entry : kTypeNames)
        if (entry.type == type) return entry.name;
    return "unknown";
}

std::optional<DriveType> TypeOfName(std::string_view name) {
    for (const auto& entry : kTypeNames)
        if (name == entry.name) return entry.type;
    return std::nullopt;
}

// Saves the map of the current prefix; the caller holds the mutex.
void SaveLocked(PrefixState& state) {
    if (!state.folder.empty()) WriteDriveMap(state.folder, state.drives);
}

bool SameHostPath(const fs::path& a, const fs::path& b) { return text::EqualNoCase(a.string(), b.string()); }

fs::path LockKey(const fs::path& host) {
    std::error_code ec;
    fs::path key = fs::weakly_canonical(host, ec);
    return ec ? host.lexically_normal() : key;
}

}  // namespace

fs::path CurrentPrefixFolder() {
    std::lock_guard lock(State().mutex);
    return State().folder;
}

void SetCurrentPrefix(const fs::path& folder, std::vector<DriveMapping> drives) {
    std::lock_guard lock(State().mutex);
    State().folder = folder;
    State().drives = std::move(drives);
}

std::vector<DriveMapping> CurrentDrives() {
    std::lock_guard lock(State().mutex);
    return State().drives;
}

std::optional<DriveMapping> FindDrive(std::string_view driveName) {
    std::lock_guard lock(State().mutex);
    for (const auto& drive : State().drives)
        if (text::EqualNoCase(drive.name, driveName)) return drive;
    return std::nullopt;
}

void PutDrive(DriveMapping mapping) {
    std::lock_guard lock(State().mutex);
    auto& drives = State().drives;
    auto same = std::find_if(drives.begin(), drives.end(),
                             [&](const DriveMapping& d) { return text::EqualNoCase(d.name, mapping.name); });
    if (same != drives.end())
        *same = std::move(mapping);
    else
        drives.push_back(std::move(mapping));
    SaveLocked(State());
}

void RemoveDrive(std::string_view driveName) {
    std::lock_guard lock(State().mutex);
    auto& drives = State().drives;
    std::erase_if(drives, [&](const DriveMapping& d) { return text::EqualNoCase(d.name, driveName); });
    SaveLocked(State());
}

fs::path DriveMapFile(const fs::path& prefixFolder) { return prefixFolder / "drives.map"; }

// One line per drive: name, type and host folder, separated by tabs; "#" starts a
// comment line.
std::vector<DriveMapping> ReadDriveMap(const fs::path& prefixFolder) {
    auto content = ReadHostFile(DriveMapFile(prefixFolder));
    if (!content) Raise(err::PathNotFound, "No drive map in " + prefixFolder.string());
    std::vector<DriveMapping> drives;
    size_t start = 0;
    while (start < content->size()) {
        size_t end = content->find('\n', start);
        if (end == std::string::npos) end = content->size();
        std::string line = content->substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        auto type = tab2 == std::string::npos ? std::nullopt : TypeOfName(line.substr(tab1 + 1, tab2 - tab1 - 1));
        if (!type) Raise(err::PathFileAccess, "Bad line in the drive map: " + line);
        fs::path folder = line.substr(tab2 + 1);
        drives.push_back({line.substr(0, tab1), folder.is_absolute() ? folder : prefixFolder / folder, *type});
    }
    return drives;
}

void WriteDriveMap(const fs::path& prefixFolder, const std::vector<DriveMapping>& drives) {
    std::string content = "# The drives of this prefix: drive, type, host folder (relative to the prefix\n"
                          "# or absolute), separated by tabs.\n";
    for (const auto& drive : drives) {
        fs::path folder = drive.hostFolder.lexically_relative(prefixFolder);
        if (folder.empty() || *folder.begin() == "..") folder = drive.hostFolder;
        content += drive.name + "\t" + NameOfType(drive.type) + "\t" + folder.string() + "\n";
    }
    WriteHostFileAtomically(DriveMapFile(prefixFolder), content);
}

void AddLock(const fs::path& host) {
    fs::path key = LockKey(host);
    std::lock_guard lock(State().mutex);
    for (const auto& held : State().locks)
        if (SameHostPath(held, key)) return;
    State().locks.push_back(key);
}

void RemoveLock(const fs::path& host) {
    fs::path key = LockKey(host);
    std::lock_guard lock(State().mutex);
    std::erase_if(State().locks, [&](const fs::path& held) { return SameHostPath(held, key); });
}

void ClearLocks() {
    std::lock_guard lock(State().mutex);
    State().locks.clear();
}

bool IsLockedHost(const fs::path& host) {
    fs::path key = LockKey(host);
    std::lock_guard lock(State().mutex);
    for (const auto& held : State().locks)
        if (SameHostPath(held, key)) return true;
    return false;
}

}  // namespace platform::files::detail
