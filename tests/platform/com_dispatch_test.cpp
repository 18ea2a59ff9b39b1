// Automation at the binary level: a C++ object served through IDispatch and a
// connection point, and a client that calls it by name.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/dispatch_client.h"
#include "platform/com/dispatch_server.h"
#include "platform/com/event_connection.h"

namespace {

namespace com = platform::com;
namespace abi = platform::com::abi;

struct Counter {
    int32_t value = 0;
    std::string label;
};

constexpr uint16_t kMethod = abi::dispatch::Method, kGet = abi::dispatch::PropertyGet,
                   kPut = abi::dispatch::PropertyPut;

inline constexpr com::DispatchMember kCounter[] = {
    {"Value", kGet, &com::DispatchCall<+[](Counter& c) { return c.value; }>},
    {"Value", kPut, &com::DispatchCall<+[](Counter& c, int32_t value) { c.value = value; }>},
    {"Add", kMethod,
     &com::DispatchCall<+[](Counter& c, int32_t amount, std::optional<int32_t> times) {
         c.value += amount * times.value_or(1);
         return c.value;
     }>},
    {"Label", kGet, &com::DispatchCall<+[](Counter& c) { return c.label; }>},
    {"Refuse", kMethod,
     &com::DispatchCall<+[](Counter&) { platform::Raise(287, "The user refused.", "Counter"); }>},
};

constexpr com::Guid kCounterEvents = com::Guid::Parse("{7E1C2A40-5B7D-4C55-9D0B-3A6F1E2D9C11}");
constexpr abi::DISPID kChanged = 7;

// A counter served with one event, Changed(Cancel by reference).
class ServedCounter final : public com::DispatchServer {
public:
    explicit ServedCounter(Counter& counter, bool events = true)
        : DispatchServer(com::ModuleServedIid(), &counter, typeid(ServedCounter), kCounter,
                         events ? &kCounterEvents : nullptr) {}
    // Raises Changed; what the sinks left in Cancel.
    bool RaiseChanged() {
        abi::VARIANT_BOOL cancel = abi::kVariantFalse;
        abi::VARIANT argument;
        abi::VariantInit(&argument);
        argument.vt = abi::VT_BYREF | abi::VT_BOOL;
        argument.pboolVal = &cancel;
        Fire(kChanged, &argument, 1);
        return cancel != abi::kVariantFalse;
    }
    std::vector<bool> listens;

private:
    void Listen(bool on) override { listens.push_back(on); }
};

abi::IDispatch* Serve(Counter& counter, bool events = true) { return new ServedCounter(counter, events); }

// Forwards to an object, counting the names it was asked for.
class CountingNames final : public abi::IDispatch {
public:
    explicit CountingNames(abi::IDispatch* inner) : inner_(inner) {}
    ~CountingNames() { inner_->Release(); }
    abi::HRESULT QUILLET_STDCALL QueryInterface(const com::Guid& iid, void** out) override {
        if (iid == abi::IID_IUnknown || iid == abi::IID_IDispatch) {
            *out = this;
            return abi::hr::Ok;
        }
        return inner_->QueryInterface(iid, out);
    }
    abi::ULONG QUILLET_STDCALL AddRef() override { return 2; }
    abi::ULONG QUILLET_STDCALL Release() override { return 1; }
    abi::HRESULT QUILLET_STDCALL GetTypeInfoCount(uint32_t* count) override { return inner_->GetTypeInfoCount(count); }
    abi::HRESULT QUILLET_STDCALL GetTypeInfo(uint32_t i, abi::LCID l, abi::ITypeInfo** t) override {
        return inner_->GetTypeInfo(i, l, t);
    }
    abi::HRESULT QUILLET_STDCALL GetIDsOfNames(const com::Guid& iid, abi::OLECHAR** names, uint32_t count,
                                               abi::LCID lcid, abi::DISPID* ids) override {
        ++asked[abi::Utf8Of(names[0], uint32_t(std::char_traits<abi::OLECHAR>::length(names[0])))];
        return inner_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    abi::HRESULT QUILLET_STDCALL Invoke(abi::DISPID id, const com::Guid& iid, abi::LCID lcid, uint16_t flags,
                                        abi::DISPPARAMS* params, abi::VARIANT* result, abi::EXCEPINFO* exception,
                                        uint32_t* error) override {
        return inner_->Invoke(id, iid, lcid, flags, params, result, exception, error);
    }
    std::map<std::string, int> asked;

private:
    abi::IDispatch* inner_;
};

class CounterClient final : public com::DispatchClient {
public:
    using DispatchClient::DispatchClient;
    int32_t Value() const { return abi::LongOf(*Get(kValue).get()); }
    void Value(int32_t value) const { Put(kValue, value); }
    int32_t Add(int32_t amount) const { return abi::LongOf(*Method(kAdd, amount).get()); }
    static inline com::DispatchName kValue{"Value"}, kAdd{"Add"};
};

abi::DISPID IdOf(abi::IDispatch* object, const char16_t* name) {
    abi::DISPID id = 0;
    auto* text = const_cast<abi::OLECHAR*>(reinterpret_cast<const abi::OLECHAR*>(name));
    object->GetIDsOfNames(com::Guid{}, &text, 1, 0, &id);
    return id;
}

abi::HRESULT Call(abi::IDispatch* object, abi::DISPID id, uint16_t flags, std::vector<abi::Variant>& lastFirst,
                  abi::VARIANT* result = nullptr, abi::EXCEPINFO* exception = nullptr, bool namedValue = false) {
    std::vector<abi::VARIANT> raw;
    for (auto& argument : lastFirst) raw.push_back(*argument.get());
    abi::DISPID put = abi::dispatch::PropertyPutId;
    abi::DISPPARAMS params{raw.data(), namedValue ? &put : nullptr, uint32_t(raw.size()), namedValue ? 1u : 0u};
    return object->Invoke(id, com::Guid{}, 0, flags, &params, result, exception, nullptr);
}

std::vector<abi::Variant> Arguments(std::initializer_list<int32_t> lastFirst) {
    std::vector<abi::Variant> arguments;
    for (int32_t value : lastFirst) arguments.push_back(com::ArgumentOf(value));
    return arguments;
}

TEST(ComDispatchServer, FindsMembersByNameInAnyCaseAndAPropertysGetAndPutShareItsId) {
    Counter counter;
    abi::IDispatch* object = Serve(counter);
    const abi::DISPID value = IdOf(object, u"Value");
    EXPECT_GT(value, 0);
    EXPECT_EQ(IdOf(object, u"VALUE"), value);
    EXPECT_EQ(IdOf(object, u"Missing"), -1);

    auto seven = Arguments({7});
    EXPECT_EQ(Call(object, value, kPut, seven, nullptr, nullptr, true), abi::hr::Ok);
    EXPECT_EQ(counter.value, 7);
    abi::Variant read;
    auto none = Arguments({});
    EXPECT_EQ(Call(object, value, kGet, none, read.get()), abi::hr::Ok);
    EXPECT_EQ(abi::LongOf(*read.get()), 7);
    EXPECT_EQ(Call(object, value, kMethod, none), abi::hr::MemberNotFound) << "a property is no method";
    EXPECT_EQ(Call(object, IdOf(object, u"Label"), kPut, seven, nullptr, nullptr, true), abi::hr::MemberNotFound)
        << "a read-only property";
    object->Release();
}

TEST(ComDispatchServer, ChecksArgumentsAndLetsOptionalOnesBeLeftOut) {
    Counter counter;
    abi::IDispatch* object = Serve(counter);
    const abi::DISPID add = IdOf(object, u"Add");
    auto none = Arguments({});
    auto three = Arguments({1, 2, 3});
    EXPECT_EQ(Call(object, add, kMethod, none), abi::hr::ParamNotFound);
    EXPECT_EQ(Call(object, add, kMethod, three), abi::hr::BadParamCount);
    auto two = Arguments({2});
    EXPECT_EQ(Call(object, add, kMethod, two), abi::hr::Ok);
    auto twoTimesThree = Arguments({3, 2});  // Add(2, 3), last first
    abi::Variant result;
    EXPECT_EQ(Call(object, add, kMethod, twoTimesThree, result.get()), abi::hr::Ok);
    EXPECT_EQ(abi::LongOf(*result.get()), 8);

    std::vector<abi::Variant> text;
    text.push_back(com::ArgumentOf("many"));
    abi::EXCEPINFO exception{};
    EXPECT_EQ(Call(object, add, kMethod, text, nullptr, &exception), abi::hr::Exception);
    EXPECT_EQ(abi::FailureOfDispatch(abi::hr::Exception, exception).Number, 13);
    abi::SysFreeString(exception.bstrDescription);
    abi::SysFreeString(exception.bstrSource);
    object->Release();
}

TEST(ComDispatchClient, CallsByNameAsksEachNameOnceForItsTypeAndRaisesTheObjectsFailure) {
    Counter one, two;
    CountingNames first(Serve(one)), second(Serve(two));
    CounterClient a(&first), b(&second);
    a.Value(4);
    EXPECT_EQ(a.Add(3), 7);
    EXPECT_EQ(b.Add(5), 5);
    EXPECT_EQ(a.Value(), 7);
    EXPECT_EQ(b.Value(), 5);
    EXPECT_EQ(first.asked["Value"] + second.asked["Value"], 1) << "the first object answered for every one";
    EXPECT_EQ(first.asked["Add"] + second.asked["Add"], 1);

    com::DispatchName refuse{"Refuse"};
    try {
        com::InvokeByName(&first, refuse, kMethod, nullptr, 0);
        ADD_FAILURE() << "Refuse did not fail";
    } catch (const platform::ErrorInfo& failure) {
        EXPECT_EQ(failure.Number, 287);
        EXPECT_EQ(failure.Description, "The user refused.");
        EXPECT_EQ(failure.Source, "Counter");
    }
}

struct Changes final : com::EventReceiver {
    void Event(abi::DISPID id, abi::DISPPARAMS& params) override {
        heard.push_back(id);
        abi::VARIANT& cancel = com::EventArgument(params, 0);
        seen.push_back(abi::BoolOf(cancel));
        if (setCancel) *cancel.pboolVal = abi::kVariantTrue;
    }
    bool setCancel = false;
    std::vector<abi::DISPID> heard;
    std::vector<bool> seen;
};

TEST(ComDispatchServer, EventsReachEverySinkWhileConnectedAndCancelComesBack) {
    Counter counter;
    auto* served = new ServedCounter(counter);
    Changes first, second;
    first.setCancel = true;
    {
        com::EventConnection a(kCounterEvents, first), b(kCounterEvents, second);
        a.Connect(static_cast<abi::IDispatch*>(served));
        b.Connect(static_cast<abi::IDispatch*>(served));
        EXPECT_EQ(served->Connections(), 2u);
        EXPECT_EQ(served->listens, std::vector<bool>{true}) << "the object's events are followed once";
        EXPECT_TRUE(served->RaiseChanged());
        EXPECT_EQ(first.heard, std::vector<abi::DISPID>{kChanged});
        EXPECT_EQ(second.seen, std::vector<bool>{true}) << "a later sink sees what an earlier one left";
        a.Disconnect();
        EXPECT_FALSE(served->RaiseChanged());
        EXPECT_EQ(first.heard.size(), 1u);
    }
    EXPECT_EQ(served->Connections(), 0u);
    EXPECT_EQ(served->listens, (std::vector<bool>{true, false}));

    com::EventConnection other(com::Guid::Parse("{00000000-0000-0000-0000-0000000000AA}"), first);
    try {
        other.Connect(static_cast<abi::IDispatch*>(served));
        ADD_FAILURE() << "connected to an event set the object does not have";
    } catch (const platform::ErrorInfo& failure) {
        EXPECT_EQ(failure.Number, 459);
    }
    uint32_t cookie = 0;
    abi::IConnectionPoint* point = nullptr;
    ASSERT_EQ(served->FindConnectionPoint(kCounterEvents, &point), abi::hr::Ok);
    EXPECT_EQ(point->Unadvise(41), abi::hr::NoConnection);
    abi::ICreateErrorInfo* notASink = nullptr;
    abi::CreateErrorInfo(&notASink);
    EXPECT_EQ(point->Advise(notASink, &cookie), int32_t(0x80040202u)) << "a sink answers IDispatch";
    notASink->Release();
    point->Release();
    served->Release();

    Counter quiet;
    abi::IDispatch* withoutEvents = Serve(quiet, false);
    void* container = nullptr;
    EXPECT_EQ(withoutEvents->QueryInterface(abi::IID_IConnectionPointContainer, &container), abi::hr::NoInterface);
    withoutEvents->Release();
}

TEST(ComDispatchServer, OneLiveServerPerObjectAndKindKnownOnlyToItsModule) {
    Counter counter;
    abi::IDispatch* object = Serve(counter);
    abi::IDispatch* again = com::DispatchServer::Live(&counter, typeid(ServedCounter));
    EXPECT_EQ(again, object);
    EXPECT_EQ(com::DispatchServer::Live(&counter, typeid(Counter)), nullptr);
    EXPECT_EQ(com::DispatchServer::OfThisModule(object), static_cast<com::DispatchServer*>(object));
    void* foreign = nullptr;
    const com::Guid otherModule = com::ServedIidAt(&foreign);
    EXPECT_FALSE(otherModule == com::ModuleServedIid());
    EXPECT_EQ(object->QueryInterface(otherModule, &foreign), abi::hr::NoInterface)
        << "another module's id is not answered";
    again->Release();
    object->Release();
    EXPECT_EQ(com::DispatchServer::Live(&counter, typeid(ServedCounter)), nullptr);
}

}  // namespace
