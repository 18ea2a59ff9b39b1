// WindowsFileSystem::CopyFile: the copy is written aside, beside the target, and then
// moved over it, so a failed copy never leaves half a file and a reader of the old
// target sees it whole until it is replaced.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/errors/errors.h"
#include "platform/files/win/file_system.h"
#include "platform/files/win/native_path.h"
#include "platform/text/win/wide.h"

namespace platform::files {

namespace {

// The target of a copy: the destination itself, or the source's name inside the
// destination when that is written with a separator at the end (a folder).
win::NativePath CopyTarget(std::string_view destination, const win::NativePath& source) {
    auto target = win::ResolveOrRaise(destination);
    if (!target.windows.trailingSeparator) {
        if (win::IsFolder(target.native)) RaiseStandard(err::PermissionDenied);
        return target;
    }
    if (!win::IsFolder(target.native)) RaiseStandard(err::PathNotFound);
    return win::ResolveOrRaise(std::string(destination) + source.windows.components.back());
}

// A fresh name beside the target for writing it aside.
std::wstring AsideName(const win::NativePath& target) {
    static std::atomic<unsigned long> counter{0};
    const std::string name = "~" + target.windows.components.back() + ".aside-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter.fetch_add(1));
    return target.Parent() + L"\\" + text::win::Wide(name);
}

}  // namespace

void WindowsFileSystem::CopyFile(std::string_view source, std::string_view destination, bool overwrite) {
    auto from = win::ResolveOrRaise(source);
    if (from.windows.trailingSeparator || !win::IsFile(from.native))
        RaiseStandard(win::IsFolder(from.Parent()) ? err::FileNotFound : err::PathNotFound);
    auto to = CopyTarget(destination, from);
    if (!win::IsFolder(to.Parent())) RaiseStandard(err::PathNotFound);
    if (win::AttributesOf(to.native) != INVALID_FILE_ATTRIBUTES) {
        if (!overwrite) RaiseStandard(err::FileAlreadyExists);
        if (!win::IsFile(to.native) || win::IsReadOnly(to.native)) RaiseStandard(err::PermissionDenied);
        if (win::SameFile(from.native, to.native)) RaiseStandard(err::PermissionDenied);
    }

    // A file in use (held without sharing) fails either step with a sharing violation.
    const std::wstring aside = AsideName(to);
    if (!CopyFileW(from.native.c_str(), aside.c_str(), TRUE)) {
        DeleteFileW(aside.c_str());
        RaiseStandard(err::PermissionDenied);
    }
    if (!MoveFileExW(aside.c_str(), to.native.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        SetFileAttributesW(aside.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only source made a read-only copy
        DeleteFileW(aside.c_str());
        RaiseStandard(err::PermissionDenied);
    }
}

}  // namespace platform::files
