#include "platform/files/posix/drive_map.h"
#include "platform/files/files.h"
#include "platform/files/windows_path.h"

namespace platform::files {

// Only the drive part counts: "C:", "C:\" and "C:\anything" all ask about C:.
DriveType GetDriveTypeA(std::string_view rootPath) {
    auto normal = detail::NormalDriveName(detail::DrivePart(rootPath));
    if (!normal) return DriveType::NoRootDir;
    auto drive = detail::FindDrive(*normal);
    return drive ? drive->type : DriveType::NoRootDir;
}

}  // namespace platform::files
