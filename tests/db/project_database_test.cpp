// The project database as the tool and the simulator make it.
#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_internals.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;

class ProjectDatabase : public DbTest {};

TEST_F(ProjectDatabase, NewDatabaseHasTheProjectTable) {
    MakeDatabase();
    ProviderConnection conn;
    conn.Open(kJetString);
    auto rs = conn.Execute("SELECT * FROM Project");
    EXPECT_EQ(rs->RecordCount(), 0);
    Fields fields = rs->Fields();
    ASSERT_EQ(fields.Count(), 5);
    EXPECT_EQ(fields.Item(0).Name(), "ProjectID");
    EXPECT_EQ(fields.Item(1).Name(), "Project Number");
    EXPECT_EQ(fields.Item(2).Name(), "Project Name");
    EXPECT_EQ(fields.Item(3).Name(), "ProjFilePath");
    EXPECT_EQ(fields.Item(4).Name(), "Active");

    // A new project gets the next identifier, and Active is False unless given.
    conn.Execute("INSERT INTO Project ([Project Number], [Project Name]) VALUES ('1', 'a')");
    conn.Execute("INSERT INTO Project ([Project Number], [Project Name]) VALUES ('2', 'b')");
    rs = conn.Execute("SELECT ProjectID, Active FROM Project ORDER BY ProjectID");
    EXPECT_EQ(rs->Fields().Item(0).Value(), Variant(int64_t(1)));
    EXPECT_EQ(rs->Fields().Item(1).Value().ToText(), "False");
    rs->MoveNext();
    EXPECT_EQ(rs->Fields().Item(0).Value(), Variant(int64_t(2)));
    // Identifiers are not given again after a deletion.
    conn.Execute("DELETE FROM Project WHERE ProjectID = 2");
    conn.Execute("INSERT INTO Project ([Project Number], [Project Name]) VALUES ('3', 'c')");
    EXPECT_EQ(conn.Execute("SELECT max(ProjectID) FROM Project")->Fields().Item(0).Value().ToText(), "3");
}

TEST_F(ProjectDatabase, TextComparesWithoutRegardToCase) {
    MakeDatabase({{"ab-1", "Hall", "P:\\X\\", true}});
    ProviderConnection conn;
    conn.Open(kJetString);
    EXPECT_EQ(conn.Execute("SELECT * FROM Project WHERE [Project Number] = 'AB-1'")->RecordCount(), 1);
    EXPECT_EQ(conn.Execute("SELECT * FROM Project WHERE [Project Name] = 'hALL'")->RecordCount(), 1);
    EXPECT_EQ(conn.Execute("SELECT * FROM Project WHERE ProjFilePath = 'p:\\x\\'")->RecordCount(), 1);
}

TEST_F(ProjectDatabase, CreateRefusesAnExistingFileOrAMissingFolder) {
    MakeDatabase();
    try {
        CreateProjectDatabase(HostDatabase());
        FAIL() << "created over an existing file";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 58);
    }
    try {
        CreateProjectDatabase(HostDatabase().parent_path() / "missing" / "Quillet.mdb");
        FAIL() << "created in a missing folder";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 76);
    }
}

TEST_F(ProjectDatabase, AddProjectsIsAllOrNothing) {
    MakeDatabase();
    EXPECT_EQ(AddProjects(HostDatabase(), {{"1", "a", "", true}, {"2", "b", "", false}}), 2u);
    {
        ProviderConnection conn;
        conn.Open(kJetString);
        conn.Execute("CREATE TRIGGER refuse BEFORE INSERT ON Project WHEN NEW.[Project Number] = 'bad' "
                     "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    // The third project is refused, so the first two of this batch are not kept either.
    EXPECT_THROW(AddProjects(HostDatabase(), {{"3", "c", "", true}, {"4", "d", "", true}, {"bad", "e", "", true}}),
                 platform::ErrorInfo);
    auto db = MakeDb();
    EXPECT_EQ(db->GetRSArray("SELECT count(*) FROM Project")(0, 0), "2");
    EXPECT_THROW(AddProjects(HostDatabase().parent_path() / "none.mdb", {{"3", "c", "", true}}),
                 platform::ErrorInfo);
}

}  // namespace
}  // namespace dbtest
