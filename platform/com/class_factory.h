// The class factory a server hands out for each of its classes.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "platform/com/server.h"

namespace platform::com {

// Creates T, seen through its interface Primary; `beforeCreate` runs before every
// creation (a library start that must precede the first object, for instance).
template <class T, class Primary>
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(std::function<void()> beforeCreate = {}) : beforeCreate_(std::move(beforeCreate)) {}

    void* QueryInterface(const Guid& iid) override {
        if (iid == IUnknown::IID || iid == IClassFactory::IID) return static_cast<IClassFactory*>(this);
        return nullptr;
    }
    std::shared_ptr<IUnknown> CreateInstance() override {
        if (beforeCreate_) beforeCreate_();
        std::shared_ptr<Primary> object = std::make_shared<T>();
        return std::static_pointer_cast<IUnknown>(object);
    }

private:
    std::function<void()> beforeCreate_;
};

// A server's DllGetClassObject: the factory of the class asked for, from the
// server's table of classes.
struct ServedClass {
    Guid clsid;
    std::function<std::shared_ptr<IUnknown>()> makeFactory;
};

inline int32_t GetClassObject(const Guid* clsid, const Guid* iid, std::shared_ptr<IUnknown>* factory,
                              std::initializer_list<ServedClass> classes) {
    if (!clsid || !iid || !factory || !(*iid == IClassFactory::IID || *iid == IUnknown::IID))
        return hresult::ClassNotAvailable;
    for (const auto& served : classes)
        if (served.clsid == *clsid) {
            *factory = served.makeFactory();
            return hresult::Ok;
        }
    return hresult::ClassNotAvailable;
}

template <class T, class Primary>
ServedClass Serve(const Guid& clsid, std::function<void()> beforeCreate = {}) {
    return {clsid, [beforeCreate] { return std::make_shared<ClassFactory<T, Primary>>(beforeCreate); }};
}

// A registration entry point's body: hresult::Ok, or hresult::SelfRegClass when a step failed.
inline int32_t RegistrationResult(const std::function<void()>& steps) {
    try {
        steps();
        return hresult::Ok;
    } catch (...) {
        return hresult::SelfRegClass;
    }
}

// DllCanUnloadNow: hresult::Ok once none of the server's objects lives.
inline int32_t CanUnloadNow() { return ServerLock::LiveObjects() == 0 ? hresult::Ok : hresult::False; }

}  // namespace platform::com
