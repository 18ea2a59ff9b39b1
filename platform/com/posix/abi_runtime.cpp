// COM's runtime on this machine: BSTRs, VARIANTs, SAFEARRAYs and the thread's error
// object, as OleAut32 keeps them. Every module of a process links this one library,
// so what one allocates another frees.
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "platform/com/abi.h"

namespace platform::com::abi {

// ---- BSTR: a 32-bit byte count, the characters, a NUL; the pointer is to the characters.

BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
    if (length > (std::numeric_limits<uint32_t>::max() - 16) / sizeof(OLECHAR)) return nullptr;
    const size_t bytes = size_t(length) * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    const uint32_t prefix = uint32_t(bytes);
    std::memcpy(block, &prefix, sizeof prefix);
    auto* characters = reinterpret_cast<OLECHAR*>(block + sizeof(uint32_t));
    if (text) std::memcpy(characters, text, bytes);
    else std::memset(characters, 0, bytes);
    characters[length] = 0;
    return characters;
}

void SysFreeString(BSTR text) {
    if (text) std::free(reinterpret_cast<unsigned char*>(text) - sizeof(uint32_t));
}

uint32_t SysStringLen(BSTR text) {
    if (!text) return 0;
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - sizeof(uint32_t), sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

// ---- SAFEARRAY of VARIANTs or BSTRs

namespace {

size_t ElementSize(VARTYPE type) {
    switch (type) {
        case VT_VARIANT: return sizeof(VARIANT);
        case VT_BSTR: return sizeof(BSTR);
        default: return 0;
    }
}

// The type of the elements is kept in the header's feature bits, as Windows does
// for these two kinds.
constexpr uint16_t kFeatureBstr = 0x0100;
constexpr uint16_t kFeatureVariant = 0x0800;

size_t ElementCount(const SAFEARRAY* array) {
    size_t count = 1;
    for (uint16_t d = 0; d < array->cDims; ++d) count *= array->rgsabound[d].cElements;
    return count;
}

// The offset of an element; false when an index is out of bounds. Indices come
// leftmost dimension first; the header keeps the bounds the last dimension first, and
// the leftmost index varies fastest in memory.
bool Offset(const SAFEARRAY* array, const int32_t* indices, size_t& offset) {
    offset = 0;
    size_t stride = 1;
    for (uint16_t d = 0; d < array->cDims; ++d) {
        const SAFEARRAYBOUND& bound = array->rgsabound[array->cDims - 1 - d];
        const int64_t index = int64_t(indices[d]) - bound.lLbound;
        if (index < 0 || index >= int64_t(bound.cElements)) return false;
        offset += size_t(index) * stride;
        stride *= bound.cElements;
    }
    return true;
}

VARTYPE ElementType(const SAFEARRAY* array) {
    if (array->fFeatures & kFeatureBstr) return VT_BSTR;
    if (array->fFeatures & kFeatureVariant) return VT_VARIANT;
    return VT_EMPTY;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE type, uint32_t dimensions, const SAFEARRAYBOUND* bounds) {
    const size_t elementSize = ElementSize(type);
    if (elementSize == 0 || dimensions == 0 || dimensions > 64 || !bounds) return nullptr;
    const size_t header = sizeof(SAFEARRAY) + (dimensions - 1) * sizeof(SAFEARRAYBOUND);
    auto* array = static_cast<SAFEARRAY*>(std::calloc(1, header));
    if (!array) return nullptr;
    array->cDims = uint16_t(dimensions);
    array->fFeatures = type == VT_BSTR ? kFeatureBstr : kFeatureVariant;
    array->cbElements = ULONG(elementSize);
    for (uint32_t d = 0; d < dimensions; ++d) array->rgsabound[dimensions - 1 - d] = bounds[d];
    const size_t count = ElementCount(array);
    if (count > 0) {
        array->pvData = std::calloc(count, elementSize);  // zeroed: VT_EMPTY variants, null BSTRs
        if (!array->pvData) {
            std::free(array);
            return nullptr;
        }
    }
    return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
    if (!array) return hr::Ok;
    if (array->cLocks > 0) return hr::ArrayIsLocked;
    const size_t count = ElementCount(array);
    if (array->pvData) {
        if (ElementType(array) == VT_BSTR) {
            auto* strings = static_cast<BSTR*>(array->pvData);
            for (size_t i = 0; i < count; ++i) SysFreeString(strings[i]);
        } else {
            auto* values = static_cast<VARIANT*>(array->pvData);
            for (size_t i = 0; i < count; ++i) VariantClear(&values[i]);
        }
        std::free(array->pvData);
    }
    std::free(array);
    return hr::Ok;
}

uint32_t SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
    if (!array || !bound) return hr::InvalidArg;
    if (dimension < 1 || dimension > array->cDims) return hr::BadIndex;
    *bound = array->rgsabound[array->cDims - dimension].lLbound;
    return hr::Ok;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
    if (!array || !bound) return hr::InvalidArg;
    if (dimension < 1 || dimension > array->cDims) return hr::BadIndex;
    const SAFEARRAYBOUND& b = array->rgsabound[array->cDims - dimension];
    *bound = b.lLbound + int32_t(b.cElements) - 1;
    return hr::Ok;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type) {
    if (!array || !type) return hr::InvalidArg;
    *type = ElementType(array);
    return hr::Ok;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const int32_t* indices, const void* value) {
    if (!array || !indices) return hr::InvalidArg;
    size_t offset = 0;
    if (!Offset(array, indices, offset)) return hr::BadIndex;
    if (ElementType(array) == VT_BSTR) {
        auto* slot = static_cast<BSTR*>(array->pvData) + offset;
        BSTR source = static_cast<BSTR>(const_cast<void*>(value));  // a BSTR is passed as itself
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return hr::OutOfMemory;
        SysFreeString(*slot);
        *slot = copy;
        return hr::Ok;
    }
    auto* slot = static_cast<VARIANT*>(array->pvData) + offset;
    return VariantCopy(slot, static_cast<const VARIANT*>(value));
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const int32_t* indices, void* value) {
    if (!array || !indices || !value) return hr::InvalidArg;
    size_t offset = 0;
    if (!Offset(array, indices, offset)) return hr::BadIndex;
    if (ElementType(array) == VT_BSTR) {
        BSTR source = static_cast<BSTR*>(array->pvData)[offset];
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return hr::OutOfMemory;
        *static_cast<BSTR*>(value) = copy;
        return hr::Ok;
    }
    auto* target = static_cast<VARIANT*>(value);
    VariantInit(target);
    return VariantCopy(target, static_cast<VARIANT*>(array->pvData) + offset);
}

HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy) {
    if (!copy) return hr::InvalidArg;
    *copy = nullptr;
    if (!array) return hr::Ok;
    // An array this runtime did not make may claim more dimensions than any array it
    // makes, or elements without data: neither is copied.
    if (array->cDims == 0 || array->cDims > 64 || (!array->pvData && ElementCount(array) > 0)) return hr::InvalidArg;
    SAFEARRAYBOUND bounds[64];
    for (uint16_t d = 0; d < array->cDims; ++d) bounds[d] = array->rgsabound[array->cDims - 1 - d];
    SAFEARRAY* result = SafeArrayCreate(ElementType(array), array->cDims, bounds);
    if (!result) return hr::OutOfMemory;
    const size_t count = ElementCount(array);
    for (size_t i = 0; i < count; ++i) {
        if (ElementType(array) == VT_BSTR) {
            BSTR source = static_cast<BSTR*>(array->pvData)[i];
            static_cast<BSTR*>(result->pvData)[i] = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        } else {
            HRESULT copied =
                VariantCopy(static_cast<VARIANT*>(result->pvData) + i, static_cast<VARIANT*>(array->pvData) + i);
            if (Failed(copied)) {
                SafeArrayDestroy(result);
                return copied;
            }
        }
    }
    *copy = result;
    return hr::Ok;
}

// ---- VARIANT

void VariantInit(VARIANT* value) {
    if (!value) return;
    std::memset(value, 0, sizeof *value);
    value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
    if (!value) return hr::InvalidArg;
    if (!(value->vt & VT_BYREF)) {
        if (value->vt & VT_ARRAY) {
            SafeArrayDestroy(value->parray);
        } else {
            switch (value->vt) {
                case VT_BSTR: SysFreeString(value->bstrVal); break;
                case VT_UNKNOWN:
                    if (value->punkVal) value->punkVal->Release();
                    break;
                case VT_DISPATCH:
                    if (value->pdispVal) value->pdispVal->Release();
                    break;
                default: break;
            }
        }
    }
    VariantInit(value);
    return hr::Ok;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source) {
    if (!target || !source) return hr::InvalidArg;
    if (target == source) return hr::Ok;
    VARIANT copy = *source;
    if (!(source->vt & VT_BYREF)) {
        if (source->vt & VT_ARRAY) {
            HRESULT copied = SafeArrayCopy(source->parray, &copy.parray);
            if (Failed(copied)) return copied;
        } else {
            switch (source->vt) {
                case VT_BSTR:
                    copy.bstrVal = source->bstrVal ? SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal))
                                                   : nullptr;
                    if (source->bstrVal && !copy.bstrVal) return hr::OutOfMemory;
                    break;
                case VT_UNKNOWN:
                    if (copy.punkVal) copy.punkVal->AddRef();
                    break;
                case VT_DISPATCH:
                    if (copy.pdispVal) copy.pdispVal->AddRef();
                    break;
                default: break;
            }
        }
    }
    VariantClear(target);
    *target = copy;
    return hr::Ok;
}

namespace {

std::u16string Utf16Of(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

BSTR AllocAscii(const std::string& ascii) {
    std::u16string wide = Utf16Of(ascii);
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), uint32_t(wide.size()));
}

// A number's text: whole numbers in plain decimal, others in up to 15 significant digits.
std::string NumberText(double value) {
    char buffer[40];
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
    }
    return buffer;
}

// The value of a text: blanks around it, a sign, digits with one decimal point and
// an exponent; or True/False in any capitals.
bool ParseNumber(BSTR text, double& value) {
    std::string narrow;
    for (uint32_t i = 0; i < SysStringLen(text); ++i) {
        OLECHAR c = text[i];
        if (c > 127) return false;
        narrow += char(c);
    }
    size_t start = narrow.find_first_not_of(' ');
    size_t end = narrow.find_last_not_of(' ');
    if (start == std::string::npos) return false;
    narrow = narrow.substr(start, end - start + 1);
    std::string lower;
    for (char c : narrow) lower += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    if (lower == "true") {
        value = -1;
        return true;
    }
    if (lower == "false") {
        value = 0;
        return true;
    }
    char* endPointer = nullptr;
    value = std::strtod(narrow.c_str(), &endPointer);
    return endPointer && *endPointer == 0 && narrow.find_first_of("xXpPnNiI") == std::string::npos;
}

// The source as a number; false when it is not one.
HRESULT AsNumber(const VARIANT& source, double& value) {
    switch (source.vt) {
        case VT_EMPTY: value = 0; return hr::Ok;
        case VT_I2: value = source.iVal; return hr::Ok;
        case VT_I4: case VT_INT: value = source.lVal; return hr::Ok;
        case VT_I8: value = double(source.llVal); return hr::Ok;
        case VT_UI1: value = source.bVal; return hr::Ok;
        case VT_R4: value = source.fltVal; return hr::Ok;
        case VT_R8: value = source.dblVal; return hr::Ok;
        case VT_DATE: value = source.date; return hr::Ok;
        case VT_BOOL: value = source.boolVal ? -1 : 0; return hr::Ok;
        case VT_BSTR: return ParseNumber(source.bstrVal, value) ? hr::Ok : hr::TypeMismatch;
        default: return hr::TypeMismatch;
    }
}

}  // namespace

HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, uint16_t /*flags*/, VARTYPE type) {
    if (!target || !source) return hr::InvalidArg;
    const VARIANT* from = source;
    if (source->vt == (VT_BYREF | VT_VARIANT)) from = source->pvarVal;
    VARIANT value;
    VariantInit(&value);
    if ((from->vt & VT_BYREF) && from->vt != (VT_BYREF | VT_VARIANT)) {
        // a reference to a plain value: read it as that value
        value.vt = VARTYPE(from->vt & ~VT_BYREF);
        switch (value.vt) {
            case VT_I2: value.iVal = *from->piVal; break;
            case VT_I4: value.lVal = *from->plVal; break;
            case VT_R8: case VT_DATE: value.dblVal = *from->pdblVal; break;
            case VT_BOOL: value.boolVal = *from->pboolVal; break;
            case VT_BSTR: value.bstrVal = *from->pbstrVal; break;
            default: return hr::TypeMismatch;
        }
        VARIANT owned;
        VariantInit(&owned);
        HRESULT copied = VariantCopy(&owned, &value);
        if (Failed(copied)) return copied;
        HRESULT changed = VariantChangeType(target, &owned, 0, type);
        VariantClear(&owned);
        return changed;
    }
    if (type == from->vt) return VariantCopy(target, from);
    if (from->vt == VT_NULL) return type == VT_NULL ? VariantCopy(target, from) : hr::TypeMismatch;
    if (type == VT_BSTR) {
        double number = 0;
        if (from->vt == VT_BOOL) {
            value.bstrVal = AllocAscii(from->boolVal ? "True" : "False");
        } else if (from->vt == VT_EMPTY) {
            value.bstrVal = SysAllocStringLen(nullptr, 0);
        } else {
            HRESULT read = AsNumber(*from, number);
            if (Failed(read)) return read;
            value.bstrVal = AllocAscii(NumberText(number));
        }
        if (!value.bstrVal) return hr::OutOfMemory;
        value.vt = VT_BSTR;
    } else {
        double number = 0;
        HRESULT read = AsNumber(*from, number);
        if (Failed(read)) return read;
        switch (type) {
            case VT_I2: {
                double rounded = std::nearbyint(number);
                if (rounded < -32768.0 || rounded > 32767.0) return hr::Overflow;
                value.iVal = int16_t(rounded);
                break;
            }
            case VT_I4: case VT_INT: {
                double rounded = std::nearbyint(number);
                if (rounded < -2147483648.0 || rounded > 2147483647.0) return hr::Overflow;
                value.lVal = int32_t(rounded);
                break;
            }
            case VT_UI1: {
                double rounded = std::nearbyint(number);
                if (rounded < 0 || rounded > 255) return hr::Overflow;
                value.bVal = uint8_t(rounded);
                break;
            }
            case VT_I8: value.llVal = int64_t(std::nearbyint(number)); break;
            case VT_R4: value.fltVal = float(number); break;
            case VT_R8: value.dblVal = number; break;
            case VT_DATE: value.date = number; break;
            case VT_BOOL: value.boolVal = number != 0 ? kVariantTrue : kVariantFalse; break;
            default: return hr::TypeMismatch;
        }
        value.vt = type;
    }
    VariantClear(target);
    *target = value;
    return hr::Ok;
}

// ---- the thread's error object

namespace {

class ErrorObject final : public IErrorInfo, public ICreateErrorInfo {
public:
    HRESULT QUILLET_STDCALL QueryInterface(const Guid& iid, void** object) override {
        if (!object) return hr::Pointer;
        if (iid == IID_IUnknown || iid == IID_IErrorInfo) {
            *object = static_cast<IErrorInfo*>(this);
        } else if (iid == IID_ICreateErrorInfo) {
            *object = static_cast<ICreateErrorInfo*>(this);
        } else {
            *object = nullptr;
            return hr::NoInterface;
        }
        AddRef();
        return hr::Ok;
    }
    ULONG QUILLET_STDCALL AddRef() override { return ++references_; }
    ULONG QUILLET_STDCALL Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT QUILLET_STDCALL GetGUID(Guid* guid) override {
        if (!guid) return hr::Pointer;
        *guid = guid_;
        return hr::Ok;
    }
    HRESULT QUILLET_STDCALL GetSource(BSTR* source) override { return Give(source_, source); }
    HRESULT QUILLET_STDCALL GetDescription(BSTR* description) override { return Give(description_, description); }
    HRESULT QUILLET_STDCALL GetHelpFile(BSTR* helpFile) override { return Give(helpFile_, helpFile); }
    HRESULT QUILLET_STDCALL GetHelpContext(uint32_t* helpContext) override {
        if (!helpContext) return hr::Pointer;
        *helpContext = helpContext_;
        return hr::Ok;
    }

    HRESULT QUILLET_STDCALL SetGUID(const Guid& guid) override {
        guid_ = guid;
        return hr::Ok;
    }
    HRESULT QUILLET_STDCALL SetSource(const OLECHAR* source) override { return Take(source, source_); }
    HRESULT QUILLET_STDCALL SetDescription(const OLECHAR* description) override {
        return Take(description, description_);
    }
    HRESULT QUILLET_STDCALL SetHelpFile(const OLECHAR* helpFile) override { return Take(helpFile, helpFile_); }
    HRESULT QUILLET_STDCALL SetHelpContext(uint32_t helpContext) override {
        helpContext_ = helpContext;
        return hr::Ok;
    }

private:
    using Text = std::basic_string<OLECHAR>;
    static HRESULT Give(const Text& text, BSTR* out) {
        if (!out) return hr::Pointer;
        *out = SysAllocStringLen(text.data(), uint32_t(text.size()));
        return *out ? hr::Ok : hr::OutOfMemory;
    }
    static HRESULT Take(const OLECHAR* text, Text& into) {
        into = text ? Text(text) : Text();
        return hr::Ok;
    }

    std::atomic<ULONG> references_{1};
    Guid guid_{};
    Text source_, description_, helpFile_;
    uint32_t helpContext_ = 0;
};

thread_local IErrorInfo* tCurrentError = nullptr;

// The thread's error object is released when the thread ends.
struct CurrentErrorHolder {
    ~CurrentErrorHolder() {
        if (tCurrentError) tCurrentError->Release();
        tCurrentError = nullptr;
    }
};
thread_local CurrentErrorHolder tHolder;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
    if (!info) return hr::Pointer;
    *info = new (std::nothrow) ErrorObject();
    return *info ? hr::Ok : hr::OutOfMemory;
}

HRESULT SetErrorInfo(uint32_t, IErrorInfo* info) {
    (void)&tHolder;
    if (info) info->AddRef();
    if (tCurrentError) tCurrentError->Release();
    tCurrentError = info;
    return hr::Ok;
}

HRESULT GetErrorInfo(uint32_t, IErrorInfo** info) {
    if (!info) return hr::Pointer;
    *info = tCurrentError;  // handed over: the thread's error object is cleared
    tCurrentError = nullptr;
    return *info ? hr::Ok : hr::False;
}

}  // namespace platform::com::abi
