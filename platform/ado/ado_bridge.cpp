#include "platform/ado/ado_bridge.h"

#include <limits>

namespace platform::ado {

namespace abi = com::abi;

void ToVariant(const Variant& value, abi::VARIANT& target) {
    abi::VariantClear(&target);
    switch (value.Type()) {
        case Variant::Kind::Empty: break;
        case Variant::Kind::Null: target.vt = abi::VT_NULL; break;
        case Variant::Kind::Boolean: abi::SetVariant(target, value.AsBoolean()); break;
        case Variant::Kind::Integer: {
            const int64_t number = value.AsInteger();
            if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max()) {
                abi::SetVariant(target, int32_t(number));
            } else {
                target.vt = abi::VT_I8;
                target.llVal = number;
            }
            break;
        }
        case Variant::Kind::Double: abi::SetVariant(target, value.AsDouble()); break;
        case Variant::Kind::Text: abi::SetVariant(target, value.AsText()); break;
    }
}

Variant FromVariant(const abi::VARIANT& source) {
    const abi::VARIANT& value = abi::Dereferenced(source);
    switch (value.vt) {
        case abi::VT_EMPTY: return Variant();
        case abi::VT_NULL: return Variant::Null();
        case abi::VT_BOOL: return Variant(value.boolVal != abi::kVariantFalse);
        case abi::VT_I2: return Variant(int32_t(value.iVal));
        case abi::VT_I4: case abi::VT_INT: return Variant(value.lVal);
        case abi::VT_I8: return Variant(int64_t(value.llVal));
        case abi::VT_UI1: return Variant(int32_t(value.bVal));
        case abi::VT_R4: return Variant(double(value.fltVal));
        case abi::VT_R8: case abi::VT_DATE: return Variant(value.dblVal);
        case abi::VT_BSTR: return Variant(abi::Utf8Of(value.bstrVal));
        default: return Variant(abi::TextOf(value));
    }
}

}  // namespace platform::ado
