// The one writer of whole files: written aside, forced to the disk, put in the old
// file's place in one step, whatever fails on the way.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/fault_injection.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/prefix.h"
#include "tests/support/fault_loop.h"

namespace {

namespace fs = std::filesystem;
using fault_loop::AsideFiles;
using files_test::FailureOf;
using platform::files::WriteFileAtomically;
namespace faults = platform::files::faults;

fs::perms Mode(const fs::path& host) { return fs::status(host).permissions(); }

TEST(FilesWriter, KeepsTheModeOfTheFileItReplacesAndGivesANewFileTheUsualOne) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\kept.txt", "old");
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(machine.Host("C:\\Data\\kept.txt"), kept);
    WriteFileAtomically("c:\\data\\KEPT.txt", "new");
    EXPECT_EQ(machine.Read("C:\\Data\\kept.txt"), "new");
    EXPECT_EQ(Mode(machine.Host("C:\\Data\\kept.txt")), kept);

    const mode_t mask = ::umask(0);
    ::umask(mask);
    WriteFileAtomically("C:\\Data\\fresh.txt", std::string("a\0b", 3));
    EXPECT_EQ(machine.Read("C:\\Data\\fresh.txt"), std::string("a\0b", 3));
    EXPECT_EQ(Mode(machine.Host("C:\\Data\\fresh.txt")), fs::perms(0666 & ~mask));

    // A copy takes its source's mode, as Windows' copy takes the read-only attribute.
    fs::permissions(machine.Host("C:\\Data\\fresh.txt"), fs::perms::owner_read);
    platform::files::NewFileSystemObject()->CopyFile("C:\\Data\\fresh.txt", "C:\\Data\\copy.txt");
    EXPECT_EQ(Mode(machine.Host("C:\\Data\\copy.txt")), fs::perms::owner_read);
    EXPECT_EQ(AsideFiles(machine.Host("C:\\Data")), 0);
}

TEST(FilesWriter, RefusesWithWindowsNumbersAndLeavesTheFileAsItWas) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\ro.txt", "read-only");
    fs::permissions(machine.Host("C:\\Data\\ro.txt"), fs::perms::owner_read);
    machine.Write("C:\\Data\\held.txt", "held");
    platform::files::Prefix::Lock("C:\\Data\\held.txt");
    machine.Write("C:\\Data\\file.txt", "before");

    EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data\\ro.txt", "x"); }), 70);
    EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data\\held.txt", "x"); }), 70);
    EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data", "x"); }), 70);
    EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Missing\\a.txt", "x"); }), 76);
    EXPECT_EQ(FailureOf([] { WriteFileAtomically("Q:\\a.txt", "x"); }), 76);
    EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data\\a?.txt", "x"); }), 75);
    {
        faults::ScopedFault full(faults::HostCall::Write, 1, ENOSPC, true);
        EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data\\file.txt", "after"); }), 75);
    }
    {
        faults::ScopedFault refused(faults::HostCall::Create, 1, EACCES);
        EXPECT_EQ(FailureOf([] { WriteFileAtomically("C:\\Data\\file.txt", "after"); }), 70);
    }
    EXPECT_EQ(machine.Read("C:\\Data\\ro.txt"), "read-only");
    EXPECT_EQ(machine.Read("C:\\Data\\held.txt"), "held");
    EXPECT_EQ(machine.Read("C:\\Data\\file.txt"), "before");
    EXPECT_FALSE(fs::exists(machine.Host("C:\\Data\\a.txt")));
    EXPECT_EQ(AsideFiles(machine.Host("C:\\Data")), 0);
}

TEST(FilesWriter, AFileWhoseModeCannotBeReadCountsAsReadOnly) {
    sim::TestMachine machine;
    machine.Write("C:\\rw.txt", "x");
    machine.Write("C:\\ro.txt", "x");
    fs::permissions(machine.Host("C:\\ro.txt"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(platform::files::detail::IsReadOnly(machine.Host("C:\\rw.txt")));
    EXPECT_TRUE(platform::files::detail::IsReadOnly(machine.Host("C:\\ro.txt")));
    EXPECT_TRUE(platform::files::detail::IsReadOnly(machine.Host("C:\\gone.txt")));
}

TEST(FilesWriter, ATextStreamOnAFullDiskFailsAtClose) {
    sim::TestMachine machine;
    machine.Write("C:\\WorkUnitType.cnt", "Project\r\n");
    auto stream = platform::files::NewFileSystemObject()->OpenTextFile("C:\\WorkUnitType.cnt",
                                                                       platform::files::ForAppending);
    stream->WriteLine("Job");
    faults::ScopedFault full(faults::HostCall::Write, 1, ENOSPC, true);
    EXPECT_EQ(FailureOf([&] { stream->Close(); }), 75);
    EXPECT_TRUE(faults::Fired());
}

TEST(FilesWriter, EveryFaultLeavesTheOldFileOrTheNewOneAndNothingBeside) {
    sim::TestMachine machine;
    const std::string before(100000, 'o'), after(150000, 'n');
    for (bool existed : {true, false}) {
        int met = fault_loop::ForEachFault(
            [&] {
                fs::remove(machine.Host("C:\\Data\\file.bin"));
                if (existed) machine.Write("C:\\Data\\file.bin", before);
            },
            [&] { WriteFileAtomically("C:\\Data\\file.bin", after); },
            [&](const fault_loop::Run& run) {
                bool there = fs::exists(machine.Host("C:\\Data\\file.bin"));
                if (run.failure == 0) {
                    EXPECT_EQ(machine.Read("C:\\Data\\file.bin"), after);
                } else if (existed) {
                    EXPECT_EQ(machine.Read("C:\\Data\\file.bin"), before);
                } else {
                    EXPECT_FALSE(there);
                }
                EXPECT_EQ(AsideFiles(machine.Host("C:\\Data")), 0);
            });
        EXPECT_GE(met, 5) << "create, write, full disk, flush and rename each failed at least once";
    }
}

}  // namespace
