// GetDriveTypeA through the drive map.
#include <gtest/gtest.h>

#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/prefix.h"

namespace {

using namespace platform::files;

TEST(FilesDriveType, MappedDrivesGiveTheirType) {
    sim::TestMachine machine;
    Prefix::MapDrive("P:", DRIVE_REMOTE);
    Prefix::MapDrive("e:", DRIVE_REMOVABLE);
    Prefix::MapDrive("D:", DRIVE_CDROM);
    Prefix::MapDrive("R:", DRIVE_RAMDISK);
    Prefix::MapDrive("\\\\srv\\share", DRIVE_REMOTE);
    for (const char* path : {"C:\\", "c:", "C:\\Program Files\\x", "C:x"}) EXPECT_EQ(GetDriveTypeA(path), 3) << path;
    EXPECT_EQ(GetDriveTypeA("P:\\"), 4);
    EXPECT_EQ(GetDriveTypeA("p:\\Jobs"), 4);
    EXPECT_EQ(GetDriveTypeA("E:\\"), 2);
    EXPECT_EQ(GetDriveTypeA("D:\\"), 5);
    EXPECT_EQ(GetDriveTypeA("R:\\"), 6);
    EXPECT_EQ(GetDriveTypeA("\\\\srv\\share\\"), 4);
    EXPECT_EQ(GetDriveTypeA("\\\\SRV\\Share\\Jobs\\05"), 4);
}

TEST(FilesDriveType, NoDriveGivesNoRootDir) {
    sim::TestMachine machine;
    for (const char* path : {"Q:\\", "", "C", "\\\\s", "\\\\srv\\", "\\\\srv\\other\\", "relative\\path", "1:\\"})
        EXPECT_EQ(GetDriveTypeA(path), 1) << path;
    Prefix::MapDrive("Q:", DRIVE_REMOTE);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), 4);
    Prefix::UnmapDrive("q:");
    EXPECT_EQ(GetDriveTypeA("Q:\\"), 1);
}

}  // namespace
