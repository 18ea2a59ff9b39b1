#include "platform/com/event_connection.h"

#include <atomic>

#include "platform/com/abi_values.h"
#include "platform/com/bridge.h"
#include "platform/errors/frame.h"

namespace platform::com {

// The sink advised on the object: it answers the event set's interface and IDispatch,
// and hands each Invoke to the receiver while connected.
class EventConnection::Sink final : public abi::IDispatch {
public:
    Sink(const Guid& events, EventReceiver& receiver) : events_(events), receiver_(&receiver) {}

    void Forget() { receiver_ = nullptr; }

    abi::HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** out) override {
        if (!out) return abi::hr::Pointer;
        if (iid == abi::IID_IUnknown || iid == abi::IID_IDispatch || iid == events_) {
            *out = static_cast<abi::IDispatch*>(this);
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
    abi::HRESULT QUILLET_STDCALL GetTypeInfoCount(uint32_t* count) override {
        if (!count) return abi::hr::Pointer;
        *count = 0;
        return abi::hr::Ok;
    }
    abi::HRESULT QUILLET_STDCALL GetTypeInfo(uint32_t, abi::LCID, abi::ITypeInfo** info) override {
        if (info) *info = nullptr;
        return abi::hr::NotImpl;
    }
    abi::HRESULT QUILLET_STDCALL GetIDsOfNames(const Guid&, abi::OLECHAR**, uint32_t count, abi::LCID,
                                               abi::DISPID* ids) override {
        for (uint32_t i = 0; ids && i < count; ++i) ids[i] = -1;
        return abi::hr::UnknownName;
    }
    abi::HRESULT QUILLET_STDCALL Invoke(abi::DISPID id, const Guid&, abi::LCID, uint16_t, abi::DISPPARAMS* params,
                                        abi::VARIANT* result, abi::EXCEPINFO* exception, uint32_t*) override {
        if (result) abi::VariantInit(result);
        if (!receiver_) return abi::hr::Ok;
        abi::DISPPARAMS none{};
        try {
            receiver_->Event(id, params ? *params : none);
            return abi::hr::Ok;
        } catch (...) {
            FillException(CurrentFailure(), exception);
            return abi::hr::Exception;
        }
    }

private:
    ~Sink() = default;
    Guid events_;
    EventReceiver* receiver_;
    std::atomic<abi::ULONG> references_{1};
};

EventConnection::EventConnection(const Guid& events, EventReceiver& receiver)
    : events_(events), receiver_(&receiver) {}

namespace {

// The object's connection point for the event set (a new reference), or null.
abi::IConnectionPoint* ConnectionPointOf(abi::IUnknown* object, const Guid& events) {
    void* found = nullptr;
    if (abi::Failed(object->QueryInterface(abi::IID_IConnectionPointContainer, &found)) || !found) return nullptr;
    auto* container = static_cast<abi::IConnectionPointContainer*>(found);
    abi::IConnectionPoint* point = nullptr;
    if (abi::Failed(container->FindConnectionPoint(events, &point))) point = nullptr;
    container->Release();
    return point;
}

}  // namespace

void EventConnection::Connect(abi::IUnknown* object) {
    if (point_) return;
    if (!object) Raise(91, "Object variable or With block variable not set");
    abi::IConnectionPoint* point = ConnectionPointOf(object, events_);
    if (!point) Raise(459, "Object or class does not support the set of events");
    auto* sink = new Sink(events_, *receiver_);
    uint32_t cookie = 0;
    const abi::HRESULT advised = point->Advise(sink, &cookie);
    if (abi::Failed(advised)) {
        sink->Forget();
        sink->Release();
        point->Release();
        throw abi::FailureOf(advised);
    }
    sink_ = sink;
    point_ = point;
    cookie_ = cookie;
}

void EventConnection::Disconnect() noexcept {
    if (!point_) return;
    sink_->Forget();
    point_->Unadvise(cookie_);
    point_->Release();
    sink_->Release();
    point_ = nullptr;
    sink_ = nullptr;
    cookie_ = 0;
}

abi::VARIANT& EventArgument(abi::DISPPARAMS& params, uint32_t index) {
    if (index >= params.cArgs || !params.rgvarg) Raise(449, "Argument not optional");
    return params.rgvarg[params.cArgs - 1 - index];
}

}  // namespace platform::com
