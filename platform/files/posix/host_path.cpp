#include "platform/files/posix/host_path.h"

#include <iterator>
#include <optional>
#include <string>

#include "platform/errors/errors.h"
#include "platform/files/posix/drive_map.h"
#include "platform/text/text.h"

namespace platform::files::detail {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

// The entry of the folder whose name equals the name without regard to case: the
// exact spelling when it exists, otherwise the first match in name order.
std::optional<std::string> MatchEntry(const fs::path& folder, const std::string& name) {
    if (Exists(folder / name)) return name;
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec) return std::nullopt;
    std::optional<std::string> best;
    for (const auto& entry : entries) {
        std::string candidate = entry.path().filename().string();
        if (text::EqualNoCase(candidate, name) && (!best || candidate < *best)) best = candidate;
    }
    return best;
}

// Whether the path, symbolic links followed, stays inside the folder.
bool StaysInside(const fs::path& path, const fs::path& folder) {
    std::error_code ec;
    fs::path root = fs::weakly_canonical(folder, ec);
    if (ec) return false;
    fs::path real = fs::weakly_canonical(path, ec);
    if (ec) return false;
    auto r = root.begin(), p = real.begin();
    for (; r != root.end(); ++r, ++p) {
        if (r->empty() && std::next(r) == root.end()) break;  // a trailing separator of the root
        if (p == real.end() || *p != *r) return false;
    }
    return true;
}

}  // namespace

int32_t ResolveWindowsPath(std::string_view windowsPath, ResolvedPath& out) {
    if (int32_t failure = ParseWindowsPath(windowsPath, out.windows)) return failure;
    auto drive = FindDrive(out.windows.drive);
    if (!drive) return err::PathNotFound;
    out.drive = *drive;
    fs::path host = drive->hostFolder;
    bool matching = true;
    for (const auto& component : out.windows.components) {
        std::optional<std::string> name;
        if (matching) name = MatchEntry(host, component);
        matching = name.has_value();
        host /= name ? *name : component;
    }
    if (!StaysInside(host, drive->hostFolder)) return err::PathNotFound;
    out.host = std::move(host);
    return 0;
}

ResolvedPath ResolveOrRaise(std::string_view windowsPath) {
    ResolvedPath resolved;
    if (int32_t failure = ResolveWindowsPath(windowsPath, resolved)) RaiseStandard(failure);
    return resolved;
}

}  // namespace platform::files::detail
