// The process-wide current prefix inside the platform library: its folder, its drive
// map (kept in memory and in the prefix's "drives.map") and the files marked in use.
// One per process: both plugins and the host link the one platform library.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/files/posix/prefix.h"

namespace platform::files::detail {

// The current prefix's folder; empty when none is open.
std::filesystem::path CurrentPrefixFolder();

// Makes the folder with the given drives the current prefix (no file is written).
void SetCurrentPrefix(const std::filesystem::path& folder, std::vector<DriveMapping> drives);

// The drive map of the current prefix.
std::vector<DriveMapping> CurrentDrives();
// The mapping of a drive ("C:", "\\srv\share", compared without regard to case).
std::optional<DriveMapping> FindDrive(std::string_view driveName);
// Adds or replaces one mapping and saves the map.
void PutDrive(DriveMapping mapping);
// Removes one mapping (if there) and saves the map.
void RemoveDrive(std::string_view driveName);

// The drive map file of a prefix folder, read and written. Host folders inside the
// prefix are written relative to it, so a prefix can be moved.
std::filesystem::path DriveMapFile(const std::filesystem::path& prefixFolder);
std::vector<DriveMapping> ReadDriveMap(const std::filesystem::path& prefixFolder);
void WriteDriveMap(const std::filesystem::path& prefixFolder, const std::vector<DriveMapping>& drives);

// Files in use by someone else, keyed by their resolved host path (compared without
// regard to case, as the Windows paths that reach them are).
void AddLock(const std::filesystem::path& host);
void RemoveLock(const std::filesystem::path& host);
void ClearLocks();
bool IsLockedHost(const std::filesystem::path& host);

}  // namespace platform::files::detail
