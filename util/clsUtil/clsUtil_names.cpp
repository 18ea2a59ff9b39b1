// File-name cleaning.
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

}  // namespace

// Each illegal character becomes a blank, every run of blanks shrinks to one, and
// blanks at either end go. Only ASCII is touched, so UTF-8 passes through whole.
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
    return joined.substr(first, last - first + 1);
}
