// Windows paths taken apart, inside the platform library: the drive a path names and
// the components below that drive's root, normalised as Windows normalises them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::files::detail {

// A path taken apart. "/" counts as "\"; empty components ("C:\\a") are dropped, "."
// is dropped, ".." takes the previous component away, and trailing dots and blanks of
// a component go, as Windows does. A path without a drive is relative to the current
// directory, which is the root of C:.
struct WindowsPath {
    std::string drive;                    // "C:" (letter in capitals) or "\\srv\share" as written
    std::vector<std::string> components;  // below the drive's root
    bool trailingSeparator = false;       // written with a separator at the end
};

// Takes a path apart: 0, or the failure number: 75 for an empty path or a name no
// Windows file may have, 76 for ".." above the drive's root.
int32_t ParseWindowsPath(std::string_view path, WindowsPath& out);

// Whether a single name can be the name of a Windows file: none of <>:"|?*, no
// control character, not empty.
bool IsValidName(std::string_view name);

// The drive part of a path as written: "c:" for "c:\x" and "c:x", "\\srv\share" for
// "\\srv\share\x"; "" when the path names no drive.
std::string DrivePart(std::string_view path);

// A drive's name as the drive map keeps it: "p", "p:", "P:\" give "P:"; "\\srv\jobs"
// and "\\srv\jobs\" give "\\srv\jobs" (spelling kept, "/" turned into "\").
// nullopt when the text names no drive.
std::optional<std::string> NormalDriveName(std::string_view name);

}  // namespace platform::files::detail
