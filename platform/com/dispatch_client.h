// Calling an automation object by name (late binding), as a script calls it: each
// member name is turned into its id once (GetIDsOfNames) for every object of a type,
// then called through IDispatch::Invoke. A failed call becomes ErrorInfo with the
// number and description the object gave (its EXCEPINFO), or COM's own for a missing
// member, a wrong argument count or a value that does not convert.
//
//     class InspectorClient : public com::DispatchClient ... {
//         static inline com::DispatchName kEditorType{"EditorType"};
//         int32_t EditorType() override { return abi::LongOf(*Get(kEditorType).get()); }
//     };
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/com/bridge.h"

namespace platform::com {

// A member name of an automation type, with its id once asked (the first object of
// the type asked answers for all of them).
class DispatchName {
public:
    constexpr explicit DispatchName(std::string_view name) : name_(name) {}
    DispatchName(const DispatchName&) = delete;
    DispatchName& operator=(const DispatchName&) = delete;

    std::string_view Text() const { return name_; }
    // The member's id on the object; 438 when the object has no member of the name.
    abi::DISPID IdOn(abi::IDispatch* object);

private:
    static constexpr abi::DISPID kNotAsked = INT32_MIN;
    std::string_view name_;
    std::atomic<abi::DISPID> id_{kNotAsked};
};

// Calls a member: the arguments in declaration order (a put's value last); the result
// (empty for none). Raises the call's failure as ErrorInfo.
abi::Variant InvokeByName(abi::IDispatch* object, DispatchName& name, uint16_t kind, abi::VARIANT* arguments,
                          uint32_t count);

// Arguments as a caller passes them.
abi::Variant ArgumentOf(int32_t value);
abi::Variant ArgumentOf(bool value);
abi::Variant ArgumentOf(std::string_view value);
inline abi::Variant ArgumentOf(const char* value) { return ArgumentOf(std::string_view(value)); }
abi::Variant MissingArgument();

// The object a value holds: a new reference to its IDispatch, or null for nothing
// (an empty value, null, or a null object). 13 "Type mismatch" for anything else.
abi::IDispatch* DispatchOf(const abi::VARIANT& value);

// The base of a stand-in for an automation object: it holds the object's IDispatch
// (one reference) and crosses back as that object wherever a stand-in is exported
// (ProxyBase).
class DispatchClient : public ProxyBase, public std::enable_shared_from_this<DispatchClient> {
public:
    // Takes over the reference.
    explicit DispatchClient(abi::IDispatch* object);
    ~DispatchClient() override;

    abi::IDispatch* Object() const { return static_cast<abi::IDispatch*>(pointer_); }

    // The live stand-in for the object, when there is one: the same object is the same
    // stand-in while it lives, as Outlook's objects keep their identity for a script.
    static std::shared_ptr<DispatchClient> Live(abi::IUnknown* object);
    // Makes `client` the live stand-in of its object.
    static void Remember(const std::shared_ptr<DispatchClient>& client);

protected:
    template <class... A>
    abi::Variant Method(DispatchName& name, A&&... arguments) const {
        return Invoke(name, abi::dispatch::Method, std::forward<A>(arguments)...);
    }
    template <class... A>
    abi::Variant Get(DispatchName& name, A&&... arguments) const {
        return Invoke(name, abi::dispatch::PropertyGet, std::forward<A>(arguments)...);
    }
    template <class V>
    void Put(DispatchName& name, V&& value) const {
        Invoke(name, abi::dispatch::PropertyPut, std::forward<V>(value));
    }

private:
    template <class... A>
    abi::Variant Invoke(DispatchName& name, uint16_t kind, A&&... arguments) const {
        if constexpr (sizeof...(A) == 0) {
            return InvokeByName(Object(), name, kind, nullptr, 0);
        } else {
            abi::Variant values[] = {AsArgument(std::forward<A>(arguments))...};
            abi::VARIANT raw[sizeof...(A)];
            for (size_t i = 0; i < sizeof...(A); ++i) raw[i] = *values[i].get();  // borrowed, owned by values
            return InvokeByName(Object(), name, kind, raw, uint32_t(sizeof...(A)));
        }
    }
    static abi::Variant AsArgument(abi::Variant&& value) { return std::move(value); }
    template <class T>
    static abi::Variant AsArgument(T&& value) {
        return ArgumentOf(std::forward<T>(value));
    }

    const void* identity_ = nullptr;  // the object's IUnknown, while remembered
};

}  // namespace platform::com
