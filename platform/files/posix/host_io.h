// Small helpers over host files inside the platform library.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::files::detail {

// Read-only as Windows sees it: the host file has no write permission bit. (Checked
// from the mode bits, because the kernel lets root write anything.)
bool IsReadOnly(const std::filesystem::path& host);

// A fresh name beside the target for writing it aside (same folder, hidden, unique
// within the process).
std::filesystem::path AsideName(const std::filesystem::path& target);

// The bytes of a file; nullopt when it cannot be read.
std::optional<std::string> ReadHostFile(const std::filesystem::path& host);

// Writes the file aside and renames it over the target, so readers see the old
// content or the new, never half of it. Raises 70 (75 for other failures) when it
// cannot.
void WriteHostFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace platform::files::detail
