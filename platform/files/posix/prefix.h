// The prefix: everything one installation owns, in one host folder, as a Wine
// prefix holds it: the registry store, the drive map and the folder behind C:.
//
// Only hosts and tests use this header; the system itself sees Windows paths alone.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/files.h"

namespace platform::files {

struct DriveMapping {
    std::string name;                  // "C:" or "\\srv\share" (as mapped)
    std::filesystem::path hostFolder;  // the folder behind it
    DriveType type = DriveType::Fixed;
};

class Prefix {
public:
    // Makes a fresh prefix in the folder (created if needed): C: mapped as a fixed
    // drive to a folder inside it, a registry store with the machine's defaults
    // (Common AppData = C:\ProgramData, ProgramFilesDir = C:\Program Files), and
    // those two folders. It becomes the current prefix. Made again over an existing
    // prefix, its drive map and registry store start afresh; the files behind C: stay.
    static void Create(const std::filesystem::path& folder);
    // Makes an existing prefix the current one.
    static void Open(const std::filesystem::path& folder);
    // The current prefix's folder; empty when none is open.
    static std::filesystem::path Folder();

    // Maps a drive letter ("P:") or a share ("\\srv\jobs") to a host folder; without
    // a folder, a fresh one inside the prefix ("drive_p", "unc_srv_jobs"). The map is
    // kept in the prefix's "drives.map". Names compare without regard to case: mapping
    // "p:" again replaces P:.
    static void MapDrive(std::string_view name, DriveType type,
                         std::optional<std::filesystem::path> hostFolder = std::nullopt);
    static void UnmapDrive(std::string_view name);
    static std::vector<DriveMapping> Drives();

    // The host file or folder behind a Windows path, when its drive is mapped and the
    // path is well formed; existing components are matched without regard to case.
    static std::optional<std::filesystem::path> HostPath(std::string_view windowsPath);

    // "In use by someone else": opening, copying or deleting the file fails with 70.
    // Marks are kept in memory for this process and dropped by Create and Open.
    static void Lock(std::string_view windowsPath);
    static void Unlock(std::string_view windowsPath);
};

}  // namespace platform::files
