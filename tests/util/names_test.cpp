#include "util_fixture.h"

TEST_F(UtilTest, IllegalCharactersBecomeOneBlankAndEndsAreTrimmed) {
    EXPECT_EQ(util->RemoveIllegalCharacters("Permit: final?"), "Permit final");
    EXPECT_EQ(util->RemoveIllegalCharacters("plans/sections"), "plans sections");
    EXPECT_EQ(util->RemoveIllegalCharacters("  *Roof*  drawings  "), "Roof drawings");
    EXPECT_EQ(util->RemoveIllegalCharacters("1234-Main St=>Hello"), "1234-Main St= Hello");
    EXPECT_EQ(util->RemoveIllegalCharacters("a'b<c>d\\e|f"), "a b c d e f");
    EXPECT_EQ(util->RemoveIllegalCharacters(":/ ?*"), "");
    EXPECT_EQ(util->RemoveIllegalCharacters(""), "");
}

TEST_F(UtilTest, DoubleQuotesAndControlCharactersAreCleanedToo) {
    EXPECT_EQ(util->RemoveIllegalCharacters("The \"big\" job"), "The big job");
    EXPECT_EQ(util->RemoveIllegalCharacters("Line one\r\nLine\ttwo"), "Line one Line two");
    EXPECT_EQ(util->RemoveIllegalCharacters(std::string("a\x01") + "\x1f" + "b"), "a b");
}

TEST_F(UtilTest, NamesInOtherScriptsPassThroughWhole) {
    EXPECT_EQ(util->RemoveIllegalCharacters("Café: Zürich/Ωμέγα"), "Café Zürich Ωμέγα");
    EXPECT_EQ(util->RemoveIllegalCharacters("東京 * 計画"), "東京 計画");
}

TEST_F(UtilTest, NamesWindowsKeepsForDevicesAreChangedToo) {
    EXPECT_EQ(util->RemoveIllegalCharacters("CON"), "CON_");
    EXPECT_EQ(util->RemoveIllegalCharacters("nul.txt"), "nul_.txt");
    EXPECT_EQ(util->RemoveIllegalCharacters("AUX.tar.gz"), "AUX_.tar.gz");
    EXPECT_EQ(util->RemoveIllegalCharacters("Com1 .msg"), "Com1_ .msg");
    EXPECT_EQ(util->RemoveIllegalCharacters("LPT9"), "LPT9_");
    EXPECT_EQ(util->RemoveIllegalCharacters("PRN?"), "PRN_");
    // Names that only begin like a device, or hold one further on, are names like any other.
    EXPECT_EQ(util->RemoveIllegalCharacters("CONTRACT"), "CONTRACT");
    EXPECT_EQ(util->RemoveIllegalCharacters("COM10"), "COM10");
    EXPECT_EQ(util->RemoveIllegalCharacters("Re: CON"), "Re CON");
    EXPECT_EQ(util->RemoveIllegalCharacters("my.nul"), "my.nul");
}
