// The private-profile functions against real files: how names and values are found,
// what a write gives back, and, above all, what a write that cannot be made leaves
// alone. How this machine's functions lay out the bytes is in profile_file_test.cpp.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/profile/profile.h"
#include "support/scratch.h"

namespace {

using platform::profile::GetPrivateProfileStringA;
using platform::profile::WritePrivateProfileStringA;

class ProfileTest : public ::testing::Test {
protected:
    std::string Get(std::string_view section, std::string_view key, std::string_view defaultValue = "<default>",
                    uint32_t size = 512) {
        return GetPrivateProfileStringA(section, key, defaultValue, size, ini);
    }
    std::string GetFrom(const std::string& file, std::string_view section, std::string_view key) {
        return GetPrivateProfileStringA(section, key, "<default>", 512, file);
    }
    int32_t Put(std::string_view section, std::string_view key, std::optional<std::string_view> value) {
        return WritePrivateProfileStringA(section, key, value, ini);
    }
    int32_t PutTo(const std::string& file, std::string_view section, std::string_view key,
                  std::optional<std::string_view> value) {
        return WritePrivateProfileStringA(section, key, value, file);
    }

    scratch::Folder folder;
    const std::string ini = folder.Path("Quillet.ini");
};

// --- reading ---------------------------------------------------------------------

TEST_F(ProfileTest, NamesMatchWithoutRegardToCase) {
    folder.Write("Quillet.ini", "[SeTuP]\r\nROOT=P:\\Jobs\\\r\n");
    EXPECT_EQ(Get("setup", "root"), "P:\\Jobs\\");
    EXPECT_EQ(Get("Setup", "Roots"), "<default>");
    // Other scripts fold as well on Windows and here; Wine's functions fold ASCII alone.
    EXPECT_NE(Put("Réglages", "État", "prêt"), 0);
    EXPECT_EQ(Get("réglages", "ÉTAT"), "prêt");
}

TEST_F(ProfileTest, FirstMatchingSectionAndFirstMatchingKeyWin) {
    folder.Write("Quillet.ini",
                 "[Setup]\r\nRoot=first\r\nroot=second\r\n"
                 "[Other]\r\nWorkUnit=other\r\n"
                 "[SETUP]\r\nRoot=third\r\nWorkUnit=in the second Setup\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "first");
    // Only the first [Setup] is searched: a key of a later duplicate section is missing.
    EXPECT_EQ(Get("Setup", "WorkUnit"), "<default>");
    // Keys belong to their own section only.
    EXPECT_EQ(Get("Other", "Root"), "<default>");
}

TEST_F(ProfileTest, BlanksAroundNamesAndValuesDoNotCount) {
    folder.Write("Quillet.ini",
                 "  [Setup]  \r\n   Root   =   C:\\Data   \r\n\tWorkUnit\t=\tJob\t\r\nInner = a  b \r\n");
    EXPECT_EQ(Get("Setup", "Root"), "C:\\Data");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_EQ(Get("Setup", "Inner"), "a  b");  // blanks inside a value stay
}

TEST_F(ProfileTest, OnePairOfMatchingQuotesIsRemoved) {
    folder.Write("Quillet.ini",
                 "[Q]\r\nDouble=\"a b \"\r\nSingle='=>'\r\nMixed=\"x'\r\nLone=\"\r\nEmpty=\"\"\r\n"
                 "Nested=\"'y'\"\r\nPadded=  \"p\"  \r\nInside=a\"b\"\r\n");
    EXPECT_EQ(Get("Q", "Double"), "a b ");
    EXPECT_EQ(Get("Q", "Single"), "=>");
    EXPECT_EQ(Get("Q", "Mixed"), "\"x'");
    EXPECT_EQ(Get("Q", "Lone"), "\"");
    EXPECT_EQ(Get("Q", "Empty"), "");
    EXPECT_EQ(Get("Q", "Nested"), "'y'");
    EXPECT_EQ(Get("Q", "Padded"), "p");
    EXPECT_EQ(Get("Q", "Inside"), "a\"b\"");
}

TEST_F(ProfileTest, EmptyValuesReadAsEmpty) {
    folder.Write("Quillet.ini", "[Setup]\r\nEmailFolder=\r\nBlank=   \r\nEq==x\r\n");
    EXPECT_EQ(Get("Setup", "EmailFolder"), "");
    EXPECT_EQ(Get("Setup", "Blank"), "");
    EXPECT_EQ(Get("Setup", "Eq"), "=x");  // the name ends at the first "="
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGiveTheDefaultWithoutTrailingSpaces) {
    EXPECT_EQ(Get("Setup", "Root", "C:\\"), "C:\\");
    EXPECT_EQ(Get("Setup", "Root", "  padded  "), "  padded");
    folder.Write("Quillet.ini", "[Setup]\r\nRoot=x\r\n");
    EXPECT_EQ(Get("Database", "Root", "none "), "none");
    EXPECT_EQ(Get("Setup", "Provider2", "Microsoft.Jet.OLEDB.4.0"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(Get("Setup", "Root", "d"), "x");
}

TEST_F(ProfileTest, CommentsNeverMatch) {
    folder.Write("Quillet.ini", "[Setup]\r\n;Root=commented out\r\n; Root=too\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "<default>");
}

TEST_F(ProfileTest, ResultIsCutToSizeMinusOneCharactersNeverSplittingOne) {
    folder.Write("Quillet.ini", "[Setup]\r\nLong=" + std::string(600, 'x') + "\r\n");
    EXPECT_NE(Put("Setup", "WorkUnit", "ÄÖÜabc"), 0);
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 3), "ÄÖ");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 5), "ÄÖÜa");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 1), "");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 0), "");
    EXPECT_EQ(Get("Setup", "Long"), std::string(511, 'x'));
    // The default is cut the same way, also past the basic plane.
    EXPECT_EQ(Get("Setup", "Missing", "日本語テキスト", 4), "日本語");
    EXPECT_EQ(Get("Setup", "Missing", "a📁b", 3), "a📁");
}

TEST_F(ProfileTest, ReadsLfCrLfAndALastLineWithoutEnd) {
    folder.Write("Quillet.ini", "[Setup]\nRoot=lf\n");
    EXPECT_EQ(Get("Setup", "Root"), "lf");
    folder.Write("Quillet.ini", "[A]\nx=1\r\n[Setup]\r\nRoot=mixed, no end");
    EXPECT_EQ(Get("Setup", "Root"), "mixed, no end");
    EXPECT_EQ(Get("A", "x"), "1");
}

TEST_F(ProfileTest, FoldersMissingDrivesAndFilesInUseReadAsMissing) {
    folder.MakeFolder("Quillet.ini");
    EXPECT_EQ(Get("Setup", "Root"), "<default>");
    EXPECT_EQ(GetFrom(scratch::MissingDrive() + "\\Settings\\Quillet.ini", "Setup", "Root"), "<default>");

    folder.Write("Busy.ini", "[Setup]\r\nRoot=held\r\n");
    {
        scratch::InUse held(folder.Path("Busy.ini"));
        EXPECT_EQ(GetFrom(folder.Path("Busy.ini"), "Setup", "Root"), "<default>");
    }
    EXPECT_EQ(GetFrom(folder.Path("Busy.ini"), "Setup", "Root"), "held");
}

// --- writing ---------------------------------------------------------------------

TEST_F(ProfileTest, AWriteCreatesFileSectionAndKey) {
    EXPECT_NE(Put("Setup", "Root", "C:\\"), 0);
    EXPECT_EQ(folder.Read("Quillet.ini"), "[Setup]\r\nRoot=C:\\\r\n");
    EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);
    EXPECT_NE(Put("Database", "Provider2", "SQLite"), 0);
    EXPECT_NE(Put("Setup", "root", "D:\\"), 0);
    EXPECT_EQ(Get("database", "PROVIDER2"), "SQLite");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_EQ(Get("Setup", "Root"), "D:\\");
}

TEST_F(ProfileTest, ValuesAreReadBackTrimmed) {
    EXPECT_NE(Put("Setup", "SubjDelim", "  => "), 0);
    EXPECT_EQ(Get("Setup", "SubjDelim"), "=>");
    EXPECT_NE(Put("Setup", "Title", "Ünïcödé"), 0);
    EXPECT_EQ(Get("Setup", "title"), "Ünïcödé");
}

TEST_F(ProfileTest, DeletingRemovesOnlyTheFirstMatchingKey) {
    EXPECT_NE(Put("Setup", "Root", std::nullopt), 0);  // nothing to delete: no file made
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});

    folder.Write("Quillet.ini", "[Setup]\r\nRoot=a\r\n;c\r\nroot=b\r\nWorkUnit=w\r\n");
    EXPECT_NE(Put("setup", "ROOT", std::nullopt), 0);
    EXPECT_EQ(Get("Setup", "Root"), "b");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "w");

    const std::string after = folder.Read("Quillet.ini");
    EXPECT_NE(Put("Setup", "Missing", std::nullopt), 0);
    EXPECT_NE(Put("Nowhere", "Root", std::nullopt), 0);
    EXPECT_EQ(folder.Read("Quillet.ini"), after);
}

TEST_F(ProfileTest, WritesThatCannotBeMadeReturnZeroAndCreateNothing) {
    EXPECT_EQ(PutTo(folder.Path("No Such Folder\\Quillet.ini"), "Setup", "Root", "x"), 0);
    EXPECT_EQ(PutTo(scratch::MissingDrive() + "\\Settings\\Quillet.ini", "Setup", "Root", "x"), 0);
    folder.MakeFolder("Quillet.ini");
    EXPECT_EQ(Put("Setup", "Root", "x"), 0);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Quillet.ini"});
    EXPECT_EQ(folder.Names("Quillet.ini"), std::vector<std::string>{});
}

TEST_F(ProfileTest, ReadOnlyAndInUseFilesAreLeftUnchanged) {
    const std::string before = "[Setup]\r\nRoot=old\r\n";
    folder.Write("Quillet.ini", before);

    folder.SetReadOnly("Quillet.ini", true);
    EXPECT_EQ(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(folder.Read("Quillet.ini"), before);
    folder.SetReadOnly("Quillet.ini", false);

    {
        scratch::InUse held(ini);
        EXPECT_EQ(Put("Setup", "Root", "new"), 0);
        EXPECT_EQ(Put("Setup", "Root", std::nullopt), 0);
    }
    EXPECT_EQ(folder.Read("Quillet.ini"), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Quillet.ini"});

    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(Get("Setup", "Root"), "new");
}

TEST_F(ProfileTest, AWriteReplacesTheFileWholeAndLeavesNothingBeside) {
    folder.Write("Quillet.ini", "[Setup]\r\nRoot=old\r\n");
    // A second name for the old file: written in place, it would see the new content.
    folder.Link("Quillet.ini", "old-link");

    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);

    EXPECT_EQ(folder.Read("old-link"), "[Setup]\r\nRoot=old\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "new");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Quillet.ini", "old-link"}));
}

}  // namespace
