// What a server library needs to answer its four entry points: a class factory per
// class and the table of classes it serves. Header-only, so that the factories and
// the count of live objects are each library's own.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/com/bridge.h"
#include "platform/com/server.h"

namespace platform::com {

// One class a server offers: its id and how to make a new object of it (its binary
// interface, one reference).
struct ServedClass {
    Guid clsid;
    abi::IUnknown* (*create)();
};

// The binary object serving a new C++ object of class T through its interface's table.
template <class T, class TableType>
abi::IUnknown* Create() {
    return Adapter<TableType>::Wrap(std::make_shared<T>());
}

class ClassFactory final : public abi::IClassFactory {
public:
    ClassFactory(abi::IUnknown* (*create)(), void (*beforeCreate)()) : create_(create), beforeCreate_(beforeCreate) {}

    abi::HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** out) override {
        if (!out) return abi::hr::Pointer;
        if (iid == abi::IID_IUnknown || iid == abi::IID_IClassFactory) {
            *out = static_cast<abi::IClassFactory*>(this);
            AddRef();
            return abi::hr::Ok;
        }
        *out = nullptr;
        return abi::hr::NoInterface;
    }
    abi::ULONG QUILLET_STDCALL AddRef() override { return ++references_; }
    abi::ULONG QUILLET_STDCALL Release() override {
        const abi::ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    abi::HRESULT QUILLET_STDCALL CreateInstance(abi::IUnknown* outer, const Guid& iid, void** out) override {
        if (!out) return abi::hr::Pointer;
        *out = nullptr;
        if (outer) return abi::hr::NoAggregation;
        abi::IUnknown* object = nullptr;
        const abi::HRESULT made = abi::Guarded(abi::IID_IClassFactory, [&] {
            if (beforeCreate_) beforeCreate_();
            object = create_();
        });
        if (abi::Failed(made)) return made;
        if (!object) return abi::hr::OutOfMemory;
        const abi::HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    abi::HRESULT QUILLET_STDCALL LockServer(int32_t lock) override {
        ServerLock::Hold(lock != 0);  // COM unloads the library only once nothing holds it
        return abi::hr::Ok;
    }

private:
    ~ClassFactory() = default;
    std::atomic<abi::ULONG> references_{1};
    abi::IUnknown* (*create_)();
    void (*beforeCreate_)();
    ServerLock lock_;
};

// DllGetClassObject's body: the factory of the class asked for, from the server's
// table of classes; beforeCreate runs before every creation (a library start that
// must precede the first object, for instance).
inline abi::HRESULT GetClassObject(const Guid& clsid, const Guid& iid, void** out,
                                   std::initializer_list<ServedClass> classes, void (*beforeCreate)() = nullptr) {
    if (!out) return abi::hr::Pointer;
    *out = nullptr;
    for (const auto& served : classes)
        if (served.clsid == clsid) {
            auto* factory = new (std::nothrow) ClassFactory(served.create, beforeCreate);
            if (!factory) return abi::hr::OutOfMemory;
            const abi::HRESULT result = factory->QueryInterface(iid, out);
            factory->Release();
            return result;
        }
    return abi::hr::ClassNotAvailable;
}

// A registration entry point's body: S_OK, or SELFREG_E_CLASS when a step failed.
inline abi::HRESULT RegistrationResult(const std::function<void()>& steps) {
    try {
        steps();
        return abi::hr::Ok;
    } catch (...) {
        return abi::hr::SelfRegClass;
    }
}

// DllCanUnloadNow: S_OK once none of the server's objects lives.
inline abi::HRESULT CanUnloadNow() { return ServerLock::LiveObjects() == 0 ? abi::hr::Ok : abi::hr::False; }

// A binary object seen through the C++ interface T: the object itself when it is one
// of this library's, a stand-in otherwise. Takes over the reference.
template <class T>
std::shared_ptr<T> Adopt(abi::IUnknown* object) {
    struct Release {
        void operator()(abi::IUnknown* p) const {
            if (p) p->Release();
        }
    };
    std::unique_ptr<abi::IUnknown, Release> owned(object);
    auto result = Bridge<T>::Import(owned.get());
    if (!result) Raise(kCannotCreateObject, "ActiveX component can't create object");
    return result;
}

// A new object of a registered class, seen through the C++ interface T.
template <class T>
std::shared_ptr<T> CreateObjectAs(const Guid& clsid) {
    return Adopt<T>(CreateInstance(clsid));
}

}  // namespace platform::com
