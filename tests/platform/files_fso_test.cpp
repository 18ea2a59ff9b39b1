// The file-system object: existence, drive names, folders, copying and deleting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/files.h"
#include "support/scratch.h"

namespace {

using namespace platform::files;
using scratch::FailureOf;
using Names = std::vector<std::string>;

TEST(FilesFso, FilesAndFoldersAreToldApart) {
    scratch::Folder folder;
    folder.Write("Data\\file.txt", "x");
    auto fso = NewFileSystemObject();
    EXPECT_TRUE(fso->FileExists(folder.Path("Data\\file.txt")));
    EXPECT_FALSE(fso->FolderExists(folder.Path("Data\\file.txt")));
    EXPECT_TRUE(fso->FolderExists(folder.Path("Data\\")));
    EXPECT_TRUE(fso->FolderExists(folder.Path("Data")));
    EXPECT_FALSE(fso->FileExists(folder.Path("Data")));
    EXPECT_FALSE(fso->FileExists(folder.Path("Datafile.txt")));
    EXPECT_FALSE(fso->FileExists(folder.Path("Data\\file.txt\\")));  // a separator at the end names a folder
}

TEST(FilesFso, ExistingNamesMatchWithoutRegardToCaseInEveryScript) {
    scratch::Folder folder;
    folder.Write("Data\\Report.TXT", "x");
    folder.Write("Écrits\\Ωmega.txt", "x");
    auto fso = NewFileSystemObject();
    EXPECT_TRUE(fso->FileExists(folder.Path("DATA\\report.txt")));
    EXPECT_TRUE(fso->FolderExists(folder.Path("data")));
    EXPECT_TRUE(fso->FileExists(folder.Path("éCRITS\\ωMEGA.TXT")));
}

TEST(FilesFso, SeparatorsDotsAndTrailingDotsAreNormalised) {
    scratch::Folder folder;
    folder.Write("Data\\file.txt", "x");
    auto fso = NewFileSystemObject();
    for (const char* path : {"Data//file.txt", "Data\\.\\Sub\\..\\file.txt", "Data\\file.txt. ."})
        EXPECT_TRUE(fso->FileExists(folder.Path(path))) << path;
    std::string forward = folder.Path("Data/file.txt");
    for (char& c : forward)
        if (c == '\\') c = '/';
    EXPECT_TRUE(fso->FileExists(forward)) << forward;
}

TEST(FilesFso, DrivesAndDriveNames) {
    scratch::Folder folder;
    auto fso = NewFileSystemObject();
    const std::string drive = fso->GetDriveName(folder.Path());
    ASSERT_EQ(drive.size(), 2u) << folder.Path();
    EXPECT_TRUE(fso->DriveExists(drive));
    EXPECT_TRUE(fso->DriveExists(drive + "\\"));
    EXPECT_TRUE(fso->DriveExists(drive.substr(0, 1)));
    const std::string missing = scratch::MissingDrive();
    for (std::string name : {missing, std::string(""), std::string("CC:"), missing + "\\"})
        EXPECT_FALSE(fso->DriveExists(name)) << name;
    EXPECT_EQ(fso->GetDriveName("C:\\a\\b"), "C:");
    EXPECT_EQ(fso->GetDriveName("c:x"), "c:");
    EXPECT_EQ(fso->GetDriveName("\\\\srv\\share\\x\\y"), "\\\\srv\\share");
    EXPECT_EQ(fso->GetDriveName("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(fso->GetDriveName("\\\\srv"), "");
    EXPECT_EQ(fso->GetDriveName("a\\b"), "");
    EXPECT_EQ(fso->GetDriveName(""), "");
}

TEST(FilesFso, AMissingDriveHoldsNothing) {
    scratch::Folder folder;
    folder.Write("a.txt", "x");
    auto fso = NewFileSystemObject();
    const std::string missing = scratch::MissingDrive();
    EXPECT_FALSE(fso->FolderExists(missing + "\\"));
    EXPECT_FALSE(fso->FileExists(missing + "\\a.txt"));
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(missing + "\\x"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(missing + "\\a.txt"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(folder.Path("a.txt"), missing + "\\a.txt"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->DeleteFile(missing + "\\a.txt"); }), 76);
}

TEST(FilesFso, CharactersNoWindowsNameHoldsAreAccessErrors) {
    scratch::Folder folder;
    auto fso = NewFileSystemObject();
    for (std::string bad : {"<", ">", ":", "\"", "|", "?", "*", "\x01", "\x1f"}) {
        const std::string path = folder.Path("a" + bad + "b.txt");
        EXPECT_FALSE(fso->FileExists(path)) << path;
        EXPECT_FALSE(fso->FolderExists(path)) << path;
        EXPECT_EQ(FailureOf([&] { fso->CreateFolder(path); }), 75) << path;
        EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(path, ForWriting, true); }), 75) << path;
    }
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(""); }), 75);
    EXPECT_EQ(folder.Names(), Names{});
}

TEST(FilesFso, DotDotAboveADrivesRootIsPathNotFound) {
    scratch::Folder folder;
    auto fso = NewFileSystemObject();
    const std::string drive = fso->GetDriveName(folder.Path());
    std::string above = drive + "\\..";
    for (size_t i = 0; i < 40; ++i) above += "\\..";
    EXPECT_FALSE(fso->FolderExists(above));
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(above + "\\x"); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->OpenTextFile(above + "\\x.txt", ForWriting, true); }), 76);
}

TEST(FilesFso, CreateFolder) {
    scratch::Folder folder;
    folder.Write("Data\\file.txt", "x");
    auto fso = NewFileSystemObject();
    fso->CreateFolder(folder.Path("DATA\\New"));
    EXPECT_EQ(folder.Names("Data"), (Names{"New", "file.txt"}));
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(folder.Path("data\\new\\")); }), 58);
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(folder.Path("Data\\file.txt")); }), 58);
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(fso->GetDriveName(folder.Path()) + "\\"); }), 58);
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(folder.Path("Missing\\New")); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->CreateFolder(folder.Path("Data\\Bad?")); }), 75);
    EXPECT_FALSE(fso->FolderExists(folder.Path("Missing")));
}

TEST(FilesFso, DeleteFile) {
    scratch::Folder folder;
    folder.Write("Data\\a.txt", "a");
    folder.Write("Data\\ro.txt", "ro");
    folder.Write("Data\\busy.txt", "b");
    folder.SetReadOnly("Data\\ro.txt", true);
    auto fso = NewFileSystemObject();

    fso->DeleteFile(folder.Path("data\\A.TXT"));
    EXPECT_FALSE(fso->FileExists(folder.Path("Data\\a.txt")));
    EXPECT_EQ(FailureOf([&] { fso->DeleteFile(folder.Path("Data\\a.txt")); }), 53);
    EXPECT_EQ(FailureOf([&] { fso->DeleteFile(folder.Path("Data")); }), 53);
    EXPECT_EQ(FailureOf([&] { fso->DeleteFile(folder.Path("Missing\\a.txt")); }), 76);

    EXPECT_EQ(FailureOf([&] { fso->DeleteFile(folder.Path("Data\\ro.txt")); }), 70);
    EXPECT_TRUE(fso->FileExists(folder.Path("Data\\ro.txt")));
    fso->DeleteFile(folder.Path("Data\\ro.txt"), true);
    EXPECT_FALSE(fso->FileExists(folder.Path("Data\\ro.txt")));

    {
        scratch::InUse held(folder.Path("Data\\busy.txt"));
        EXPECT_EQ(FailureOf([&] { fso->DeleteFile(folder.Path("DATA\\BUSY.TXT"), true); }), 70);
        EXPECT_TRUE(fso->FileExists(folder.Path("Data\\busy.txt")));
    }
    fso->DeleteFile(folder.Path("Data\\busy.txt"));
    EXPECT_EQ(folder.Names("Data"), Names{});
}

TEST(FilesFso, CopyKeepsEveryByte) {
    scratch::Folder folder;
    const std::string data("line\r\nzero\0byte\xff\xfe end\n", 22);
    folder.Write("Data\\src.bin", data);
    auto fso = NewFileSystemObject();
    fso->CopyFile(folder.Path("data\\SRC.bin"), folder.Path("Data\\copy.bin"));
    EXPECT_EQ(folder.Read("Data\\copy.bin"), data);
    fso->CreateFolder(folder.Path("Into"));
    fso->CopyFile(folder.Path("Data\\src.bin"), folder.Path("into\\"));
    EXPECT_EQ(folder.Read("Into\\src.bin"), data);
    EXPECT_EQ(folder.Names("Data"), (Names{"copy.bin", "src.bin"})) << "nothing is left aside";
}

TEST(FilesFso, CopyReplacesTheTargetWholeByRenaming) {
    scratch::Folder folder;
    folder.Write("src.txt", "new content");
    folder.Write("dst.txt", "old");
    folder.Link("dst.txt", "reader.txt");  // a reader's name for the old file
    auto fso = NewFileSystemObject();
    fso->CopyFile(folder.Path("src.txt"), folder.Path("DST.TXT"), true);
    EXPECT_EQ(folder.Read("dst.txt"), "new content");
    EXPECT_EQ(folder.Read("reader.txt"), "old") << "not rewritten in place: a reader of the old file saw it whole";
}

TEST(FilesFso, CopyFailures) {
    scratch::Folder folder;
    folder.Write("src.txt", "source");
    folder.Write("dst.txt", "target");
    folder.Write("ro.txt", "read-only");
    folder.SetReadOnly("ro.txt", true);
    folder.MakeFolder("Sub");
    auto fso = NewFileSystemObject();
    const std::string src = folder.Path("src.txt");
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(folder.Path("none.txt"), folder.Path("x.txt")); }), 53);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(folder.Path("Missing\\none.txt"), folder.Path("x.txt")); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("dst.txt"), false); }), 58);
    EXPECT_EQ(folder.Read("dst.txt"), "target");
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("Missing\\x.txt")); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("Missing\\")); }), 76);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("ro.txt")); }), 70);
    EXPECT_EQ(folder.Read("ro.txt"), "read-only");
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("Sub")); }), 70);
    EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("SRC.TXT")); }), 70);
    EXPECT_EQ(folder.Read("src.txt"), "source");

    {
        scratch::InUse held(src);
        EXPECT_EQ(FailureOf([&] { fso->CopyFile(folder.Path("SRC.txt"), folder.Path("y.txt")); }), 70);
        EXPECT_FALSE(fso->FileExists(folder.Path("y.txt")));
    }
    {
        scratch::InUse held(folder.Path("dst.txt"));
        EXPECT_EQ(FailureOf([&] { fso->CopyFile(src, folder.Path("DST.txt")); }), 70);
    }
    EXPECT_EQ(folder.Read("dst.txt"), "target");
    EXPECT_EQ(folder.Names(), (Names{"Sub", "dst.txt", "ro.txt", "src.txt"})) << "nothing is left aside";
}

}  // namespace
