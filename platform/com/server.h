// In-process servers: creating a registered class by its id or ProgID, and what a
// library exports to be one.
//
// A class is found through the registry (its library is named under
// HKEY_CLASSES_ROOT\CLSID\{id}\InprocServer32, its id under HKEY_CLASSES_ROOT\ProgID\CLSID),
// its library is loaded once and asked for the class's factory through
// DllGetClassObject, whose factory creates the object. What comes back is a binary
// object (abi.h): a library sees another's objects only through COM's rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/abi.h"
#include "platform/com/unknown.h"

#if defined(_WIN32)
#define QUILLET_EXPORT extern "C"  // the module definition file names the exports
#else
#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace platform::com {

// The failure a client sees when a class cannot be created.
inline constexpr int32_t kCannotCreateObject = 429;  // "ActiveX component can't create object"

// A new object of a registered class (its IUnknown, one reference); raises 429 when
// the class is not registered or its library cannot be loaded or does not offer it.
abi::IUnknown* CreateInstance(const Guid& clsid);
abi::IUnknown* CreateInstance(std::string_view progId);

// The file of the library that holds the given address (its own registration uses it).
std::string ModuleFileName(const void* addressInModule);

// A server keeps count of its live objects (and its clients' locks) for
// DllCanUnloadNow: each object of the server holds one of these. Header-only, so
// every library counts its own.
class ServerLock {
public:
    ServerLock() { ++Count(); }
    ~ServerLock() { --Count(); }
    ServerLock(const ServerLock&) : ServerLock() {}
    ServerLock& operator=(const ServerLock&) { return *this; }
    static int32_t LiveObjects() { return Count(); }
    // IClassFactory::LockServer: a client keeps the library loaded without an object.
    static void Hold(bool lock) { lock ? ++Count() : --Count(); }

private:
    static int32_t& Count() {
        static int32_t count = 0;
        return count;
    }
};

}  // namespace platform::com

// The four entry points every in-process server exports, with COM's signatures.
using DllGetClassObjectFn = platform::com::abi::HRESULT(QUILLET_STDCALL*)(const platform::com::Guid& clsid,
                                                                          const platform::com::Guid& iid,
                                                                          void** object);
using DllRegistrationFn = platform::com::abi::HRESULT(QUILLET_STDCALL*)();
