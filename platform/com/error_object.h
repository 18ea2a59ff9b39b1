// A failure handed to another library as an object, as the language's runtime hands
// its Err object to an error report: number, description and source.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/com/bridge.h"
#include "platform/errors/errors.h"

namespace platform::com {

class IErrObject {
public:
    virtual ~IErrObject() = default;
    virtual int32_t Number() = 0;
    virtual std::string Description() = 0;
    virtual std::string Source() = 0;
};

namespace errobject {
using I = IErrObject;
inline constexpr Guid kIid = Guid::Parse("{0BB87706-96AB-46D9-A90B-A17E6A550D91}");
using Number = Get<I, int32_t(), &I::Number, "Number">;
using Description = Get<I, std::string(), &I::Description, "Description">;
using Source = Get<I, std::string(), &I::Source, "Source">;
using Table = com::Table<I, kIid, Number, Description, Source>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    int32_t Number() override { return Call<errobject::Number>(); }
    std::string Description() override { return Call<errobject::Description>(); }
    std::string Source() override { return Call<errobject::Source>(); }
};

// The object a failure is handed over as.
class Held final : public IErrObject {
public:
    // NOLINTNEXTLINE(bugprone-throw-keyword-missing): the failure is kept, not raised
    explicit Held(ErrorInfo failure) : failure_(std::move(failure)) {}
    int32_t Number() override { return failure_.Number; }
    std::string Description() override { return failure_.Description; }
    std::string Source() override { return failure_.Source; }

private:
    ErrorInfo failure_;
};
}  // namespace errobject

template <>
struct Bridge<IErrObject> : TableBridge<IErrObject, errobject::Table, errobject::Proxy> {};

// A failure as a parameter: it crosses as an error object and arrives as a failure.
template <>
struct Marshal<const ErrorInfo&> {
    using Abi = abi::IUnknown*;
    static constexpr bool kOptional = false;
    static ErrorInfo Read(const std::shared_ptr<IErrObject>& object) {
        if (!object) return ErrorInfo(0, "");
        return ErrorInfo(object->Number(), object->Description(), object->Source());
    }
    struct Server {
        explicit Server(abi::IUnknown* pointer) : value(Read(Bridge<IErrObject>::Import(pointer))) {}
        const ErrorInfo& Get() { return value; }
        void Back(abi::IUnknown*) {}
        ErrorInfo value;
    };
    struct Client {
        explicit Client(const ErrorInfo& failure)
            : value(Bridge<IErrObject>::Export(std::make_shared<errobject::Held>(failure))) {}
        ~Client() {
            if (value) value->Release();
        }
        Client(const Client&) = delete;
        abi::IUnknown* Get() { return value; }
        void Back() {}
        abi::IUnknown* value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(Read(MarshalObject<IErrObject>::FromVariant(argument))) {}
        const ErrorInfo& Get() { return value; }
        void Back(abi::VARIANT&) {}
        ErrorInfo value;
    };
};

}  // namespace platform::com
