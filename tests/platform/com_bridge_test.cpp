// The library boundary: an interface served through its table and used through a
// stand-in, and through IDispatch, as another library or a script would.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/com/bridge.h"

namespace {

namespace com = platform::com;
namespace abi = platform::com::abi;

// A small interface with every kind of member the system's interfaces have.
class ICounter : public com::IUnknown {
public:
    static constexpr com::Guid IID = com::Guid::Parse("{6D1C0E57-5E0B-4C59-9C7A-3C2A4B8E1F01}");
    virtual int32_t Add(int32_t amount) = 0;
    virtual std::string Name() = 0;
    virtual void Name(const std::string& value) = 0;
    virtual bool Swap(int32_t& value, std::string& text) = 0;
    virtual void Report(int32_t* count = nullptr) = 0;
    virtual std::string Label(const std::optional<std::string>& prefix = std::nullopt) = 0;
    virtual std::shared_ptr<ICounter> Twin() = 0;
    virtual void Replace(std::shared_ptr<ICounter>& other) = 0;
    virtual void Fail(int32_t number) = 0;
};

namespace counter {
using I = ICounter;
using Add = com::Method<I, int32_t(int32_t), &I::Add, "Add">;
using Name_get = com::Get<I, std::string(), &I::Name, "Name">;
using Name_put = com::Put<I, void(const std::string&), &I::Name, "Name">;
using Swap = com::Method<I, bool(int32_t&, std::string&), &I::Swap, "Swap">;
using Report = com::Method<I, void(int32_t*), &I::Report, "Report">;
using Label = com::Method<I, std::string(const std::optional<std::string>&), &I::Label, "Label">;
using Twin = com::Method<I, std::shared_ptr<ICounter>(), &I::Twin, "Twin">;
using Replace = com::Method<I, void(std::shared_ptr<ICounter>&), &I::Replace, "Replace">;
using Fail = com::Method<I, void(int32_t), &I::Fail, "Fail">;
using Table = com::Table<I, I::IID, Add, Name_get, Name_put, Swap, Report, Label, Twin, Replace, Fail>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    void* QueryInterface(const com::Guid& iid) override {
        return iid == ICounter::IID || iid == com::IUnknown::IID ? static_cast<ICounter*>(this) : nullptr;
    }
    int32_t Add(int32_t amount) override { return Call<counter::Add>(amount); }
    std::string Name() override { return Call<Name_get>(); }
    void Name(const std::string& value) override { Call<Name_put>(value); }
    bool Swap(int32_t& value, std::string& text) override { return Call<counter::Swap>(value, text); }
    void Report(int32_t* count) override { Call<counter::Report>(count); }
    std::string Label(const std::optional<std::string>& prefix) override { return Call<counter::Label>(prefix); }
    std::shared_ptr<ICounter> Twin() override { return Call<counter::Twin>(); }
    void Replace(std::shared_ptr<ICounter>& other) override { Call<counter::Replace>(other); }
    void Fail(int32_t number) override { Call<counter::Fail>(number); }
};

// A private companion: Add's result in another form, and Fail as it is.
inline std::string AddAsText(I& object, int32_t amount) { return std::to_string(object.Add(amount)); }
inline constexpr com::Guid kCompanionIid = com::Guid::Parse("{6D1C0E57-5E0B-4C59-9C7A-3C2A4B8E1F02}");
using AddText = com::Served<I, std::string(int32_t), &AddAsText, "Add">;
using FailToo = com::Method<I, void(int32_t), &I::Fail, "Fail">;
using Companion = com::PrivateTable<I, kCompanionIid, AddText, FailToo>;
}  // namespace counter
}  // namespace

template <>
struct platform::com::Companion<counter::Table> {
    using Table = counter::Companion;
};

namespace {

class Counter final : public ICounter {
public:
    void* QueryInterface(const com::Guid& iid) override {
        return iid == ICounter::IID || iid == com::IUnknown::IID ? static_cast<ICounter*>(this) : nullptr;
    }
    int32_t Add(int32_t amount) override { return total += amount; }
    std::string Name() override { return name; }
    void Name(const std::string& value) override { name = value; }
    bool Swap(int32_t& value, std::string& text) override {
        value = -value;
        text = "«" + text + "»";
        return true;
    }
    void Report(int32_t* count) override {
        if (count) *count = total;
    }
    std::string Label(const std::optional<std::string>& prefix) override { return prefix.value_or("none") + name; }
    std::shared_ptr<ICounter> Twin() override { return twin; }
    void Replace(std::shared_ptr<ICounter>& other) override {
        received = other;
        other = twin;
    }
    void Fail(int32_t number) override { platform::Raise(number, "Counter says no", "Counter.Fail"); }

    int32_t total = 0;
    std::string name;
    std::shared_ptr<ICounter> twin;
    std::shared_ptr<ICounter> received;
};

}  // namespace

template <>
struct platform::com::Bridge<ICounter> : com::TableBridge<ICounter, counter::Table, counter::Proxy> {};

namespace {

// A counter served by the adapter and seen through a stand-in, as another library sees it.
struct Served {
    std::shared_ptr<Counter> object = std::make_shared<Counter>();
    abi::IUnknown* pointer = com::Adapter<counter::Table>::Wrap(object);
    std::shared_ptr<ICounter> proxy;
    Served() {
        void* typed = nullptr;
        EXPECT_EQ(pointer->QueryInterface(ICounter::IID, &typed), abi::hr::Ok);
        proxy = std::make_shared<counter::Proxy>(static_cast<abi::IUnknown*>(typed));
    }
    ~Served() { pointer->Release(); }
};

TEST(ComBridge, MembersCrossWithTheirValues) {
    Served served;
    ICounter& counter = *served.proxy;
    EXPECT_EQ(counter.Add(5), 5);
    EXPECT_EQ(counter.Add(-2), 3);
    counter.Name("Σπίτι 05-123");
    EXPECT_EQ(served.object->name, "Σπίτι 05-123");
    EXPECT_EQ(counter.Name(), "Σπίτι 05-123");

    int32_t number = 7;
    std::string text = "x";
    EXPECT_TRUE(counter.Swap(number, text));
    EXPECT_EQ(number, -7);
    EXPECT_EQ(text, "«x»");

    int32_t count = 0;
    counter.Report(&count);
    EXPECT_EQ(count, 3);
    counter.Report(nullptr);  // left out: nothing to write

    EXPECT_EQ(counter.Label(), "noneΣπίτι 05-123");
    EXPECT_EQ(counter.Label(std::string("a:")), "a:Σπίτι 05-123");
}

TEST(ComBridge, AFailureCrossesAsItsNumberDescriptionAndSource) {
    Served served;
    for (int32_t number : {53, 287, 57000, -2147467259}) {
        try {
            served.proxy->Fail(number);
            ADD_FAILURE() << "no failure for " << number;
        } catch (const platform::ErrorInfo& e) {
            EXPECT_EQ(e.Number, number);
            EXPECT_EQ(e.Description, "Counter says no");
            EXPECT_EQ(e.Source, "Counter.Fail");
        }
    }
}

TEST(ComBridge, ObjectsCrossBackAsThemselves) {
    Served served;
    auto twin = std::make_shared<Counter>();
    served.object->twin = twin;
    // The caller gets something that reaches the twin ...
    std::shared_ptr<ICounter> seen = served.proxy->Twin();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->Add(4), 4);
    EXPECT_EQ(twin->total, 4);
    // ... and when it hands it back, the server finds its own object again, not a
    // stand-in for it.
    std::shared_ptr<ICounter> slot = seen;
    served.proxy->Replace(slot);
    EXPECT_EQ(served.object->received, twin);
    EXPECT_EQ(slot->Add(1), 5);
    served.object->twin = nullptr;
    served.proxy->Replace(slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(served.proxy->Twin(), nullptr);
}

abi::HRESULT InvokeByName(abi::IUnknown* object, const char16_t* name, uint16_t flags,
                          std::initializer_list<abi::VARIANT*> args, abi::VARIANT* result,
                          abi::EXCEPINFO* exception = nullptr) {
    abi::IDispatch* dispatch = nullptr;
    if (abi::Failed(object->QueryInterface(abi::IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return abi::hr::Fail;
    abi::OLECHAR* names[] = {reinterpret_cast<abi::OLECHAR*>(const_cast<char16_t*>(name))};
    abi::DISPID id = 0;
    abi::HRESULT found = dispatch->GetIDsOfNames(abi::IID_IUnknown, names, 1, 0, &id);
    if (abi::Failed(found)) {
        dispatch->Release();
        return found;
    }
    std::vector<abi::VARIANT> reversed;
    for (auto it = args.end(); it != args.begin();) reversed.push_back(**--it);
    abi::DISPID named = abi::dispatch::PropertyPutId;
    const bool put = flags & abi::dispatch::PropertyPut;
    abi::DISPPARAMS params{reversed.data(), put ? &named : nullptr, uint32_t(reversed.size()), put ? 1u : 0u};
    abi::EXCEPINFO local{};
    abi::HRESULT invoked =
        dispatch->Invoke(id, abi::IID_IUnknown, 0, flags, &params, result, exception ? exception : &local, nullptr);
    if (!exception) {
        abi::SysFreeString(local.bstrDescription);
        abi::SysFreeString(local.bstrSource);
    }
    dispatch->Release();
    return invoked;
}

TEST(ComBridge, ScriptsReachTheMembersByName) {
    Served served;
    abi::Variant amount, result;
    abi::SetVariant(*amount.get(), std::string_view("12"));  // a script passes text; it converts
    ASSERT_EQ(InvokeByName(served.pointer, u"ADD", abi::dispatch::Method | abi::dispatch::PropertyGet,
                           {amount.get()}, result.get()),
              abi::hr::Ok);
    EXPECT_EQ(abi::LongOf(*result.get()), 12);

    abi::Variant name;
    abi::SetVariant(*name.get(), std::string_view("Job"));
    ASSERT_EQ(InvokeByName(served.pointer, u"name", abi::dispatch::PropertyPut, {name.get()}, nullptr), abi::hr::Ok);
    EXPECT_EQ(served.object->name, "Job");
    abi::Variant read;
    ASSERT_EQ(InvokeByName(served.pointer, u"Name", abi::dispatch::PropertyGet, {}, read.get()), abi::hr::Ok);
    EXPECT_EQ(abi::TextOf(*read.get()), "Job");

    // An optional argument may be left out; a required one may not.
    abi::Variant label;
    ASSERT_EQ(InvokeByName(served.pointer, u"Label", abi::dispatch::Method, {}, label.get()), abi::hr::Ok);
    EXPECT_EQ(abi::TextOf(*label.get()), "noneJob");
    EXPECT_EQ(InvokeByName(served.pointer, u"Add", abi::dispatch::Method, {}, nullptr), abi::hr::ParamNotFound);
    EXPECT_EQ(InvokeByName(served.pointer, u"Nothing", abi::dispatch::Method, {}, nullptr), abi::hr::UnknownName);

    // A by-reference argument gets the member's value back.
    int32_t number = 9;
    abi::VARIANT byRef;
    abi::VariantInit(&byRef);
    byRef.vt = abi::VT_BYREF | abi::VT_I4;
    byRef.plVal = &number;
    abi::Variant text;
    abi::SetVariant(*text.get(), std::string_view("t"));
    abi::Variant swapped;
    ASSERT_EQ(InvokeByName(served.pointer, u"Swap", abi::dispatch::Method, {&byRef, text.get()}, swapped.get()),
              abi::hr::Ok);
    EXPECT_EQ(number, -9);
    EXPECT_TRUE(abi::BoolOf(*swapped.get()));
}

TEST(ComBridge, AFailureReachesAScriptAsAnException) {
    Served served;
    abi::Variant number;
    abi::SetVariant(*number.get(), int32_t(70));
    abi::EXCEPINFO exception{};
    EXPECT_EQ(InvokeByName(served.pointer, u"Fail", abi::dispatch::Method, {number.get()}, nullptr, &exception),
              abi::hr::Exception);
    platform::ErrorInfo failure = abi::FailureOfDispatch(abi::hr::Exception, exception);
    EXPECT_EQ(failure.Number, 70);
    EXPECT_EQ(failure.Description, "Counter says no");
    abi::SysFreeString(exception.bstrDescription);
    abi::SysFreeString(exception.bstrSource);
}

TEST(ComBridge, TheAdapterAnswersItsInterfacesAndKeepsCount) {
    auto object = std::make_shared<Counter>();
    abi::IUnknown* pointer = com::Adapter<counter::Table>::Wrap(object);
    void* out = nullptr;
    EXPECT_EQ(pointer->QueryInterface(com::Guid::Parse("{00000000-0000-0000-0000-000000000001}"), &out),
              abi::hr::NoInterface);
    EXPECT_EQ(out, nullptr);
    abi::ISupportErrorInfo* errors = nullptr;
    ASSERT_EQ(pointer->QueryInterface(abi::IID_ISupportErrorInfo, reinterpret_cast<void**>(&errors)), abi::hr::Ok);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(ICounter::IID), abi::hr::Ok);
    abi::IUnknown* same = nullptr;
    ASSERT_EQ(errors->QueryInterface(abi::IID_IUnknown, reinterpret_cast<void**>(&same)), abi::hr::Ok);
    EXPECT_EQ(same, pointer);
    EXPECT_EQ(object.use_count(), 2);
    same->Release();
    errors->Release();
    EXPECT_EQ(pointer->Release(), 0u);
    EXPECT_EQ(object.use_count(), 1) << "the last release lets go of the object";
}

TEST(ComBridge, TheCompanionIsTheSameObjectBehindAnotherInterface) {
    auto object = std::make_shared<Counter>();
    abi::IUnknown* pointer = com::Adapter<counter::Table>::Wrap(object);
    abi::IUnknown* companion = nullptr;
    ASSERT_EQ(pointer->QueryInterface(counter::kCompanionIid, reinterpret_cast<void**>(&companion)), abi::hr::Ok);
    EXPECT_EQ((com::CallThrough<counter::Companion, counter::AddText>(companion, 5)), "5");
    EXPECT_EQ((com::CallThrough<counter::Table, counter::Add>(pointer, 2)), 7) << "one object behind both";
    try {
        com::CallThrough<counter::Companion, counter::FailToo>(companion, 1004);
        ADD_FAILURE() << "the failure did not cross";
    } catch (const platform::ErrorInfo& failure) {
        EXPECT_EQ(failure.Number, 1004);
        EXPECT_EQ(failure.Description, "Counter says no");
    }
    // Its IUnknown is the object's, and it holds the object as long as it is held.
    abi::IUnknown* same = nullptr;
    ASSERT_EQ(companion->QueryInterface(abi::IID_IUnknown, reinterpret_cast<void**>(&same)), abi::hr::Ok);
    EXPECT_EQ(same, pointer);
    same->Release();
    pointer->Release();
    EXPECT_EQ(object.use_count(), 2);
    EXPECT_EQ(companion->Release(), 0u);
    EXPECT_EQ(object.use_count(), 1);
}

}  // namespace
