#include "platform/files/windows_path.h"

#include "platform/errors/errors.h"

namespace platform::files::detail {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// The extent of "\\server\share" at the start of the path (0 when there is none).
size_t ShareLength(std::string_view path) {
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
    size_t serverEnd = 2;
    while (serverEnd < path.size() && !IsSeparator(path[serverEnd])) ++serverEnd;
    if (serverEnd == 2 || serverEnd == path.size()) return 0;
    size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    if (shareEnd == serverEnd + 1) return 0;
    return shareEnd;
}

bool HasDriveLetter(std::string_view path) { return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':'; }

// A name as Windows stores it: without trailing dots and blanks.
std::string_view TrimTrailingDotsAndBlanks(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    return name;
}

std::string WithBackslashes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

// Server and share of "\\server\share": valid names, and neither "." nor "..".
bool IsValidShare(std::string_view share) {
    std::string_view rest = share.substr(2);
    size_t split = rest.find('\\');
    std::string_view server = rest.substr(0, split), name = rest.substr(split + 1);
    for (std::string_view part : {server, name})
        if (!IsValidName(part) || TrimTrailingDotsAndBlanks(part).empty()) return false;
    return true;
}

}  // namespace

bool IsValidName(std::string_view name) {
    if (name.empty()) return false;
    for (unsigned char c : name) {
        if (c < 32) return false;
        switch (c) {
            case '<': case '>': case ':': case '"': case '|': case '?': case '*': case '\\': case '/':
                return false;
            default: break;
        }
    }
    return true;
}

int32_t ParseWindowsPath(std::string_view path, WindowsPath& out) {
    out = WindowsPath{};
    if (path.empty()) return err::PathFileAccess;
    std::string_view rest;
    if (size_t share = ShareLength(path)) {
        out.drive = WithBackslashes(path.substr(0, share));
        if (!IsValidShare(out.drive)) return err::PathFileAccess;
        rest = path.substr(share);
    } else if (IsSeparator(path[0]) && path.size() >= 2 && IsSeparator(path[1])) {
        return err::PathFileAccess;  // "\\server" without a share
    } else if (HasDriveLetter(path)) {
        out.drive = {Upper(path[0]), ':'};
        rest = path.substr(2);
    } else {
        out.drive = "C:";  // the current directory is C:\ .
        rest = path;
    }
    out.trailingSeparator = !rest.empty() && IsSeparator(rest.back());

    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        std::string_view part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (out.components.empty()) return err::PathNotFound;
            out.components.pop_back();
            continue;
        }
        if (!IsValidName(part)) return err::PathFileAccess;
        part = TrimTrailingDotsAndBlanks(part);
        if (part.empty()) continue;  // "..." names the folder itself, as "." does
        out.components.emplace_back(part);
    }
    return 0;
}

std::string DrivePart(std::string_view path) {
    if (size_t share = ShareLength(path)) return std::string(path.substr(0, share));
    if (HasDriveLetter(path)) return std::string(path.substr(0, 2));
    return {};
}

std::optional<std::string> NormalDriveName(std::string_view name) {
    if (name.size() == 1 && IsLetter(name[0])) return std::string{Upper(name[0]), ':'};
    if (HasDriveLetter(name) && (name.size() == 2 || (name.size() == 3 && IsSeparator(name[2]))))
        return std::string{Upper(name[0]), ':'};
    size_t share = ShareLength(name);
    if (share == 0) return std::nullopt;
    if (share != name.size() && !(share + 1 == name.size() && IsSeparator(name.back()))) return std::nullopt;
    std::string normal = WithBackslashes(name.substr(0, share));
    if (!IsValidShare(normal)) return std::nullopt;
    return normal;
}

}  // namespace platform::files::detail
