// The registry after regsvr32 registered both DLLs (Registered.*) and after it
// unregistered them (Unregistered.*): scripts/test-windows.sh runs the two halves
// around the two regsvr32 runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "platform/registry/registry.h"
#include "platform/text/text.h"
#include "servers.h"

namespace {

using platform::registry::Hive;
using platform::registry::KeyExists;
using platform::registry::QueryString;
using platform::registry::QueryValue;

std::string ProgId(const servers::Library& server, const servers::Class& c) { return server.project + "." + c.name; }
std::string Version(const servers::Library& server) {
    return std::to_string(server.major) + "." + std::to_string(server.minor);
}
std::string Text(const std::optional<std::string>& value) { return value.value_or("<none>"); }

// The interfaces besides the classes' own that cross between the libraries (IclsOutlook
// in Quillet09's type library; the recordset, connection, text stream, file-system
// object and error object in UtilOrvek2's).
const char* const kSharedInterfaces[] = {
    "{7F691F86-2E09-4D42-B31F-CFE7E0048265}", "{170B14A5-12B6-48A3-8F76-9F0EA5A7304E}",
    "{04B6AE75-4F1C-405B-A87D-50D2B0BD742A}", "{5CC604E6-880F-4BE0-98F8-3C8CB0EFC29D}",
    "{30D429F0-D4C5-40D9-AF35-B6410ECC4361}", "{0BB87706-96AB-46D9-A90B-A17E6A550D91}",
};

// An interface key this library's registration wrote: it names the library's type library.
bool RegisteredBy(const std::string& iid, const servers::Library& server) {
    auto typeLib = QueryString(Hive::ClassesRoot, "Interface\\" + iid + "\\TypeLib", "");
    return typeLib && platform::text::EqualNoCase(*typeLib, server.libid);
}

TEST(Registered, EveryClassNamesItsDllItsThreadingAndItsProgId) {
    for (const auto& server : servers::All()) {
        const std::string dll = servers::Beside(server.file);
        for (const auto& c : server.classes) {
            SCOPED_TRACE(c.name);
            const std::string key = "CLSID\\" + c.clsid;
            EXPECT_TRUE(
                platform::text::EqualNoCase(Text(QueryString(Hive::ClassesRoot, key + "\\InprocServer32", "")), dll))
                << Text(QueryString(Hive::ClassesRoot, key + "\\InprocServer32", "")) << " is not " << dll;
            EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, key + "\\InprocServer32", "ThreadingModel")), "Apartment");
            EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, key + "\\ProgID", "")), ProgId(server, c));
            EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, key + "\\TypeLib", "")), server.libid);
            EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, ProgId(server, c) + "\\CLSID", "")), c.clsid);
            // COM itself finds the class by its ProgID.
            CLSID found{};
            EXPECT_EQ(CLSIDFromProgID(platform::text::win::Wide(ProgId(server, c)).c_str(), &found), S_OK);
            EXPECT_TRUE(IsEqualGUID(found, servers::GuidOf(c.clsid)));
        }
    }
}

TEST(Registered, TypeLibrariesAndTheirDualInterfaces) {
    for (const auto& server : servers::All()) {
        SCOPED_TRACE(server.file);
        const std::string key = "TypeLib\\" + server.libid + "\\" + Version(server);
        EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, key, "")), server.description);
        const std::string platformKey = key + (sizeof(void*) == 8 ? "\\0\\win64" : "\\0\\win32");
        EXPECT_TRUE(platform::text::EqualNoCase(Text(QueryString(Hive::ClassesRoot, platformKey, "")),
                                                servers::Beside(server.file)))
            << Text(QueryString(Hive::ClassesRoot, platformKey, ""));
        // The system loads the registered library by its id.
        ITypeLib* library = nullptr;
        EXPECT_EQ(LoadRegTypeLib(servers::GuidOf(server.libid), server.major, server.minor, 0, &library), S_OK);
        if (library) library->Release();
        for (const auto& c : server.classes) {
            SCOPED_TRACE(c.name);
            EXPECT_TRUE(RegisteredBy(c.defaultInterface, server));
            EXPECT_EQ(Text(QueryString(Hive::ClassesRoot, "Interface\\" + c.defaultInterface, "")),
                      c.defaultInterfaceName);
        }
    }
    EXPECT_TRUE(RegisteredBy(kSharedInterfaces[0], servers::All()[0])) << "IclsOutlook";
    for (const char* iid : std::span(kSharedInterfaces).subspan(1))
        EXPECT_TRUE(RegisteredBy(iid, servers::All()[1])) << iid;
}

TEST(Registered, InterfacesOfOthersAreLeftAlone) {
    for (const auto& server : servers::All()) {
        EXPECT_FALSE(RegisteredBy("{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}", server)) << "IDTExtensibility2";
        EXPECT_FALSE(RegisteredBy("{00020400-0000-0000-C000-000000000046}", server)) << "IDispatch";
        EXPECT_FALSE(RegisteredBy("{00000000-0000-0000-C000-000000000046}", server)) << "IUnknown";
    }
}

TEST(Registered, OutlookFindsTheAddinAndLoadsItAtStart) {
    EXPECT_EQ(Text(QueryString(Hive::CurrentUser, servers::kAddinKey, "FriendlyName")), "Quillet");
    EXPECT_EQ(Text(QueryString(Hive::CurrentUser, servers::kAddinKey, "Description")),
              "Quillet Outlook Utility for Plexar");
    auto loadBehavior = QueryValue(Hive::CurrentUser, servers::kAddinKey, "LoadBehavior");
    ASSERT_TRUE(loadBehavior);
    EXPECT_EQ(loadBehavior->kind, platform::registry::Value::Kind::Dword);
    EXPECT_EQ(loadBehavior->dword, 3u);
    auto commandLineSafe = QueryValue(Hive::CurrentUser, servers::kAddinKey, "CommandLineSafe");
    ASSERT_TRUE(commandLineSafe);
    EXPECT_EQ(commandLineSafe->kind, platform::registry::Value::Kind::Dword);
    EXPECT_EQ(commandLineSafe->dword, 0u);
}

TEST(Unregistered, NothingOfEitherDllIsLeft) {
    for (const auto& server : servers::All()) {
        SCOPED_TRACE(server.file);
        EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "TypeLib\\" + server.libid));
        for (const auto& c : server.classes) {
            SCOPED_TRACE(c.name);
            EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID\\" + c.clsid));
            EXPECT_FALSE(KeyExists(Hive::ClassesRoot, ProgId(server, c)));
            EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "Interface\\" + c.defaultInterface));
        }
    }
    for (const char* iid : kSharedInterfaces)
        EXPECT_FALSE(KeyExists(Hive::ClassesRoot, std::string("Interface\\") + iid)) << iid;
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, servers::kAddinKey));
}

}  // namespace
