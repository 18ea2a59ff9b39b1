#include "hosts/sim/runner/machine.h"

#include <dlfcn.h>

#include "platform/files/posix/prefix.h"
#include "tools/dbtool/project_database.h"

namespace sim::runner::machine {

namespace fs = std::filesystem;
using platform::files::Prefix;

void Prepare(const fs::path& folder) { Prefix::Create(folder); }

void Drop(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

namespace {
fs::path Mapped(std::string_view windowsPath) {
    auto host = Prefix::HostPath(windowsPath);
    if (!host) throw std::runtime_error("\"" + std::string(windowsPath) + "\" is not mapped");
    return *host;
}
}  // namespace

void MapDrive(std::string_view letter, platform::files::DriveType type, const std::optional<std::string>& share) {
    Prefix::MapDrive(letter, type, share ? std::optional<fs::path>(Mapped(*share)) : std::nullopt);
}

void MakeShare(std::string_view share) { Prefix::MapDrive(share, platform::files::DriveType::Remote); }

void Lock(std::string_view windowsPath) { Prefix::Lock(windowsPath); }

void CreateProjectDatabase(std::string_view windowsPath) {
    const fs::path host = Mapped(windowsPath);
    fs::create_directories(host.parent_path());
    dbtool::CreateProjectDatabase(host);
}

const char* const kWindowToolkit = "qt";

fs::path ProgramFolder() { return fs::canonical("/proc/self/exe").parent_path(); }

// The add-in's test build is in diagnostic/ under the production library's name.
fs::path PluginFile(const fs::path& folder, std::string_view name) {
    const std::string file = std::string(name) + ".so";
    return name == "Quillet09" ? folder / "diagnostic" / file : folder / file;
}

DiagnosticEntry FindDiagnostic(const fs::path& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return nullptr;
    auto entry = reinterpret_cast<DiagnosticEntry>(dlsym(handle, "QuilletDiagnostic"));
    dlclose(handle);  // the library stays: Outlook holds it
    return entry;
}

}  // namespace sim::runner::machine
