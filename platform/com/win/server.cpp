// Creating registered classes through COM itself (CoCreateInstance, in-process
// servers only), the library file an address belongs to, and a server's own
// registration entry points, as regsvr32 calls them.
#include <windows.h>

#include <objbase.h>

#include <string>

#include "platform/com/library.h"
#include "platform/com/server.h"
#include "platform/errors/errors.h"
#include "platform/text/win/wide.h"

namespace platform::com {

namespace {

using text::win::Narrow;
using text::win::Wide;

std::string& LoadError() {
    static std::string error;
    return error;
}

// The system's words for an error number (without the line break it ends with).
std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer ? buffer : L"", length);
    if (buffer) LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    char number[16];
    wsprintfA(number, "0x%08lX", static_cast<unsigned long>(error));
    return message.empty() ? std::string("error ") + number : Narrow(message) + " (" + number + ")";
}

[[noreturn]] void CannotCreate(const std::string& what) {
    Raise(kCannotCreateObject, "ActiveX component can't create object", what);
}

const ::GUID& Native(const Guid& id) { return reinterpret_cast<const ::GUID&>(id); }

abi::HRESULT CallRegistration(const std::string& libraryFile, const char* entry) {
    HMODULE library = LoadLibraryW(Wide(libraryFile).c_str());
    if (!library) {
        LoadError() = libraryFile + ": " + SystemMessage(GetLastError());
        return abi::hr::ModuleNotFound;
    }
    auto function = reinterpret_cast<DllRegistrationFn>(reinterpret_cast<void*>(GetProcAddress(library, entry)));
    abi::HRESULT result = abi::hr::ProcNotFound;
    if (function) {
        result = function();
    } else {
        LoadError() = std::string("no ") + entry + " in " + libraryFile;
    }
    FreeLibrary(library);
    return result;
}

}  // namespace

abi::IUnknown* CreateInstance(const Guid& clsid) {
    ::IUnknown* object = nullptr;
    const HRESULT made =
        CoCreateInstance(Native(clsid), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    if (FAILED(made) || !object) CannotCreate(clsid.ToString() + ": " + SystemMessage(DWORD(made)));
    return reinterpret_cast<abi::IUnknown*>(object);
}

abi::IUnknown* CreateInstance(std::string_view progId) {
    ::CLSID clsid{};
    const HRESULT found = CLSIDFromProgID(Wide(progId).c_str(), &clsid);
    if (FAILED(found)) CannotCreate(std::string(progId) + ": " + SystemMessage(DWORD(found)));
    return CreateInstance(reinterpret_cast<const Guid&>(clsid));
}

std::string ModuleFileName(const void* addressInModule) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const wchar_t*>(addressInModule), &module))
        return {};
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, file.data(), DWORD(file.size()));
        if (length == 0) return {};
        if (length < file.size()) {
            file.resize(length);
            return Narrow(file);
        }
        file.resize(file.size() * 2);
    }
}

int32_t RegisterLibrary(const std::string& libraryFile) { return CallRegistration(libraryFile, "DllRegisterServer"); }
int32_t UnregisterLibrary(const std::string& libraryFile) {
    return CallRegistration(libraryFile, "DllUnregisterServer");
}
std::string LastLoadError() { return LoadError(); }

}  // namespace platform::com
