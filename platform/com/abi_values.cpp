#include "platform/com/abi_values.h"

#include "platform/errors/frame.h"
#include "platform/text/text.h"

namespace platform::com::abi {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "COM's characters are UTF-16 code units");

namespace {

bool IsAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

BSTR NewBstr(std::string_view utf8) {
    if (IsAscii(utf8)) {  // the usual case, without a detour
        BSTR result = SysAllocStringLen(nullptr, uint32_t(utf8.size()));
        if (!result) Raise(7, "Out of memory");
        for (size_t i = 0; i < utf8.size(); ++i) result[i] = OLECHAR(utf8[i]);
        return result;
    }
    std::u16string wide = text::ToUtf16(utf8);
    BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), uint32_t(wide.size()));
    if (!result) Raise(7, "Out of memory");
    return result;
}

Bstr::Bstr(std::string_view utf8) : text_(NewBstr(utf8)) {}

std::string Utf8Of(const OLECHAR* text, uint32_t length) {
    if (!text) return {};
    std::string narrow(length, '\0');
    bool ascii = true;
    for (uint32_t i = 0; i < length && ascii; ++i) {
        ascii = uint32_t(text[i]) < 0x80;
        narrow[i] = char(text[i]);
    }
    if (ascii) return narrow;
    return text::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

std::string Utf8Of(BSTR text) { return Utf8Of(text, SysStringLen(text)); }

void AppendUtf8(std::string& out, const OLECHAR* text, uint32_t length) {
    if (!text) return;
    const size_t start = out.size();
    out.resize(start + length);
    char* narrow = out.data() + start;
    for (uint32_t i = 0; i < length; ++i) {
        if (uint32_t(text[i]) >= 0x80) {  // not ASCII after all: the whole text converted
            out.resize(start);
            out += text::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
            return;
        }
        narrow[i] = char(text[i]);
    }
}

// ---- values

namespace {

constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kOverflow = 6;

[[noreturn]] void Mismatch(HRESULT result) {
    if (result == hr::Overflow) Raise(kOverflow, "Overflow");
    Raise(kTypeMismatch, "Type mismatch");
}

Variant Converted(const VARIANT& value, VARTYPE type) {
    Variant result;
    HRESULT changed = VariantChangeType(result.get(), &value, 0, type);
    if (Failed(changed)) Mismatch(changed);
    return result;
}

}  // namespace

void SetVariant(VARIANT& target, int32_t value) {
    VariantClear(&target);
    target.vt = VT_I4;
    target.lVal = value;
}

void SetVariant(VARIANT& target, int16_t value) {
    VariantClear(&target);
    target.vt = VT_I2;
    target.iVal = value;
}

void SetVariant(VARIANT& target, bool value) {
    VariantClear(&target);
    target.vt = VT_BOOL;
    target.boolVal = value ? kVariantTrue : kVariantFalse;
}

void SetVariant(VARIANT& target, double value) {
    VariantClear(&target);
    target.vt = VT_R8;
    target.dblVal = value;
}

void SetVariant(VARIANT& target, std::string_view utf8) {
    BSTR text = NewBstr(utf8);
    VariantClear(&target);
    target.vt = VT_BSTR;
    target.bstrVal = text;
}

const VARIANT& Dereferenced(const VARIANT& value) {
    if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal) return *value.pvarVal;
    return value;
}

int32_t LongOf(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    if (v.vt == VT_I4) return v.lVal;
    return Converted(v, VT_I4).get()->lVal;
}

int16_t ShortOf(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    if (v.vt == VT_I2) return v.iVal;
    return Converted(v, VT_I2).get()->iVal;
}

bool BoolOf(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    if (v.vt == VT_BOOL) return v.boolVal != kVariantFalse;
    return Converted(v, VT_BOOL).get()->boolVal != kVariantFalse;
}

double DoubleOf(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    if (v.vt == VT_R8) return v.dblVal;
    return Converted(v, VT_R8).get()->dblVal;
}

std::string TextOf(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    if (v.vt == VT_BSTR) return Utf8Of(v.bstrVal);
    if (v.vt == (VT_BYREF | VT_BSTR)) return v.pbstrVal ? Utf8Of(*v.pbstrVal) : std::string();
    return Utf8Of(Converted(v, VT_BSTR).get()->bstrVal);
}

bool IsMissing(const VARIANT& value) {
    const VARIANT& v = Dereferenced(value);
    return v.vt == VT_EMPTY || (v.vt == VT_ERROR && v.scode == hr::ParamNotFound);
}

VARIANT Missing() {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_ERROR;
    value.scode = hr::ParamNotFound;
    return value;
}

// ---- failures

namespace {

constexpr uint32_t kRuntimeFacility = 0x800A0000u;

}  // namespace

HRESULT HresultOf(int32_t number) {
    if (number < 0) return number;
    return HRESULT(kRuntimeFacility | (uint32_t(number) & 0xFFFFu));
}

int32_t NumberOf(HRESULT result) {
    if ((uint32_t(result) & 0xFFFF0000u) == kRuntimeFacility) return int32_t(uint32_t(result) & 0xFFFFu);
    return result;
}

HRESULT Report(const ErrorInfo& failure, const Guid& iid) {
    ICreateErrorInfo* create = nullptr;
    if (!Failed(CreateErrorInfo(&create)) && create) {
        std::u16string description = text::ToUtf16(failure.Description);
        std::u16string source = text::ToUtf16(failure.Source);
        create->SetGUID(iid);
        create->SetDescription(reinterpret_cast<const OLECHAR*>(description.c_str()));
        create->SetSource(reinterpret_cast<const OLECHAR*>(source.c_str()));
        IErrorInfo* info = nullptr;
        if (!Failed(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    HRESULT result = HresultOf(failure.Number);
    return Failed(result) ? result : hr::Fail;
}

HRESULT GuardedFailure(const Guid& iid) noexcept {
    try {
        return Report(CurrentFailure(), iid);
    } catch (...) {
        return hr::Fail;
    }
}

ErrorInfo FailureOf(HRESULT result) {
    IErrorInfo* info = nullptr;
    std::string description, source;
    if (GetErrorInfo(0, &info) == hr::Ok && info) {
        Bstr text;
        if (!Failed(info->GetDescription(text.out()))) description = Utf8Of(text.get());
        Bstr from;
        if (!Failed(info->GetSource(from.out()))) source = Utf8Of(from.get());
        info->Release();
    }
    const int32_t number = NumberOf(result);
    if (description.empty() && number > 0) description = StandardDescription(number);
    if (description.empty()) description = "Automation error";
    return ErrorInfo(number, std::move(description), std::move(source));
}

ErrorInfo FailureOfDispatch(HRESULT result, const EXCEPINFO& exception) {
    switch (result) {
        case hr::Exception: {
            const int32_t number = exception.scode != 0 ? NumberOf(exception.scode) : int32_t(exception.wCode);
            std::string description = Utf8Of(exception.bstrDescription);
            if (description.empty()) description = number > 0 ? StandardDescription(number) : "Automation error";
            return ErrorInfo(number, std::move(description), Utf8Of(exception.bstrSource));
        }
        case hr::UnknownName:
        case hr::MemberNotFound: return ErrorInfo(438, "Object doesn't support this property or method");
        case hr::ParamNotFound: return ErrorInfo(449, "Argument not optional");
        case hr::BadParamCount: return ErrorInfo(450, "Wrong number of arguments or invalid property assignment");
        case hr::TypeMismatch: return ErrorInfo(kTypeMismatch, "Type mismatch");
        case hr::Overflow: return ErrorInfo(kOverflow, "Overflow");
        case hr::BadIndex: return ErrorInfo(9, "Subscript out of range");
        default: return FailureOf(result);
    }
}

}  // namespace platform::com::abi
