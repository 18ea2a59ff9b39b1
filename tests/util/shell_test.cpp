#include "platform/shell/shell.h"
#include "util_fixture.h"

TEST_F(UtilTest, StartDocPassesEmptyParametersAndFolderAsNoStringAtAll) {
    int32_t hwnd = 77;
    EXPECT_GT(util->UtilStartDoc(hwnd, "open", "http://example.com/QuilletHelp.htm"), 32);
    EXPECT_GT(util->UtilStartDoc(hwnd, "open", "C:\\doc.txt", "-x", "C:\\ProgramData"), 32);
    const auto& calls = machine.Shell().Journal();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, 77);
    EXPECT_EQ(calls[0].verb, "open");
    EXPECT_EQ(calls[0].file, "http://example.com/QuilletHelp.htm");
    EXPECT_FALSE(calls[0].parameters.has_value());
    EXPECT_FALSE(calls[0].directory.has_value());
    EXPECT_EQ(calls[0].number, 1);
    EXPECT_EQ(calls[1].parameters, std::optional<std::string>("-x"));
    EXPECT_EQ(calls[1].directory, std::optional<std::string>("C:\\ProgramData"));
}

TEST_F(UtilTest, TheFolderPickerGivesAPathOrNothing) {
    util->CreateNewFolder("C:\\Projects\\05-123\\");
    machine.Person().ExpectPicker("Select Default Root Folder:", "C:\\Projects\\05-123\\");
    machine.Person().ExpectPicker("Pick", std::nullopt);
    machine.Person().ExpectPicker("Root", "C:\\");
    int32_t hwnd = 0;
    EXPECT_EQ(util->ShellNewFolder(hwnd, "Select Default Root Folder:", false), "C:\\Projects\\05-123");
    EXPECT_EQ(util->ShellNewFolder(hwnd, "Pick", false), "");
    EXPECT_EQ(util->ShellNewFolder(hwnd, "Root", false), "C:\\");
    const auto& shown = machine.Toolkit().Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].flags, 0x41);
    EXPECT_FALSE(shown[0].root.has_value());
}

TEST_F(UtilTest, ARootedPickerCannotLeaveItsRoot) {
    util->CreateNewFolder("C:\\Projects\\05-123\\");
    machine.Person().ExpectPicker("In", "C:\\Projects\\05-123");
    int32_t hwnd = 0;
    EXPECT_EQ(util->ShellNewFolder(hwnd, "In", true, std::string("C:\\Projects\\")), "C:\\Projects\\05-123");
    EXPECT_EQ(machine.Toolkit().Shown().back().root, std::optional<std::string>("C:\\Projects\\"));
}

TEST_F(UtilTest, PlainSystemCalls) {
    EXPECT_GT(util->UtilWinExec("notepad.exe"), 31);
    EXPECT_EQ(util->UtilSleep(10, false), 0);
    EXPECT_NE(util->UtilGetDesktopWindow(), 0);
    ASSERT_EQ(machine.Shell().Journal().size(), 2u);
    EXPECT_EQ(machine.Shell().Journal()[0].file, "notepad.exe");
    EXPECT_EQ(machine.Shell().Journal()[1].number, 10);
}
