// The private-profile functions against real files in a fresh prefix: how names and
// values are found, what a write changes and, above all, what it must leave alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "hosts/sim/host/test_machine.h"
#include "platform/files/posix/prefix.h"
#include "platform/profile/profile.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using platform::profile::GetPrivateProfileStringA;
using platform::profile::WritePrivateProfileStringA;

constexpr std::string_view kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(machine.Host(kIni).parent_path()); }

    std::string Get(std::string_view section, std::string_view key, std::string_view defaultValue = "<default>",
                    uint32_t size = 512, std::string_view file = kIni) {
        return GetPrivateProfileStringA(section, key, defaultValue, size, file);
    }
    int32_t Put(std::string_view section, std::string_view key, std::optional<std::string_view> value,
                std::string_view file = kIni) {
        return WritePrivateProfileStringA(section, key, value, file);
    }
    // The names in the settings folder, to see that nothing was left beside the file.
    std::vector<std::string> FolderListing() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(machine.Host(kIni).parent_path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    sim::TestMachine machine;
};

// --- reading ---------------------------------------------------------------------

TEST_F(ProfileTest, NamesMatchWithoutRegardToCaseInEveryScript) {
    machine.Write(kIni, "[SeTuP]\r\nROOT=P:\\Jobs\\\r\n[Réglages]\r\nÉtat=prêt\r\n");
    EXPECT_EQ(Get("setup", "root"), "P:\\Jobs\\");
    EXPECT_EQ(Get("RÉGLAGES", "état"), "prêt");
    EXPECT_EQ(Get("Setup", "Roots"), "<default>");
}

TEST_F(ProfileTest, FirstMatchingSectionAndFirstMatchingKeyWin) {
    machine.Write(kIni,
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
    machine.Write(kIni, "  [ Setup ]  \r\n   Root   =   C:\\Data   \r\n\tWorkUnit\t=\tJob\t\r\nInner = a  b \r\n");
    EXPECT_EQ(Get("Setup", "Root"), "C:\\Data");
    EXPECT_EQ(Get(" Setup", "WorkUnit"), "<default>");  // the asked name is taken as given
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_EQ(Get("Setup", "Inner"), "a  b");  // blanks inside a value stay
}

TEST_F(ProfileTest, OnePairOfMatchingQuotesIsRemoved) {
    machine.Write(kIni,
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

TEST_F(ProfileTest, EmptyValuesAndKeysWithoutEqualsReadAsEmpty) {
    machine.Write(kIni, "[Setup]\r\nEmailFolder=\r\nBare\r\nBlank=   \r\nEq==x\r\n");
    EXPECT_EQ(Get("Setup", "EmailFolder"), "");
    EXPECT_EQ(Get("Setup", "Bare"), "");
    EXPECT_EQ(Get("Setup", "Blank"), "");
    EXPECT_EQ(Get("Setup", "Eq"), "=x");  // the name ends at the first "="
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGiveTheDefaultWithoutTrailingSpaces) {
    EXPECT_EQ(Get("Setup", "Root", "C:\\"), "C:\\");
    EXPECT_EQ(Get("Setup", "Root", "  padded  "), "  padded");
    machine.Write(kIni, "[Setup]\r\nRoot=x\r\n");
    EXPECT_EQ(Get("Database", "Root", "none "), "none");
    EXPECT_EQ(Get("Setup", "Provider2", "Microsoft.Jet.OLEDB.4.0"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(Get("Setup", "Root", "d"), "x");
}

TEST_F(ProfileTest, LinesOutsideSectionsAndCommentsNeverMatch) {
    machine.Write(kIni, "Root=before any section\r\n[Setup]\r\n;Root=commented out\r\n; Root=too\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "<default>");
    EXPECT_EQ(Get("", "Root"), "<default>");
    EXPECT_EQ(Get("Setup", ";Root"), "<default>");
}

TEST_F(ProfileTest, ResultIsCutToSizeMinusOneCharactersNeverSplittingOne) {
    machine.Write(kIni, "[Setup]\r\nWorkUnit=ÄÖÜabc\r\nLong=" + std::string(600, 'x') + "\r\n");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 3), "ÄÖ");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 5), "ÄÖÜa");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 1), "");
    EXPECT_EQ(Get("Setup", "WorkUnit", "", 0), "");
    EXPECT_EQ(Get("Setup", "Long"), std::string(511, 'x'));
    // The default is cut the same way.
    EXPECT_EQ(Get("Setup", "Missing", "日本語テキスト", 4), "日本語");
}

TEST_F(ProfileTest, ReadsLfCrLfByteOrderMarkAndALastLineWithoutEnd) {
    machine.Write(kIni, "[Setup]\nRoot=lf\n");
    EXPECT_EQ(Get("Setup", "Root"), "lf");
    machine.Write(kIni, "\xEF\xBB\xBF[Setup]\r\nRoot=bom\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "bom");
    machine.Write(kIni, "[A]\nx=1\r\n[Setup]\r\nRoot=mixed, no end");
    EXPECT_EQ(Get("Setup", "Root"), "mixed, no end");
    EXPECT_EQ(Get("A", "x"), "1");
}

TEST_F(ProfileTest, GarbageLongLinesAndNoSectionsDoNotBreakReading) {
    const std::string garbage = "\x00\xff\xfe[\x01=\x80\xc3\n\r\r\x00]\n"s;
    std::string longLine(100000, 'z');
    machine.Write(kIni, garbage + longLine + "\r\n[Setup]\r\n" + garbage + "Root=ok\r\n" + longLine + "\r\nLong=" +
                            longLine + "\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "ok");
    EXPECT_EQ(Get("Setup", "Long"), std::string(511, 'z'));
    EXPECT_EQ(Get("Setup", "Nothing"), "<default>");

    machine.Write(kIni, "just text\r\nno=sections\r\n" + longLine);
    EXPECT_EQ(Get("Setup", "no"), "<default>");
}

TEST_F(ProfileTest, FoldersUnmappedDrivesAndFilesInUseReadAsMissing) {
    fs::create_directories(machine.Host(kIni));
    EXPECT_EQ(Get("Setup", "Root"), "<default>");
    EXPECT_EQ(Get("Setup", "Root", "<default>", 512, "Q:\\Settings\\Quillet.ini"), "<default>");

    machine.Write("C:\\Data\\Busy.ini", "[Setup]\r\nRoot=held\r\n");
    platform::files::Prefix::Lock("C:\\Data\\Busy.ini");
    EXPECT_EQ(Get("Setup", "Root", "<default>", 512, "C:\\Data\\Busy.ini"), "<default>");
    platform::files::Prefix::Unlock("C:\\Data\\Busy.ini");
    EXPECT_EQ(Get("Setup", "Root", "<default>", 512, "C:\\Data\\Busy.ini"), "held");
}

// --- writing ---------------------------------------------------------------------

TEST_F(ProfileTest, WriteCreatesFileSectionAndKeyWithCrLf) {
    EXPECT_NE(Put("Setup", "Root", "C:\\"), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nRoot=C:\\\r\n");
    EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);
    EXPECT_NE(Put("Database", "Provider2", "SQLite"), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nRoot=C:\\\r\nWorkUnit=Job\r\n[Database]\r\nProvider2=SQLite\r\n");
    EXPECT_EQ(Get("database", "PROVIDER2"), "SQLite");
}

TEST_F(ProfileTest, ChangingAValueRewritesThatLineAloneKeepingTheKeysSpelling) {
    const std::string before =
        "; Quillet settings\r\n"
        "\r\n"
        "[Setup]\n"
        "  rOOt  =  P:\\Old\\   \n"
        "; the word for a project\r\n"
        "WorkUnit=Job\r\n"
        "[Database]\r\n"
        "Root=not this one\r\n"
        "\r\n";
    machine.Write(kIni, before);
    EXPECT_NE(Put("SETUP", "Root", "Q:\\New\\"), 0);
    std::string expected = before;
    expected.replace(expected.find("  rOOt"), std::string("  rOOt  =  P:\\Old\\   ").size(), "rOOt=Q:\\New\\");
    EXPECT_EQ(machine.Read(kIni), expected);
}

TEST_F(ProfileTest, ANewKeyGoesAfterTheLastKeyOfItsSection) {
    machine.Write(kIni, "[A]\r\nx=1\r\n; about B\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_NE(Put("a", "z", "3"), 0);
    EXPECT_EQ(machine.Read(kIni), "[A]\r\nx=1\r\nz=3\r\n; about B\r\n\r\n[B]\r\ny=2\r\n");

    machine.Write(kIni, "[A]\r\n\r\n[B]\r\n");
    EXPECT_NE(Put("A", "z", "3"), 0);
    EXPECT_EQ(machine.Read(kIni), "[A]\r\nz=3\r\n\r\n[B]\r\n");

    machine.Write(kIni, "[A]\r\nx=1");  // last line without its end
    EXPECT_NE(Put("A", "y", "2"), 0);
    EXPECT_EQ(machine.Read(kIni), "[A]\r\nx=1\r\ny=2\r\n");
}

TEST_F(ProfileTest, ANewSectionIsAppendedAfterEverythingElse) {
    machine.Write(kIni, "top=line\r\n[A]\r\nx=[B]\r\n; end");
    EXPECT_NE(Put("B", "k", "v"), 0);
    EXPECT_EQ(machine.Read(kIni), "top=line\r\n[A]\r\nx=[B]\r\n; end\r\n[B]\r\nk=v\r\n");
}

TEST_F(ProfileTest, ValuesAreStoredAsGivenAndReadTrimmed) {
    EXPECT_NE(Put("Setup", "SubjDelim", "  => "), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nSubjDelim=  => \r\n");
    EXPECT_EQ(Get("Setup", "SubjDelim"), "=>");
    EXPECT_NE(Put("Setup", "Title", "Ünïcödé"), 0);
    EXPECT_EQ(Get("Setup", "title"), "Ünïcödé");
}

TEST_F(ProfileTest, DeletingRemovesOnlyTheFirstMatchingKeyLine) {
    EXPECT_NE(Put("Setup", "Root", std::nullopt), 0);  // nothing to delete: no file made
    EXPECT_FALSE(fs::exists(machine.Host(kIni)));

    const std::string before = "[Setup]\r\nRoot=a\r\n;c\r\nroot=b\r\nWorkUnit=w\r\n";
    machine.Write(kIni, before);
    EXPECT_NE(Put("setup", "ROOT", std::nullopt), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\n;c\r\nroot=b\r\nWorkUnit=w\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "b");

    const std::string after = machine.Read(kIni);
    EXPECT_NE(Put("Setup", "Missing", std::nullopt), 0);
    EXPECT_NE(Put("Nowhere", "Root", std::nullopt), 0);
    EXPECT_EQ(machine.Read(kIni), after);
}

TEST_F(ProfileTest, WritingIntoGarbageKeepsItsBytes) {
    const std::string garbage = "\x00\xff[\x01\n\x80=\xc3\r\n"s;
    machine.Write(kIni, garbage + std::string(100000, 'g'));
    EXPECT_NE(Put("Setup", "Root", "x"), 0);
    EXPECT_EQ(machine.Read(kIni), garbage + std::string(100000, 'g') + "\r\n[Setup]\r\nRoot=x\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "x");
}

TEST_F(ProfileTest, WritesThatCannotBeMadeReturnZeroAndCreateNothing) {
    EXPECT_EQ(Put("Setup", "Root", "x", "C:\\No Such Folder\\Quillet.ini"), 0);
    EXPECT_FALSE(fs::exists(machine.Host("C:\\No Such Folder")));
    EXPECT_EQ(Put("Setup", "Root", "x", "Q:\\Settings\\Quillet.ini"), 0);

    fs::create_directories(machine.Host(kIni));
    EXPECT_EQ(Put("Setup", "Root", "x"), 0);
    EXPECT_TRUE(fs::is_directory(machine.Host(kIni)));
}

TEST_F(ProfileTest, ReadOnlyAndInUseFilesAreLeftUnchanged) {
    const std::string before = "[Setup]\r\nRoot=old\r\n";
    machine.Write(kIni, before);

    fs::permissions(machine.Host(kIni), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(machine.Read(kIni), before);
    fs::permissions(machine.Host(kIni), fs::perms::owner_write, fs::perm_options::add);

    platform::files::Prefix::Lock(kIni);
    EXPECT_EQ(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(Put("Setup", "Root", std::nullopt), 0);
    platform::files::Prefix::Unlock(kIni);
    EXPECT_EQ(machine.Read(kIni), before);

    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(Get("Setup", "Root"), "new");
}

TEST_F(ProfileTest, AWriteReplacesTheFileWholeAndLeavesNothingBeside) {
    machine.Write(kIni, "[Setup]\r\nRoot=old\r\n");
    fs::permissions(machine.Host(kIni), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A second name for the old file: written in place, it would see the new content.
    fs::path oldFile = machine.Host(kIni).parent_path() / "old-link";
    fs::create_hard_link(machine.Host(kIni), oldFile);

    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);

    std::ifstream old(oldFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "[Setup]\r\nRoot=old\r\n");
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nRoot=new\r\nWorkUnit=Job\r\n");
    EXPECT_EQ(fs::status(machine.Host(kIni)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::remove(oldFile);
    EXPECT_EQ(FolderListing(), std::vector<std::string>{"Quillet.ini"});
}

// --- hostile values and other encodings --------------------------------------------

TEST_F(ProfileTest, ALineBreakOrNulNeverReachesTheFile) {
    machine.Write(kIni, "[Setup]\r\nWorkUnit=Job\r\n");
    const std::string before = machine.Read(kIni);
    for (std::string value : {"Crew\r\nQuilletDBPath=C:\\Elsewhere\\"s, "Crew\nQuilletDBPath=X"s,
                              "Crew\rQuilletDBPath=X"s, "Crew\0QuilletDBPath=X"s}) {
        EXPECT_EQ(Put("Setup", "WorkUnit", value), 0);
        EXPECT_EQ(Put("Setup", "Root", value), 0);
    }
    EXPECT_EQ(Put("Setup", "Root\r\n[Other]\r\nKey", "x"), 0);
    EXPECT_EQ(Put("Setup\n", "Root", "x"), 0);
    EXPECT_EQ(machine.Read(kIni), before);
    EXPECT_EQ(Get("Setup", "QuilletDBPath"), "<default>");
}

TEST_F(ProfileTest, Utf16FilesAreReadAndWrittenBackInUtf16) {
    auto utf16 = [](std::string_view text, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t unit : std::u16string(text.begin(), text.end())) {
            char low = char(unit & 0xFF), high = char(unit >> 8);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    };
    for (bool little : {true, false}) {
        SCOPED_TRACE(little ? "little-endian" : "big-endian");
        machine.Write(kIni, utf16("[Setup]\r\nRoot=P:\\Jobs\\\r\n", little));
        EXPECT_EQ(Get("Setup", "Root"), "P:\\Jobs\\");
        EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);
        EXPECT_EQ(machine.Read(kIni), utf16("[Setup]\r\nRoot=P:\\Jobs\\\r\nWorkUnit=Job\r\n", little));
    }
    // Beyond ASCII: "Réglages" and a character outside the basic plane.
    machine.Write(kIni, "\xFF\xFE[\0R\0\xE9\0]\0\r\0\n\0K\0=\0\x3D\xD8\x00\xDE\r\0\n\0"s);
    EXPECT_EQ(Get("R\u00e9", "K"), "\U0001F600");
}

TEST_F(ProfileTest, ALoneCarriageReturnEndsALine) {
    machine.Write(kIni, "[Setup]\rRoot=P:\\\rWorkUnit=Job\r");
    EXPECT_EQ(Get("Setup", "Root"), "P:\\");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_NE(Put("Setup", "Root", "Q:\\"), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\rRoot=Q:\\\rWorkUnit=Job\r");
}

TEST_F(ProfileTest, ASettingsFileThatIsALinkIsChangedWhereItPoints) {
    machine.Write("C:\\Shared\\Real.ini", "[Setup]\r\nRoot=old\r\n");
    fs::create_symlink(machine.Host("C:\\Shared\\Real.ini"), machine.Host(kIni));
    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_TRUE(fs::is_symlink(machine.Host(kIni)));
    EXPECT_EQ(machine.Read("C:\\Shared\\Real.ini"), "[Setup]\r\nRoot=new\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "new");
}

}  // namespace
