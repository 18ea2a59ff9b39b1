#include "platform/com/bridge.h"

#include <atomic>
#include <string>
#include <vector>

namespace platform::com {

ProxyBase::~ProxyBase() {
    if (pointer_) pointer_->Release();
}

bool SameName(std::string_view a, const abi::OLECHAR* b) {
    if (!b) return false;
    auto lower = [](uint32_t c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
    size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == 0 || lower(uint32_t(uint8_t(a[i]))) != lower(uint32_t(b[i]))) return false;
    }
    return b[i] == 0;
}

void FillException(const ErrorInfo& failure, abi::EXCEPINFO* exception) {
    if (!exception) return;
    *exception = abi::EXCEPINFO{};
    exception->scode = abi::HresultOf(failure.Number);
    try {
        exception->bstrDescription = abi::NewBstr(failure.Description);
        exception->bstrSource = abi::NewBstr(failure.Source);
    } catch (...) {
    }
}

std::vector<std::string> MarshalTexts::FromArray(abi::SAFEARRAY* array) {
    std::vector<std::string> texts;
    if (!array || abi::SafeArrayGetDim(array) != 1) return texts;
    int32_t low = 0, high = -1;
    abi::SafeArrayGetLBound(array, 1, &low);
    abi::SafeArrayGetUBound(array, 1, &high);
    abi::VARTYPE type = abi::VT_EMPTY;
    abi::SafeArrayGetVartype(array, &type);
    for (int32_t i = low; i <= high; ++i) {
        if (type == abi::VT_BSTR) {
            abi::Bstr text;
            abi::SafeArrayGetElement(array, &i, text.out());
            texts.push_back(abi::Utf8Of(text.get()));
        } else {
            abi::Variant value;
            abi::SafeArrayGetElement(array, &i, value.get());
            texts.push_back(abi::IsMissing(*value.get()) ? std::string() : abi::TextOf(*value.get()));
        }
    }
    return texts;
}

abi::SAFEARRAY* MarshalTexts::ToArray(const std::vector<std::string>& texts) {
    const abi::SAFEARRAYBOUND bound{abi::ULONG(texts.size()), 0};
    abi::SAFEARRAY* array = abi::SafeArrayCreate(abi::VT_VARIANT, 1, &bound);
    if (!array) Raise(7, "Out of memory");
    for (int32_t i = 0; i < int32_t(texts.size()); ++i) {
        abi::Variant value;
        abi::SetVariant(*value.get(), std::string_view(texts[size_t(i)]));
        abi::SafeArrayPutElement(array, &i, value.get());
    }
    return array;
}

// ---- objects nobody calls: only held and handed back

namespace {

struct Opaque {
    const Slot* vtable;
    std::atomic<uint32_t> references{1};
    std::shared_ptr<IUnknown> object;
};

abi::HRESULT QUILLET_STDCALL OpaqueQueryInterface(Opaque* self, const Guid& iid, void** out) {
    if (!out) return abi::hr::Pointer;
    if (iid != abi::IID_IUnknown) {
        *out = nullptr;
        return abi::hr::NoInterface;
    }
    ++self->references;
    *out = self;
    return abi::hr::Ok;
}
abi::ULONG QUILLET_STDCALL OpaqueAddRef(Opaque* self) { return ++self->references; }
abi::ULONG QUILLET_STDCALL OpaqueRelease(Opaque* self) {
    const abi::ULONG left = --self->references;
    if (left == 0) delete self;
    return left;
}
struct OpaqueShape : abi::IUnknown {};
const BuiltVtable<3> kOpaqueVtable = Built<OpaqueShape>(
    0, std::array<Slot, 3>{reinterpret_cast<Slot>(&OpaqueQueryInterface), reinterpret_cast<Slot>(&OpaqueAddRef),
                           reinterpret_cast<Slot>(&OpaqueRelease)});

// A binary object seen from here: it answers no C++ interface.
class Foreign final : public IUnknown, public ProxyBase {
public:
    using ProxyBase::ProxyBase;
    void* QueryInterface(const Guid&) override { return nullptr; }
};

}  // namespace

abi::IUnknown* Bridge<IUnknown>::Export(const std::shared_ptr<IUnknown>& object) {
    if (!object) return nullptr;
    if (const auto* proxy = dynamic_cast<const ProxyBase*>(object.get())) {
        proxy->Pointer()->AddRef();
        return proxy->Pointer();
    }
    auto* opaque = new Opaque;
    opaque->vtable = kOpaqueVtable.slots.data();
    opaque->object = object;
    return reinterpret_cast<abi::IUnknown*>(opaque);
}

std::shared_ptr<IUnknown> Bridge<IUnknown>::Import(abi::IUnknown* pointer) {
    if (!pointer) return nullptr;
    if (*reinterpret_cast<const Slot* const*>(pointer) == kOpaqueVtable.slots.data())
        return reinterpret_cast<Opaque*>(pointer)->object;
    pointer->AddRef();
    return std::make_shared<Foreign>(pointer);
}

}  // namespace platform::com
