// Colours as the window toolkit takes them: a 24-bit value 0x00BBGGRR (blue in the
// high byte, red in the low one), or a system colour index with the high bit set
// (0x80000005 is the window background, whatever the desktop's scheme makes it).
#pragma once

#include <cstdint>

namespace platform::toolkit {

using Color = uint32_t;

inline constexpr Color vbBlack = 0x000000;
inline constexpr Color vbRed = 0x0000FF;
inline constexpr Color vbYellow = 0x00FFFF;
inline constexpr Color vbBlue = 0xFF0000;
inline constexpr Color vbWhite = 0xFFFFFF;

// System colour indexes.
inline constexpr Color vbWindowBackground = 0x80000005;
inline constexpr Color vbWindowText = 0x80000008;
inline constexpr Color vbButtonFace = 0x8000000F;
inline constexpr Color vbButtonText = 0x80000012;

}  // namespace platform::toolkit
