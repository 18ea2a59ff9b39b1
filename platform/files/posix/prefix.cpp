#include "platform/files/posix/prefix.h"

#include <stdexcept>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/files/posix/host_path.h"
#include "platform/files/windows_path.h"
#include "platform/registry/registry.h"

namespace platform::files {

namespace fs = std::filesystem;

namespace {

fs::path Absolute(const fs::path& folder) { return fs::absolute(folder).lexically_normal(); }

fs::path RequirePrefix() {
    fs::path folder = detail::CurrentPrefixFolder();
    if (folder.empty()) throw std::logic_error("No prefix is open");
    return folder;
}

// The folder a drive gets inside the prefix: "drive_p" for P:, "unc_srv_jobs" for
// \\srv\jobs (letters and digits kept in lower case, anything else an underscore),
// with a number added when another drive already uses that folder.
fs::path FreshDriveFolder(const fs::path& prefix, const std::string& name) {
    std::string base;
    if (name.size() == 2 && name[1] == ':') {
        base = std::string("drive_") + char(name[0] - 'A' + 'a');
    } else {
        base = "unc";
        for (char c : name.substr(1)) {
            bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a'), keep = true;
            base += keep ? c : '_';
        }
    }
    auto used = [&](const fs::path& folder) {
        for (const auto& drive : detail::CurrentDrives())
            if (drive.hostFolder == folder && drive.name != name) return true;
        return false;
    };
    fs::path folder = prefix / base;
    for (int n = 2; used(folder); ++n) folder = prefix / (base + "_" + std::to_string(n));
    return folder;
}

}  // namespace

void Prefix::Create(const fs::path& folder) {
    fs::path prefix = Absolute(folder);
    fs::create_directories(prefix / "drive_c");
    std::vector<DriveMapping> drives{{"C:", prefix / "drive_c", DriveType::Fixed}};
    detail::WriteDriveMap(prefix, drives);
    fs::remove(prefix / "registry.reg");
    detail::SetCurrentPrefix(prefix, std::move(drives));
    detail::ClearLocks();
    registry::WriteMachineDefaults();
    fs::create_directories(prefix / "drive_c" / "ProgramData");
    fs::create_directories(prefix / "drive_c" / "Program Files");
}

void Prefix::Open(const fs::path& folder) {
    fs::path prefix = Absolute(folder);
    auto drives = detail::ReadDriveMap(prefix);
    detail::SetCurrentPrefix(prefix, std::move(drives));
    detail::ClearLocks();
}

fs::path Prefix::Folder() { return detail::CurrentPrefixFolder(); }

void Prefix::MapDrive(std::string_view name, DriveType type, std::optional<fs::path> hostFolder) {
    fs::path prefix = RequirePrefix();
    auto normal = detail::NormalDriveName(name);
    if (!normal) Raise(err::PathFileAccess, "Not a drive: " + std::string(name));
    // A share keeps its first spelling; mapping it again changes only its folder and type.
    if (auto mapped = detail::FindDrive(*normal)) *normal = mapped->name;
    fs::path folder = hostFolder ? Absolute(*hostFolder) : FreshDriveFolder(prefix, *normal);
    fs::create_directories(folder);
    detail::PutDrive({*normal, folder, type});
}

void Prefix::UnmapDrive(std::string_view name) {
    RequirePrefix();
    auto normal = detail::NormalDriveName(name);
    if (normal) detail::RemoveDrive(*normal);
}

std::vector<DriveMapping> Prefix::Drives() { return detail::CurrentDrives(); }

std::optional<fs::path> Prefix::HostPath(std::string_view windowsPath) {
    detail::ResolvedPath resolved;
    if (detail::ResolveWindowsPath(windowsPath, resolved) != 0) return std::nullopt;
    return resolved.host;
}

void Prefix::Lock(std::string_view windowsPath) { detail::AddLock(detail::ResolveOrRaise(windowsPath).host); }

void Prefix::Unlock(std::string_view windowsPath) {
    detail::ResolvedPath resolved;
    if (detail::ResolveWindowsPath(windowsPath, resolved) == 0) detail::RemoveLock(resolved.host);
}

}  // namespace platform::files
