// Windows paths through the drive map of this machine: the host file a path reaches,
// paths relative to C:\, shares, the way out. What every platform's file system does
// with paths is in files_fso_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/posix/prefix.h"

namespace {

namespace fs = std::filesystem;
using files_test::FailureOf;
using namespace platform::files;

TEST(FilesPaths, ExistingComponentsMatchWithoutRegardToCase) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\Report.TXT", "x");
    HostFileSystem fso;
    EXPECT_TRUE(fso.FileExists("c:\\DATA\\report.txt"));
    EXPECT_TRUE(fso.FolderExists("C:\\data"));
    EXPECT_EQ(*Prefix::HostPath("c:\\dAtA\\REPORT.txt"), machine.PrefixFolder() / "drive_c" / "Data" / "Report.TXT");
    // A missing tail keeps its spelling, below the matched folder.
    EXPECT_EQ(*Prefix::HostPath("C:\\DATA\\New\\File.txt"), machine.PrefixFolder() / "drive_c" / "Data" / "New" / "File.txt");
}

TEST(FilesPaths, ExactSpellingWinsOverAnotherCase) {
    sim::TestMachine machine;
    machine.Write("C:\\a.txt", "lower");
    std::ofstream(machine.PrefixFolder() / "drive_c" / "A.txt") << "upper";
    EXPECT_EQ(Prefix::HostPath("C:\\A.txt")->filename(), "A.txt");
    EXPECT_EQ(Prefix::HostPath("C:\\a.txt")->filename(), "a.txt");
}

TEST(FilesPaths, SeparatorsDotsAndRelativePaths) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\file.txt", "x");
    HostFileSystem fso;
    for (const char* path : {"C:/Data//file.txt", "C:\\Data\\.\\Sub\\..\\file.txt", "C:\\Data\\file.txt. .",
                             "Data\\file.txt", "\\Data\\file.txt", "c:Data\\file.txt"})
        EXPECT_TRUE(fso.FileExists(path)) << path;
    EXPECT_TRUE(fso.FolderExists("C:"));
    EXPECT_TRUE(fso.FolderExists("C:\\\\"));
    EXPECT_FALSE(fso.FileExists("C:\\Data\\file.txt\\"));  // a separator at the end names a folder
}

TEST(FilesPaths, DotDotAboveTheRootIsPathNotFound) {
    sim::TestMachine machine;
    HostFileSystem fso;
    for (const char* path : {"C:\\..\\drive_c", "C:\\Data\\..\\..\\drive_c", "..\\registry.reg"}) {
        EXPECT_FALSE(Prefix::HostPath(path)) << path;
        EXPECT_FALSE(fso.FolderExists(path) || fso.FileExists(path)) << path;
        EXPECT_EQ(FailureOf([&] { fso.CreateFolder(std::string(path) + "\\x"); }), 76) << path;
        EXPECT_EQ(FailureOf([&] { fso.OpenTextFile(path, ForWriting, true); }), 76) << path;
    }
}

TEST(FilesPaths, SharesAreDrivesNamedWithoutRegardToCase) {
    sim::TestMachine machine;
    Prefix::MapDrive("\\\\srv\\jobs", DriveType::Remote);
    HostFileSystem fso;
    EXPECT_TRUE(fso.DriveExists("\\\\SRV\\Jobs"));
    EXPECT_TRUE(fso.DriveExists("\\\\srv\\jobs\\"));
    fso.CreateFolder("\\\\SRV\\JOBS\\05-123");
    EXPECT_TRUE(fso.FolderExists("//srv/jobs/05-123/"));
    EXPECT_TRUE(fs::is_directory(machine.PrefixFolder() / "unc_srv_jobs" / "05-123"));
    EXPECT_FALSE(fso.FolderExists("\\\\srv\\other\\"));
    EXPECT_FALSE(fso.FolderExists("\\\\srv"));
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("\\\\srv\\other\\x"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("\\\\srv\\jobs\\..\\..\\x"); }), 76);
}

TEST(FilesPaths, SymbolicLinksDoNotLeadOutOfTheMappedFolder) {
    sim::TestMachine machine;
    fs::path outside = machine.PrefixFolder() / "outside";
    fs::create_directories(outside);
    std::ofstream(outside / "secret.txt") << "secret";
    fs::path driveC = machine.PrefixFolder() / "drive_c";
    fs::create_directory_symlink(outside, driveC / "Out");
    fs::create_directories(driveC / "Real");
    std::ofstream(driveC / "Real" / "inside.txt") << "inside";
    fs::create_directory_symlink(driveC / "Real", driveC / "Alias");

    HostFileSystem fso;
    EXPECT_FALSE(fso.FileExists("C:\\Out\\secret.txt"));
    EXPECT_FALSE(Prefix::HostPath("C:\\out\\secret.txt"));
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\Out\\secret.txt"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.OpenTextFile("C:\\Out\\new.txt", ForWriting, true); }), 76);
    EXPECT_FALSE(fs::exists(outside / "new.txt"));
    EXPECT_TRUE(fso.FileExists("C:\\alias\\INSIDE.txt"));  // a link that stays inside is followed
}

TEST(FilesPaths, DanglingLinksDoNotLeadOutOfTheMappedFolderEither) {
    sim::TestMachine machine;
    fs::path outside = machine.PrefixFolder() / "outside";
    fs::create_directories(outside);
    fs::path driveC = machine.PrefixFolder() / "drive_c";
    fs::create_directories(driveC / "Data");
    // Links whose targets do not exist yet: a file outside, a folder outside, a chain
    // through a link inside to a file outside, and a file inside.
    fs::create_symlink(outside / "planted.txt", driveC / "Data" / "Notes.txt");
    fs::create_directory_symlink(outside / "new-folder", driveC / "Data" / "Later");
    fs::create_symlink(outside / "chained.txt", driveC / "Data" / "hop");
    fs::create_symlink("hop", driveC / "Data" / "Chain.txt");
    fs::create_symlink("Real.txt", driveC / "Data" / "Inside.txt");

    HostFileSystem fso;
    for (const char* path : {"C:\\Data\\Notes.txt", "C:\\Data\\Later\\x.txt", "C:\\Data\\Chain.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(Prefix::HostPath(path));
        EXPECT_EQ(FailureOf([&] { fso.OpenTextFile(path, ForWriting, true); }), 76);
        EXPECT_EQ(FailureOf([&] { fso.OpenTextFile(path, ForAppending, true); }), 76);
        EXPECT_EQ(FailureOf([&] { fso.OpenTextFile(path, ForReading, true); }), 76);
    }
    EXPECT_TRUE(fs::is_empty(outside));
    // A dangling link that stays inside is followed: writing makes its target.
    fso.OpenTextFile("C:\\Data\\Inside.txt", ForWriting, true)->Write("made");
    EXPECT_EQ(machine.Read("C:\\Data\\Real.txt"), "made");
}

TEST(FilesPaths, ADriveFolderReachedThroughALinkIsFollowedAndALoopReachesNothing) {
    sim::TestMachine machine;
    const fs::path real = machine.PrefixFolder() / "real-r";
    fs::create_directories(real / "Sub");
    std::ofstream(real / "Sub" / "a.txt") << "a";
    fs::create_directory_symlink(real, machine.PrefixFolder() / "linked-r");
    Prefix::MapDrive("R:", DriveType::Removable, machine.PrefixFolder() / "linked-r");
    Prefix::MapDrive("S:", DriveType::Fixed, machine.PrefixFolder() / "loop-a");  // made as a folder
    fs::remove(machine.PrefixFolder() / "loop-a");
    fs::create_symlink(machine.PrefixFolder() / "loop-b", machine.PrefixFolder() / "loop-a");
    fs::create_symlink(machine.PrefixFolder() / "loop-a", machine.PrefixFolder() / "loop-b");

    HostFileSystem fso;
    EXPECT_TRUE(fso.FileExists("R:\\Sub\\a.txt"));
    EXPECT_TRUE(fso.FileExists("r:\\SUB\\A.TXT"));
    EXPECT_EQ(machine.Read("R:\\sub\\a.txt"), "a");
    EXPECT_FALSE(fso.FileExists("R:\\Sub\\b.txt"));
    EXPECT_TRUE(Prefix::HostPath("R:\\Sub\\new\\b.txt"));  // a path that does not exist yet
    for (const char* path : {"S:\\", "S:\\x.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(Prefix::HostPath(path));
    }
    EXPECT_FALSE(fso.FolderExists("S:\\"));
}

// A file longer than the reader's chunk is read whole, line for line.
TEST(FilesPaths, AFileLongerThanOneChunkIsReadWhole) {
    sim::TestMachine machine;
    std::string text;
    for (int i = 0; text.size() < 200 * 1024; ++i) {
        text += "line ";
        text += std::to_string(i);
        text += " of a long file\r\n";
    }
    machine.Write("C:\\Long.txt", text);
    HostFileSystem fso;
    auto stream = fso.OpenTextFile("C:\\Long.txt");
    std::string back;
    while (!stream->AtEndOfStream()) back += stream->ReadLine() + "\r\n";
    EXPECT_EQ(back, text);
}

TEST(FilesPaths, DriveMapIsKeptInThePrefixAndReadBack) {
    sim::TestMachine machine;
    fs::path elsewhere = machine.PrefixFolder() / "elsewhere";
    Prefix::MapDrive("p:", DriveType::Remote);
    Prefix::MapDrive("R:\\", DriveType::Removable, elsewhere);
    Prefix::MapDrive("\\\\Srv\\Jobs", DriveType::Remote);
    Prefix::MapDrive("\\\\srv\\jobs", DriveType::Fixed);  // the same share: replaced, first spelling kept
    machine.Write("P:\\x.txt", "on p");
    EXPECT_EQ(fs::path(*Prefix::HostPath("P:\\x.txt")), machine.PrefixFolder() / "drive_p" / "x.txt");

    Prefix::Open(machine.PrefixFolder());
    auto drives = Prefix::Drives();
    ASSERT_EQ(drives.size(), 4u);
    EXPECT_EQ(drives[0].name, "C:");
    EXPECT_EQ(drives[0].type, DriveType::Fixed);
    EXPECT_EQ(drives[1].name, "P:");
    EXPECT_EQ(drives[2].hostFolder, elsewhere);
    EXPECT_EQ(drives[2].type, DriveType::Removable);
    EXPECT_EQ(drives[3].name, "\\\\Srv\\Jobs");
    EXPECT_EQ(drives[3].type, DriveType::Fixed);
    EXPECT_EQ(machine.Read("p:\\X.TXT"), "on p");

    Prefix::UnmapDrive("p");
    HostFileSystem fso;
    EXPECT_FALSE(fso.DriveExists("P:"));
    EXPECT_FALSE(fso.FileExists("P:\\x.txt"));
    EXPECT_EQ(Prefix::Drives().size(), 3u);
}

TEST(FilesPaths, AFreshPrefixHasTheMachineFolders) {
    sim::TestMachine machine;
    HostFileSystem fso;
    EXPECT_TRUE(fso.FolderExists("C:\\ProgramData"));
    EXPECT_TRUE(fso.FolderExists("C:\\Program Files\\"));
    EXPECT_TRUE(fs::exists(machine.PrefixFolder() / "drives.map"));
    EXPECT_TRUE(fs::exists(machine.PrefixFolder() / "registry.reg"));
    EXPECT_THROW(Prefix::Open(machine.PrefixFolder() / "drive_c"), platform::ErrorInfo);
}

}  // namespace
