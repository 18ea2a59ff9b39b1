// The type library is a resource of the server's own file: the system registers it,
// and with it every dual interface it describes (TypeLib\{id} and Interface\{id}).
#include <windows.h>

#include <oleauto.h>

#include <cstdlib>
#include <string>

#include "platform/com/type_library.h"
#include "platform/errors/errors.h"
#include "platform/text/win/wide.h"

namespace platform::com {

namespace {

constexpr int32_t kCannotRegister = 50035;  // "Error accessing the system registry"

// "1.0" as its two numbers.
void Version(const std::string& version, WORD& major, WORD& minor) {
    const size_t dot = version.find('.');
    major = WORD(std::strtoul(version.substr(0, dot).c_str(), nullptr, 10));
    minor = dot == std::string::npos ? 0 : WORD(std::strtoul(version.substr(dot + 1).c_str(), nullptr, 10));
}

constexpr SYSKIND kThisSystem = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

}  // namespace

// Registered under the library file's own name (the system might otherwise write the
// name it resolved the file by), with the file's folder as the help folder.
void RegisterTypeLibrary(const ServerEntry& server) {
    const std::wstring file = text::win::Wide(server.libraryFile);
    const size_t slash = file.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(file.c_str(), REGKIND_NONE, &library);
    if (SUCCEEDED(result) && library) {
        // The system's header takes the two names without const; they are only read.
        result = RegisterTypeLib(library, const_cast<wchar_t*>(file.c_str()),
                                 folder.empty() ? nullptr : const_cast<wchar_t*>(folder.c_str()));
        library->Release();
    }
    if (FAILED(result)) Raise(kCannotRegister, "The type library of " + server.libraryFile + " cannot be registered");
}

void UnregisterTypeLibrary(const ServerEntry& server) {
    WORD major = 0, minor = 0;
    Version(server.version, major, minor);
    const HRESULT removed =
        UnRegisterTypeLib(reinterpret_cast<const ::GUID&>(server.libid), major, minor, LANG_NEUTRAL, kThisSystem);
    // A library that is not registered has nothing to remove.
    if (FAILED(removed) && removed != TYPE_E_REGISTRYACCESS && removed != TYPE_E_LIBNOTREGISTERED)
        Raise(kCannotRegister, "The type library of " + server.libraryFile + " cannot be unregistered");
}

}  // namespace platform::com
