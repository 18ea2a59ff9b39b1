// A fresh machine with a project database at C:\Data\Quillet.mdb, and a database
// object set up for it as the add-in sets up its own.
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

}  // namespace dbtest
