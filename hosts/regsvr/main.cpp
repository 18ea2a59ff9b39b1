// quillet-regsvr: registers or unregisters an in-process server library in a
// prefix's registry store, as regsvr32 does on Windows.
//
//     quillet-regsvr [-u] --prefix DIR LIBRARY...
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/library.h"
#include "platform/files/posix/prefix.h"

int main(int argc, char** argv) {
    bool unregister = false;
    std::string prefix;
    std::vector<std::string> libraries;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-u" || arg == "/u") {
            unregister = true;
        } else if (arg == "--prefix" && i + 1 < argc) {
            prefix = argv[++i];
        } else {
            libraries.push_back(std::filesystem::absolute(arg).string());
        }
    }
    if (prefix.empty() || libraries.empty()) {
        std::fprintf(stderr, "usage: quillet-regsvr [-u] --prefix DIR LIBRARY...\n");
        return 2;
    }
    if (std::filesystem::exists(std::filesystem::path(prefix) / "registry.reg"))
        platform::files::Prefix::Open(prefix);
    else
        platform::files::Prefix::Create(prefix);
    int failures = 0;
    for (const auto& library : libraries) {
        int32_t hr = unregister ? platform::com::UnregisterLibrary(library) : platform::com::RegisterLibrary(library);
        if (hr != 0) {
            std::fprintf(stderr, "%s of %s failed (0x%08X) %s\n", unregister ? "DllUnregisterServer" : "DllRegisterServer",
                         library.c_str(), unsigned(hr), platform::com::LastLoadError().c_str());
            ++failures;
        } else {
            std::printf("%s succeeded in %s\n", unregister ? "DllUnregisterServer" : "DllRegisterServer",
                        library.c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}
