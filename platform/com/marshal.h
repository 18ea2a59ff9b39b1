// How each C++ type of an interface member crosses COM's binary boundary, in both
// directions and through IDispatch:
//
//   Marshal<T>   a parameter declared as T: its binary type (Abi); Server turns the
//                binary value into T for the object called and writes a by-reference
//                parameter back; Client does the opposite for the caller; Dispatched
//                reads T out of an IDispatch argument (and writes a reference back).
//   Returned<R>  a result of type R: its binary out-parameter (Abi*), Put by the
//                server, Take by the client, ToVariant for IDispatch.
//
// Objects cross as IUnknown pointers through Bridge<X> (bridge.h). A library adds
// its own types by specialising these templates beside the type.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"
#include "platform/errors/errors.h"

namespace platform::com {

// An object's way across: Export gives a new reference to a binary object for it
// (null for null), Import the C++ object for a binary one (borrowing the reference).
template <class X>
struct Bridge;

template <class T>
struct Marshal;
template <class R>
struct Returned;

namespace detail {
template <class T>
inline constexpr bool kIsEnum = std::is_enum_v<T> && sizeof(T) == sizeof(int32_t);
}  // namespace detail

// The types that cross as plain values.
template <class T>
concept ScalarType = std::is_arithmetic_v<T> || detail::kIsEnum<T>;

// ---- whole numbers, Booleans, floating point, enumerations (passed as their value)

template <class T, class A>
struct MarshalScalar {
    using Abi = A;
    static constexpr bool kOptional = false;
    static A ToAbi(T value) {
        if constexpr (std::is_same_v<T, bool>) return value ? abi::kVariantTrue : abi::kVariantFalse;
        else return A(value);
    }
    static T FromAbi(A value) {
        if constexpr (std::is_same_v<T, bool>) return value != abi::kVariantFalse;
        else return T(value);
    }
    static T FromVariant(const abi::VARIANT& value) {
        if constexpr (std::is_same_v<T, bool>) return abi::BoolOf(value);
        else if constexpr (std::is_same_v<T, int16_t>) return abi::ShortOf(value);
        else if constexpr (std::is_floating_point_v<T>) return T(abi::DoubleOf(value));
        else return T(abi::LongOf(value));
    }
    static void ToVariant(T value, abi::VARIANT& target) {
        if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, int16_t>) abi::SetVariant(target, value);
        else if constexpr (std::is_floating_point_v<T>) abi::SetVariant(target, double(value));
        else abi::SetVariant(target, int32_t(value));
    }

    struct Server {
        explicit Server(A raw) : value(FromAbi(raw)) {}
        T Get() { return value; }
        void Back(A) {}
        T value;
    };
    struct Client {
        explicit Client(T given) : value(ToAbi(given)) {}
        A Get() { return value; }
        void Back() {}
        A value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(FromVariant(argument)) {}
        T Get() { return value; }
        void Back(abi::VARIANT&) {}
        T value;
    };
};

template <>
struct Marshal<int32_t> : MarshalScalar<int32_t, int32_t> {};
template <>
struct Marshal<int16_t> : MarshalScalar<int16_t, int16_t> {};
template <>
struct Marshal<bool> : MarshalScalar<bool, abi::VARIANT_BOOL> {};
template <>
struct Marshal<double> : MarshalScalar<double, double> {};
template <>
struct Marshal<float> : MarshalScalar<float, float> {};
template <class E>
    requires detail::kIsEnum<E>
struct Marshal<E> : MarshalScalar<E, int32_t> {};

// A scalar by reference (in and out): the binary form points to it.
template <ScalarType T>
struct Marshal<T&> {
    using Scalar = Marshal<T>;
    using Abi = typename Scalar::Abi*;
    static constexpr bool kOptional = false;
    struct Server {
        explicit Server(Abi pointer) : value(pointer ? Scalar::FromAbi(*pointer) : T{}) {}
        T& Get() { return value; }
        void Back(Abi pointer) {
            if (pointer) *pointer = Scalar::ToAbi(value);
        }
        T value;
    };
    struct Client {
        explicit Client(T& target) : target(&target), value(Scalar::ToAbi(target)) {}
        Abi Get() { return &value; }
        void Back() { *target = Scalar::FromAbi(value); }
        T* target;
        typename Scalar::Abi value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(Scalar::FromVariant(argument)) {}
        T& Get() { return value; }
        void Back(abi::VARIANT& argument);
        T value;
    };
};

// A scalar that may be left out, or written back: a pointer that may be null.
template <ScalarType T>
struct Marshal<T*> {
    using Scalar = Marshal<T>;
    using Abi = typename Scalar::Abi*;
    static constexpr bool kOptional = true;
    struct Server {
        explicit Server(Abi pointer) : given(pointer != nullptr), value(pointer ? Scalar::FromAbi(*pointer) : T{}) {}
        T* Get() { return given ? &value : nullptr; }
        void Back(Abi pointer) {
            if (pointer) *pointer = Scalar::ToAbi(value);
        }
        bool given;
        T value;
    };
    struct Client {
        explicit Client(T* target) : target(target), value(target ? Scalar::ToAbi(*target) : typename Scalar::Abi{}) {}
        Abi Get() { return target ? &value : nullptr; }
        void Back() {
            if (target) *target = Scalar::FromAbi(value);
        }
        T* target;
        typename Scalar::Abi value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument)
            : given(!abi::IsMissing(argument)), value(given ? Scalar::FromVariant(argument) : T{}) {}
        T* Get() { return given ? &value : nullptr; }
        void Back(abi::VARIANT& argument);
        bool given;
        T value;
    };
};

// ---- text

struct MarshalText {
    using Abi = abi::BSTR;
    static constexpr bool kOptional = false;
    struct Server {
        explicit Server(abi::BSTR text) : value(abi::Utf8Of(text)) {}
        const std::string& Get() { return value; }
        void Back(abi::BSTR) {}
        std::string value;
    };
    struct Client {
        explicit Client(std::string_view text) : value(text) {}
        abi::BSTR Get() { return value.get(); }
        void Back() {}
        abi::Bstr value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(abi::TextOf(argument)) {}
        const std::string& Get() { return value; }
        void Back(abi::VARIANT&) {}
        std::string value;
    };
};
template <>
struct Marshal<std::string> : MarshalText {};
template <>
struct Marshal<const std::string&> : MarshalText {};
template <>
struct Marshal<std::string_view> : MarshalText {};

// Text by reference: in and out.
template <>
struct Marshal<std::string&> {
    using Abi = abi::BSTR*;
    static constexpr bool kOptional = false;
    struct Server {
        explicit Server(abi::BSTR* pointer) : value(pointer ? abi::Utf8Of(*pointer) : std::string()) {}
        std::string& Get() { return value; }
        void Back(abi::BSTR* pointer) {
            if (!pointer) return;
            abi::BSTR text = abi::NewBstr(value);
            abi::SysFreeString(*pointer);
            *pointer = text;
        }
        std::string value;
    };
    struct Client {
        explicit Client(std::string& target) : target(&target), value(target) {}
        abi::BSTR* Get() { return value.out(); }
        void Back() { *target = abi::Utf8Of(value.get()); }
        std::string* target;
        abi::Bstr value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(abi::TextOf(argument)) {}
        std::string& Get() { return value; }
        void Back(abi::VARIANT& argument) {
            if (argument.vt == (abi::VT_BYREF | abi::VT_BSTR) && argument.pbstrVal) {
                abi::BSTR text = abi::NewBstr(value);
                abi::SysFreeString(*argument.pbstrVal);
                *argument.pbstrVal = text;
            } else if (argument.vt == (abi::VT_BYREF | abi::VT_VARIANT) && argument.pvarVal) {
                abi::SetVariant(*argument.pvarVal, std::string_view(value));
            }
        }
        std::string value;
    };
};

// ---- values that may be left out: a VARIANT, missing when not given

template <class T>
struct MarshalOptional {
    using Abi = abi::VARIANT;
    static constexpr bool kOptional = true;
    static std::optional<T> FromVariant(const abi::VARIANT& value) {
        if (abi::IsMissing(value)) return std::nullopt;
        if constexpr (std::is_same_v<T, std::string>) return abi::TextOf(value);
        else return Marshal<T>::FromVariant(value);
    }
    struct Server {
        explicit Server(abi::VARIANT value) : value(FromVariant(value)) {}
        const std::optional<T>& Get() { return value; }
        void Back(const abi::VARIANT&) {}
        std::optional<T> value;
    };
    struct Client {
        explicit Client(const std::optional<T>& given) : value(abi::Missing()) {
            if (!given) return;
            if constexpr (std::is_same_v<T, std::string>) abi::SetVariant(*value.get(), std::string_view(*given));
            else Marshal<T>::ToVariant(*given, *value.get());
        }
        // A VARIANT passed by value is the caller's: the callee never frees it.
        abi::VARIANT Get() { return *value.get(); }
        void Back() {}
        abi::Variant value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(FromVariant(argument)) {}
        const std::optional<T>& Get() { return value; }
        void Back(abi::VARIANT&) {}
        std::optional<T> value;
    };
};
template <class T>
struct Marshal<std::optional<T>> : MarshalOptional<T> {};
template <class T>
struct Marshal<const std::optional<T>&> : MarshalOptional<T> {};

// ---- objects, as IUnknown pointers

template <class X>
struct MarshalObject {
    using Abi = abi::IUnknown*;
    static constexpr bool kOptional = false;
    static std::shared_ptr<X> FromVariant(const abi::VARIANT& argument) {
        const abi::VARIANT& v = abi::Dereferenced(argument);
        if (v.vt == abi::VT_UNKNOWN) return Bridge<X>::Import(v.punkVal);
        if (v.vt == abi::VT_DISPATCH) return Bridge<X>::Import(v.pdispVal);
        if (v.vt == (abi::VT_BYREF | abi::VT_UNKNOWN)) return Bridge<X>::Import(v.ppunkVal ? *v.ppunkVal : nullptr);
        if (v.vt == (abi::VT_BYREF | abi::VT_DISPATCH))
            return Bridge<X>::Import(v.ppdispVal ? *v.ppdispVal : nullptr);
        if (v.vt == abi::VT_EMPTY || v.vt == abi::VT_NULL) return nullptr;
        Raise(13, "Type mismatch");
    }
    static void ToVariant(const std::shared_ptr<X>& object, abi::VARIANT& target) {
        abi::IUnknown* pointer = Bridge<X>::Export(object);
        abi::VariantClear(&target);
        abi::IDispatch* dispatch = nullptr;
        if (pointer && !abi::Failed(pointer->QueryInterface(abi::IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
            pointer->Release();
            target.vt = abi::VT_DISPATCH;
            target.pdispVal = dispatch;
        } else {
            target.vt = abi::VT_UNKNOWN;
            target.punkVal = pointer;
        }
    }

    struct Server {
        explicit Server(abi::IUnknown* pointer) : value(Bridge<X>::Import(pointer)) {}
        const std::shared_ptr<X>& Get() { return value; }
        void Back(abi::IUnknown*) {}
        std::shared_ptr<X> value;
    };
    struct Client {
        explicit Client(const std::shared_ptr<X>& object) : value(Bridge<X>::Export(object)) {}
        ~Client() {
            if (value) value->Release();
        }
        Client(const Client&) = delete;
        abi::IUnknown* Get() { return value; }
        void Back() {}
        abi::IUnknown* value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) : value(FromVariant(argument)) {}
        const std::shared_ptr<X>& Get() { return value; }
        void Back(abi::VARIANT&) {}
        std::shared_ptr<X> value;
    };
};
template <class X>
struct Marshal<std::shared_ptr<X>> : MarshalObject<X> {};
template <class X>
struct Marshal<const std::shared_ptr<X>&> : MarshalObject<X> {};

// An object by reference: the callee may replace it.
template <class X>
struct MarshalObjectReference {
    using Abi = abi::IUnknown**;
    static void Replace(abi::IUnknown** slot, const std::shared_ptr<X>& object) {
        abi::IUnknown* next = Bridge<X>::Export(object);
        if (*slot) (*slot)->Release();
        *slot = next;
    }
    struct Server {
        explicit Server(abi::IUnknown** pointer)
            : given(pointer != nullptr), value(pointer ? Bridge<X>::Import(*pointer) : nullptr) {}
        void Back(abi::IUnknown** pointer) {
            if (pointer) Replace(pointer, value);
        }
        bool given;
        std::shared_ptr<X> value;
    };
    struct Client {
        explicit Client(std::shared_ptr<X>* target)
            : target(target), value(target ? Bridge<X>::Export(*target) : nullptr) {}
        ~Client() {
            if (value) value->Release();
        }
        Client(const Client&) = delete;
        abi::IUnknown** Get() { return target ? &value : nullptr; }
        void Back() {
            if (target) *target = Bridge<X>::Import(value);
        }
        std::shared_ptr<X>* target;
        abi::IUnknown* value;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument)
            : given(!abi::IsMissing(argument)), value(given ? MarshalObject<X>::FromVariant(argument) : nullptr) {}
        void Back(abi::VARIANT& argument) {
            if (argument.vt == (abi::VT_BYREF | abi::VT_VARIANT) && argument.pvarVal) {
                MarshalObject<X>::ToVariant(value, *argument.pvarVal);
            } else if ((argument.vt == (abi::VT_BYREF | abi::VT_UNKNOWN) ||
                        argument.vt == (abi::VT_BYREF | abi::VT_DISPATCH)) &&
                       argument.ppunkVal) {
                Replace(argument.ppunkVal, value);
            }
        }
        bool given;
        std::shared_ptr<X> value;
    };
};
template <class X>
struct Marshal<std::shared_ptr<X>&> : MarshalObjectReference<X> {
    static constexpr bool kOptional = false;
    struct Server : MarshalObjectReference<X>::Server {
        using MarshalObjectReference<X>::Server::Server;
        std::shared_ptr<X>& Get() { return this->value; }
    };
    struct Client : MarshalObjectReference<X>::Client {
        explicit Client(std::shared_ptr<X>& target) : MarshalObjectReference<X>::Client(&target) {}
    };
    struct Dispatched : MarshalObjectReference<X>::Dispatched {
        using MarshalObjectReference<X>::Dispatched::Dispatched;
        std::shared_ptr<X>& Get() { return this->value; }
    };
};
template <class X>
struct Marshal<std::shared_ptr<X>*> : MarshalObjectReference<X> {
    static constexpr bool kOptional = true;
    struct Server : MarshalObjectReference<X>::Server {
        using MarshalObjectReference<X>::Server::Server;
        std::shared_ptr<X>* Get() { return this->given ? &this->value : nullptr; }
    };
    using Client = typename MarshalObjectReference<X>::Client;
    struct Dispatched : MarshalObjectReference<X>::Dispatched {
        using MarshalObjectReference<X>::Dispatched::Dispatched;
        std::shared_ptr<X>* Get() { return this->given ? &this->value : nullptr; }
    };
};

// ---- a list of texts by reference, as a one-dimensional array of VARIANTs

struct MarshalTexts {
    static std::vector<std::string> FromArray(abi::SAFEARRAY* array);
    static abi::SAFEARRAY* ToArray(const std::vector<std::string>& texts);
};

template <>
struct Marshal<std::vector<std::string>&> {
    using Abi = abi::SAFEARRAY**;
    static constexpr bool kOptional = false;
    struct Server {
        explicit Server(abi::SAFEARRAY** pointer)
            : value(pointer ? MarshalTexts::FromArray(*pointer) : std::vector<std::string>()) {}
        std::vector<std::string>& Get() { return value; }
        void Back(abi::SAFEARRAY** pointer) {
            if (!pointer) return;
            abi::SAFEARRAY* next = MarshalTexts::ToArray(value);
            abi::SafeArrayDestroy(*pointer);
            *pointer = next;
        }
        std::vector<std::string> value;
    };
    struct Client {
        explicit Client(std::vector<std::string>& target) : target(&target), array(MarshalTexts::ToArray(target)) {}
        ~Client() { abi::SafeArrayDestroy(array); }
        Client(const Client&) = delete;
        abi::SAFEARRAY** Get() { return &array; }
        void Back() { *target = MarshalTexts::FromArray(array); }
        std::vector<std::string>* target;
        abi::SAFEARRAY* array;
    };
    struct Dispatched {
        explicit Dispatched(abi::VARIANT& argument) {
            const abi::VARIANT& v = abi::Dereferenced(argument);
            if (v.vt & abi::VT_ARRAY)
                value = MarshalTexts::FromArray((v.vt & abi::VT_BYREF) ? *v.pparray : v.parray);
        }
        std::vector<std::string>& Get() { return value; }
        void Back(abi::VARIANT&) {}
        std::vector<std::string> value;
    };
};

// ---- by-reference write-backs through IDispatch for scalars

template <ScalarType T>
void Marshal<T&>::Dispatched::Back(abi::VARIANT& argument) {
    if (argument.vt == (abi::VT_BYREF | abi::VT_VARIANT) && argument.pvarVal) {
        Scalar::ToVariant(value, *argument.pvarVal);
        return;
    }
    abi::Variant converted;
    Scalar::ToVariant(value, *converted.get());
    const abi::VARTYPE type = abi::VARTYPE(argument.vt & ~abi::VT_BYREF);
    if (!(argument.vt & abi::VT_BYREF) || !argument.byref) return;
    abi::Variant typed;
    if (abi::Failed(abi::VariantChangeType(typed.get(), converted.get(), 0, type))) return;
    switch (type) {
        case abi::VT_I2: *argument.piVal = typed.get()->iVal; break;
        case abi::VT_I4: *argument.plVal = typed.get()->lVal; break;
        case abi::VT_R8: *argument.pdblVal = typed.get()->dblVal; break;
        case abi::VT_BOOL: *argument.pboolVal = typed.get()->boolVal; break;
        default: break;
    }
}

template <ScalarType T>
void Marshal<T*>::Dispatched::Back(abi::VARIANT& argument) {
    if (!given) return;
    typename Marshal<T&>::Dispatched reference(argument);
    reference.value = value;
    reference.Back(argument);
}

// ---- results

template <class R>
struct Returned;

template <>
struct Returned<void> {};

template <class T>
struct ReturnedScalar {
    using Abi = typename Marshal<T>::Abi;
    static void Clear(Abi* out) { *out = Abi{}; }
    static void Put(T value, Abi* out) { *out = Marshal<T>::ToAbi(value); }
    static T Take(Abi& raw) { return Marshal<T>::FromAbi(raw); }
    static void ToVariant(T value, abi::VARIANT& target) { Marshal<T>::ToVariant(value, target); }
};
template <>
struct Returned<int32_t> : ReturnedScalar<int32_t> {};
template <>
struct Returned<int16_t> : ReturnedScalar<int16_t> {};
template <>
struct Returned<bool> : ReturnedScalar<bool> {};
template <>
struct Returned<double> : ReturnedScalar<double> {};
template <class E>
    requires detail::kIsEnum<E>
struct Returned<E> : ReturnedScalar<E> {};

template <>
struct Returned<std::string> {
    using Abi = abi::BSTR;
    static void Clear(Abi* out) { *out = nullptr; }
    static void Put(const std::string& value, Abi* out) { *out = abi::NewBstr(value); }
    static std::string Take(Abi& raw) {
        abi::Bstr owned;
        *owned.out() = raw;
        raw = nullptr;
        return abi::Utf8Of(owned.get());
    }
    static void ToVariant(const std::string& value, abi::VARIANT& target) {
        abi::SetVariant(target, std::string_view(value));
    }
};

template <class X>
struct Returned<std::shared_ptr<X>> {
    using Abi = abi::IUnknown*;
    static void Clear(Abi* out) { *out = nullptr; }
    static void Put(const std::shared_ptr<X>& value, Abi* out) { *out = Bridge<X>::Export(value); }
    static std::shared_ptr<X> Take(Abi& raw) {
        std::shared_ptr<X> object = Bridge<X>::Import(raw);
        if (raw) raw->Release();
        raw = nullptr;
        return object;
    }
    static void ToVariant(const std::shared_ptr<X>& value, abi::VARIANT& target) {
        MarshalObject<X>::ToVariant(value, target);
    }
};

}  // namespace platform::com
