#include "platform/text/utf8.h"

namespace platform::text::utf8 {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsTrail(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

uint32_t Next(std::string_view s, size_t& at) {
    const auto lead = static_cast<unsigned char>(s[at++]);
    if (lead < 0x80) return lead;
    size_t trails = 0;
    uint32_t code = 0;
    // The second byte's range narrows for the leads whose sequences could otherwise be
    // too long (overlong) or reach a surrogate or past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trails = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trails = 2, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trails = 3, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kReplacement;
    }
    for (size_t i = 0; i < trails; ++i) {
        if (at >= s.size()) return kReplacement;
        const auto c = static_cast<unsigned char>(s[at]);
        if (i == 0 ? (c < low || c > high) : !IsTrail(c)) return kReplacement;
        code = (code << 6) | (c & 0x3F);
        ++at;
    }
    return code;
}

size_t Offset(std::string_view s, long n) {
    size_t at = 0;
    for (long i = 0; i < n && at < s.size(); ++i) Next(s, at);
    return at;
}

std::string Encode(uint32_t code) {
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) code = kReplacement;
    std::string out;
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
    return out;
}

}  // namespace platform::text::utf8
