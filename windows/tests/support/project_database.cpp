#include "support/project_database.h"

#include <stdexcept>

#include "platform/ado/odbc/data_source_file.h"
#include "platform/ado/odbc/odbc_api.h"
#include "platform/ado/odbc/odbc_drivers.h"

namespace windows_tests {

namespace {

using namespace platform::ado::odbc;

constexpr const char* kSchema =
    "CREATE TABLE Project ("
    "ProjectID INTEGER PRIMARY KEY AUTOINCREMENT, "
    "[Project Number] TEXT COLLATE NOCASE, "
    "[Project Name] TEXT COLLATE NOCASE, "
    "ProjFilePath TEXT COLLATE NOCASE, "
    "Active BOOLEAN NOT NULL DEFAULT 0)";

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

void Check(SQLRETURN rc, const Handle& handle, const std::string& what) {
    if (SQL_SUCCEEDED(rc)) return;
    std::string message = what + " failed:";
    for (const Diagnostic& record : handle.Diagnostics()) message += " [" + record.state + "] " + record.message;
    throw std::runtime_error(message);
}

}  // namespace

std::optional<std::string> MakeProjectDatabase(const std::string& windowsPath, const std::vector<Project>& projects) {
    const auto driver = FirstInstalled(kSqliteFileDrivers, InstalledOdbcDrivers());
    if (!driver) return "the SQLite3 ODBC driver is not installed";
    const auto file = LocateDataSourceFile(windowsPath);
    if (!file) throw std::runtime_error("no such folder: " + windowsPath);

    Handle environment = Handle::Environment();
    Handle connection = Handle::Under(environment, SQL_HANDLE_DBC);
    WideText connect("DRIVER={" + *driver + "};Database=" + file->driverPath + ";");
    Check(SQLDriverConnectW(connection.Get(), nullptr, connect.Data(), SQLSMALLINT(connect.Length()), nullptr, 0,
                            nullptr, SQL_DRIVER_NOPROMPT),
          connection, "connecting");
    std::vector<std::string> statements = {kSchema};
    for (const Project& p : projects)
        statements.push_back("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, Active) VALUES (" +
                             Quoted(p.number) + ", " + Quoted(p.name) + ", " + Quoted(p.folder) + ", " +
                             (p.active ? "1" : "0") + ")");
    for (const std::string& sql : statements) {
        Handle statement = Handle::Under(connection, SQL_HANDLE_STMT);
        WideText text(sql);
        Check(SQLExecDirectW(statement.Get(), text.Data(), text.Length()), statement, sql);
    }
    SQLDisconnect(connection.Get());
    return std::nullopt;
}

}  // namespace windows_tests
