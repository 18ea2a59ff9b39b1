// The private-profile functions of this machine, byte for byte: they write settings
// files as Windows' functions do (a change rewrites its one line, every other line,
// comment and byte stays), read UTF-8 in every script, and keep a file's permissions.
// What every platform's functions do is in profile_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "hosts/sim/host/test_machine.h"
#include "platform/profile/profile.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using platform::profile::GetPrivateProfileStringA;
using platform::profile::WritePrivateProfileStringA;

constexpr std::string_view kIni = "C:\\ProgramData\\Quillet\\Quillet.ini";

class ProfileFileTest : public ::testing::Test {
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

    sim::TestMachine machine;
};

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCaseInEveryScript) {
    machine.Write(kIni, "[Réglages]\r\nÉtat=prêt\r\n[ΣΟΦΙΑ]\r\nΚλειδί=τιμή\r\n");
    EXPECT_EQ(Get("RÉGLAGES", "état"), "prêt");
    EXPECT_EQ(Get("σοφια", "κλειδί"), "τιμή");
}

TEST_F(ProfileFileTest, BlanksInsideBracketsAndLinesBeforeAnySection) {
    machine.Write(kIni, "Root=before any section\r\n[ Setup ]\r\nWorkUnit=Job\r\n");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_EQ(Get(" Setup", "WorkUnit"), "<default>");  // the asked name is taken as given
    EXPECT_EQ(Get("Setup", "Root"), "<default>");
    EXPECT_EQ(Get("", "Root"), "<default>");
}

TEST_F(ProfileFileTest, AKeyWithoutEqualsReadsAsEmpty) {
    machine.Write(kIni, "[Setup]\r\nBare\r\n");
    EXPECT_EQ(Get("Setup", "Bare"), "");
}

TEST_F(ProfileFileTest, ReadsAByteOrderMark) {
    machine.Write(kIni, "\xEF\xBB\xBF[Setup]\r\nRoot=bom\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "bom");
}

TEST_F(ProfileFileTest, WritesEndLinesWithCrLf) {
    EXPECT_NE(Put("Setup", "Root", "C:\\"), 0);
    EXPECT_NE(Put("Setup", "WorkUnit", "Job"), 0);
    EXPECT_NE(Put("Database", "Provider2", "SQLite"), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nRoot=C:\\\r\nWorkUnit=Job\r\n[Database]\r\nProvider2=SQLite\r\n");
}

TEST_F(ProfileFileTest, ValuesAreStoredAsGiven) {
    EXPECT_NE(Put("Setup", "SubjDelim", "  => "), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\nSubjDelim=  => \r\n");
}

TEST_F(ProfileFileTest, DeletingRemovesTheFirstMatchingKeyLineAlone) {
    machine.Write(kIni, "[Setup]\r\nRoot=a\r\n;c\r\nroot=b\r\nWorkUnit=w\r\n");
    EXPECT_NE(Put("setup", "ROOT", std::nullopt), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\r\n;c\r\nroot=b\r\nWorkUnit=w\r\n");
}

TEST_F(ProfileFileTest, ChangingAValueRewritesThatLineAloneKeepingTheKeysSpelling) {
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

TEST_F(ProfileFileTest, ANewKeyGoesAfterTheLastKeyOfItsSection) {
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

TEST_F(ProfileFileTest, ANewSectionIsAppendedAfterEverythingElse) {
    machine.Write(kIni, "top=line\r\n[A]\r\nx=[B]\r\n; end");
    EXPECT_NE(Put("B", "k", "v"), 0);
    EXPECT_EQ(machine.Read(kIni), "top=line\r\n[A]\r\nx=[B]\r\n; end\r\n[B]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, WritingIntoGarbageKeepsItsBytes) {
    const std::string garbage = "\x00\xff[\x01\n\x80=\xc3\r\n"s;
    machine.Write(kIni, garbage + std::string(100000, 'g'));
    EXPECT_NE(Put("Setup", "Root", "x"), 0);
    EXPECT_EQ(machine.Read(kIni), garbage + std::string(100000, 'g') + "\r\n[Setup]\r\nRoot=x\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "x");
}

TEST_F(ProfileFileTest, GarbageLongLinesAndNoSectionsDoNotBreakReading) {
    const std::string garbage = "\x00\xff\xfe[\x01=\x80\xc3\n\r\r\x00]\n"s;
    std::string longLine(100000, 'z');
    machine.Write(kIni, garbage + longLine + "\r\n[Setup]\r\n" + garbage + "Root=ok\r\n" + longLine +
                            "\r\nLong=" + longLine + "\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "ok");
    EXPECT_EQ(Get("Setup", "Long"), std::string(511, 'z'));
    EXPECT_EQ(Get("Setup", "Nothing"), "<default>");

    machine.Write(kIni, "just text\r\nno=sections\r\n" + longLine);
    EXPECT_EQ(Get("Setup", "no"), "<default>");
}

TEST_F(ProfileFileTest, AWriteKeepsTheFilesPermissions) {
    machine.Write(kIni, "[Setup]\r\nRoot=old\r\n");
    fs::permissions(machine.Host(kIni), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_EQ(fs::status(machine.Host(kIni)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A settings load reads each file once: what another program writes meanwhile is read
// at the next load, what is written through the functions at once, under any spelling
// of the file's path.
TEST_F(ProfileFileTest, WhileReadingEachFileOnceOnlyWritesOfItsOwnAreSeenUntilTheLoadEnds) {
    auto writeElsewhere = [&](const std::string& content) {
        std::ofstream(machine.Host(kIni), std::ios::binary | std::ios::trunc) << content;
    };
    writeElsewhere("[Setup]\r\nRoot=C:\\One\\\r\n");
    {
        const platform::profile::ReadingEachFileOnce outer;
        EXPECT_EQ(Get("Setup", "Root"), "C:\\One\\");
        writeElsewhere("[Setup]\r\nRoot=C:\\Two\\\r\n");
        {
            const platform::profile::ReadingEachFileOnce inner;
            EXPECT_EQ(Get("Setup", "Root"), "C:\\One\\");
        }
        EXPECT_EQ(Get("Setup", "Root"), "C:\\One\\");
        EXPECT_EQ(Get("SETUP", "Root", "<default>", 512, "c:\\programdata\\quillet\\QUILLET.INI"), "C:\\Two\\");
        EXPECT_EQ(Put("Setup", "Email", "Mail"), 1);
        EXPECT_EQ(Get("Setup", "Email"), "Mail");
        EXPECT_EQ(Get("Setup", "Email", "<default>", 512, "c:\\programdata\\quillet\\QUILLET.INI"), "Mail");
        writeElsewhere("[Setup]\r\nRoot=C:\\Three\\\r\n");
        EXPECT_EQ(Get("Setup", "Root"), "C:\\Two\\");
    }
    EXPECT_EQ(Get("Setup", "Root"), "C:\\Three\\");
}

// --- hostile values and other encodings --------------------------------------------

TEST_F(ProfileFileTest, ALineBreakOrNulNeverReachesTheFile) {
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

TEST_F(ProfileFileTest, Utf16FilesAreReadAndWrittenBackInUtf16) {
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

TEST_F(ProfileFileTest, ALoneCarriageReturnEndsALine) {
    machine.Write(kIni, "[Setup]\rRoot=P:\\\rWorkUnit=Job\r");
    EXPECT_EQ(Get("Setup", "Root"), "P:\\");
    EXPECT_EQ(Get("Setup", "WorkUnit"), "Job");
    EXPECT_NE(Put("Setup", "Root", "Q:\\"), 0);
    EXPECT_EQ(machine.Read(kIni), "[Setup]\rRoot=Q:\\\rWorkUnit=Job\r");
}

TEST_F(ProfileFileTest, ASettingsFileThatIsALinkIsChangedWhereItPoints) {
    machine.Write("C:\\Shared\\Real.ini", "[Setup]\r\nRoot=old\r\n");
    fs::create_symlink(machine.Host("C:\\Shared\\Real.ini"), machine.Host(kIni));
    EXPECT_NE(Put("Setup", "Root", "new"), 0);
    EXPECT_TRUE(fs::is_symlink(machine.Host(kIni)));
    EXPECT_EQ(machine.Read("C:\\Shared\\Real.ini"), "[Setup]\r\nRoot=new\r\n");
    EXPECT_EQ(Get("Setup", "Root"), "new");
}

}  // namespace
