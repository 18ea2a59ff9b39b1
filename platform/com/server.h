// In-process servers: creating a registered class by its id or ProgID, and what a
// library exports to be one.
//
// A class is found through the registry store (its library is named under
// HKEY_CLASSES_ROOT\CLSID\{id}\InprocServer32, its id under HKEY_CLASSES_ROOT\ProgID\CLSID),
// its library is loaded once and asked for the class through DllGetClassObject.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <stdexcept>
#include <string_view>

#include "platform/com/unknown.h"

#if defined(_WIN32)
#define QUILLET_EXPORT extern "C" __declspec(dllexport)
#else
#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace platform::com {

// HRESULTs the servers return.
namespace hresult {
inline constexpr int32_t Ok = 0;
inline constexpr int32_t False = 1;
inline constexpr int32_t ClassNotAvailable = int32_t(0x80040111u);
inline constexpr int32_t SelfRegClass = int32_t(0x80040201u);
}  // namespace hresult
// The failure a client sees when a class cannot be created.
inline constexpr int32_t kCannotCreateObject = 429;  // "ActiveX component can't create object"

// A server's class factory.
class IClassFactory : public IUnknown {
public:
    static constexpr Guid IID = Guid::Parse("{00000001-0000-0000-C000-000000000046}");
    virtual std::shared_ptr<IUnknown> CreateInstance() = 0;
};

// Creates an object of a registered class; raises 429 when the class is not
// registered or its library cannot be loaded or does not offer it.
std::shared_ptr<IUnknown> CreateObject(const Guid& clsid);
std::shared_ptr<IUnknown> CreateObject(std::string_view progId);

template <class T>
std::shared_ptr<T> CreateObjectAs(const Guid& clsid) {
    auto object = Query<T>(CreateObject(clsid));
    if (!object) throw std::runtime_error("the class does not implement the interface");
    return object;
}

// The file of the library that holds the given address (its own registration uses it).
std::string ModuleFileName(const void* addressInModule);

// A server keeps count of its live objects for DllCanUnloadNow: each object of the
// server holds one of these. Header-only, so every library counts its own.
class ServerLock {
public:
    ServerLock() { ++Count(); }
    ~ServerLock() { --Count(); }
    ServerLock(const ServerLock&) : ServerLock() {}
    ServerLock& operator=(const ServerLock&) { return *this; }
    static int32_t LiveObjects() { return Count(); }

private:
    static int32_t& Count() {
        static int32_t count = 0;
        return count;
    }
};

}  // namespace platform::com

// The four entry points every in-process server exports:
//   int32_t DllGetClassObject(const Guid* clsid, const Guid* iid, std::shared_ptr<IUnknown>* factory);
//   int32_t DllRegisterServer();
//   int32_t DllUnregisterServer();
//   int32_t DllCanUnloadNow();
using DllGetClassObjectFn = int32_t (*)(const platform::com::Guid*, const platform::com::Guid*,
                                        std::shared_ptr<platform::com::IUnknown>*);
using DllRegistrationFn = int32_t (*)();
