// The registry store: values, keys, their spelling, deleting, and the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files_test_support.h"
#include "hosts/sim/host/test_machine.h"
#include "platform/registry/registry.h"

namespace {

namespace fs = std::filesystem;
using files_test::FailureOf;
using namespace platform::registry;

const char* kClsid = "CLSID\\{8B1E2C34-0000-4000-8000-000000000001}";

std::string StoreText(const sim::TestMachine& machine) {
    std::ifstream in(machine.PrefixFolder() / "registry.reg", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Registry, MachineDefaultsOfAFreshPrefix) {
    sim::TestMachine machine;
    EXPECT_EQ(QueryString(Hive::LocalMachine,
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common AppData"),
              "C:\\ProgramData");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "software\\microsoft\\windows\\currentversion", "programfilesdir"),
              "C:\\Program Files");
    std::string text = StoreText(machine);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\n"
                        "\"Common AppData\"=\"C:\\\\ProgramData\"\n"),
              std::string::npos)
        << text;
}

TEST(Registry, ValuesRoundTripWithoutRegardToCase) {
    sim::TestMachine machine;
    const std::string awkward = "C:\\Path \"quoted\"\r\nnext\tline ünïcode";
    SetString(Hive::CurrentUser, "Software\\Quillet\\Settings", "", "default");
    SetString(Hive::CurrentUser, "SOFTWARE\\quillet\\settings", "Path", awkward);
    SetDword(Hive::CurrentUser, "Software\\Quillet\\Settings", "LoadBehavior", 3);
    SetDword(Hive::CurrentUser, "Software\\Quillet\\Settings", "Max", 0xFFFFFFFFu);

    EXPECT_EQ(QueryString(Hive::CurrentUser, "software\\QUILLET\\Settings", ""), "default");
    EXPECT_EQ(QueryString(Hive::CurrentUser, "Software\\Quillet\\Settings", "PATH"), awkward);
    auto dword = QueryValue(Hive::CurrentUser, "Software\\Quillet\\Settings", "loadbehavior");
    ASSERT_TRUE(dword);
    EXPECT_EQ(dword->kind, Value::Kind::Dword);
    EXPECT_EQ(dword->dword, 3u);
    EXPECT_EQ(QueryValue(Hive::CurrentUser, "Software\\Quillet\\Settings", "Max")->dword, 0xFFFFFFFFu);
    EXPECT_FALSE(QueryString(Hive::CurrentUser, "Software\\Quillet\\Settings", "LoadBehavior"));
    EXPECT_FALSE(QueryValue(Hive::CurrentUser, "Software\\Quillet\\Settings", "Absent"));
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, "Software\\Quillet\\Settings", "Path"));  // hives apart

    SetString(Hive::CurrentUser, "Software\\Quillet\\Settings", "loadBEHAVIOR", "now text");
    EXPECT_EQ(QueryString(Hive::CurrentUser, "Software\\Quillet\\Settings", "LoadBehavior"), "now text");
    std::string text = StoreText(machine);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Quillet\\Settings]\n@=\"default\"\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("loadBEHAVIOR"), std::string::npos) << text;  // a value keeps its first spelling
}

TEST(Registry, KeysKeepTheirFirstSpellingAndParentsAreImplied) {
    sim::TestMachine machine;
    SetString(Hive::ClassesRoot, "Quillet.Connect\\CLSID", "", "{X}");
    SetString(Hive::ClassesRoot, "QUILLET.CONNECT\\CurVer", "", "Quillet.Connect.1");
    CreateKey(Hive::ClassesRoot, "quillet.connect\\Empty");
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, "QUILLET.connect"));
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, "Quillet.Connect\\empty"));
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, ""));
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "Quillet.Conn"));
    EXPECT_EQ(SubKeys(Hive::ClassesRoot, "quillet.connect"), (std::vector<std::string>{"CLSID", "CurVer", "Empty"}));
    EXPECT_EQ(SubKeys(Hive::ClassesRoot, ""), std::vector<std::string>{"Quillet.Connect"});
    std::string text = StoreText(machine);
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Quillet.Connect\\CurVer]"), std::string::npos) << text;
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Quillet.Connect\\Empty]"), std::string::npos) << text;
    EXPECT_EQ(text.find("[HKEY_CLASSES_ROOT\\Quillet.Connect]"), std::string::npos) << text;
}

TEST(Registry, TheFileListsKeysInOrderWhateverTheOrderOfWriting) {
    sim::TestMachine machine;
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, ""));  // a hive exists even with nothing in it
    SetString(Hive::CurrentUser, "Software\\b\\Inner", "", "1");
    SetString(Hive::CurrentUser, "Software\\b", "", "2");
    SetString(Hive::CurrentUser, "Software\\A", "", "3");
    std::string text = StoreText(machine);
    size_t a = text.find("[HKEY_CURRENT_USER\\Software\\A]"), b = text.find("[HKEY_CURRENT_USER\\Software\\b]"),
           inner = text.find("[HKEY_CURRENT_USER\\Software\\b\\Inner]");
    ASSERT_NE(inner, std::string::npos) << text;
    EXPECT_LT(a, b);
    EXPECT_LT(b, inner);
}

TEST(Registry, DeleteValueKeepsTheKey) {
    sim::TestMachine machine;
    SetString(Hive::LocalMachine, "SOFTWARE\\Quillet", "A", "1");
    DeleteValue(Hive::LocalMachine, "software\\quillet", "a");
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, "SOFTWARE\\Quillet", "A"));
    EXPECT_TRUE(KeyExists(Hive::LocalMachine, "SOFTWARE\\Quillet"));
    DeleteValue(Hive::LocalMachine, "SOFTWARE\\Nowhere", "A");  // nothing there: nothing happens
    EXPECT_FALSE(KeyExists(Hive::LocalMachine, "SOFTWARE\\Nowhere"));
}

TEST(Registry, DeleteTreeTakesExactlyTheSubtree) {
    sim::TestMachine machine;
    std::string key = kClsid;
    SetString(Hive::ClassesRoot, key + "\\InprocServer32", "", "/lib/UtilOrvek2.so");
    SetString(Hive::ClassesRoot, key + "\\ProgID", "", "UtilOrvek2.clsUtil");
    SetString(Hive::ClassesRoot, key + "x", "", "a sibling whose name starts alike");
    DeleteTree(Hive::ClassesRoot, "clsid\\{8b1e2c34-0000-4000-8000-000000000001}");
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, key));
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, key + "\\ProgID"));
    EXPECT_EQ(QueryString(Hive::ClassesRoot, key + "x", ""), "a sibling whose name starts alike");
    DeleteTree(Hive::ClassesRoot, key + "x");
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID"));  // nothing left below: no empty parent
}

TEST(Registry, RegisteringThenUnregisteringLeavesTheFileAsItWas) {
    sim::TestMachine machine;
    SetString(Hive::ClassesRoot, "CLSID\\{Other}\\ProgID", "", "Other.Thing");
    SetString(Hive::ClassesRoot, "Other.Thing", "", "Another server's class");
    std::string before = StoreText(machine);
    std::string key = kClsid;
    SetString(Hive::ClassesRoot, key, "", "clsUtil");
    SetString(Hive::ClassesRoot, key + "\\InprocServer32", "ThreadingModel", "Apartment");
    SetString(Hive::ClassesRoot, "UtilOrvek2.clsUtil\\CLSID", "", key.substr(6));
    SetDword(Hive::CurrentUser, "Software\\Microsoft\\Office\\Outlook\\Addins\\Quillet09.Connect", "LoadBehavior", 3);
    EXPECT_NE(StoreText(machine), before);
    DeleteTree(Hive::ClassesRoot, key);
    DeleteTree(Hive::ClassesRoot, "UtilOrvek2.clsUtil");
    DeleteTree(Hive::CurrentUser, "Software\\Microsoft\\Office\\Outlook\\Addins\\Quillet09.Connect");
    EXPECT_EQ(StoreText(machine), before);
}

TEST(Registry, HandWrittenFilesAreRead) {
    sim::TestMachine machine;
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary)
        << "REGEDIT4\r\n\r\n; a comment\r\n[hkey_local_machine\\Software\\Hand]\r\n"
           "\"Name\"=\"C:\\\\Hand\\\\Made\"\r\n\"Count\"=dword:0000000A\r\n";
    EXPECT_EQ(QueryString(Hive::LocalMachine, "SOFTWARE\\HAND", "name"), "C:\\Hand\\Made");
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "Software\\Hand", "Count")->dword, 10u);
    SetString(Hive::LocalMachine, "Software\\Hand", "More", "x");
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "Software\\Hand", "Count")->dword, 10u);
    EXPECT_EQ(FirstUnreadLine(), std::nullopt);
}

TEST(Registry, AStoreWithALineNotUnderstoodIsReadButNeverWrittenOver) {
    sim::TestMachine machine;
    const std::string text =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Hand]\n\"Name\"=\"kept\"\n\"Count\"=dword:zz\n";
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary) << text;
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Hand", "Name"), "kept");
    ASSERT_TRUE(FirstUnreadLine());
    EXPECT_EQ(FirstUnreadLine()->number, 5u);
    EXPECT_EQ(FirstUnreadLine()->text, "\"Count\"=dword:zz");
    EXPECT_EQ(FailureOf([] { SetString(Hive::LocalMachine, "Software\\Hand", "More", "x"); }), 75);
    EXPECT_EQ(FailureOf([] { DeleteTree(Hive::LocalMachine, "Software\\Hand"); }), 75);
    EXPECT_EQ(StoreText(machine), text);
}

TEST(Registry, ValuesOfOtherTypesAreKeptByteForByte) {
    sim::TestMachine machine;
    const std::string others =
        "[HKEY_CURRENT_USER\\Software\\Typed]\n"
        "\"Binary\"=hex:01,02,ff\n"
        "\"Path\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\n"
        "\"List\"=hex(7):61,00,00,00,62,00,00,00,\\\n"
        "  00,00\n"
        "@=hex:\n";
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary) << "REGEDIT4\n\n" << others;
    SetString(Hive::CurrentUser, "Software\\Typed", "Text", "x");
    SetDword(Hive::LocalMachine, "Software\\Other", "N", 1);
    EXPECT_NE(StoreText(machine).find(others + "\"Text\"=\"x\"\n"), std::string::npos) << StoreText(machine);
    EXPECT_EQ(QueryValue(Hive::CurrentUser, "Software\\Typed", "Binary")->kind, Value::Kind::Other);
    EXPECT_EQ(QueryString(Hive::CurrentUser, "Software\\Typed", "Binary"), std::nullopt);
    EXPECT_EQ(FirstUnreadLine(), std::nullopt);
}

TEST(Registry, AStoreChangedInPlaceByAnotherWriterIsReadAgain) {
    sim::TestMachine machine;
    SetString(Hive::LocalMachine, "Software\\Hand", "Name", "first");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Hand", "Name"), "first");
    // rewritten in place (same file, other length), as a hand edit would do it
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary | std::ios::trunc)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Hand]\r\n\"Name\"=\"second value\"\r\n";
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Hand", "Name"), "second value");
}

TEST(Registry, WritesLeaveNothingAsideAndRefuseControlCharactersInKeys) {
    sim::TestMachine machine;
    for (int i = 0; i < 5; ++i) SetDword(Hive::CurrentUser, "Software\\Counter", "N", uint32_t(i));
    for (const auto& entry : fs::directory_iterator(machine.PrefixFolder()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    EXPECT_EQ(FailureOf([] { SetString(Hive::CurrentUser, "Software\\Bad\nKey", "", "x"); }), 5);
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, "Software\\Bad"));
}

}  // namespace
