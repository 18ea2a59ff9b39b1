// WindowsFileSystem::OpenTextFile: a file read whole when opened for reading, written
// through a C stream on the system's handle otherwise.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

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

// The file opened for writing (emptied) or appending, as a C stream that owns the handle.
std::FILE* OpenForWriting(const std::wstring& native, bool append) {
    HANDLE file = CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) win::RaiseSystemError(GetLastError());
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | (append ? _O_APPEND : 0));
    if (descriptor == -1) {
        CloseHandle(file);
        RaiseStandard(err::PathFileAccess);
    }
    std::FILE* stream = _fdopen(descriptor, append ? "ab" : "wb");
    if (!stream) {
        _close(descriptor);
        RaiseStandard(err::PathFileAccess);
    }
    return stream;
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
        if (!exists) std::fclose(OpenForWriting(resolved.native, true));  // made empty, then read
        return std::make_shared<FileTextStream>(ReadWhole(resolved.native));
    }
    return std::make_shared<FileTextStream>(OpenForWriting(resolved.native, mode == ForAppending));
}

}  // namespace platform::files
