// Queries and commands through the database object: the statements of the project
// table, the query result array, and when the connection is open.
#include "db_fixture.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;
using platform::toolkit::vbOK;

class Queries : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        if (IsSkipped()) return;
        MakeDatabase({{"05-200", "Zeta works", "P:\\Projects\\05-200\\", true},
                      {"05-100", "alpha hall", "P:\\Projects\\05-100\\", true},
                      {"04-900", "Old depot", "P:\\Projects\\04-900\\", false},
                      {"0", "Template", "P:\\Projects\\0\\", true},
                      {"05-150", "Beta bridge", "", true}});
        db = MakeDb();
    }
    std::shared_ptr<clsDbADO> db;
};

TEST_P(Queries, ProjectListComesBackColumnFirstOrderedByName) {
    QueryResult list = db->GetRSArray(kListSql);
    ASSERT_EQ(list.Columns(), 5u);
    ASSERT_EQ(list.Rows(), 3u);  // not the inactive one, not number 0
    // Names compare without regard to case: "alpha" before "Beta" before "Zeta".
    EXPECT_EQ(list(1, 0), "alpha hall");
    EXPECT_EQ(list(1, 1), "Beta bridge");
    EXPECT_EQ(list(1, 2), "Zeta works");
    EXPECT_EQ(list(0, 0), "05-100");
    EXPECT_EQ(list(2, 0), "P:\\Projects\\05-100\\");
    EXPECT_EQ(list(2, 1), "");
    for (size_t r = 0; r < 3; ++r) EXPECT_EQ(list(3, r), "True");
    // The identifiers the database gave, in plain decimal.
    EXPECT_EQ(list(4, 0), "2");
    EXPECT_EQ(list(4, 1), "5");
    EXPECT_EQ(list(4, 2), "1");
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
}

TEST_P(Queries, NoRowsGiveAnEmptyResultNotAZeroRowArray) {
    QueryResult none = db->GetRSArray("SELECT [Project Number] FROM Project WHERE [Project Number] = 'nope'; ");
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.Rows(), 0u);
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
}

TEST_P(Queries, HighestNumberIsTheGreatestText) {
    QueryResult highest = db->GetRSArray("SELECT max([Project Number]) FROM Project;");
    ASSERT_EQ(highest.Columns(), 1u);
    ASSERT_EQ(highest.Rows(), 1u);
    EXPECT_EQ(highest(0, 0), "05-200");

    db->ExecuteCommand("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                       "VALUES ('999', 'n', 'f', True);",
                       nullptr, adExecuteNoRecords);
    db->ExecuteCommand("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                       "VALUES ('1000', 'n', 'f', True);",
                       nullptr, adExecuteNoRecords);
    EXPECT_EQ(db->GetRSArray("SELECT max([Project Number]) FROM Project;")(0, 0), "999");
}

TEST_P(Queries, NumberTakenMatchesWithoutRegardToCaseAndCountsInactiveProjects) {
    db->ExecuteCommand("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                       "VALUES ('A-07', 'Annex', '', True);",
                       nullptr, adExecuteNoRecords);
    QueryResult taken = db->GetRSArray("SELECT [Project Number] FROM Project WHERE [Project Number] = 'a-07'; ");
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken(0, 0), "A-07");
    // The library's form of the statement, on an inactive project.
    QueryResult inactive = db->GetRSArray("SELECT [Project Number] FROM Project WHERE [Project Number]='04-900'");
    ASSERT_EQ(inactive.Rows(), 1u);
}

TEST_P(Queries, InsertAndUpdateRunVerbatimAndCountTheirRecords) {
    int32_t affected = -5;
    auto none = db->ExecuteCommand(
        "INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
        "VALUES ('06-001', 'O''Brien''s yard', 'P:\\Projects\\O''Brien\\', False);",
        &affected, adExecuteNoRecords);
    EXPECT_EQ(none, nullptr);  // adExecuteNoRecords gives no recordset
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(db->DBConn()->State(), adStateOpen);  // ExecuteCommand leaves it open

    QueryResult added = db->GetRSArray(
        "SELECT ProjectID, [Project Name], ProjFilePath, Active FROM Project WHERE [Project Number] = '06-001'");
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);  // and the next query closes it
    ASSERT_EQ(added.Rows(), 1u);
    EXPECT_EQ(added(1, 0), "O'Brien's yard");
    EXPECT_EQ(added(2, 0), "P:\\Projects\\O'Brien\\");
    EXPECT_EQ(added(3, 0), "False");
    const std::string id(added(0, 0));
    EXPECT_EQ(id, "6");

    affected = 0;
    db->ExecuteCommand("UPDATE Project SET [Project Number] = '06-002', [Project Name] = 'Yard', "
                       "[ProjFilePath] = 'P:\\Y\\', [Active] = True WHERE ProjectID = " + id + ";",
                       &affected, adExecuteNoRecords);
    EXPECT_EQ(affected, 1);
    QueryResult list = db->GetRSArray(kListSql);
    ASSERT_EQ(list.Rows(), 4u);
    EXPECT_EQ(list(0, 2), "06-002");
    EXPECT_EQ(list(1, 2), "Yard");
    EXPECT_EQ(list(4, 2), id);
}

TEST_P(Queries, ValuesOfEveryKindComeBackAsText) {
    QueryResult row = db->GetRSArray("SELECT 1.5, -7, NULL, 'x', 0.1 + 0.2, 1e20, True, Active "
                                     "FROM Project WHERE [Project Number] = '04-900'");
    ASSERT_EQ(row.Columns(), 8u);
    EXPECT_EQ(row(0, 0), "1.5");
    EXPECT_EQ(row(1, 0), "-7");
    EXPECT_EQ(row(2, 0), "");
    EXPECT_EQ(row(3, 0), "x");
    // The SQLite3 ODBC driver hands a computed floating-point value over as a text of
    // 15 significant digits: a sum that binary cannot hold exactly reads rounded there.
    EXPECT_EQ(row(4, 0), Odbc() ? "0.3" : "0.30000000000000004");
    EXPECT_EQ(row(5, 0), "1E+20");
    EXPECT_EQ(row(6, 0), "1");       // a bare literal has no column type to call it Boolean
    EXPECT_EQ(row(7, 0), "False");   // a Yes/No column reads as a word
}

TEST_P(Queries, MaximumOfAnEmptyTableIsOneEmptyElement) {
    db->ExecuteCommand("DELETE FROM Project", nullptr, adExecuteNoRecords);
    QueryResult highest = db->GetRSArray("SELECT max([Project Number]) FROM Project;");
    ASSERT_FALSE(highest.empty());
    EXPECT_EQ(highest.Columns(), 1u);
    EXPECT_EQ(highest.Rows(), 1u);
    EXPECT_EQ(highest(0, 0), "");
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
}

TEST_P(Queries, ARejectedStatementIsReportedOnceByOpenRecordSet) {
    // A project number holding a quote breaks the look-up statement.
    const std::string sql = "SELECT [Project Number] FROM Project WHERE [Project Number] = 'O'Hara'; ";
    machine.Person().ExpectMsgBox(" Error", vbOK);
    QueryResult result = db->GetRSArray(sql);
    EXPECT_TRUE(result.empty());
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
    ASSERT_EQ(machine.Person().Seen().size(), 1u);
    const auto& shown = machine.Person().Seen()[0];
    EXPECT_THAT(shown.text, ::testing::StartsWith("Error -2147217900: "));
    EXPECT_THAT(shown.text, ::testing::EndsWith("\r\nThe error occurred in clsDbADO:OpenRecordSet"));
    EXPECT_EQ(shown.flags, 16);
}

TEST_P(Queries, AMissingTableIsNamedInTheReport) {
    // Both providers of the embedded engine say it in Access's words.
    const std::string description =
        "The database cannot find the input table or query 'Projects'. Make sure it exists and that its "
        "name is spelled correctly.";
    machine.Person().ExpectMsgBox(" Error", vbOK, Report(-2147217865, description, "OpenRecordSet"));
    EXPECT_TRUE(db->GetRSArray("SELECT * FROM Projects").empty());
}

TEST_P(Queries, OpenRecordSetLeavesTheConnectionOpenUntilTheNextQuery) {
    std::shared_ptr<Recordset> rs;
    db->OpenRecordSet("SELECT [Project Name] FROM Project ORDER BY [Project Name]", rs);
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->State(), adStateOpen);
    EXPECT_EQ(rs->CursorLocation(), adUseClient);
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_EQ(rs->Fields().Item(0).Value().ToText(), "alpha hall");
    EXPECT_EQ(db->DBConn()->State(), adStateOpen);

    // Opening into the same variable closes the old recordset and makes a new one.
    auto old = rs;
    db->OpenRecordSet("SELECT [Project Number] FROM Project WHERE Active = False", rs);
    EXPECT_EQ(old->State(), adStateClosed);
    ASSERT_NE(rs, old);
    EXPECT_EQ(rs->RecordCount(), 1);

    // A query closes the connection, and with it the recordsets opened on it.
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 3u);
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
    EXPECT_EQ(rs->State(), adStateClosed);
}

TEST_P(Queries, CloseConnClosesTheRecordsetItIsGiven) {
    std::shared_ptr<Recordset> rs;
    db->OpenRecordSet("SELECT * FROM Project", rs);
    auto held = rs;
    EXPECT_EQ(db->CloseConn(&rs), 0);
    EXPECT_EQ(rs, nullptr);
    EXPECT_EQ(held->State(), adStateClosed);
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
}

TEST_P(Queries, ANewConnectionStringTakesEffectAtTheNextOpenAfterAClose) {
    const std::string other = "C:\\Other\\Quillet.mdb";
    std::filesystem::create_directories(machine.Host("C:\\Other"));
    CreateProjectDatabase(machine.Host(other));

    EXPECT_EQ(db->OpenConn(), 1);
    db->DbServer(other);
    db->BuildDBConnnectString();
    // Still the first database: the open connection is reused, then closed.
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 3u);
    // Now the other one, which is empty.
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
}

TEST_P(Queries, TransactionsFollowTheOpenConnection) {
    db->BeginTransaction();  // closed: nothing happens
    EXPECT_FALSE(db->InTransaction());
    db->CommitTransaction();  // not in a transaction: nothing happens
    db->RollbackTransaction();

    ASSERT_EQ(db->OpenConn(), 1);
    db->BeginTransaction();
    EXPECT_TRUE(db->InTransaction());
    db->ExecuteCommand("DELETE FROM Project", nullptr, adExecuteNoRecords);
    db->RollbackTransaction();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 3u);

    ASSERT_EQ(db->OpenConn(), 1);
    db->BeginTransaction();
    db->ExecuteCommand("UPDATE Project SET Active = False WHERE [Project Number] = '05-100'", nullptr,
                       adExecuteNoRecords);
    db->CommitTransaction();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 2u);
}

class Unreachable : public ProviderTest {};

TEST_P(Unreachable, AMissingDatabaseIsReportedOnceByOpenConn) {
    std::filesystem::create_directories(HostDatabase().parent_path());
    auto db = MakeDb();
    machine.Person().ExpectMsgBox(
        " Error", vbOK, Report(-2147467259, "Could not find file 'C:\\Data\\Quillet.mdb'.", "OpenConn"));
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
    EXPECT_EQ(db->DBConn()->State(), adStateClosed);
    EXPECT_FALSE(std::filesystem::exists(HostDatabase()));  // nothing was created
}

TEST_P(Unreachable, ExecuteCommandLeavesThroughTheNormalExitAfterTheReport) {
    auto db = MakeDb("Q:\\Nowhere\\Quillet.mdb");
    machine.Person().ExpectMsgBox(
        " Error", vbOK,
        Report(-2147467259,
               "'Q:\\Nowhere\\Quillet.mdb' is not a valid path. Make sure that the path name is spelled correctly "
               "and that you are connected to the server on which the file resides.",
               "OpenConn"));
    try {
        db->ExecuteCommand("DELETE FROM Project");
        FAIL() << "ExecuteCommand went on without a connection";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 57000);
        EXPECT_EQ(e.Description, "No Error - Normal Exit");
    }
}

TEST_P(Unreachable, AnUnknownProviderIsNamed) {
    MakeDatabase();
    auto db = std::make_shared<clsDbADO>();
    db->DbType("SQLServer");
    db->DbProvider("SQLOLEDB");
    db->DbServer("DBHOST");
    db->DbName("Plexar");
    db->BuildDBConnnectString();
    machine.Person().ExpectMsgBox(
        " Error", vbOK,
        Report(3706,
               "Provider cannot be found. It may not be properly installed. The provider \"SQLOLEDB\" is not "
               "available on this machine.",
               "OpenConn"));
    EXPECT_EQ(db->OpenConn(), 0);

    db->DbType("Access");
    db->DbProvider("");
    db->BuildDBConnnectString();
    machine.Person().ExpectMsgBox(
        " Error", vbOK,
        Report(3706,
               "Provider cannot be found. It may not be properly installed. The connection string names no "
               "provider.",
               "OpenConn"));
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
}

TEST_P(Unreachable, ProviderNamesCompareWithoutRegardToCase) {
    MakeDatabase({{"1", "One", "", true}});
    auto db = MakeDb();
    db->DbProvider("microsoft.jet.oledb.4.0");
    db->BuildDBConnnectString();
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 1u);
    db->DbType("Access2007");
    db->DbProvider("Microsoft.ACE.OLEDB.12.0");
    db->UserID("admin");
    db->BuildDBConnnectString();
    EXPECT_EQ(db->GetRSArray(kListSql).Rows(), 1u);
}

DB_TEST_BOTH_PROVIDERS(Queries);
DB_TEST_BOTH_PROVIDERS(Unreachable);

}  // namespace
}  // namespace dbtest
