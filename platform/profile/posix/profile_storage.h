// Where the INI functions find their files: a Windows path reaches its host file
// through the prefix's drive map, and a settings file is replaced as a whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// The host file behind a Windows path when it can be read: the drive is mapped and
// the path names a plain file that nobody else holds. nullopt otherwise.
std::optional<std::filesystem::path> ReadableHostFile(std::string_view windowsPath);

// The host file behind a Windows path when it may be written: the drive is mapped,
// the folder exists, and the file is missing or a plain file that is neither in use
// nor read-only. nullopt otherwise.
std::optional<std::filesystem::path> WritableHostFile(std::string_view windowsPath);

// The file's bytes; nullopt when it cannot be read.
std::optional<std::string> ReadHostFile(const std::filesystem::path& file);

// Writes the content to a new file in the same folder and renames it over the file,
// so that the file holds either its old or its new content, never part of one.
// False (and the file untouched) when that fails.
bool ReplaceHostFile(const std::filesystem::path& file, std::string_view content);

}  // namespace platform::profile
