// quillet-register [/u] DLL: registers (or with /u unregisters) an in-process server
// for the current user alone, as an installation without administrator rights needs.
//
// regsvr32 writes a server's classes under HKEY_CLASSES_ROOT, which for anyone but an
// administrator is the machine's part and refuses the write. Here, for this process
// only, HKEY_CLASSES_ROOT is the current user's classes key
// (HKEY_CURRENT_USER\Software\Classes), which Windows merges into every user's view
// of the classes; then the server's own DllRegisterServer or DllUnregisterServer
// runs. Keys under HKEY_CURRENT_USER itself (the Outlook add-in key) stay where the
// server writes them. The exit code is 0 on success, else the entry point's HRESULT
// or 1 when the library or its entry point cannot be found.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

using EntryPoint = HRESULT(STDAPICALLTYPE*)();

int Fail(const wchar_t* what, const wchar_t* file, unsigned long code) {
    std::fwprintf(stderr, L"quillet-register: %ls %ls (0x%08lx)\n", what, file, code);
    return code ? int(code) : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool unregister = false;
    const wchar_t* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (_wcsicmp(argv[i], L"/u") == 0)
            unregister = true;
        else
            file = argv[i];
    }
    if (!file) {
        std::fwprintf(stderr, L"usage: quillet-register [/u] SERVER.dll\n");
        return 2;
    }

    HKEY classes = nullptr;
    LONG opened = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &classes, nullptr);
    if (opened != ERROR_SUCCESS) return Fail(L"cannot open the user's classes for", file, opened);
    LONG overridden = RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
    RegCloseKey(classes);
    if (overridden != ERROR_SUCCESS) return Fail(L"cannot register per user:", file, overridden);

    HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE library = LoadLibraryExW(file, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return Fail(L"cannot load", file, GetLastError());
    const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!entry) return Fail(L"no registration entry point in", file, GetLastError());
    const HRESULT result = entry();
    FreeLibrary(library);
    if (SUCCEEDED(initialized)) CoUninitialize();
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (FAILED(result)) return Fail(unregister ? L"unregistering failed for" : L"registering failed for", file,
                                    static_cast<unsigned long>(result));
    return 0;
}
