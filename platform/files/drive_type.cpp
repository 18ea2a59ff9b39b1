#include "platform/files/drive_map.h"
#include "platform/files/files.h"
#include "platform/files/windows_path.h"

namespace platform::files {

// Only the drive part counts: "C:", "C:\" and "C:\anything" all ask about C:.
int32_t GetDriveTypeA(std::string_view rootPath) {
    auto normal = detail::NormalDriveName(detail::DrivePart(rootPath));
    if (!normal) return DRIVE_NO_ROOT_DIR;
    auto drive = detail::FindDrive(*normal);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

}  // namespace platform::files
