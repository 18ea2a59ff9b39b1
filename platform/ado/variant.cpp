#include "platform/ado/variant.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace platform::ado {

namespace {

std::string DoubleText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    char buffer[64];
    auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), value);
    if (ec != std::errc()) return {};
    // The runtime writes the exponent with a capital E and always with its sign.
    std::string text;
    text.reserve(size_t(end - buffer) + 1);
    for (const char* p = buffer; p != end; ++p) {
        if (*p != 'e') {
            text += *p;
            continue;
        }
        text += 'E';
        if (p + 1 != end && p[1] != '-' && p[1] != '+') text += '+';
    }
    return text;
}

}  // namespace

std::string Variant::ToText() const {
    switch (Type()) {
        case Kind::Empty:
        case Kind::Null: return {};
        case Kind::Boolean: return AsBoolean() ? "True" : "False";
        case Kind::Integer: return std::to_string(AsInteger());
        case Kind::Double: return DoubleText(AsDouble());
        case Kind::Text: return std::string(AsText());
    }
    return {};
}

}  // namespace platform::ado
