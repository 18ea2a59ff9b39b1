// Fuzz target: a settings file as the profile functions read and change it. Any bytes
// must read without a crash; a document written back unchanged must be the same bytes;
// a key set must read back as set, and every other key must keep its value.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile/posix/ini_document.h"
#include "platform/profile/posix/ini_encoding.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "ini fuzz target: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform::profile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DecodedIni decoded = DecodeIni(bytes);
    IniDocument document(decoded.text);
    if (document.Text() != decoded.text) Fault("a document read and written back changed");
    if (decoded.encoding == IniEncoding::Bytes && EncodeIni(decoded.text, decoded.encoding) != bytes)
        Fault("an 8-bit file did not come back as it was");

    const auto before = document.Value("Setup", "Fuzz Other Key");
    document.Set("Setup", "Root", "P:\\Jobs\\");
    if (document.Value("Setup", "Root") != "P:\\Jobs\\") Fault("a key set did not read back");
    if (document.Value("Setup", "Fuzz Other Key") != before) Fault("setting one key changed another");
    IniDocument again(document.Text());
    if (again.Text() != document.Text()) Fault("a changed document did not read back the same");
    document.Remove("Setup", "Root");
    if (document.Value("Setup", "Fuzz Other Key") != before) Fault("removing one key changed another");
    (void)EncodeIni(document.Text(), decoded.encoding);
    return 0;
}
