// Where the file that a connection string's "Data Source" names is: this process
// checks it there before a driver opens it, and the driver is given its path in the
// driver's own terms. Each platform says how (the drive map of the prefix here; the
// path itself on Windows).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::ado::odbc {

struct DataSourceFile {
    std::filesystem::path local;  // where this process reads it
    std::string driverPath;       // the path the driver opens (UTF-8)
};

// Null when the path names no drive or share that is there.
std::optional<DataSourceFile> LocateDataSourceFile(std::string_view windowsPath);

}  // namespace platform::ado::odbc
