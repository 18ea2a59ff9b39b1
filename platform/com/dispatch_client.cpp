#include "platform/com/dispatch_client.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace platform::com {

// ---- names

abi::DISPID DispatchName::IdOn(abi::IDispatch* object) {
    abi::DISPID id = id_.load(std::memory_order_relaxed);
    if (id != kNotAsked) return id;
    abi::Bstr text(name_);
    abi::OLECHAR* names[] = {text.get()};
    const abi::HRESULT result = object->GetIDsOfNames(Guid{}, names, 1, 0, &id);
    if (abi::Failed(result)) throw abi::FailureOfDispatch(result, abi::EXCEPINFO{});
    id_.store(id, std::memory_order_relaxed);
    return id;
}

// ---- calls

namespace {

// What the object left in the EXCEPINFO is freed whatever happens to the failure.
struct OwnedException {
    abi::EXCEPINFO info{};
    ~OwnedException() {
        abi::SysFreeString(info.bstrSource);
        abi::SysFreeString(info.bstrDescription);
        abi::SysFreeString(info.bstrHelpFile);
    }
};

}  // namespace

abi::Variant InvokeByName(abi::IDispatch* object, DispatchName& name, uint16_t kind, abi::VARIANT* arguments,
                          uint32_t count) {
    if (!object) Raise(91, "Object variable or With block variable not set");
    const abi::DISPID id = name.IdOn(object);
    // IDispatch takes the arguments last first; a put names its value.
    abi::VARIANT reversed[8];
    std::vector<abi::VARIANT> many;
    abi::VARIANT* given = reversed;
    if (count > std::size(reversed)) {
        many.resize(count);
        given = many.data();
    }
    for (uint32_t i = 0; i < count; ++i) given[i] = arguments[count - 1 - i];
    abi::DISPID putId = abi::dispatch::PropertyPutId;
    const bool put = kind == abi::dispatch::PropertyPut || kind == abi::dispatch::PropertyPutRef;
    abi::DISPPARAMS params{count ? given : nullptr, put ? &putId : nullptr, count, put ? 1u : 0u};

    abi::Variant result;
    OwnedException exception;
    uint32_t argumentError = 0;
    const abi::HRESULT outcome =
        object->Invoke(id, Guid{}, 0, kind, &params, put ? nullptr : result.get(), &exception.info, &argumentError);
    if (abi::Failed(outcome)) {
        if (outcome == abi::hr::Exception && exception.info.pfnDeferredFillIn)
            exception.info.pfnDeferredFillIn(&exception.info);
        throw abi::FailureOfDispatch(outcome, exception.info);
    }
    return result;
}

abi::Variant ArgumentOf(int32_t value) {
    abi::Variant argument;
    abi::SetVariant(*argument.get(), value);
    return argument;
}

abi::Variant ArgumentOf(bool value) {
    abi::Variant argument;
    abi::SetVariant(*argument.get(), value);
    return argument;
}

abi::Variant ArgumentOf(std::string_view value) {
    abi::Variant argument;
    abi::SetVariant(*argument.get(), value);
    return argument;
}

abi::Variant MissingArgument() { return abi::Variant(abi::Missing()); }

abi::IDispatch* DispatchOf(const abi::VARIANT& value) {
    const abi::VARIANT& v = abi::Dereferenced(value);
    abi::IUnknown* object = nullptr;
    switch (v.vt) {
        case abi::VT_EMPTY:
        case abi::VT_NULL: return nullptr;
        case abi::VT_DISPATCH: object = v.pdispVal; break;
        case abi::VT_UNKNOWN: object = v.punkVal; break;
        case abi::VT_BYREF | abi::VT_DISPATCH: object = v.ppdispVal ? *v.ppdispVal : nullptr; break;
        case abi::VT_BYREF | abi::VT_UNKNOWN: object = v.ppunkVal ? *v.ppunkVal : nullptr; break;
        default: Raise(13, "Type mismatch");
    }
    if (!object) return nullptr;
    void* dispatch = nullptr;
    if (abi::Failed(object->QueryInterface(abi::IID_IDispatch, &dispatch)) || !dispatch) Raise(13, "Type mismatch");
    return static_cast<abi::IDispatch*>(dispatch);
}

// ---- stand-ins, one per object

namespace {

struct LiveClients {
    std::mutex lock;
    std::map<const void*, std::weak_ptr<DispatchClient>> byIdentity;
};

LiveClients& Clients() {
    static LiveClients* clients = new LiveClients;  // outlives every stand-in, also at exit
    return *clients;
}

// The object's identity: its IUnknown, as COM defines it. Compared, never called.
const void* IdentityOf(abi::IUnknown* object) {
    void* identity = nullptr;
    if (abi::Failed(object->QueryInterface(abi::IID_IUnknown, &identity)) || !identity) return object;
    static_cast<abi::IUnknown*>(identity)->Release();
    return identity;
}

}  // namespace

DispatchClient::DispatchClient(abi::IDispatch* object) : ProxyBase(object) {}

DispatchClient::~DispatchClient() {
    if (!identity_) return;
    auto& clients = Clients();
    std::lock_guard guard(clients.lock);
    auto found = clients.byIdentity.find(identity_);
    if (found != clients.byIdentity.end() && found->second.expired()) clients.byIdentity.erase(found);
}

std::shared_ptr<DispatchClient> DispatchClient::Live(abi::IUnknown* object) {
    if (!object) return nullptr;
    const void* identity = IdentityOf(object);
    auto& clients = Clients();
    std::lock_guard guard(clients.lock);
    auto found = clients.byIdentity.find(identity);
    return found == clients.byIdentity.end() ? nullptr : found->second.lock();
}

void DispatchClient::Remember(const std::shared_ptr<DispatchClient>& client) {
    client->identity_ = IdentityOf(client->Object());
    auto& clients = Clients();
    std::lock_guard guard(clients.lock);
    clients.byIdentity[client->identity_] = client;
}

}  // namespace platform::com
