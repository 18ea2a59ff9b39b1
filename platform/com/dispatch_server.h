// Serving a C++ object to automation clients, as an Office application serves its
// objects: IDispatch finds the members by name (ids of the server's choosing) and
// calls them; the object's events go out through a connection point
// (IConnectionPointContainer) to every advised sink, with the published member ids
// of its event set and by-reference arguments written back.
//
// A served type is a table of members, each written as a function of the object:
//
//     inline constexpr com::DispatchMember kRecipientMembers[] = {
//         {"Name", abi::dispatch::PropertyGet, &com::DispatchCall<+[](Recipient& r) { return r.Name(); }>},
//     };
//
// and a class deriving from DispatchServer that holds the object and, for a type with
// events, listens to them while any sink is advised and Fires each one.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/com/bridge.h"
#include "platform/com/marshal.h"

namespace platform::com {

struct DispatchMember {
    std::string_view name;
    uint16_t kind;  // abi::dispatch::Method, PropertyGet or PropertyPut
    // Calls the member on the object: DISP_E_BADPARAMCOUNT or DISP_E_PARAMNOTFOUND for
    // arguments that do not fit; a failure of the object (or of a conversion) is raised.
    abi::HRESULT (*call)(void* target, abi::DISPPARAMS& params, abi::VARIANT* result);
};

// An interface id made from an address of this process: no two modules make the same.
Guid ServedIidAt(const void* anchor);

// The interface id that the objects this module serves answer, and only they: each
// module (a plugin, the host) has its own, so an object that crosses back is known
// again only by the module that made it.
inline const Guid& ModuleServedIid() {
    static const Guid id = ServedIidAt(&id);
    return id;
}

// Watches every served object of the process: the members called and the events
// raised (how many sinks each reached). A host installs one to see, or to count, the
// automation traffic of its objects.
class DispatchWatch {
public:
    virtual void Called(std::string_view member, uint16_t kind) = 0;
    virtual void Raised(const Guid& events, abi::DISPID id, size_t sinks) = 0;

protected:
    ~DispatchWatch() = default;
};
// Installs the watch (null removes it).
void WatchDispatch(DispatchWatch* watch);

class DispatchServer : public abi::IDispatch, public abi::IConnectionPointContainer {
public:
    DispatchServer(const DispatchServer&) = delete;
    DispatchServer& operator=(const DispatchServer&) = delete;

    // The object this module serves behind the pointer (borrowed), or null for any
    // other object.
    static DispatchServer* OfThisModule(abi::IUnknown* pointer) { return OfModule(pointer, ModuleServedIid()); }
    // The live server of that kind for the object, as a new reference; null when none.
    static abi::IDispatch* Live(const void* target, const std::type_info& kind);

    const std::type_info& Kind() const { return *kind_; }
    // Sinks advised now.
    size_t Connections() const { return connections_.size(); }

    // ---- IUnknown
    abi::HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** out) override;
    abi::ULONG QUILLET_STDCALL AddRef() override;
    abi::ULONG QUILLET_STDCALL Release() override;
    // ---- IDispatch
    abi::HRESULT QUILLET_STDCALL GetTypeInfoCount(uint32_t* count) override;
    abi::HRESULT QUILLET_STDCALL GetTypeInfo(uint32_t index, abi::LCID lcid, abi::ITypeInfo** info) override;
    abi::HRESULT QUILLET_STDCALL GetIDsOfNames(const Guid& iid, abi::OLECHAR** names, uint32_t count, abi::LCID lcid,
                                               abi::DISPID* ids) override;
    abi::HRESULT QUILLET_STDCALL Invoke(abi::DISPID member, const Guid& iid, abi::LCID lcid, uint16_t flags,
                                        abi::DISPPARAMS* params, abi::VARIANT* result, abi::EXCEPINFO* exception,
                                        uint32_t* argumentError) override;
    // ---- IConnectionPointContainer
    abi::HRESULT QUILLET_STDCALL EnumConnectionPoints(void** enumerator) override;
    abi::HRESULT QUILLET_STDCALL FindConnectionPoint(const Guid& iid, abi::IConnectionPoint** point) override;

protected:
    // One reference, held by the maker. `target` is what the members are called on;
    // `kind` tells servers of one object apart; `events` is the published event set,
    // or null for an object without events.
    DispatchServer(const Guid& module, void* target, const std::type_info& kind,
                   std::span<const DispatchMember> members, const Guid* events);
    virtual ~DispatchServer();

    // The object's events start (true) or stop (false) reaching Fire: they do while
    // any sink is advised.
    virtual void Listen(bool on);
    // Raises an event to every sink advised now: its published member id, the
    // arguments as IDispatch passes them (last first). A sink's failure stays with it.
    void Fire(abi::DISPID id, abi::VARIANT* arguments = nullptr, uint32_t count = 0);

private:
    class Point;
    struct Connection {
        uint32_t cookie;
        abi::IDispatch* sink;
    };
    static DispatchServer* OfModule(abi::IUnknown* pointer, const Guid& module);
    void Forget();  // Live no longer finds it
    abi::HRESULT Advise(abi::IUnknown* sink, uint32_t* cookie);
    abi::HRESULT Unadvise(uint32_t cookie);
    const DispatchMember* MemberFor(abi::DISPID id, uint16_t flags) const;

    std::atomic<abi::ULONG> references_{1};
    Guid module_;
    void* target_;
    const std::type_info* kind_;
    std::span<const DispatchMember> members_;
    const Guid* events_;
    std::unique_ptr<Point> point_;
    std::vector<Connection> connections_;
    uint32_t nextCookie_ = 1;
    bool listening_ = false;
};

// ---- a member's call, from a function of the object and the member's arguments

namespace dispatched {

template <class F>
struct Function;
template <class R, class T, class... A>
struct Function<R (*)(T&, A...)> {
    using Result = R;
    using Target = T;
    using Arguments = TypeList<A...>;
};

template <class T>
struct IsObject : std::false_type {};
template <class X>
struct IsObject<std::shared_ptr<X>> : std::true_type {
    using Type = X;
};

// An object as a result or an event's argument: its IDispatch (null for none).
template <class X>
void PutObject(const std::shared_ptr<X>& object, abi::VARIANT& target) {
    abi::VariantClear(&target);
    target.vt = abi::VT_DISPATCH;
    target.pdispVal = nullptr;
    abi::IUnknown* pointer = Bridge<X>::Export(object);
    if (!pointer) return;
    void* dispatch = nullptr;
    const abi::HRESULT found = pointer->QueryInterface(abi::IID_IDispatch, &dispatch);
    pointer->Release();
    if (abi::Failed(found) || !dispatch) Raise(13, "Type mismatch");
    target.pdispVal = static_cast<abi::IDispatch*>(dispatch);
}

template <auto F, class R, class T, class... A>
abi::HRESULT Call(TypeList<A...>, void* target, abi::DISPPARAMS& params, abi::VARIANT* result) {
    constexpr uint32_t count = sizeof...(A);
    // Named arguments are only a put's value (checked by the server): it comes first,
    // the others follow last first.
    const uint32_t given = params.cArgs;
    const bool namedValue = params.cNamedArgs == 1;
    if (given > count) return abi::hr::BadParamCount;
    constexpr bool optional[count + 1] = {Marshal<A>::kOptional..., true};
    for (uint32_t i = given; i < count; ++i)
        if (!optional[i]) return abi::hr::ParamNotFound;
    abi::VARIANT missing = abi::Missing();
    abi::VARIANT* arguments[count + 1] = {};
    for (uint32_t i = 0; i < count; ++i) arguments[i] = i < given ? &params.rgvarg[given - 1 - i] : &missing;
    if (namedValue && given == count && count > 0) {
        arguments[count - 1] = &params.rgvarg[0];
        for (uint32_t i = 0; i + 1 < count; ++i) arguments[i] = &params.rgvarg[given - 1 - i];
    }
    [&]<size_t... Is>(std::index_sequence<Is...>) {
        std::tuple<typename Marshal<A>::Dispatched...> in{*arguments[Is]...};
        T& object = *static_cast<T*>(target);
        if constexpr (std::is_void_v<R>) {
            F(object, std::get<Is>(in).Get()...);
        } else {
            decltype(auto) value = F(object, std::get<Is>(in).Get()...);
            if (result) {
                if constexpr (IsObject<std::remove_cvref_t<R>>::value) PutObject(value, *result);
                else Returned<std::remove_cvref_t<R>>::ToVariant(value, *result);
            }
        }
        (std::get<Is>(in).Back(*arguments[Is]), ...);
    }(std::index_sequence_for<A...>{});
    return abi::hr::Ok;
}

}  // namespace dispatched

template <auto F>
abi::HRESULT DispatchCall(void* target, abi::DISPPARAMS& params, abi::VARIANT* result) {
    using Function = dispatched::Function<decltype(F)>;
    return dispatched::Call<F, typename Function::Result, typename Function::Target>(typename Function::Arguments{},
                                                                                      target, params, result);
}

}  // namespace platform::com
