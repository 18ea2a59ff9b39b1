// Twips, the forms' unit, and pixels, the screen's: 1440 twips to the inch, so at a
// logical resolution of 96 dots per inch (the desktop's standard) 15 twips are one pixel.
//
// A backend draws a control at the pixels of its edges, not of its left and width one
// by one: PixelRect keeps the edges of neighbouring controls together at every
// resolution, where rounding each width would open or close gaps between them.
#pragma once

#include <cstdint>

namespace platform::toolkit {

inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kStandardDpi = 96;

namespace detail {
// numerator / denominator (denominator > 0) rounded to the nearest integer, halves
// up, below zero as above it.
constexpr int32_t RoundedQuotient(int64_t numerator, int64_t denominator) {
    int64_t twice = 2 * numerator + denominator;
    int64_t below = 2 * denominator;
    int64_t quotient = twice / below;
    if (twice % below != 0 && twice < 0) --quotient;  // floor, also below zero
    return static_cast<int32_t>(quotient);
}
}  // namespace detail

// A length or coordinate in twips as pixels at `dpi`, rounded to the nearest pixel.
constexpr int32_t TwipsToPixels(int32_t twips, int32_t dpi = kStandardDpi) {
    return detail::RoundedQuotient(int64_t{twips} * dpi, kTwipsPerInch);
}

// Pixels at `dpi` as twips, rounded to the nearest twip.
constexpr int32_t PixelsToTwips(int32_t pixels, int32_t dpi = kStandardDpi) {
    return detail::RoundedQuotient(int64_t{pixels} * kTwipsPerInch, dpi);
}

struct PixelRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A rectangle in twips (Left, Top, Width, Height) as pixels at `dpi`, by its edges.
constexpr PixelRect TwipsToPixels(int32_t left, int32_t top, int32_t width, int32_t height,
                                  int32_t dpi = kStandardDpi) {
    int32_t x = TwipsToPixels(left, dpi);
    int32_t y = TwipsToPixels(top, dpi);
    return {x, y, TwipsToPixels(left + width, dpi) - x, TwipsToPixels(top + height, dpi) - y};
}

}  // namespace platform::toolkit
