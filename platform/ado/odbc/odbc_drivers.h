// Which ODBC driver stands behind each OLE DB provider name a connection string may
// give, and how the connection string for that driver is written. The whole mapping
// lives here:
//
//   Microsoft.Jet.OLEDB.4.0, Microsoft.ACE.OLEDB.12.0, Microsoft.ACE.OLEDB.16.0
//       the "Data Source" file decides: an Access file goes to the Access driver,
//       DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=file;UID=user;PWD=password
//       (a Jet file also to the older "Microsoft Access Driver (*.mdb)"); a file of
//       the embedded database engine goes to the SQLite3 driver,
//       DRIVER={SQLite3 ODBC Driver};Database=file (the driver is "SQLite3" under unixODBC)
//   SQLOLEDB, SQLNCLI, SQLNCLI10, SQLNCLI11, MSOLEDBSQL
//       DRIVER={SQL Server};SERVER=data source;DATABASE=initial catalog;UID=user;PWD=password
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ado::odbc {

// What a provider name stands for.
enum class Database { AccessFile, SqlServer };

struct ProviderName {
    std::string_view name;
    Database database;
};

inline constexpr ProviderName kProviderNames[] = {
    {"Microsoft.Jet.OLEDB.4.0", Database::AccessFile}, {"Microsoft.ACE.OLEDB.12.0", Database::AccessFile},
    {"Microsoft.ACE.OLEDB.16.0", Database::AccessFile}, {"SQLOLEDB", Database::SqlServer},
    {"SQLNCLI", Database::SqlServer},  {"SQLNCLI10", Database::SqlServer},
    {"SQLNCLI11", Database::SqlServer}, {"MSOLEDBSQL", Database::SqlServer},
};

// The drivers for each kind of database, in order of preference.
inline constexpr std::string_view kJetFileDrivers[] = {"Microsoft Access Driver (*.mdb, *.accdb)",
                                                       "Microsoft Access Driver (*.mdb)"};
inline constexpr std::string_view kAceFileDrivers[] = {"Microsoft Access Driver (*.mdb, *.accdb)"};
inline constexpr std::string_view kSqliteFileDrivers[] = {"SQLite3 ODBC Driver", "SQLite3"};
inline constexpr std::string_view kSqlServerDrivers[] = {"SQL Server"};

// What the chosen driver speaks: how it nests transactions and what its diagnostics mean.
enum class Dialect { Access, Sqlite, SqlServer };

// The database a provider name stands for (compared without regard to case).
std::optional<Database> DatabaseOf(std::string_view providerName);

// The first of the drivers that is installed (names compared without regard to case).
std::optional<std::string> FirstInstalled(std::span<const std::string_view> drivers,
                                          const std::vector<std::string>& installed);

// The ODBC drivers installed on this machine.
std::vector<std::string> InstalledOdbcDrivers();

// A value as an ODBC connection string holds it: in braces, with every "}" doubled,
// when it holds ";", "{" or "}", or starts or ends with a blank.
std::string OdbcValue(std::string_view value);

// The connection strings. file is the path the driver opens.
std::string AccessConnectionString(std::string_view driver, std::string_view file, std::string_view user,
                                   std::string_view password);
// The SQLite3 driver reads no braces: a path it could not take as it is goes as a
// "file:" URI. The driver never creates the file, and waits as long as the
// embedded engine's own provider for another writer's lock (busyTimeoutMs).
std::string SqliteConnectionString(std::string_view driver, std::string_view file, int busyTimeoutMs);
std::string SqlServerConnectionString(std::string_view driver, std::string_view server, std::string_view database,
                                      std::string_view user, std::string_view password);

}  // namespace platform::ado::odbc
