#include "util_fixture.h"

namespace {
const std::string kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";
}

TEST_F(UtilTest, AMissingKeyAnEmptyValueAndAMissingFileAllGiveTheDefault) {
    machine.Write(kIni, "[Setup]\r\nRoot=\r\nWorkUnit=Job\r\n");
    EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "Root", "C:\\", kIni), "C:\\");
    EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "Missing", "d", kIni), "d");
    EXPECT_EQ(util->GetSettingINI("Quillet", "setup", "WORKUNIT", "Project", kIni), "Job");
    EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "WorkUnit", "Project", "C:\\Nowhere\\x.ini"), "Project");
}

TEST_F(UtilTest, AValueComesBackCutTo511Characters) {
    std::string longValue(600, 'v');
    machine.Write(kIni, "[Setup]\r\nRoot=" + longValue + "\r\n");
    EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "Root", "", kIni), std::string(511, 'v'));
}

TEST_F(UtilTest, SaveCreatesTheFileAndReadsBack) {
    util->CreateNewFolder("C:\\ProgramData\\Quillet\\");
    EXPECT_NE(util->SaveSettingINI("Quillet", "Setup", "Root", "P:\\Projects\\", kIni), 0);
    EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "Root", "C:\\", kIni), "P:\\Projects\\");
    EXPECT_EQ(util->SaveSettingINI("Quillet", "Setup", "Root", "x", "Q:\\Unmapped\\Quillet.ini"), 0);
    EXPECT_EQ(util->SaveSettingINI("Quillet", "Setup", "Root", "x", "C:\\NoSuchFolder\\Quillet.ini"), 0);
}
