// Objects and interfaces as COM has them: every interface has an identifier, every
// object answers QueryInterface for the interfaces it implements, and references
// are shared pointers (assigning null releases).
//
//     class _clsUtil : public platform::com::IUnknown {
//     public:
//         static constexpr platform::com::Guid IID = Guid::Parse("{...}");
//         virtual ... members in binding slot order ...
//     };
//     auto util = platform::com::Query<_clsUtil>(object);   // null when not implemented
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform::com {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0, data3 = 0;
    uint8_t data4[8] = {};

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", braces optional. A malformed text
    // is a compile-time error in a constant expression and the null id otherwise.
    static constexpr Guid Parse(std::string_view text) {
        Guid g{};
        if (!text.empty() && text.front() == '{') text = text.substr(1, text.size() - 2);
        if (text.size() != 36) return Fail();
        auto hex = [&](size_t pos, size_t count) -> uint32_t {
            uint32_t v = 0;
            for (size_t i = pos; i < pos + count; ++i) {
                char c = text[i];
                uint32_t d = (c >= '0' && c <= '9')   ? uint32_t(c - '0')
                             : (c >= 'a' && c <= 'f') ? uint32_t(c - 'a' + 10)
                             : (c >= 'A' && c <= 'F') ? uint32_t(c - 'A' + 10)
                                                      : 16;
                if (d == 16) return Fail().data1;
                v = v * 16 + d;
            }
            return v;
        };
        g.data1 = hex(0, 8);
        g.data2 = uint16_t(hex(9, 4));
        g.data3 = uint16_t(hex(14, 4));
        g.data4[0] = uint8_t(hex(19, 2));
        g.data4[1] = uint8_t(hex(21, 2));
        for (int i = 0; i < 6; ++i) g.data4[2 + i] = uint8_t(hex(24 + 2 * size_t(i), 2));
        return g;
    }

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals, as the registry shows it.
    std::string ToString() const;

    friend constexpr bool operator==(const Guid& a, const Guid& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i]) return false;
        return true;
    }

private:
    static Guid Fail() { return Guid{}; }  // not constexpr: a bad literal fails to compile
};

class IUnknown {
public:
    static constexpr Guid IID = Guid::Parse("{00000000-0000-0000-C000-000000000046}");
    virtual ~IUnknown() = default;
    // The object seen through the interface iid, or nullptr when it has none.
    virtual void* QueryInterface(const Guid& iid) = 0;
};

// The object behind p seen through interface T, sharing p's ownership; null when
// p is null or does not implement T.
template <class T, class U>
std::shared_ptr<T> Query(const std::shared_ptr<U>& p) {
    if (!p) return nullptr;
    void* q = p->QueryInterface(T::IID);
    return q ? std::shared_ptr<T>(p, static_cast<T*>(q)) : nullptr;
}

}  // namespace platform::com
