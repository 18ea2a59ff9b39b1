// A project database made on a Windows machine the way one without Access makes it:
// through the SQLite3 ODBC driver, which creates the embedded engine's file. The
// tests that reach a database through ODBC start from one of these.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace windows_tests {

// The project table with these rows (number, name, folder, active), at windowsPath.
struct Project {
    std::string number, name, folder;
    bool active = true;
};

// Why no database can be made here (the driver is not installed), or nothing when it
// was made. Other failures raise.
std::optional<std::string> MakeProjectDatabase(const std::string& windowsPath, const std::vector<Project>& projects);

}  // namespace windows_tests
