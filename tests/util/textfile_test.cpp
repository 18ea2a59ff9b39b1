#include "util_fixture.h"

TEST_F(UtilTest, OpenFileReadsLineByLine) {
    machine.Write("C:\\ProgramData\\Quillet\\WorkUnitType.cnt", "Project\r\nJob\nMatter\r\n");
    ASSERT_TRUE(util->OpenFile("C:\\ProgramData\\Quillet\\WorkUnitType.cnt", 1, false));
    EXPECT_NE(util->FileSys(), nullptr);
    std::vector<std::string> lines;
    while (!util->UtilFile()->AtEndOfStream()) lines.push_back(util->UtilFile()->ReadLine());
    EXPECT_EQ(lines, (std::vector<std::string>{"Project", "Job", "Matter"}));
    EXPECT_FALSE(util->CloseFile());
    EXPECT_EQ(util->UtilFile(), nullptr);
    EXPECT_EQ(util->FileSys(), nullptr);
}

TEST_F(UtilTest, OpeningAMissingFileWithoutCreateIsReportedAndFalse) {
    util->CreateNewFolder("C:\\ProgramData\\Quillet\\");
    ExpectReport("Error 53: File not found\r\nThe error occurred in clsUtil:OpenFile()");
    EXPECT_FALSE(util->OpenFile("C:\\ProgramData\\Quillet\\Quillet.cnt", 1, false));
    EXPECT_EQ(util->UtilFile(), nullptr);
    EXPECT_FALSE(util->DoesFileExist("C:\\ProgramData\\Quillet\\", "Quillet.cnt"));
    ExpectReport("Error 76: Path not found\r\nThe error occurred in clsUtil:OpenFile()");
    EXPECT_FALSE(util->OpenFile("C:\\NoSuchFolder\\Quillet.cnt", 1, false));
}

TEST_F(UtilTest, AppendingAddsLinesAndCreateMakesTheFile) {
    machine.Write("C:\\w.cnt", "Project\r\n");
    ASSERT_TRUE(util->OpenFile("C:\\w.cnt", 8, false));
    util->UtilFile()->WriteLine("Job");
    util->CloseFile();
    EXPECT_EQ(machine.Read("C:\\w.cnt"), "Project\r\nJob\r\n");
    ASSERT_TRUE(util->OpenFile("C:\\new.cnt", 8, true));
    util->UtilFile()->WriteLine("Matter");
    util->CloseFile();
    EXPECT_EQ(machine.Read("C:\\new.cnt"), "Matter\r\n");
}

TEST_F(UtilTest, ReadingPastTheEndFails) {
    machine.Write("C:\\one.txt", "only\r\n");
    ASSERT_TRUE(util->OpenFile("C:\\one.txt", 1, false));
    EXPECT_EQ(util->UtilFile()->ReadLine(), "only");
    try {
        util->UtilFile()->ReadLine();
        FAIL() << "read past the end";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 62);
        EXPECT_EQ(e.Description, "Input past end of file");
    }
    util->CloseFile();
}

TEST_F(UtilTest, ClosingWithNothingOpenIsReportedAndChangesNothing) {
    ExpectReport("Error 91: Object variable or With block variable not set\r\nThe error occurred in clsUtil:CloseFile()");
    util->UtilCreateFileObject();
    auto fso = util->FileSys();
    EXPECT_FALSE(util->CloseFile());
    EXPECT_EQ(util->FileSys(), fso);
}

TEST_F(UtilTest, AnotherOperationWhileAFileIsOpenLeavesItsStreamUsable) {
    machine.Write("C:\\two.txt", "a\r\nb\r\n");
    ASSERT_TRUE(util->OpenFile("C:\\two.txt", 1, false));
    EXPECT_EQ(util->UtilFile()->ReadLine(), "a");
    EXPECT_TRUE(util->DoesFolderExist("C:\\"));
    EXPECT_EQ(util->UtilFile()->ReadLine(), "b");
    util->CloseFile();
}
