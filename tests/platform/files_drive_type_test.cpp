// GetDriveTypeA through the drive map.
#include <gtest/gtest.h>

#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/prefix.h"

namespace {

using namespace platform::files;

// Windows' number for the drive's type.
int32_t TypeNumber(std::string_view path) { return int32_t(GetDriveTypeA(path)); }

TEST(FilesDriveType, MappedDrivesGiveTheirType) {
    sim::TestMachine machine;
    Prefix::MapDrive("P:", DriveType::Remote);
    Prefix::MapDrive("e:", DriveType::Removable);
    Prefix::MapDrive("D:", DriveType::CdRom);
    Prefix::MapDrive("R:", DriveType::RamDisk);
    Prefix::MapDrive("\\\\srv\\share", DriveType::Remote);
    for (const char* path : {"C:\\", "c:", "C:\\Program Files\\x", "C:x"}) EXPECT_EQ(TypeNumber(path), 3) << path;
    EXPECT_EQ(TypeNumber("P:\\"), 4);
    EXPECT_EQ(TypeNumber("p:\\Jobs"), 4);
    EXPECT_EQ(TypeNumber("E:\\"), 2);
    EXPECT_EQ(TypeNumber("D:\\"), 5);
    EXPECT_EQ(TypeNumber("R:\\"), 6);
    EXPECT_EQ(TypeNumber("\\\\srv\\share\\"), 4);
    EXPECT_EQ(TypeNumber("\\\\SRV\\Share\\Jobs\\05"), 4);
}

TEST(FilesDriveType, NoDriveGivesNoRootDir) {
    sim::TestMachine machine;
    for (const char* path : {"Q:\\", "", "C", "\\\\s", "\\\\srv\\", "\\\\srv\\other\\", "relative\\path", "1:\\"})
        EXPECT_EQ(TypeNumber(path), 1) << path;
    Prefix::MapDrive("Q:", DriveType::Remote);
    EXPECT_EQ(TypeNumber("Q:\\"), 4);
    Prefix::UnmapDrive("q:");
    EXPECT_EQ(TypeNumber("Q:\\"), 1);
}

}  // namespace
