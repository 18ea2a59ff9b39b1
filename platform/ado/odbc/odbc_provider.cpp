#include "platform/ado/odbc/odbc_provider.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

#include "platform/ado/ado.h"
#include "platform/ado/ado_failures.h"
#include "platform/ado/database_file.h"
#include "platform/ado/odbc/data_source_file.h"
#include "platform/ado/odbc/odbc_drivers.h"
#include "platform/ado/odbc/odbc_failures.h"
#include "platform/ado/odbc/odbc_session.h"
#include "platform/errors/errors.h"

namespace platform::ado {

namespace {

using namespace odbc;

// How long a statement waits for another writer's lock, as with the embedded engine's
// own provider.
constexpr int kBusyTimeoutMs = 5000;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return text;
}

[[noreturn]] void Refuse(std::string description) {
    Raise(adoerr::ProviderFailure, std::move(description), kOdbcSource);
}

[[noreturn]] void RefuseFile(const std::string& path, const DatabaseFileInspection& inspection) {
    Refuse(UnusableFileDescription(path, inspection));
}

// Reads the schema once, so that a damaged file fails here and not in some later
// statement, and checks the file's length against the page count of its header.
void CheckSoundDatabase(Session& session, const DataSourceFile& file, uint32_t pageSize, const std::string& path) {
    session.Execute("SELECT type, name, tbl_name, sql FROM sqlite_master", true);
    const RowSet count = session.Execute("PRAGMA page_count", true);
    if (count.Rows() != 1) return;
    const std::string text = count.cells.Value(0).ToText();
    uintmax_t pages = 0;
    std::from_chars(text.data(), text.data() + text.size(), pages);
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(file.local, ec);
    if (!ec && size < pages * pageSize) Refuse(ShortDatabaseDescription(path, size, pages * pageSize));
}

class OdbcProvider final : public Provider {
public:
    std::unique_ptr<Session> Connect(const ConnectionProperties& properties, std::string_view user,
                                     std::string_view password) override {
        const std::string name = properties.Get("Provider");
        const auto database = DatabaseOf(name);
        if (!database)
            RaiseAdo(adoerr::ProviderNotFound, kConnectionSource,
                     "The provider \"" + name + "\" is not available on this machine.");
        const std::vector<std::string> installed = InstalledOdbcDrivers();
        if (*database == Database::SqlServer) return ConnectServer(properties, installed, user, password);
        return ConnectFile(properties, installed, user, password);
    }

private:
    static std::unique_ptr<Session> ConnectServer(const ConnectionProperties& properties,
                                                  const std::vector<std::string>& installed, std::string_view user,
                                                  std::string_view password) {
        const auto driver = FirstInstalled(kSqlServerDrivers, installed);
        if (!driver)
            RaiseAdo(adoerr::ProviderNotFound, kConnectionSource,
                     "The ODBC driver \"" + std::string(kSqlServerDrivers[0]) + "\" is not installed on this machine.");
        return OpenOdbcSession(SqlServerConnectionString(*driver, properties.Get("Data Source"),
                                                         properties.Get("Initial Catalog"), user, password),
                               Dialect::SqlServer, {});
    }

    static std::unique_ptr<Session> ConnectFile(const ConnectionProperties& properties,
                                                const std::vector<std::string>& installed, std::string_view user,
                                                std::string_view password) {
        const std::string isam = properties.Get("Extended Properties");
        if (!isam.empty() && Lowered(isam).rfind("access", 0) != 0) Refuse("Could not find installable ISAM.");

        const std::string path = properties.Get("Data Source");
        const auto file = LocateDataSourceFile(path);
        if (!file) {
            // A bare file name has no folder to be missing; anything else names a
            // drive or share that is not there.
            const bool bare = path.find_first_of("\\/:") == std::string::npos;
            RefuseFile(path, {bare ? DatabaseFileKind::Missing : DatabaseFileKind::NoFolder, {}, 0});
        }
        const DatabaseFileInspection inspection = InspectDatabaseFile(file->local);
        switch (inspection.kind) {
            case DatabaseFileKind::AccessJet:
            case DatabaseFileKind::AccessAce: {
                using Drivers = std::span<const std::string_view>;
                const Drivers drivers = inspection.kind == DatabaseFileKind::AccessJet ? Drivers(kJetFileDrivers)
                                                                                       : Drivers(kAceFileDrivers);
                const auto driver = FirstInstalled(drivers, installed);
                if (!driver) RefuseFile(path, inspection);
                return OpenOdbcSession(AccessConnectionString(*driver, file->driverPath, user, password),
                                       Dialect::Access, path);
            }
            case DatabaseFileKind::Database: {
                const auto driver = FirstInstalled(kSqliteFileDrivers, installed);
                if (!driver)
                    Refuse("The file '" + path + "' is a project database of the embedded database engine, and the "
                           "ODBC driver that reads it (\"" + std::string(kSqliteFileDrivers[0]) +
                           "\") is not installed on this machine.");
                auto session = OpenOdbcSession(SqliteConnectionString(*driver, file->driverPath, kBusyTimeoutMs),
                                               Dialect::Sqlite, path);
                CheckSoundDatabase(*session, *file, inspection.pageSize, path);
                return session;
            }
            default: RefuseFile(path, inspection);
        }
    }
};

}  // namespace

std::shared_ptr<Provider> MakeOdbcProvider() { return std::make_shared<OdbcProvider>(); }

}  // namespace platform::ado
