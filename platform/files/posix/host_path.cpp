#include "platform/files/posix/host_path.h"

#include <deque>
#include <iterator>
#include <optional>
#include <string>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/text/text.h"

namespace platform::files::detail {

namespace fs = std::filesystem;

namespace {

// The entry of the folder whose name equals the name without regard to case: the
// exact spelling when it exists, otherwise the first match in name order. `link` is
// false only when the entry is known to be no symbolic link (an exact match that is
// none, or no entry at all: then nothing on that way is a link either).
std::optional<std::string> MatchEntry(const fs::path& folder, const std::string& name, bool& link) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(folder / name, ec);
    link = status.type() == fs::file_type::symlink;
    if (!ec && status.type() != fs::file_type::not_found) return name;
    link = true;  // not known for a match found by listing the folder
    fs::directory_iterator entries(folder, ec);
    if (ec) return std::nullopt;
    std::optional<std::string> best;
    for (const auto& entry : entries) {
        std::string candidate = entry.path().filename().string();
        if (text::EqualNoCase(candidate, name) && (!best || candidate < *best)) best = candidate;
    }
    if (!best) link = false;
    return best;
}

// Whether the path, symbolic links followed, stays inside the folder.
bool StaysInside(const fs::path& path, const fs::path& folder) {
    std::optional<fs::path> root = FollowLinks(folder), real = FollowLinks(path);
    if (!root || !real) return false;
    auto r = root->begin(), p = real->begin();
    for (; r != root->end(); ++r, ++p) {
        if (r->empty() && std::next(r) == root->end()) break;  // a trailing separator of the root
        if (p == real->end() || *p != *r) return false;
    }
    return true;
}

}  // namespace

std::optional<fs::path> FollowLinks(const fs::path& path) {
    constexpr int kMostLinks = 40;  // as the kernel allows before ELOOP
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) return std::nullopt;
    std::deque<fs::path> pending(std::next(absolute.begin()), absolute.end());
    fs::path real = absolute.root_path();
    int links = 0;
    while (!pending.empty()) {
        fs::path name = std::move(pending.front());
        pending.pop_front();
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            real = real.parent_path();
            continue;
        }
        fs::path next = real / name;
        if (!fs::is_symlink(fs::symlink_status(next, ec))) {
            real = std::move(next);
            continue;
        }
        if (++links > kMostLinks) return std::nullopt;
        fs::path target = fs::read_symlink(next, ec);
        if (ec) return std::nullopt;
        const fs::path relative = target.relative_path();
        pending.insert(pending.begin(), relative.begin(), relative.end());
        if (target.is_absolute()) real = target.root_path();
    }
    return real;
}

int32_t ResolveWindowsPath(std::string_view windowsPath, ResolvedPath& out) {
    if (int32_t failure = ParseWindowsPath(windowsPath, out.windows)) return failure;
    auto drive = FindDrive(out.windows.drive);
    if (!drive) return err::PathNotFound;
    out.drive = *drive;
    fs::path host = drive->hostFolder;
    bool matching = true;
    bool links = false;  // whether a component below the mapped folder may be a symbolic link
    for (const auto& component : out.windows.components) {
        std::optional<std::string> name;
        bool link = false;
        if (matching) name = MatchEntry(host, component, link);
        links = links || link;
        matching = name.has_value();
        host /= name ? *name : component;
    }
    // Without a link below the mapped folder the path, followed, is that folder followed
    // and then the same names: it stays inside whenever the folder itself can be followed.
    const bool inside = links ? StaysInside(host, drive->hostFolder) : FollowLinks(drive->hostFolder).has_value();
    if (!inside) return err::PathNotFound;
    out.host = std::move(host);
    return 0;
}

ResolvedPath ResolveOrRaise(std::string_view windowsPath) {
    ResolvedPath resolved;
    if (int32_t failure = ResolveWindowsPath(windowsPath, resolved)) RaiseStandard(failure);
    return resolved;
}

}  // namespace platform::files::detail
