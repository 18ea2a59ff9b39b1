// The add-in library's version, as its version resource gives it (3.00.0034), and
// as the save form's caption shows it: major.minor.revision without leading zeros.
#pragma once

#include <string>

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 34;

inline std::string LibraryVersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}
