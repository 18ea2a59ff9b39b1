// WindowsFileSystem::OpenTextFile: a file read whole when opened for reading, written
// through the system's handle otherwise.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/errors/errors.h"
#include "platform/files/text_stream_impl.h"
#include "platform/files/win/file_system.h"
#include "platform/files/win/native_path.h"

namespace platform::files {

namespace {

constexpr int32_t kInvalidArgument = 5;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The whole file; a file that another holds without sharing raises 70.
std::string ReadWhole(const std::wstring& native) {
    HANDLE file = CreateFileW(native.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) win::RaiseSystemError(GetLastError());
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    BOOL ok = TRUE;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0) content.append(buffer, read);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) win::RaiseSystemError(error);
    return content;
}

// Writes through the system's handle, in pieces, as the stream puts its text.
class HandleTextSink final : public TextSink {
public:
    explicit HandleTextSink(HANDLE file) : file_(file) {}
    ~HandleTextSink() override {
        if (file_ == INVALID_HANDLE_VALUE) return;
        WriteAll(std::exchange(pending_, {}));
        CloseHandle(file_);
    }

    void Put(std::string_view bytes) override {
        pending_ += bytes;
        if (pending_.size() >= kPiece) Drain();
    }

    void Close() override {
        const DWORD failure = WriteAll(std::exchange(pending_, {}));
        const DWORD closed = CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) ? 0 : GetLastError();
        if (failure || closed) win::RaiseSystemError(failure ? failure : closed);
    }

private:
    static constexpr size_t kPiece = 64 * 1024;

    // 0, or the system's error.
    DWORD WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            DWORD written = 0;
            const DWORD piece = DWORD(std::min<size_t>(bytes.size(), kPiece));
            if (!WriteFile(file_, bytes.data(), piece, &written, nullptr)) return GetLastError();
            bytes.remove_prefix(written);
        }
        return 0;
    }
    void Drain() {
        if (const DWORD failure = WriteAll(std::exchange(pending_, {}))) win::RaiseSystemError(failure);
    }

    HANDLE file_;
    std::string pending_;
};

// The file opened for writing (emptied) or appending, at its end.
HANDLE OpenForWriting(const std::wstring& native, bool append) {
    HANDLE file = CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) win::RaiseSystemError(GetLastError());
    if (append && SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        win::RaiseSystemError(error);
    }
    return file;
}

}  // namespace

// The format (ASCII, Unicode, default) is accepted and ignored: text passes through
// as bytes, UTF-8 being this system's one encoding.
std::shared_ptr<TextStream> WindowsFileSystem::OpenTextFile(std::string_view path, int32_t mode, bool create,
                                                            int32_t /*format*/) {
    if (mode != ForReading && mode != ForWriting && mode != ForAppending)
        Raise(kInvalidArgument, "Invalid procedure call or argument");
    auto resolved = win::ResolveOrRaise(path);
    if (resolved.windows.components.empty() || win::IsFolder(resolved.native)) RaiseStandard(err::PermissionDenied);
    if (resolved.windows.trailingSeparator) RaiseStandard(err::PathNotFound);

    const bool exists = win::AttributesOf(resolved.native) != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        if (!win::IsFolder(resolved.Parent())) RaiseStandard(err::PathNotFound);
        if (!create) RaiseStandard(err::FileNotFound);
    }
    if (exists && mode != ForReading && win::IsReadOnly(resolved.native)) RaiseStandard(err::PermissionDenied);

    if (mode == ForReading) {
        if (!exists) CloseHandle(OpenForWriting(resolved.native, true));  // made empty, then read
        return std::make_shared<FileTextStream>(ReadWhole(resolved.native));
    }
    return std::make_shared<FileTextStream>(
        std::make_unique<HandleTextSink>(OpenForWriting(resolved.native, mode == ForAppending)));
}

}  // namespace platform::files
