// Fuzz target: the registry store's file. Any bytes must read without a crash; what
// the store writes must read back as the same keys and values, with no line it does
// not understand, and must write again as the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/posix/registry_store.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "registry fuzz target: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform::registry::detail;
    const Store store = ParseStore(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = FormatStore(store.keys);
    const Store again = ParseStore(written);
    if (again.unreadLine != 0) Fault("the store wrote a line it does not understand");
    if (again.keys.size() != store.keys.size()) Fault("keys were lost or made up");
    if (FormatStore(again.keys) != written) Fault("the store did not write the same text twice");
    return 0;
}
