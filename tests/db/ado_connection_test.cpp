// Connection and Recordset on a project database.
#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_internals.h"

namespace dbtest {
namespace {

using namespace platform::ado;

int32_t FailureNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const platform::ErrorInfo& e) {
        return e.Number;
    }
    return 0;
}

class AdoConnection : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        if (IsSkipped()) return;
        MakeDatabase({{"1", "One", "F1", true}, {"2", "Two", "F2", false}, {"3", "Three", "F3", true}});
        conn->Open(kJetString);
    }
    std::shared_ptr<Connection> conn = NewConnection();
};

TEST_P(AdoConnection, OpenAndCloseFollowTheState) {
    EXPECT_EQ(conn->State(), adStateOpen);
    EXPECT_EQ(conn->ConnectionString(), kJetString);
    EXPECT_EQ(FailureNumber([&] { conn->Open(kJetString); }), adoerr::ObjectOpen);
    conn->Close();
    EXPECT_EQ(conn->State(), adStateClosed);
    EXPECT_EQ(FailureNumber([&] { conn->Close(); }), adoerr::ObjectClosed);
    EXPECT_EQ(FailureNumber([&] { conn->Execute("SELECT 1"); }), adoerr::ConnectionInvalid);
    conn->Open(kJetString);
    EXPECT_EQ(conn->State(), adStateOpen);
}

TEST_P(AdoConnection, RecordsetWalksItsRows) {
    ProviderRecordset rs;
    rs.Open("SELECT [Project Number], [Project Name], Active FROM Project ORDER BY ProjectID", conn);
    ASSERT_EQ(rs.State(), adStateOpen);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.BOF());
    EXPECT_FALSE(rs.EndOfFile());
    Fields fields = rs.Fields();
    EXPECT_EQ(fields.Count(), 3);
    EXPECT_EQ(fields.Item(1).Name(), "Project Name");
    EXPECT_EQ(fields.Item("project name").Value().ToText(), "One");
    EXPECT_EQ(fields.Item(2).Value(), Variant(true));
    rs.MoveNext();
    EXPECT_EQ(fields.Item(2).Value(), Variant(false));
    rs.MoveLast();
    EXPECT_EQ(fields.Item(0).Value().ToText(), "3");
    rs.MoveNext();
    EXPECT_TRUE(rs.EndOfFile());
    EXPECT_EQ(FailureNumber([&] { (void)fields.Item(0).Value(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(FailureNumber([&] { rs.MoveNext(); }), adoerr::NoCurrentRecord);
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_EQ(FailureNumber([&] { rs.MovePrevious(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(FailureNumber([&] { (void)fields.Item(3); }), adoerr::ItemNotFound);
    EXPECT_EQ(FailureNumber([&] { (void)fields.Item("nope"); }), adoerr::ItemNotFound);
    EXPECT_EQ(FailureNumber([&] { rs.Open("SELECT 1", conn); }), adoerr::ObjectOpen);
    rs.Close();
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_EQ(FailureNumber([&] { (void)rs.RecordCount(); }), adoerr::ObjectClosed);
    EXPECT_EQ(FailureNumber([&] { rs.Close(); }), adoerr::ObjectClosed);
}

// The text a field gives without a copy is the text of its value, for every kind.
TEST_P(AdoConnection, AFieldsTextIsItsValuesText) {
    ProviderRecordset rs;
    rs.Open("SELECT [Project Number], Active, ProjectID, 2.5, NULL, '' FROM Project ORDER BY ProjectID", conn);
    Fields fields = rs.Fields();
    std::string scratch;
    for (int32_t row = 0; row < 3; ++row, rs.MoveNext()) {
        for (int32_t c = 0; c < fields.Count(); ++c) {
            SCOPED_TRACE(std::to_string(row) + "," + std::to_string(c));
            const std::string text(fields.Item(c).Text(scratch));
            EXPECT_EQ(text, fields.Item(c).Value().ToText());
        }
    }
    rs.MoveFirst();
    // Two fields' values are held side by side.
    const Variant& number = fields.Item(0).Value();
    const Variant& active = fields.Item(1).Value();
    EXPECT_EQ(number, Variant("1"));
    EXPECT_EQ(active, Variant(true));
    EXPECT_EQ(fields.Item(1).Text(scratch), "True");
    EXPECT_EQ(fields.Item(0).Text(scratch), "1");
    EXPECT_EQ(fields.Item(3).Text(scratch), "2.5");
    rs.MoveLast();
    EXPECT_EQ(FailureNumber([&] { (void)fields.Item(9).Text(scratch); }), adoerr::ItemNotFound);
    rs.MoveNext();
    EXPECT_EQ(FailureNumber([&] { (void)fields.Item(0).Text(scratch); }), adoerr::NoCurrentRecord);
}

TEST_P(AdoConnection, AnEmptyResultIsAtBothEnds) {
    ProviderRecordset rs;
    rs.Open("SELECT * FROM Project WHERE ProjectID = 99", conn);
    EXPECT_EQ(rs.State(), adStateOpen);
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.EndOfFile());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.Fields().Count(), 5);
    EXPECT_EQ(FailureNumber([&] { rs.MoveFirst(); }), adoerr::NoCurrentRecord);
    EXPECT_EQ(FailureNumber([&] { rs.MoveLast(); }), adoerr::NoCurrentRecord);
}

TEST_P(AdoConnection, AStatementWithoutRowsLeavesTheRecordsetClosed) {
    ProviderRecordset rs;
    rs.Open("UPDATE Project SET Active = True", conn);
    EXPECT_EQ(rs.State(), adStateClosed);
    int32_t affected = 0;
    auto closed = conn->Execute("UPDATE Project SET Active = False WHERE ProjectID > 1", &affected);
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->State(), adStateClosed);
    EXPECT_EQ(affected, 2);
    auto query = conn->Execute("SELECT count(*) FROM Project WHERE Active", &affected);
    EXPECT_EQ(affected, -1);
    EXPECT_EQ(query->Fields().Item(0).Value().ToText(), "1");
}

TEST_P(AdoConnection, RecordsetNeedsAnOpenConnection) {
    ProviderRecordset rs;
    EXPECT_EQ(FailureNumber([&] { rs.Open("SELECT 1", NewConnection()); }), adoerr::ConnectionInvalid);
    rs.Open("SELECT 1", conn);
    EXPECT_EQ(FailureNumber([&] { rs.CursorLocation(adUseClient); }), adoerr::ObjectOpen);
}

TEST_P(AdoConnection, ClosingTheConnectionClosesItsRecordsets) {
    auto rs = conn->Execute("SELECT * FROM Project");
    ASSERT_EQ(rs->State(), adStateOpen);
    conn->Close();
    EXPECT_EQ(rs->State(), adStateClosed);
    EXPECT_EQ(FailureNumber([&] { rs->MoveFirst(); }), adoerr::ObjectClosed);
    // Opening the connection again does not bring the old recordset back.
    conn->Open(kJetString);
    EXPECT_EQ(rs->State(), adStateClosed);
}

TEST_P(AdoConnection, OneStatementAtATime) {
    EXPECT_EQ(FailureNumber([&] { conn->Execute("DELETE FROM Project; DELETE FROM Project"); }),
              adoerr::CommandError);
    EXPECT_EQ(conn->Execute("SELECT count(*) FROM Project; -- a comment")->Fields().Item(0).Value().ToText(), "3");
    EXPECT_EQ(FailureNumber([&] { conn->Execute("   "); }), adoerr::CommandError);
    EXPECT_EQ(FailureNumber([&] { conn->Execute("SELECT Nope FROM Project"); }), adoerr::MissingValue);
}

TEST_P(AdoConnection, TableCommandsReadTheWholeTable) {
    auto rs = conn->Execute("Project", nullptr, adCmdTable);
    EXPECT_EQ(rs->RecordCount(), 3);
    ProviderRecordset direct;
    direct.Open("[Project]", conn, adOpenKeyset, adLockOptimistic, adCmdTableDirect);
    EXPECT_EQ(direct.RecordCount(), 3);
    EXPECT_EQ(FailureNumber([&] { conn->Execute("sp_projects", nullptr, adCmdStoredProc); }), adoerr::NotCapable);
}

TEST_P(AdoConnection, TransactionsNestAndRollBackTheirOwnLevel) {
    EXPECT_EQ(FailureNumber([&] { conn->CommitTrans(); }), adoerr::NoTransaction);
    EXPECT_EQ(conn->BeginTrans(), 1);
    conn->Execute("DELETE FROM Project WHERE ProjectID = 1");
    EXPECT_EQ(conn->BeginTrans(), 2);
    conn->Execute("DELETE FROM Project WHERE ProjectID = 2");
    EXPECT_EQ(conn->RollbackTrans(), 1);  // brings back 2 only
    EXPECT_EQ(conn->Execute("SELECT count(*) FROM Project")->Fields().Item(0).Value().ToText(), "2");
    EXPECT_EQ(conn->CommitTrans(), 0);
    EXPECT_EQ(FailureNumber([&] { conn->RollbackTrans(); }), adoerr::NoTransaction);

    // Closing in the middle of a transaction undoes it.
    conn->BeginTrans();
    conn->Execute("DELETE FROM Project");
    conn->Close();
    conn->Open(kJetString);
    EXPECT_EQ(conn->Execute("SELECT count(*) FROM Project")->Fields().Item(0).Value().ToText(), "2");
}

TEST_P(AdoConnection, OtherInstallableFormatsAreNotThere) {
    ProviderConnection text;
    try {
        text.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Data\\;Extended Properties=\"text;HDR=No\";");
        FAIL() << "a text source opened";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, adoerr::ProviderFailure);
        EXPECT_EQ(e.Description, "Could not find installable ISAM.");
    }
    EXPECT_EQ(text.State(), adStateClosed);
}

// A path that holds the separators of a connection string, quoted as the string
// requires; the ODBC provider must pass it on to its driver intact.
class AwkwardPath : public ProviderTest {};

TEST_P(AwkwardPath, AQuotedDataSourceReachesItsFile) {
    const std::string path = "C:\\Data\\Smith; Jones {old}=1\\Quillet.mdb";
    std::filesystem::create_directories(machine.Host(path).parent_path());
    dbtool::CreateProjectDatabase(machine.Host(path));
    dbtool::AddProjects(machine.Host(path), {{"7", "Seven", "", true}});
    ProviderConnection conn;
    conn.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + path + "\";");
    EXPECT_EQ(conn.Execute("SELECT [Project Name] FROM Project")->Fields().Item(0).Value().ToText(), "Seven");
}

DB_TEST_BOTH_PROVIDERS(AdoConnection);
DB_TEST_BOTH_PROVIDERS(AwkwardPath);

}  // namespace
}  // namespace dbtest
