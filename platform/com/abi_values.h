// From the C++ types a library works with to COM's binary ones and back, once, at the
// edge: owned BSTRs and VARIANTs, text in both encodings, and failures as HRESULTs
// with their error objects.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/com/abi.h"
#include "platform/errors/errors.h"

namespace platform::com::abi {

// A BSTR owned here: freed when dropped unless released.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8);
    ~Bstr() { SysFreeString(text_); }
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return text_; }
    BSTR* out() { return &text_; }  // for an out-parameter: whatever was held is freed first
    BSTR release() { return std::exchange(text_, nullptr); }

private:
    BSTR text_ = nullptr;
};

// A new BSTR holding the text (the caller frees it), and a BSTR's text (null is "").
BSTR NewBstr(std::string_view utf8);
std::string Utf8Of(const OLECHAR* text, uint32_t length);
std::string Utf8Of(BSTR text);
// Appends the text in UTF-8 to out (for many texts in a row without a string each).
void AppendUtf8(std::string& out, const OLECHAR* text, uint32_t length);

// A VARIANT owned here: cleared when dropped.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    explicit Variant(VARIANT owned) : value_(owned) {}  // takes it over
    ~Variant() { VariantClear(&value_); }
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    Variant& operator=(Variant&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    VARIANT release() {
        VARIANT out = value_;
        VariantInit(&value_);
        return out;
    }

private:
    VARIANT value_;
};

// Plain values into VARIANTs (the VARIANT is cleared first) and out of them: a value
// of another type is converted as VariantChangeType does; 13 "Type mismatch" when
// it does not convert.
void SetVariant(VARIANT& target, int32_t value);
void SetVariant(VARIANT& target, int16_t value);
void SetVariant(VARIANT& target, bool value);
void SetVariant(VARIANT& target, double value);
void SetVariant(VARIANT& target, std::string_view utf8);
int32_t LongOf(const VARIANT& value);
int16_t ShortOf(const VARIANT& value);
bool BoolOf(const VARIANT& value);
double DoubleOf(const VARIANT& value);
std::string TextOf(const VARIANT& value);
// A value given by reference (VT_BYREF) read as the value it points to.
const VARIANT& Dereferenced(const VARIANT& value);
// Whether an optional argument was left out (VT_ERROR with DISP_E_PARAMNOTFOUND, as
// callers pass a missing one, or nothing at all).
bool IsMissing(const VARIANT& value);
VARIANT Missing();

// ---- failures

// The HRESULT that carries a failure number: a number of the host's runtime becomes
// 0x800A0000 + number, as the language's runtime raises it; a number that is an
// HRESULT already (negative) stays.
HRESULT HresultOf(int32_t number);
// And back: the failure number a caller sees for an HRESULT.
int32_t NumberOf(HRESULT result);

// For a server: the thread's error object is set from the failure (its description,
// and its source; the interface as its GUID), and its HRESULT returned.
HRESULT Report(const ErrorInfo& failure, const Guid& iid);
// Runs body, turning whatever it throws into Report's HRESULT; hr::Ok otherwise.
template <class F>
HRESULT Guarded(const Guid& iid, F&& body) noexcept;

// For a client: the failure behind a failed HRESULT, with the description and source
// of the thread's error object (taken and cleared).
ErrorInfo FailureOf(HRESULT result);
// Raises FailureOf(result) when the result is a failure.
inline void Check(HRESULT result) {
    if (Failed(result)) throw FailureOf(result);
}

// Failures of COM itself, as a caller sees them: 438 "Object doesn't support this
// property or method", 449 "Argument not optional", 450 "Wrong number of arguments",
// 13 "Type mismatch", 6 "Overflow", 9 "Subscript out of range".
ErrorInfo FailureOfDispatch(HRESULT result, const EXCEPINFO& exception);

HRESULT GuardedFailure(const Guid& iid) noexcept;  // for Guarded: the current exception's HRESULT

template <class F>
HRESULT Guarded(const Guid& iid, F&& body) noexcept {
    try {
        body();
        return hr::Ok;
    } catch (...) {
        return GuardedFailure(iid);
    }
}

}  // namespace platform::com::abi
