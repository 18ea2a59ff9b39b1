// quillet-regsvr: registers or unregisters an in-process server library in a
// prefix's registry store, as regsvr32 does on Windows.
//
//     quillet-regsvr [-u] --prefix DIR LIBRARY...
//
// Every failure is one line on the standard error and a non-zero exit: 1 when the
// prefix or a library failed, 2 for wrong use. A registry store with a line it does not
// understand is left as it is (writing it would drop that line), naming the line.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/library.h"
#include "platform/errors/errors.h"
#include "platform/files/posix/change_lock.h"
#include "platform/files/posix/prefix.h"
#include "platform/registry/registry.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: quillet-regsvr [-u] --prefix DIR LIBRARY...\n";

// Opens the prefix, or makes it when it holds no registry store yet; false (after
// saying why) when neither can be done or the store cannot be changed safely.
bool OpenPrefix(const fs::path& prefix) {
    std::error_code error;
    if (fs::exists(prefix, error) && !fs::is_directory(prefix, error)) {
        std::fprintf(stderr, "quillet-regsvr: the prefix %s is not a folder\n", prefix.c_str());
        return false;
    }
    // Two runs on a new prefix at once: the second must open what the first made, not
    // make it afresh over the first one's registrations. (The lock is on the folder
    // that holds the prefix; the prefix's own is taken by every change of its store.)
    fs::create_directories(prefix);
    platform::files::detail::ChangeLock making(fs::absolute(prefix).lexically_normal());
    if (making.Failure()) {
        std::fprintf(stderr, "quillet-regsvr: the prefix %s is in use by another program\n", prefix.c_str());
        return false;
    }
    const fs::path store = prefix / "registry.reg";
    if (fs::exists(store, error)) {
        platform::files::Prefix::Open(prefix);
        if (auto unread = platform::registry::FirstUnreadLine()) {
            std::fprintf(stderr, "quillet-regsvr: %s, line %zu, is not understood (\"%s\"); nothing was changed\n",
                         store.c_str(), unread->number, unread->text.c_str());
            return false;
        }
    } else {
        platform::files::Prefix::Create(prefix);
    }
    return true;
}

int Run(int argc, char** argv) {
    bool unregister = false;
    std::string prefix;
    std::vector<std::string> libraries;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-u" || arg == "/u") {
            unregister = true;
        } else if (arg == "--prefix" && i + 1 < argc) {
            prefix = argv[++i];
        } else if (arg == "-h" || arg == "--help" || arg == "/?") {
            std::printf("%s", kUsage);
            return 0;
        } else {
            libraries.push_back(fs::absolute(arg).string());
        }
    }
    if (prefix.empty() || libraries.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    if (!OpenPrefix(prefix)) return 1;
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

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const platform::ErrorInfo& failure) {
        std::fprintf(stderr, "quillet-regsvr: %s (%d)\n", failure.Description.c_str(), int(failure.Number));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quillet-regsvr: %s\n", failure.what());
    }
    return 1;
}
