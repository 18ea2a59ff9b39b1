// The add-in library as an in-process server: its classes, its registration (with
// the add-in registration record that makes Outlook load it) and its unloading.
#include "addin/host/Connect.h"
#include "addin/host/clsQLOutlook.h"
#include "addin/host/modMain.h"
#include "platform/outlook/addin_connection.h"
#include "util/interfaces/IclsOutlook_bridge.h"
#include "platform/com/class_factory.h"
#include "platform/com/registration.h"
#include "platform/registry/registry.h"

namespace com = platform::com;

namespace {

// The add-in registration record: Outlook loads the add-in at its start.
constexpr const char* kAddinKey = "Software\\Microsoft\\Office\\Outlook\\Addins\\Quillet.Connect";

com::ServerEntry Server() {
    static const int anchor = 0;
    return com::ServerEntry{
        com::ModuleFileName(&anchor),
        "Quillet",
        com::Guid::Parse("{F75E3F00-15E9-4689-876C-6ED63675D3A4}"),
        "1.0",
        "Orvek Quillet Utility for Outlook 2000",
        {
            {"Connect", Connect::CLSID, com::Guid::Parse("{B3B26452-F3D1-43C2-ABDB-81925EEB8AD2}")},
            {"clsQLOutlook", clsQLOutlook::CLSID, com::Guid::Parse("{E7111B9F-E2B2-45A1-A923-AAD5BC0A50EA}")},
        },
    };
}

}  // namespace

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllGetClassObject(const com::Guid& clsid, const com::Guid& iid,
                                                                  void** object) {
    return com::GetClassObject(clsid, iid, object,
                               {{Connect::CLSID, &com::Create<Connect, platform::outlook::extensibility::Table>},
                                {clsQLOutlook::CLSID, &com::Create<clsQLOutlook, iclsoutlook::Table>}},
                               LibraryStart);
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllRegisterServer() {
    return com::RegistrationResult([] {
        com::Register(Server());
        using platform::registry::Hive;
        platform::registry::SetString(Hive::CurrentUser, kAddinKey, "FriendlyName", "Quillet");
        platform::registry::SetString(Hive::CurrentUser, kAddinKey, "Description", "Quillet Outlook Utility for Plexar");
        platform::registry::SetDword(Hive::CurrentUser, kAddinKey, "LoadBehavior", 3);
        platform::registry::SetDword(Hive::CurrentUser, kAddinKey, "CommandLineSafe", 0);
    });
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllUnregisterServer() {
    return com::RegistrationResult([] {
        platform::registry::DeleteTree(platform::registry::Hive::CurrentUser, kAddinKey);
        com::Unregister(Server());
    });
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllCanUnloadNow() { return com::CanUnloadNow(); }
