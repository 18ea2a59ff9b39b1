// A fresh machine with a project database at C:\Data\Quillet.mdb, and a database
// object set up for it as the add-in sets up its own.
//
// ProviderTest runs its tests once for each provider of Access files: the embedded
// engine's own (this machine's default) and the ODBC provider that Windows uses,
// here through unixODBC and the SQLite3 driver.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/sim/host/test_machine.h"
#include "platform/ado/odbc/odbc_drivers.h"
#include "platform/ado/odbc/odbc_provider.h"
#include "platform/ado/provider.h"
#include "tools/dbtool/project_database.h"
#include "util/clsDbADO/clsDbADO.h"

namespace dbtest {

inline const std::string kDatabase = "C:\\Data\\Quillet.mdb";
inline const std::string kJet = "Microsoft.Jet.OLEDB.4.0";
inline const std::string kJetString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Data\\Quillet.mdb;Persist Security Info=False;";

// The list statement of the project table, as the add-in sends it.
inline const std::string kListSql =
    "SELECT P.[Project Number], P.[Project Name], P.ProjFilePath, P.Active, P.ProjectID "
    "FROM Project AS P "
    "WHERE P.[Project Number] <> '0' "
    "AND P.Active "
    "ORDER BY P.[Project Name]";

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The report clsDbADO shows for a failure in one of its guarded members.
inline std::string Report(int32_t number, const std::string& description, const std::string& procedure) {
    return "Error " + std::to_string(number) + ": " + description + "\r\nThe error occurred in clsDbADO:" + procedure;
}

class DbTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_THAT(machine.Person().Problems(), ::testing::IsEmpty()); }

    std::filesystem::path HostDatabase() const { return machine.Host(kDatabase); }

    // Creates the database with these projects.
    void MakeDatabase(const std::vector<dbtool::ProjectRecord>& projects = {}) {
        std::filesystem::create_directories(HostDatabase().parent_path());
        dbtool::CreateProjectDatabase(HostDatabase());
        if (!projects.empty()) dbtool::AddProjects(HostDatabase(), projects);
    }

    // A database object for the own database, its connection string built.
    std::shared_ptr<clsDbADO> MakeDb(const std::string& server = kDatabase) {
        auto db = std::make_shared<clsDbADO>();
        db->DbType("Access");
        db->DbProvider(kJet);
        db->DbServer(server);
        db->BuildDBConnnectString();
        return db;
    }

    sim::TestMachine machine;
};

enum class AccessProvider { Engine, Odbc };

inline const char* Name(AccessProvider provider) { return provider == AccessProvider::Engine ? "Engine" : "Odbc"; }
inline std::string ProviderName(const ::testing::TestParamInfo<AccessProvider>& info) { return Name(info.param); }
inline void PrintTo(AccessProvider provider, std::ostream* out) { *out << Name(provider); }

// While it lives, the Access provider names reach the ODBC provider.
class OdbcProviderInUse {
public:
    OdbcProviderInUse() {
        auto odbc = platform::ado::MakeOdbcProvider();
        for (const char* name : kNames) previous_.push_back(platform::ado::RegisterProvider(name, odbc));
    }
    ~OdbcProviderInUse() {
        for (size_t i = 0; i < std::size(kNames); ++i) platform::ado::RegisterProvider(kNames[i], previous_[i]);
    }
    OdbcProviderInUse(const OdbcProviderInUse&) = delete;
    OdbcProviderInUse& operator=(const OdbcProviderInUse&) = delete;

private:
    static constexpr const char* kNames[] = {"Microsoft.Jet.OLEDB.4.0", "Microsoft.ACE.OLEDB.12.0",
                                             "Microsoft.ACE.OLEDB.16.0"};
    std::vector<std::shared_ptr<platform::ado::Provider>> previous_;
};

// A fixture whose tests run against both providers. A fixture that has its own SetUp
// calls this one first and stops when the test was skipped.
class ProviderTest : public DbTest, public ::testing::WithParamInterface<AccessProvider> {
protected:
    void SetUp() override {
        if (GetParam() != AccessProvider::Odbc) return;
        if (!platform::ado::odbc::FirstInstalled(platform::ado::odbc::kSqliteFileDrivers,
                                                 platform::ado::odbc::InstalledOdbcDrivers()))
            GTEST_SKIP() << "the SQLite3 ODBC driver is not registered with the ODBC driver manager "
                            "(Debian: libsqliteodbc)";
        odbc_ = std::make_unique<OdbcProviderInUse>();
    }
    bool Odbc() const { return GetParam() == AccessProvider::Odbc; }

private:
    std::unique_ptr<OdbcProviderInUse> odbc_;
};

}  // namespace dbtest

// Runs the tests of the fixture against both providers.
#define DB_TEST_BOTH_PROVIDERS(Fixture)                                                                  \
    INSTANTIATE_TEST_SUITE_P(                                                                            \
        Providers, Fixture,                                                                              \
        ::testing::Values(::dbtest::AccessProvider::Engine, ::dbtest::AccessProvider::Odbc),             \
        ::dbtest::ProviderName)
