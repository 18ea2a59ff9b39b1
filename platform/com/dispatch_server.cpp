#include "platform/com/dispatch_server.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/errors/frame.h"

namespace platform::com {

Guid ServedIidAt(const void* anchor) {
    Guid id = Guid::Parse("{5A4C6F52-3E0D-4B27-0000-000000000000}");
    const auto address = reinterpret_cast<uintptr_t>(anchor);
    static_assert(sizeof(address) <= sizeof(id.data4));
    std::memcpy(id.data4, &address, sizeof(address));
    return id;
}

// ---- the watch

namespace {

std::atomic<DispatchWatch*> gWatch{nullptr};

}  // namespace

void WatchDispatch(DispatchWatch* watch) { gWatch.store(watch); }

// ---- live servers, one per object and kind

namespace {

struct LiveServers {
    std::mutex lock;
    std::map<std::pair<const void*, const std::type_info*>, DispatchServer*> byTarget;
};

LiveServers& Servers() {
    static LiveServers* servers = new LiveServers;  // outlives every server, also at exit
    return *servers;
}

}  // namespace

abi::IDispatch* DispatchServer::Live(const void* target, const std::type_info& kind) {
    auto& servers = Servers();
    std::lock_guard guard(servers.lock);
    auto found = servers.byTarget.find({target, &kind});
    if (found == servers.byTarget.end()) return nullptr;
    found->second->AddRef();
    return found->second;
}

DispatchServer* DispatchServer::OfModule(abi::IUnknown* pointer, const Guid& module) {
    if (!pointer) return nullptr;
    void* own = nullptr;
    if (abi::Failed(pointer->QueryInterface(module, &own)) || !own) return nullptr;
    auto* server = static_cast<DispatchServer*>(static_cast<abi::IDispatch*>(own));
    server->Release();  // borrowed: the caller holds the pointer
    return server;
}

// ---- the connection point of the object's event set

class DispatchServer::Point final : public abi::IConnectionPoint {
public:
    explicit Point(DispatchServer& owner) : owner_(owner) {}
    ~Point() = default;

    abi::HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** out) override {
        if (!out) return abi::hr::Pointer;
        if (iid == abi::IID_IUnknown || iid == abi::IID_IConnectionPoint) {
            *out = static_cast<abi::IConnectionPoint*>(this);
            AddRef();
            return abi::hr::Ok;
        }
        *out = nullptr;
        return abi::hr::NoInterface;
    }
    // The point lives as long as its object.
    abi::ULONG QUILLET_STDCALL AddRef() override { return owner_.AddRef(); }
    abi::ULONG QUILLET_STDCALL Release() override { return owner_.Release(); }

    abi::HRESULT QUILLET_STDCALL GetConnectionInterface(Guid* iid) override {
        if (!iid) return abi::hr::Pointer;
        *iid = *owner_.events_;
        return abi::hr::Ok;
    }
    abi::HRESULT QUILLET_STDCALL GetConnectionPointContainer(abi::IConnectionPointContainer** container) override {
        if (!container) return abi::hr::Pointer;
        owner_.AddRef();
        *container = &owner_;
        return abi::hr::Ok;
    }
    abi::HRESULT QUILLET_STDCALL Advise(abi::IUnknown* sink, uint32_t* cookie) override {
        return owner_.Advise(sink, cookie);
    }
    abi::HRESULT QUILLET_STDCALL Unadvise(uint32_t cookie) override { return owner_.Unadvise(cookie); }
    abi::HRESULT QUILLET_STDCALL EnumConnections(void** enumerator) override {
        if (enumerator) *enumerator = nullptr;
        return abi::hr::NotImpl;
    }

private:
    DispatchServer& owner_;
};

// ---- the object

DispatchServer::DispatchServer(const Guid& module, void* target, const std::type_info& kind,
                               std::span<const DispatchMember> members, const Guid* events)
    : module_(module), target_(target), kind_(&kind), members_(members), events_(events) {
    if (events_) point_ = std::make_unique<Point>(*this);
    auto& servers = Servers();
    std::lock_guard guard(servers.lock);
    servers.byTarget[{target_, kind_}] = this;
}

DispatchServer::~DispatchServer() {
    Forget();
    for (auto& connection : connections_) connection.sink->Release();
}

void DispatchServer::Forget() {
    auto& servers = Servers();
    std::lock_guard guard(servers.lock);
    auto found = servers.byTarget.find({target_, kind_});
    if (found != servers.byTarget.end() && found->second == this) servers.byTarget.erase(found);
}

void DispatchServer::Listen(bool) {}

abi::HRESULT DispatchServer::QueryInterface(const Guid& iid, void** out) {
    if (!out) return abi::hr::Pointer;
    if (iid == abi::IID_IUnknown || iid == abi::IID_IDispatch || iid == module_) {
        *out = static_cast<abi::IDispatch*>(this);
    } else if (iid == abi::IID_IConnectionPointContainer && events_) {
        *out = static_cast<abi::IConnectionPointContainer*>(this);
    } else {
        *out = nullptr;
        return abi::hr::NoInterface;
    }
    AddRef();
    return abi::hr::Ok;
}

abi::ULONG DispatchServer::AddRef() { return ++references_; }

abi::ULONG DispatchServer::Release() {
    const abi::ULONG left = --references_;
    if (left == 0) {
        // No longer to be found, and still a whole object here: the events it listens
        // to stop first.
        Forget();
        if (listening_) {
            listening_ = false;
            platform::Contain([&] { Listen(false); });
        }
        delete this;
    }
    return left;
}

abi::HRESULT DispatchServer::GetTypeInfoCount(uint32_t* count) {
    if (!count) return abi::hr::Pointer;
    *count = 0;
    return abi::hr::Ok;
}

abi::HRESULT DispatchServer::GetTypeInfo(uint32_t, abi::LCID, abi::ITypeInfo** info) {
    if (info) *info = nullptr;
    return abi::hr::NotImpl;
}

// Ids count from 1 in table order; members of one name (a property's get and put)
// share the first one's.
abi::HRESULT DispatchServer::GetIDsOfNames(const Guid&, abi::OLECHAR** names, uint32_t count, abi::LCID,
                                           abi::DISPID* ids) {
    if (!names || !ids || count == 0) return abi::hr::Pointer;
    for (uint32_t i = 0; i < count; ++i) ids[i] = -1;
    for (size_t m = 0; m < members_.size(); ++m)
        if (SameName(members_[m].name, names[0])) {
            ids[0] = abi::DISPID(m + 1);
            break;
        }
    return ids[0] == -1 || count > 1 ? abi::hr::UnknownName : abi::hr::Ok;
}

const DispatchMember* DispatchServer::MemberFor(abi::DISPID id, uint16_t flags) const {
    if (id < 1 || size_t(id) > members_.size()) return nullptr;
    const std::string_view name = members_[size_t(id - 1)].name;
    for (size_t m = size_t(id - 1); m < members_.size(); ++m) {
        const DispatchMember& member = members_[m];
        if (member.name != name) continue;
        const bool put = member.kind == abi::dispatch::PropertyPut;
        const bool wanted = put ? (flags & (abi::dispatch::PropertyPut | abi::dispatch::PropertyPutRef)) != 0
                                : (flags & member.kind) != 0 &&
                                      !(flags & (abi::dispatch::PropertyPut | abi::dispatch::PropertyPutRef));
        if (wanted) return &member;
    }
    return nullptr;
}

abi::HRESULT DispatchServer::Invoke(abi::DISPID id, const Guid&, abi::LCID, uint16_t flags, abi::DISPPARAMS* params,
                                    abi::VARIANT* result, abi::EXCEPINFO* exception, uint32_t*) {
    const DispatchMember* member = MemberFor(id, flags);
    if (!member) return abi::hr::MemberNotFound;
    abi::DISPPARAMS none{};
    abi::DISPPARAMS& given = params ? *params : none;
    if (given.cArgs > 0 && !given.rgvarg) return abi::hr::Pointer;
    const bool put = member->kind == abi::dispatch::PropertyPut;
    if (given.cNamedArgs > (put ? 1u : 0u)) return abi::hr::NoNamedArgs;
    if (given.cNamedArgs == 1 &&
        (!given.rgdispidNamedArgs || given.rgdispidNamedArgs[0] != abi::dispatch::PropertyPutId))
        return abi::hr::NoNamedArgs;
    if (auto* watch = gWatch.load()) watch->Called(member->name, member->kind);

    AddRef();  // the object stays while its member runs, whatever the member releases
    abi::HRESULT outcome = abi::hr::Ok;
    try {
        outcome = member->call(target_, given, result);
    } catch (...) {
        FillException(CurrentFailure(), exception);
        outcome = abi::hr::Exception;
    }
    Release();
    return outcome;
}

// ---- events

abi::HRESULT DispatchServer::EnumConnectionPoints(void** enumerator) {
    if (enumerator) *enumerator = nullptr;
    return abi::hr::NotImpl;
}

abi::HRESULT DispatchServer::FindConnectionPoint(const Guid& iid, abi::IConnectionPoint** point) {
    if (!point) return abi::hr::Pointer;
    *point = nullptr;
    if (!events_ || iid != *events_) return abi::hr::NoConnection;
    point_->AddRef();
    *point = point_.get();
    return abi::hr::Ok;
}

abi::HRESULT DispatchServer::Advise(abi::IUnknown* sink, uint32_t* cookie) {
    if (!sink || !cookie) return abi::hr::Pointer;
    *cookie = 0;
    void* dispatch = nullptr;
    if (abi::Failed(sink->QueryInterface(*events_, &dispatch)) || !dispatch) {
        dispatch = nullptr;
        if (abi::Failed(sink->QueryInterface(abi::IID_IDispatch, &dispatch)) || !dispatch)
            return int32_t(0x80040202u);  // CONNECT_E_CANNOTCONNECT
    }
    connections_.push_back(Connection{nextCookie_, static_cast<abi::IDispatch*>(dispatch)});
    *cookie = nextCookie_++;
    if (!listening_) {
        try {
            Listen(true);
            listening_ = true;
        } catch (...) {
            connections_.back().sink->Release();
            connections_.pop_back();
            *cookie = 0;
            return abi::Report(CurrentFailure(), *events_);
        }
    }
    return abi::hr::Ok;
}

abi::HRESULT DispatchServer::Unadvise(uint32_t cookie) {
    auto found = std::find_if(connections_.begin(), connections_.end(),
                              [&](const Connection& connection) { return connection.cookie == cookie; });
    if (found == connections_.end()) return abi::hr::NoConnection;
    abi::IDispatch* sink = found->sink;
    connections_.erase(found);
    if (connections_.empty() && listening_) {
        listening_ = false;
        platform::Contain([&] { Listen(false); });
    }
    sink->Release();
    return abi::hr::Ok;
}

void DispatchServer::Fire(abi::DISPID id, abi::VARIANT* arguments, uint32_t count) {
    if (connections_.empty() || !events_) return;
    AddRef();  // a sink may release the last reference while the event goes round
    std::vector<Connection> reached = connections_;
    for (auto& connection : reached) connection.sink->AddRef();
    if (auto* watch = gWatch.load()) watch->Raised(*events_, id, reached.size());
    abi::DISPPARAMS params{count ? arguments : nullptr, nullptr, count, 0};
    for (auto& connection : reached) {
        const bool still = std::any_of(connections_.begin(), connections_.end(),
                                       [&](const Connection& c) { return c.cookie == connection.cookie; });
        if (!still) continue;
        abi::EXCEPINFO exception{};
        connection.sink->Invoke(id, Guid{}, 0, abi::dispatch::Method, &params, nullptr, &exception, nullptr);
        abi::SysFreeString(exception.bstrSource);
        abi::SysFreeString(exception.bstrDescription);
        abi::SysFreeString(exception.bstrHelpFile);
    }
    for (auto& connection : reached) connection.sink->Release();
    Release();
}

}  // namespace platform::com
