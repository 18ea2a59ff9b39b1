// Where the INI functions find their files: a Windows path reaches its host file
// through the prefix's drive map. A settings file is read and replaced as a whole by
// the file layer's one reader and one writer (platform/files/posix/host_io.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::profile {

// The host file behind a Windows path when it can be read: the drive is mapped and
// the path names a plain file that nobody else holds. nullopt otherwise.
std::optional<std::filesystem::path> ReadableHostFile(std::string_view windowsPath);

// The host file behind a Windows path when it may be written: the drive is mapped,
// the folder exists, and the file is missing or a plain file that is neither in use
// nor read-only. nullopt otherwise.
std::optional<std::filesystem::path> WritableHostFile(std::string_view windowsPath);

}  // namespace platform::profile
