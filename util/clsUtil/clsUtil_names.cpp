// File-name cleaning.
#include <string_view>

#include "util/clsUtil/clsUtil.h"

namespace {

// Characters a Windows file name may not hold. Besides the nine the system has
// always replaced (' * / : < > ? \ |), the double quote and the control characters
// 1 to 31 are replaced too: Windows refuses them, so the save that follows would fail.
bool IsIllegal(unsigned char c) {
    switch (c) {
        case '\'': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        case '"':
            return true;
        default:
            return c >= 1 && c <= 31;
    }
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Whether Windows takes the word for a device (CON, PRN, AUX, NUL, COM0 to COM9,
// LPT0 to LPT9), without regard to case.
bool IsDeviceName(std::string_view word) {
    std::string upper;
    for (char c : word) upper += Upper(c);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
           upper[3] <= '9';
}

// A name Windows would take for a device (its part before the first dot, blanks at
// its end ignored, is a device name: "CON", "nul.txt", "COM1 .msg") cannot name a file;
// like a refused character, the device word is changed: an underscore follows it.
void KeepFromDeviceNames(std::string& name) {
    const size_t dot = name.find('.');
    std::string_view stem = std::string_view(name).substr(0, dot);
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    if (IsDeviceName(stem)) name = name.substr(0, stem.size()) + "_" + name.substr(stem.size());
}

}  // namespace

// Each illegal character becomes a blank, every run of blanks shrinks to one, and
// blanks at either end go; a name Windows keeps for a device gets an underscore after
// the device word. Only ASCII is touched, so UTF-8 passes through whole.
std::string clsUtil::RemoveIllegalCharacters(const std::string& strFileName) {
    std::string joined;
    joined.reserve(strFileName.size());
    for (unsigned char c : strFileName) {
        char kept = IsIllegal(c) ? ' ' : char(c);
        if (kept == ' ' && !joined.empty() && joined.back() == ' ') continue;
        joined += kept;
    }
    size_t first = joined.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = joined.find_last_not_of(' ');
    std::string name = joined.substr(first, last - first + 1);
    KeepFromDeviceNames(name);
    return name;
}
