// On Windows a "Data Source" is the file's path itself. Under Wine the drivers are the
// host's, reached through Wine's driver manager, and open host paths: there the
// driver is given the host path that Wine maps the Windows path to.
#include "platform/ado/odbc/data_source_file.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/text/text.h"

namespace platform::ado::odbc {

namespace {

// Wine's own mapping of a Windows path to a host path; null on Windows itself.
using UnixFileName = char*(CDECL*)(const WCHAR*);

UnixFileName WineUnixFileName() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<UnixFileName>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                  : nullptr;
}

}  // namespace

std::optional<DataSourceFile> LocateDataSourceFile(std::string_view windowsPath) {
    if (windowsPath.empty()) return std::nullopt;
    const std::u16string wide = text::ToUtf16(windowsPath);
    const std::wstring path(wide.begin(), wide.end());
    DataSourceFile file{std::filesystem::path(path), std::string(windowsPath)};
    if (UnixFileName toHost = WineUnixFileName()) {
        if (char* host = toHost(path.c_str())) {
            file.driverPath = host;
            HeapFree(GetProcessHeap(), 0, host);
        }
    }
    return file;
}

}  // namespace platform::ado::odbc
