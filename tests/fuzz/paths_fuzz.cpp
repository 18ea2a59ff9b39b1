// Fuzz target: the texts that name places: Windows paths and drive names, and the
// connection strings that name a database. Any text is taken apart or refused without
// a crash; a path taken apart holds only names a Windows file may have, and a path put
// together again from its parts takes apart the same; a connection string's value
// quoted as the database object quotes it reads back whole.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ado/connection_properties.h"
#include "platform/files/windows_path.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "paths fuzz target: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform::files::detail;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    WindowsPath path;
    if (ParseWindowsPath(text, path) == 0) {
        std::string joined = path.drive.empty() ? "C:" : path.drive;
        for (const auto& name : path.components) {
            if (!IsValidName(name)) Fault("a path holds a name no file may have");
            joined += "\\" + name;
        }
        WindowsPath again;
        if (ParseWindowsPath(joined.empty() ? "C:\\" : joined, again) != 0 || again.components != path.components)
            Fault("a path put together again takes apart otherwise");
    }
    (void)DrivePart(text);
    (void)NormalDriveName(text);

    const auto properties = platform::ado::ConnectionProperties::Parse(text);
    for (const auto& [key, value] : properties.Pairs()) (void)properties.Get(key);
    // The value in double quotes, each double quote doubled, reads back whole.
    std::string quoted = "Provider=P;Data Source=\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    quoted += "\";Persist Security Info=False;";
    if (platform::ado::ConnectionProperties::Parse(quoted).Get("Data Source") != text)
        Fault("a quoted value did not read back whole");
    return 0;
}
