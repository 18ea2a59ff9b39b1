// A settings write that fails at any host call leaves the settings file as it was,
// or written whole; never half of it, never nothing, never a file beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hosts/sim/host/test_machine.h"
#include "platform/profile/profile.h"
#include "tests/support/fault_loop.h"

namespace {

namespace fs = std::filesystem;
using platform::profile::GetPrivateProfileStringA;
using platform::profile::WritePrivateProfileStringA;

constexpr std::string_view kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";
const std::string kBefore = "; written by hand\r\n[Setup]\r\nRoot=C:\\\r\nWorkUnit=Job\r\n";
const std::string kAfter = "; written by hand\r\n[Setup]\r\nRoot=P:\\Jobs\\\r\nWorkUnit=Job\r\n";

std::string Root() { return GetPrivateProfileStringA("Setup", "Root", "<none>", 512, kIni); }

TEST(ProfileFaults, AFailedWriteReturnsZeroAndLeavesTheFileAsItWas) {
    sim::TestMachine machine;
    const fs::path folder = machine.Host(kIni).parent_path();
    for (bool existed : {true, false}) {
        int32_t result = 0;
        int met = fault_loop::ForEachFault(
            [&] {
                fs::remove(machine.Host(kIni));
                if (existed) machine.Write(kIni, kBefore);
            },
            [&] { result = WritePrivateProfileStringA("Setup", "Root", "P:\\Jobs\\", kIni); },
            [&](const fault_loop::Run& run) {
                EXPECT_EQ(result == 0, run.met);
                if (result != 0) {
                    EXPECT_EQ(machine.Read(kIni), existed ? kAfter : "[Setup]\r\nRoot=P:\\Jobs\\\r\n");
                    EXPECT_EQ(Root(), "P:\\Jobs\\");
                } else if (existed) {
                    EXPECT_EQ(machine.Read(kIni), kBefore);
                    EXPECT_EQ(Root(), "C:\\");
                } else {
                    EXPECT_FALSE(fs::exists(machine.Host(kIni)));
                }
                EXPECT_EQ(fault_loop::AsideFiles(folder), 0);
            });
        // reading the old file (when there is one), both kinds of failed create, the
        // write, the full disk, the flush and the rename each failed at least once
        EXPECT_GE(met, existed ? 7 : 6);
    }
}

}  // namespace
