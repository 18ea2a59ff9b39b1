// A registry write that fails at any host call leaves the store as it was, or written
// whole with every key it held before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "hosts/sim/host/test_machine.h"
#include "platform/registry/registry.h"
#include "tests/support/fault_loop.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::registry;

std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RegistryFaults, AFailedWriteRaisesAndLosesNoKey) {
    sim::TestMachine machine;
    const fs::path store = machine.PrefixFolder() / "registry.reg";
    std::string before;
    int setups = 0;
    int met = fault_loop::ForEachFault(
        [&] {
            // A comment of another length each time, so the store is read afresh.
            before = "REGEDIT4\n; run " + std::string(size_t(++setups), '.') +
                     "\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Keep]\n\"One\"=\"1\"\n"
                     "\n[HKEY_CURRENT_USER\\Software\\Keep]\n\"Two\"=dword:00000002\n";
            std::ofstream(store, std::ios::binary | std::ios::trunc) << before;
        },
        [&] { SetString(Hive::CurrentUser, "Software\\Quillet", "New", "value"); },
        [&](const fault_loop::Run& run) {
            EXPECT_EQ(run.failure != 0, run.met);
            if (run.failure != 0) {
                EXPECT_TRUE(run.failure == 70 || run.failure == 75);
                EXPECT_EQ(Slurp(store), before);
                EXPECT_FALSE(KeyExists(Hive::CurrentUser, "Software\\Quillet"));
            } else {
                EXPECT_EQ(QueryString(Hive::CurrentUser, "Software\\Quillet", "New"), "value");
            }
            EXPECT_EQ(QueryString(Hive::LocalMachine, "SOFTWARE\\Keep", "One"), "1");
            ASSERT_TRUE(QueryValue(Hive::CurrentUser, "Software\\Keep", "Two").has_value());
            EXPECT_EQ(QueryValue(Hive::CurrentUser, "Software\\Keep", "Two")->dword, 2u);
            EXPECT_EQ(fault_loop::AsideFiles(machine.PrefixFolder()), 0);
        });
    EXPECT_GE(met, 7);  // the read, both kinds of failed create, the write, the full disk, the flush, the rename
}

}  // namespace
