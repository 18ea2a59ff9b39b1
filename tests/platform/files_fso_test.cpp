// The file-system object: existence, drive names, folders, copying and deleting.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/files/files.h"
#include "platform/files/posix/host_file_system.h"
#include "platform/files/posix/prefix.h"

namespace {

namespace fs = std::filesystem;
using files_test::FailureOf;
using namespace platform::files;

void MakeReadOnly(const fs::path& host) {
    fs::permissions(host, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// Files in the folder whose names start with a dot: what a copy writes aside.
int AsideFiles(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".")) ++count;
    return count;
}

TEST(FilesFso, FilesAndFoldersAreToldApart) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\file.txt", "x");
    HostFileSystem fso;
    EXPECT_TRUE(fso.FileExists("C:\\Data\\file.txt"));
    EXPECT_FALSE(fso.FolderExists("C:\\Data\\file.txt"));
    EXPECT_TRUE(fso.FolderExists("C:\\Data\\"));
    EXPECT_FALSE(fso.FileExists("C:\\Data"));
    EXPECT_FALSE(fso.FileExists("C:\\Datafile.txt"));
}

TEST(FilesFso, DrivesAndDriveNames) {
    sim::TestMachine machine;
    HostFileSystem fso;
    for (const char* drive : {"C:", "c:", "c", "C:\\"}) EXPECT_TRUE(fso.DriveExists(drive)) << drive;
    for (const char* drive : {"D:", "", "CC:", "\\\\srv\\jobs"}) EXPECT_FALSE(fso.DriveExists(drive)) << drive;
    EXPECT_EQ(fso.GetDriveName("C:\\a\\b"), "C:");
    EXPECT_EQ(fso.GetDriveName("c:x"), "c:");
    EXPECT_EQ(fso.GetDriveName("\\\\srv\\share\\x\\y"), "\\\\srv\\share");
    EXPECT_EQ(fso.GetDriveName("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(fso.GetDriveName("\\\\srv"), "");
    EXPECT_EQ(fso.GetDriveName("a\\b"), "");
    EXPECT_EQ(fso.GetDriveName(""), "");
}

TEST(FilesFso, CreateFolder) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\file.txt", "x");
    HostFileSystem fso;
    fso.CreateFolder("c:\\DATA\\New");
    EXPECT_TRUE(fs::is_directory(machine.PrefixFolder() / "drive_c" / "Data" / "New"));
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("C:\\data\\new\\"); }), 58);
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("C:\\Data\\file.txt"); }), 58);
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("C:\\"); }), 58);
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("C:\\Missing\\New"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.CreateFolder("C:\\Data\\Bad?"); }), 75);
    EXPECT_FALSE(fso.FolderExists("C:\\Missing"));
}

TEST(FilesFso, DeleteFile) {
    sim::TestMachine machine;
    machine.Write("C:\\Data\\a.txt", "a");
    machine.Write("C:\\Data\\ro.txt", "ro");
    machine.Write("C:\\Data\\locked.txt", "l");
    MakeReadOnly(machine.Host("C:\\Data\\ro.txt"));
    Prefix::Lock("C:\\DATA\\LOCKED.TXT");
    HostFileSystem fso;

    fso.DeleteFile("c:\\data\\A.TXT");
    EXPECT_FALSE(fso.FileExists("C:\\Data\\a.txt"));
    EXPECT_EQ(FailureOf([&] { fso.DeleteFile("C:\\Data\\a.txt"); }), 53);
    EXPECT_EQ(FailureOf([&] { fso.DeleteFile("C:\\Data"); }), 53);
    EXPECT_EQ(FailureOf([&] { fso.DeleteFile("C:\\Missing\\a.txt"); }), 76);

    EXPECT_EQ(FailureOf([&] { fso.DeleteFile("C:\\Data\\ro.txt"); }), 70);
    EXPECT_TRUE(fso.FileExists("C:\\Data\\ro.txt"));
    fso.DeleteFile("C:\\Data\\ro.txt", true);
    EXPECT_FALSE(fso.FileExists("C:\\Data\\ro.txt"));

    EXPECT_EQ(FailureOf([&] { fso.DeleteFile("C:\\Data\\locked.txt", true); }), 70);
    Prefix::Unlock("c:\\data\\locked.txt");
    fso.DeleteFile("C:\\Data\\locked.txt");
    EXPECT_FALSE(fso.FileExists("C:\\Data\\locked.txt"));
}

TEST(FilesFso, CopyKeepsEveryByte) {
    sim::TestMachine machine;
    const std::string data("line\r\nzero\0byte\xff\xfe end\n", 22);
    machine.Write("C:\\Data\\src.bin", data);
    HostFileSystem fso;
    fso.CopyFile("c:\\data\\SRC.bin", "C:\\Data\\copy.bin");
    EXPECT_EQ(machine.Read("C:\\Data\\copy.bin"), data);
    fso.CreateFolder("C:\\Into");
    fso.CopyFile("C:\\Data\\src.bin", "C:\\into\\");
    EXPECT_EQ(machine.Read("C:\\Into\\src.bin"), data);
    EXPECT_EQ(AsideFiles(machine.Host("C:\\Data")), 0);
}

TEST(FilesFso, CopyReplacesTheTargetWholeByRenaming) {
    sim::TestMachine machine;
    machine.Write("C:\\src.txt", "new content");
    machine.Write("C:\\dst.txt", "old");
    fs::path reader = machine.PrefixFolder() / "reader.txt";  // still holds the old file
    fs::create_hard_link(machine.Host("C:\\dst.txt"), reader);
    HostFileSystem fso;
    fso.CopyFile("C:\\src.txt", "C:\\DST.TXT", true);
    EXPECT_EQ(machine.Read("C:\\dst.txt"), "new content");
    std::ifstream old(reader, std::ios::binary);
    std::string held((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
    EXPECT_EQ(held, "old");  // not rewritten in place: a reader of the old file saw it whole
}

TEST(FilesFso, CopyFailures) {
    sim::TestMachine machine;
    machine.Write("C:\\src.txt", "source");
    machine.Write("C:\\dst.txt", "target");
    machine.Write("C:\\ro.txt", "read-only");
    MakeReadOnly(machine.Host("C:\\ro.txt"));
    HostFileSystem fso;
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\none.txt", "C:\\x.txt"); }), 53);
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\Missing\\none.txt", "C:\\x.txt"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\dst.txt", false); }), 58);
    EXPECT_EQ(machine.Read("C:\\dst.txt"), "target");
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\Missing\\x.txt"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\Missing\\"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\ro.txt"); }), 70);
    EXPECT_EQ(machine.Read("C:\\ro.txt"), "read-only");
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\ProgramData"); }), 70);
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "c:\\SRC.TXT"); }), 70);
    EXPECT_EQ(machine.Read("C:\\src.txt"), "source");

    Prefix::Lock("C:\\src.txt");
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\SRC.txt", "C:\\y.txt"); }), 70);
    EXPECT_FALSE(fso.FileExists("C:\\y.txt"));
    Prefix::Unlock("C:\\src.txt");
    Prefix::Lock("C:\\dst.txt");
    EXPECT_EQ(FailureOf([&] { fso.CopyFile("C:\\src.txt", "C:\\DST.txt"); }), 70);
    EXPECT_EQ(machine.Read("C:\\dst.txt"), "target");
    EXPECT_EQ(AsideFiles(machine.Host("C:\\")), 0);
}

}  // namespace
