// The class factory a server hands out for each of its classes.
#pragma once

#include <functional>
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

}  // namespace platform::com
