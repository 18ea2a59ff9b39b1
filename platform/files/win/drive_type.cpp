#include <windows.h>

#include "platform/files/files.h"
#include "platform/files/windows_path.h"
#include "platform/text/win/wide.h"

namespace platform::files {

// Only the drive part counts: "C:", "C:\" and "C:\anything" all ask about C:; a path
// that names no drive has none (the system would answer for the current folder's).
DriveType GetDriveTypeA(std::string_view rootPath) {
    auto normal = detail::NormalDriveName(detail::DrivePart(rootPath));
    if (!normal) return DriveType::NoRootDir;
    const UINT type = GetDriveTypeW(text::win::Wide(*normal + "\\").c_str());
    return type <= DRIVE_RAMDISK ? DriveType(type) : DriveType::Unknown;
}

}  // namespace platform::files
