// The registry store of a prefix: a text file that lists keys in order, that only
// keys holding something are written to, and that another writer may change. What
// every platform's registry does is in registry_test.cpp.
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

TEST(RegistryStore, MachineDefaultsOfAFreshPrefix) {
    sim::TestMachine machine;
    EXPECT_EQ(QueryString(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                          "Common AppData"),
              "C:\\ProgramData");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "software\\microsoft\\windows\\currentversion", "programfilesdir"),
              "C:\\Program Files");
    std::string text = StoreText(machine);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\n"
                        "\"Common AppData\"=\"C:\\\\ProgramData\"\n"),
              std::string::npos)
        << text;
}

TEST(RegistryStore, TheFileListsKeysInOrderWhateverTheOrderOfWriting) {
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

TEST(RegistryStore, RegisteringThenUnregisteringLeavesTheFileAsItWas) {
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

TEST(RegistryStore, HandWrittenFilesAreRead) {
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

// A key named twice (in any case, in any script) is one key: the values of both
// places, a later value of the same name winning; it is written back once.
TEST(RegistryStore, AKeyNamedTwiceInAHandWrittenFileIsOneKey) {
    sim::TestMachine machine;
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary)
        << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Ärger]\n\"A\"=\"1\"\n\"B\"=\"old\"\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"A\"=\"other\"\n"
           "[hkey_local_machine\\SOFTWARE\\äRGER]\n\"b\"=\"new\"\n\"C\"=\"3\"\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Ärger\\]\n\"D\"=\"4\"\n";
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\ärger", "A"), "1");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\ÄRGER", "B"), "new");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Ärger", "C"), "3");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Ärger", "D"), "4");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Other", "A"), "other");
    EXPECT_EQ(SubKeys(Hive::LocalMachine, "Software").size(), 2u);
    SetString(Hive::LocalMachine, "Software\\Other", "B", "x");
    EXPECT_EQ(StoreText(machine),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"A\"=\"other\"\n\"B\"=\"x\"\n"
              "\n[HKEY_LOCAL_MACHINE\\Software\\Ärger]\n\"A\"=\"1\"\n\"B\"=\"new\"\n\"C\"=\"3\"\n\"D\"=\"4\"\n");
}

TEST(RegistryStore, AStoreChangedInPlaceByAnotherWriterIsReadAgain) {
    sim::TestMachine machine;
    SetString(Hive::LocalMachine, "Software\\Hand", "Name", "first");
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Hand", "Name"), "first");
    // rewritten in place (same file, other length), as a hand edit would do it
    std::ofstream(machine.PrefixFolder() / "registry.reg", std::ios::binary | std::ios::trunc)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Hand]\r\n\"Name\"=\"second value\"\r\n";
    EXPECT_EQ(QueryString(Hive::LocalMachine, "Software\\Hand", "Name"), "second value");
}

TEST(RegistryStore, ParentsAreNeverStoredByThemselves) {
    sim::TestMachine machine;
    SetString(Hive::ClassesRoot, "Quillet.Connect\\CLSID", "", "{X}");
    CreateKey(Hive::ClassesRoot, "quillet.connect\\Empty");
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, "QUILLET.connect"));
    EXPECT_EQ(SubKeys(Hive::ClassesRoot, ""), std::vector<std::string>{"Quillet.Connect"});
    std::string text = StoreText(machine);
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Quillet.Connect\\Empty]"), std::string::npos) << text;
    EXPECT_EQ(text.find("[HKEY_CLASSES_ROOT\\Quillet.Connect]"), std::string::npos) << text;
    DeleteTree(Hive::ClassesRoot, "Quillet.Connect");
    SetString(Hive::ClassesRoot, std::string(kClsid) + "\\ProgID", "", "UtilOrvek2.clsUtil");
    DeleteTree(Hive::ClassesRoot, kClsid);
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID"));  // nothing left below: no empty parent
}

TEST(RegistryStore, WritesLeaveNothingAside) {
    sim::TestMachine machine;
    for (int i = 0; i < 5; ++i) SetDword(Hive::CurrentUser, "Software\\Counter", "N", uint32_t(i));
    for (const auto& entry : fs::directory_iterator(machine.PrefixFolder()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

TEST(RegistryStore, AStoreWithALineNotUnderstoodIsReadButNeverWrittenOver) {
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

TEST(RegistryStore, ValuesOfOtherTypesAreKeptByteForByte) {
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

}  // namespace
