// Outlook's objects across the binary boundary between the host and the add-in.
#pragma once

#include <atomic>
#include <memory>

#include "platform/com/abi.h"
#include "platform/com/marshal.h"
#include "platform/outlook/outlook.h"

namespace platform::outlook {

// For now the host's objects cross as themselves, held in a bare binary object.
template <class X>
struct PassThrough {
    static constexpr com::Guid kHeld = com::Guid::Parse("{5A4C6F52-3E0D-4B27-A1F0-6C0B1E7D2A90}");
    struct Held final : com::abi::IUnknown {
        com::abi::HRESULT QUILLET_STDCALL QueryInterface(const com::Guid& iid, void** out) override {
            if (!out) return com::abi::hr::Pointer;
            if (iid == com::abi::IID_IUnknown || iid == kHeld) {
                *out = this;
                AddRef();
                return com::abi::hr::Ok;
            }
            *out = nullptr;
            return com::abi::hr::NoInterface;
        }
        com::abi::ULONG QUILLET_STDCALL AddRef() override { return ++references; }
        com::abi::ULONG QUILLET_STDCALL Release() override {
            const com::abi::ULONG left = --references;
            if (left == 0) delete this;
            return left;
        }
        std::atomic<com::abi::ULONG> references{1};
        std::shared_ptr<void> object;
    };
    static com::abi::IUnknown* Export(const std::shared_ptr<X>& object) {
        if (!object) return nullptr;
        auto* held = new Held;
        held->object = object;
        return held;
    }
    static std::shared_ptr<X> Import(com::abi::IUnknown* pointer) {
        if (!pointer) return nullptr;
        void* out = nullptr;
        if (com::abi::Failed(pointer->QueryInterface(kHeld, &out)) || !out) Raise(13, "Type mismatch");
        auto* held = static_cast<Held*>(static_cast<com::abi::IUnknown*>(out));
        std::shared_ptr<X> object = std::static_pointer_cast<X>(held->object);
        held->Release();
        return object;
    }
};

}  // namespace platform::outlook

template <>
struct platform::com::Bridge<platform::outlook::Application> : platform::outlook::PassThrough<platform::outlook::Application> {};
template <>
struct platform::com::Bridge<platform::outlook::NameSpace> : platform::outlook::PassThrough<platform::outlook::NameSpace> {};
template <>
struct platform::com::Bridge<platform::outlook::MAPIFolder> : platform::outlook::PassThrough<platform::outlook::MAPIFolder> {};
template <>
struct platform::com::Bridge<platform::outlook::Inspectors> : platform::outlook::PassThrough<platform::outlook::Inspectors> {};
template <>
struct platform::com::Bridge<platform::outlook::Inspector> : platform::outlook::PassThrough<platform::outlook::Inspector> {};
template <>
struct platform::com::Bridge<platform::outlook::MailItem> : platform::outlook::PassThrough<platform::outlook::MailItem> {};
template <>
struct platform::com::Bridge<platform::outlook::AppointmentItem>
    : platform::outlook::PassThrough<platform::outlook::AppointmentItem> {};
template <>
struct platform::com::Bridge<platform::outlook::ContactItem> : platform::outlook::PassThrough<platform::outlook::ContactItem> {};
template <>
struct platform::com::Bridge<platform::outlook::Attachment> : platform::outlook::PassThrough<platform::outlook::Attachment> {};
