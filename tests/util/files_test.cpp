#include <filesystem>

#include "platform/files/posix/prefix.h"
#include "platform/shell/shell.h"
#include "util_fixture.h"

namespace fs = std::filesystem;

TEST_F(UtilTest, DoesFileExistRunsFolderAndNameTogether) {
    machine.Write("C:\\Datax.txt", "x");
    machine.Write("C:\\Data\\y.txt", "y");
    EXPECT_TRUE(util->DoesFileExist("C:\\Data", "x.txt"));
    EXPECT_FALSE(util->DoesFileExist("C:\\Data", "y.txt"));
    EXPECT_TRUE(util->DoesFileExist("C:\\Data\\", "y.txt"));
    EXPECT_TRUE(util->DoesFileExist("c:\\DATA\\", "Y.TXT"));
    EXPECT_EQ(util->FileSys(), nullptr);
}

TEST_F(UtilTest, ExistenceTestsOfDrivesAndFolders) {
    platform::files::Prefix::MapDrive("P:", platform::files::DriveType::Remote);
    EXPECT_TRUE(util->DoesDriveExist("P:"));
    EXPECT_FALSE(util->DoesDriveExist("Q:"));
    EXPECT_TRUE(util->DoesFolderExist("C:\\ProgramData"));
    EXPECT_FALSE(util->DoesFolderExist("Q:\\x"));
}

TEST_F(UtilTest, CreateNewFolderMakesEveryMissingLevel) {
    EXPECT_TRUE(util->CreateNewFolder("C:\\A\\"));
    EXPECT_TRUE(util->CreateNewFolder("C:\\A\\B\\"));
    EXPECT_TRUE(fs::is_directory(machine.Host("C:\\A\\B")));
    EXPECT_TRUE(util->CreateNewFolder("C:\\A\\C"));
    EXPECT_TRUE(fs::is_directory(machine.Host("C:\\A\\C")));
    EXPECT_TRUE(util->CreateNewFolder("C:\\X\\Y\\Z\\"));
    EXPECT_TRUE(fs::is_directory(machine.Host("C:\\X\\Y\\Z")));
    EXPECT_TRUE(util->CreateNewFolder("c:\\x\\y\\"));  // all there, in other capitals
    EXPECT_EQ(util->FileSys(), nullptr);
}

TEST_F(UtilTest, CreateNewFolderWorksOnShares) {
    platform::files::Prefix::MapDrive("\\\\srv\\jobs", platform::files::DriveType::Remote);
    EXPECT_TRUE(util->CreateNewFolder("\\\\srv\\jobs\\05-123\\Corr_Out\\"));
    EXPECT_TRUE(util->DoesFolderExist("\\\\srv\\jobs\\05-123\\Corr_Out"));
}

TEST_F(UtilTest, CreateNewFolderReportsAFailureAndKeepsTheLevelsMadeBefore) {
    ExpectReport("Error 76: Path not found\r\nThe error occurred in clsUtil:CreateNewFolder");
    EXPECT_FALSE(util->CreateNewFolder("Q:\\Projects\\"));
    machine.Write("C:\\A\\file", "not a folder");
    machine.Person().ExpectMsgBox(" Error");
    EXPECT_FALSE(util->CreateNewFolder("C:\\A\\file\\sub\\"));
    EXPECT_TRUE(util->DoesFolderExist("C:\\A\\"));
    EXPECT_EQ(util->FileSys(), nullptr);
}

TEST_F(UtilTest, CopyAndDeleteReportTheirFailures) {
    machine.Write("C:\\a.txt", "one");
    util->UtilCopyFile("C:\\a.txt", "C:\\b.txt");
    EXPECT_EQ(machine.Read("C:\\b.txt"), "one");
    ExpectReport("Error 58: File already exists\r\nThe error occurred in clsUtil:UtilCopyFile");
    util->UtilCopyFile("C:\\a.txt", "C:\\b.txt", false);
    ExpectReport("Error 53: File not found\r\nThe error occurred in clsUtil:UtilCopyFile");
    util->UtilCopyFile("C:\\none.txt", "C:\\c.txt");
    util->UtilDeleteFile("C:\\b.txt");
    EXPECT_FALSE(util->DoesFileExist("C:\\", "b.txt"));
    ExpectReport("Error 53: File not found\r\nThe error occurred in clsUtil:UtilDeleteFile");
    util->UtilDeleteFile("C:\\b.txt");
    EXPECT_EQ(util->FileSys(), nullptr);
}

TEST_F(UtilTest, DeleteWithTheForceFlagTakesReadOnlyFiles) {
    machine.Write("C:\\ro.txt", "x");
    fs::permissions(machine.Host("C:\\ro.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ExpectReport("Error 70: Permission denied\r\nThe error occurred in clsUtil:UtilDeleteFile");
    util->UtilDeleteFile("C:\\ro.txt", false);
    EXPECT_TRUE(util->DoesFileExist("C:\\", "ro.txt"));
    util->UtilDeleteFile("C:\\ro.txt", true);
    EXPECT_FALSE(util->DoesFileExist("C:\\", "ro.txt"));
}

TEST_F(UtilTest, AFileInUseBySomeoneElseCannotBeCopiedOrDeleted) {
    machine.Write("C:\\db.mdb", "x");
    platform::files::Prefix::Lock("C:\\db.mdb");
    ExpectReport("Error 70: Permission denied\r\nThe error occurred in clsUtil:UtilCopyFile");
    util->UtilCopyFile("C:\\db.mdb", "C:\\copy.mdb");
    ExpectReport("Error 70: Permission denied\r\nThe error occurred in clsUtil:UtilDeleteFile");
    util->UtilDeleteFile("C:\\db.mdb");
    platform::files::Prefix::Unlock("C:\\db.mdb");
}

TEST_F(UtilTest, FileObjectBrackets) {
    EXPECT_TRUE(util->UtilCreateFileObject());
    EXPECT_NE(util->FileSys(), nullptr);
    util->UtilDestroyFileObject();
    EXPECT_EQ(util->FileSys(), nullptr);
}
