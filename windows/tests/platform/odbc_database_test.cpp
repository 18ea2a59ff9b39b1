// The database as the add-in reaches it on Windows: an Access provider name, a project
// database of the embedded engine, and between them the system's ODBC driver manager
// and the SQLite3 ODBC driver (under Wine, the host's, through Wine's odbc32).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ado/ado.h"
#include "support/project_database.h"
#include "support/scratch.h"

namespace {

using namespace platform::ado;

class OdbcDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.Path("Quillet.mdb");
        const auto missing = windows_tests::MakeProjectDatabase(
            path, {{"05-123", "Smith House", "P:\\Jobs\\05-123\\", true},
                   {"05-124", "Anbau Ødegård Bürogebäude ✓", "P:\\Jobs\\05-124 Ødegård\\", true},
                   {"04-001", "archive", "P:\\Old\\", false}});
        if (missing) GTEST_SKIP() << *missing;
        connection->Open(ConnectionString());
    }
    std::string ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False;";
    }
    std::string Count(const std::string& where = "") {
        return connection->Execute("SELECT count(*) FROM Project" + where)->Fields().Item(0).Value().ToText();
    }

    scratch::Folder folder;
    std::string path;
    std::shared_ptr<Connection> connection = NewConnection();
};

TEST_F(OdbcDatabase, TheProjectListComesBackInOrderWithItsText) {
    auto rs = connection->Execute(
        "SELECT P.[Project Number], P.[Project Name], P.ProjFilePath, P.Active, P.ProjectID FROM Project AS P "
        "WHERE P.[Project Number] <> '0' AND P.Active ORDER BY P.[Project Name]");
    ASSERT_EQ(rs->State(), adStateOpen);
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields().Count(), 5);
    EXPECT_EQ(rs->Fields().Item(1).Name(), "Project Name");
    EXPECT_EQ(rs->Fields().Item("project number").Value().ToText(), "05-124");  // names without regard to case
    EXPECT_EQ(rs->Fields().Item("Project Name").Value().ToText(), "Anbau Ødegård Bürogebäude ✓");
    EXPECT_EQ(rs->Fields().Item("ProjFilePath").Value().ToText(), "P:\\Jobs\\05-124 Ødegård\\");
    rs->MoveNext();
    EXPECT_EQ(rs->Fields().Item(0).Value().ToText(), "05-123");
    EXPECT_EQ(rs->Fields().Item("ProjectID").Value().Type(), Variant::Kind::Integer);
    rs->MoveNext();
    EXPECT_TRUE(rs->EndOfFile());
    try {
        (void)rs->Fields().Item(0).Value();
        FAIL() << "a value past the last record";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, adoerr::NoCurrentRecord);
    }
    EXPECT_EQ(scratch::FailureOf([&] { (void)rs->Fields().Item("Nope"); }), adoerr::ItemNotFound);
}

TEST_F(OdbcDatabase, TextComparesWithoutRegardToCaseAndNullsStayNull) {
    EXPECT_EQ(Count(" WHERE [Project Name] = 'SMITH HOUSE'"), "1");
    int32_t affected = 0;
    connection->Execute("INSERT INTO Project ([Project Number], [Project Name], Active) VALUES ('06-001', 'Ünïcode', 1)",
                        &affected);
    EXPECT_EQ(affected, 1);
    auto rs = connection->Execute("SELECT ProjFilePath, [Project Name] FROM Project WHERE [Project Number] = '06-001'");
    EXPECT_TRUE(rs->Fields().Item(0).Value().IsNull());
    EXPECT_EQ(rs->Fields().Item(1).Value().ToText(), "Ünïcode");
}

TEST_F(OdbcDatabase, ChangesCountTheirRecordsAndTransactionsRollBack) {
    int32_t affected = 0;
    connection->Execute("UPDATE Project SET Active = 1", &affected);
    EXPECT_EQ(affected, 3);
    EXPECT_EQ(connection->BeginTrans(), 1);
    connection->Execute("DELETE FROM Project WHERE [Project Number] = '05-123'");
    EXPECT_EQ(Count(), "2");
    EXPECT_EQ(connection->RollbackTrans(), 0);
    EXPECT_EQ(Count(), "3");
    EXPECT_EQ(scratch::FailureOf([&] { connection->CommitTrans(); }), adoerr::NoTransaction);

    // What one connection wrote, the next one reads from the file.
    connection->Execute("DELETE FROM Project WHERE Active = 1 AND [Project Number] = '04-001'");
    connection->Close();
    connection->Open(ConnectionString());
    EXPECT_EQ(Count(), "2");
}

TEST_F(OdbcDatabase, FailuresCarryTheProvidersNumbers) {
    EXPECT_EQ(scratch::FailureOf([&] { connection->Execute("SELECT * FROM Projects"); }), adoerr::NoSuchTable);
    EXPECT_EQ(scratch::FailureOf([&] { connection->Execute("SELEC nothing"); }), adoerr::CommandError);
    EXPECT_EQ(scratch::FailureOf([&] { connection->Execute("SELECT Nope FROM Project"); }), adoerr::MissingValue);
    EXPECT_EQ(scratch::FailureOf([&] { connection->Open(ConnectionString()); }), adoerr::ObjectOpen);

    auto other = NewConnection();
    EXPECT_EQ(scratch::FailureOf([&] {
                  other->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.Path("Missing.mdb") + ";");
              }),
              adoerr::ProviderFailure);
    folder.Write("NotADatabase.mdb", "plain text, not a database");
    EXPECT_EQ(scratch::FailureOf([&] {
                  other->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.Path("NotADatabase.mdb") + ";");
              }),
              adoerr::ProviderFailure);
    EXPECT_EQ(other->State(), adStateClosed);
    EXPECT_EQ(scratch::FailureOf([&] { other->Open("Provider=NoSuch.Provider;Data Source=x;"); }),
              adoerr::ProviderNotFound);
}

}  // namespace
