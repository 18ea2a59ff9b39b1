// The utility library as an in-process server: its four public classes, its
// registration and its unloading.
#include "platform/com/class_factory.h"
#include "platform/com/registration.h"
#include "util/clsDbADO/clsDbADO.h"
#include "util/clsUtil/clsUtil.h"
#include "util/interfaces/class_ids.h"
#include "util/interfaces/IclsDbADO_bridge.h"
#include "util/interfaces/IclsOutlook_bridge.h"
#include "util/interfaces/clsUtil_bridge.h"
#include "util/server/interface_classes.h"

namespace com = platform::com;

void* IclsOutlookClass::QueryInterface(const com::Guid& iid) {
    if (iid == com::IUnknown::IID || iid == IclsOutlook::IID) return static_cast<IclsOutlook*>(this);
    return nullptr;
}

void* IclsDbADOClass::QueryInterface(const com::Guid& iid) {
    if (iid == com::IUnknown::IID || iid == IclsDbADO::IID) return static_cast<IclsDbADO*>(this);
    return nullptr;
}

namespace {

com::ServerEntry Server() {
    static const int anchor = 0;
    return com::ServerEntry{
        com::ModuleFileName(&anchor),
        "UtilOrvek2",
        com::Guid::Parse("{BE99275C-4C8F-423E-A295-EFC1F83BD127}"),
        "3.0",
        "Orvek Utility Library 2",
        {
            {"IclsOutlook", class_ids::IclsOutlook, com::Guid::Parse("{732CBAA5-7D05-4CC3-9D65-2CA783CF2490}")},
            {"IclsDbADO", class_ids::IclsDbADO, com::Guid::Parse("{7B388241-E024-45E8-A917-C4AC99AA21ED}")},
            {"clsUtil", class_ids::clsUtil, com::Guid::Parse("{B9340F46-D960-4EBE-82A2-69400352A7A0}")},
            {"clsDbADO", class_ids::clsDbADO, com::Guid::Parse("{D0674532-B575-4C6E-905F-F7A69EDC7E7A}")},
        },
    };
}

}  // namespace

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllGetClassObject(const com::Guid& clsid, const com::Guid& iid,
                                                                  void** object) {
    return com::GetClassObject(clsid, iid, object,
                               {{class_ids::clsUtil, &com::Create<clsUtil, clsutil::Table>},
                                {class_ids::clsDbADO, &com::Create<clsDbADO, iclsdbado::Table>},
                                {class_ids::IclsOutlook, &com::Create<IclsOutlookClass, iclsoutlook::Table>},
                                {class_ids::IclsDbADO, &com::Create<IclsDbADOClass, iclsdbado::Table>}});
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllRegisterServer() {
    return com::RegistrationResult([] { com::Register(Server()); });
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllUnregisterServer() {
    return com::RegistrationResult([] { com::Unregister(Server()); });
}

QUILLET_EXPORT com::abi::HRESULT QUILLET_STDCALL DllCanUnloadNow() { return com::CanUnloadNow(); }
