// The registry: values, keys, their spelling and deleting, in a key of the test's own.
// The store that plays the registry on this machine is in registry_store_test.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "support/scratch.h"

namespace {

using namespace platform::registry;
using scratch::FailureOf;
using Names = std::vector<std::string>;

TEST(Registry, ValuesRoundTripWithoutRegardToCase) {
    scratch::RegistryKey scratchKey;
    const std::string key = scratchKey.Path("Settings");
    const std::string awkward = "C:\\Path \"quoted\"\r\nnext\tline ünïcode Ωmega";
    SetString(Hive::CurrentUser, key, "", "default");
    SetString(Hive::CurrentUser, scratchKey.Path("SETTINGS"), "Path", awkward);
    SetDword(Hive::CurrentUser, key, "LoadBehavior", 3);
    SetDword(Hive::CurrentUser, key, "Max", 0xFFFFFFFFu);

    EXPECT_EQ(QueryString(Hive::CurrentUser, scratchKey.Path("settings"), ""), "default");
    EXPECT_EQ(QueryString(Hive::CurrentUser, key, "PATH"), awkward);
    auto dword = QueryValue(Hive::CurrentUser, key, "loadbehavior");
    ASSERT_TRUE(dword);
    EXPECT_EQ(dword->kind, Value::Kind::Dword);
    EXPECT_EQ(dword->dword, 3u);
    EXPECT_EQ(QueryValue(Hive::CurrentUser, key, "Max")->dword, 0xFFFFFFFFu);
    EXPECT_FALSE(QueryString(Hive::CurrentUser, key, "LoadBehavior"));  // not a string
    EXPECT_FALSE(QueryValue(Hive::CurrentUser, key, "Absent"));
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, key, "Path"));  // hives apart

    SetString(Hive::CurrentUser, key, "loadBEHAVIOR", "now text");
    EXPECT_EQ(QueryString(Hive::CurrentUser, key, "LoadBehavior"), "now text");
}

TEST(Registry, KeysKeepTheirFirstSpelling) {
    scratch::RegistryKey scratchKey;
    SetString(Hive::CurrentUser, scratchKey.Path("Quillet.Connect\\CLSID"), "", "{X}");
    SetString(Hive::CurrentUser, scratchKey.Path("QUILLET.CONNECT\\CurVer"), "", "Quillet.Connect.1");
    CreateKey(Hive::CurrentUser, scratchKey.Path("quillet.connect\\Empty"));
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, scratchKey.Path("QUILLET.connect")));
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, scratchKey.Path("Quillet.Connect\\empty")));
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, ""));
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, scratchKey.Path("Quillet.Conn")));
    EXPECT_EQ(SubKeys(Hive::CurrentUser, scratchKey.Path("quillet.connect")), (Names{"CLSID", "CurVer", "Empty"}));
    EXPECT_EQ(SubKeys(Hive::CurrentUser, scratchKey.Path()), Names{"Quillet.Connect"});
    EXPECT_EQ(SubKeys(Hive::CurrentUser, scratchKey.Path("Nowhere")), Names{});
}

TEST(Registry, EmptyNamesInAKeyPathAreSkipped) {
    scratch::RegistryKey scratchKey;
    SetString(Hive::CurrentUser, scratchKey.Path("A\\\\B\\"), "Name", "x");
    EXPECT_EQ(QueryString(Hive::CurrentUser, scratchKey.Path("A\\B"), "Name"), "x");
    EXPECT_EQ(SubKeys(Hive::CurrentUser, scratchKey.Path("A")), Names{"B"});
}

TEST(Registry, DeleteValueKeepsTheKey) {
    scratch::RegistryKey scratchKey;
    const std::string key = scratchKey.Path("Quillet");
    SetString(Hive::CurrentUser, key, "A", "1");
    DeleteValue(Hive::CurrentUser, scratchKey.Path("quillet"), "a");
    EXPECT_FALSE(QueryValue(Hive::CurrentUser, key, "A"));
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, key));
    DeleteValue(Hive::CurrentUser, scratchKey.Path("Nowhere"), "A");  // nothing there: nothing happens
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, scratchKey.Path("Nowhere")));
}

TEST(Registry, DeleteTreeTakesExactlyTheSubtree) {
    scratch::RegistryKey scratchKey;
    const std::string key = scratchKey.Path("CLSID\\{8B1E2C34-0000-4000-8000-000000000001}");
    SetString(Hive::CurrentUser, key + "\\InprocServer32", "", "UtilOrvek2.dll");
    SetString(Hive::CurrentUser, key + "\\InprocServer32", "ThreadingModel", "Apartment");
    SetString(Hive::CurrentUser, key + "\\ProgID", "", "UtilOrvek2.clsUtil");
    SetString(Hive::CurrentUser, key + "x", "", "a sibling whose name starts alike");
    DeleteTree(Hive::CurrentUser, scratchKey.Path("clsid\\{8b1e2c34-0000-4000-8000-000000000001}"));
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, key));
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, key + "\\ProgID"));
    EXPECT_EQ(QueryString(Hive::CurrentUser, key + "x", ""), "a sibling whose name starts alike");
    DeleteTree(Hive::CurrentUser, key);  // gone already: nothing happens
    EXPECT_EQ(SubKeys(Hive::CurrentUser, scratchKey.Path("CLSID")), Names{"{8B1E2C34-0000-4000-8000-000000000001}x"});
}

TEST(Registry, ControlCharactersInKeysAreRefused) {
    scratch::RegistryKey scratchKey;
    EXPECT_EQ(FailureOf([&] { SetString(Hive::CurrentUser, scratchKey.Path("Bad\nKey"), "", "x"); }), 5);
    EXPECT_EQ(FailureOf([&] { SetDword(Hive::CurrentUser, scratchKey.Path("Bad\tKey"), "N", 1); }), 5);
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, scratchKey.Path("Bad")));
}

}  // namespace
