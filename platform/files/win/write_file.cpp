// WriteFileAtomically on Windows: the bytes go to a new file in the same folder, are
// flushed to the disk, and the system moves that file over the old one in one step.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/errors/errors.h"
#include "platform/files/files.h"
#include "platform/files/win/native_path.h"

namespace platform::files {

namespace {

// The new file beside the old one; removed again unless it took the old one's place.
class Aside {
public:
    explicit Aside(std::wstring path) : path_(std::move(path)) {}
    ~Aside() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
};

void WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD piece = DWORD(bytes.size() < (1u << 20) ? bytes.size() : (1u << 20));
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr)) win::RaiseSystemError(GetLastError());
        bytes.remove_prefix(written);
    }
}

}  // namespace

void WriteFileAtomically(std::string_view windowsPath, std::string_view bytes) {
    auto resolved = win::ResolveOrRaise(windowsPath);
    if (resolved.windows.components.empty() || win::IsFolder(resolved.native)) RaiseStandard(err::PermissionDenied);
    if (resolved.windows.trailingSeparator || !win::IsFolder(resolved.Parent())) RaiseStandard(err::PathNotFound);
    const DWORD attributes = win::AttributesOf(resolved.native);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseStandard(err::PermissionDenied);
    // Someone holding the file without sharing it keeps it: refused before anything is written.
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        HANDLE probe = CreateFileW(resolved.native.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        if (probe == INVALID_HANDLE_VALUE) RaiseStandard(err::PermissionDenied);
        CloseHandle(probe);
    }

    Aside aside(resolved.native + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64()));
    HANDLE file = CreateFileW(aside.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              attributes != INVALID_FILE_ATTRIBUTES ? (attributes & ~FILE_ATTRIBUTE_DIRECTORY)
                                                                    : FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) win::RaiseSystemError(GetLastError());
    {
        const std::unique_ptr<void, decltype(&CloseHandle)> closing(file, &CloseHandle);
        WriteAll(file, bytes);
        if (!FlushFileBuffers(file)) win::RaiseSystemError(GetLastError());
    }
    if (!MoveFileExW(aside.Path().c_str(), resolved.native.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseStandard(err::PermissionDenied);
    aside.Keep();
}

}  // namespace platform::files
