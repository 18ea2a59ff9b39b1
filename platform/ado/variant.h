// Variant: the value of a database field as the host's runtime holds it. A field is
// Null, a Boolean, a whole number, a floating-point number or text; every kind turns
// into text the way the runtime's string conversion does it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace platform::ado {

class Variant {
public:
    enum class Kind { Empty, Null, Boolean, Integer, Double, Text };

    Variant() = default;  // Empty: no value assigned
    static Variant Null() { return Variant(NullTag{}); }
    explicit Variant(bool value) : value_(value) {}
    explicit Variant(int64_t value) : value_(value) {}
    explicit Variant(int32_t value) : value_(int64_t(value)) {}
    explicit Variant(double value) : value_(value) {}
    explicit Variant(std::string_view text) : value_(std::in_place_type<std::string>, text) {}
    explicit Variant(const char* text) : Variant(std::string_view(text)) {}

    // Makes this variant the text, in the memory of the text it holds, if any.
    void AssignText(std::string_view text) {
        if (auto* held = std::get_if<std::string>(&value_))
            held->assign(text);
        else
            value_.emplace<std::string>(text);
    }

    Kind Type() const { return Kind(value_.index()); }
    bool IsNull() const { return Type() == Kind::Null; }
    bool IsEmpty() const { return Type() == Kind::Empty; }

    // The value itself; only for a variant of that kind.
    bool AsBoolean() const { return std::get<bool>(value_); }
    int64_t AsInteger() const { return std::get<int64_t>(value_); }
    double AsDouble() const { return std::get<double>(value_); }
    std::string_view AsText() const { return std::get<std::string>(value_); }

    // The value as text: Empty and Null give "", a Boolean "True" or "False", a whole
    // number its plain decimal digits (with a minus sign), a floating-point number the
    // shortest digits that read back as the same number (exponent as "E+20", "E-07").
    std::string ToText() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    explicit Variant(NullTag tag) : value_(tag) {}

    std::variant<std::monostate, NullTag, bool, int64_t, double, std::string> value_;
};

}  // namespace platform::ado
