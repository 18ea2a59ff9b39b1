// The machine a scenario plays on, as its machine steps change it. Here (posix/) it is
// a fresh prefix that the platform plays Windows in; on Windows (win/) it is the
// machine itself, under Wine a fresh prefix per scenario, whose drives and shares are
// made through Wine's mount manager.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/abi.h"
#include "platform/files/files.h"

namespace sim::runner::machine {

// The machine made ready for a scenario (here: the prefix made in `folder`), and
// dropped after it (unless it is kept).
void Prepare(const std::filesystem::path& folder);
void Drop(const std::filesystem::path& folder);

// A drive letter ("P:") of a type, over a fresh empty folder or the folder of a share
// made before ("\\srv\jobs"); a share of its own, empty.
void MapDrive(std::string_view letter, platform::files::DriveType type, const std::optional<std::string>& share);
void MakeShare(std::string_view share);
// The file held open by another program, so that no one else may open it.
void Lock(std::string_view windowsPath);
// A new project database with its empty Project table.
void CreateProjectDatabase(std::string_view windowsPath);

// The toolkit that draws real windows here ("qt"; "win32" on Windows).
extern const char* const kWindowToolkit;

// The folder of this program, where the plugins are, and the file of the plugin the
// scenarios load there ("UtilOrvek2"; "Quillet09" is the add-in's test build).
std::filesystem::path ProgramFolder();
std::filesystem::path PluginFile(const std::filesystem::path& folder, std::string_view name);
// The add-in test build's diagnostic entry point while the library is loaded; null
// otherwise.
using DiagnosticEntry = platform::com::abi::HRESULT (*)(const char*, platform::com::abi::BSTR*);
DiagnosticEntry FindDiagnostic(const std::filesystem::path& library);

}  // namespace sim::runner::machine
