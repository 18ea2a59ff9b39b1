// From a Windows path to the host file behind it, inside the platform library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/files/posix/prefix.h"
#include "platform/files/windows_path.h"

namespace platform::files::detail {

struct ResolvedPath {
    WindowsPath windows;
    DriveMapping drive;
    std::filesystem::path host;  // the mapped folder, then each component
};

// Resolves a Windows path through the current prefix's drive map. Each component that
// exists is matched without regard to case (an exact match first); from the first
// one that does not exist on, components keep their spelling. Returns 0, or the
// failure number: 75 for a bad name, 76 for an unmapped drive, ".." above the root,
// or a path that would lead out of the mapped folder (through a symbolic link, also
// one whose target does not exist yet).
int32_t ResolveWindowsPath(std::string_view windowsPath, ResolvedPath& out);

// The host path with every symbolic link on its way followed, a link whose target does
// not exist yet as well (the path then runs on through where the link points), so that
// writing to the result writes where writing to the path would. Components that do not
// exist are kept as they are. nullopt for a loop of links or a link that cannot be read.
std::optional<std::filesystem::path> FollowLinks(const std::filesystem::path& path);

// As ResolveWindowsPath, raising the failure.
ResolvedPath ResolveOrRaise(std::string_view windowsPath);

}  // namespace platform::files::detail
