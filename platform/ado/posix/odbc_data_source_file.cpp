// A "Data Source" reaches the host file through the prefix's drive map, and the
// driver, which runs here too, opens that host file.
#include "platform/ado/odbc/data_source_file.h"
#include "platform/files/posix/prefix.h"

namespace platform::ado::odbc {

std::optional<DataSourceFile> LocateDataSourceFile(std::string_view windowsPath) {
    auto host = files::Prefix::HostPath(windowsPath);
    if (!host) return std::nullopt;
    return DataSourceFile{*host, host->string()};
}

}  // namespace platform::ado::odbc
