// A connection opened again on the same file after a close may reuse the handle of
// the previous one; it must still see the file as it is now, and check it as a first
// opening does.
#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_internals.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;

class ConnectionReuse : public ProviderTest {
protected:
    std::string Count() {
        ProviderConnection conn;
        conn.Open(kJetString);
        return conn.Execute("SELECT group_concat([Project Number]) FROM Project")->Fields().Item(0).Value().ToText();
    }
    // The bytes of a database holding these projects, made elsewhere.
    std::string DatabaseBytes(const std::vector<ProjectRecord>& projects) {
        const auto scratch = HostDatabase().parent_path() / "scratch.mdb";
        CreateProjectDatabase(scratch);
        AddProjects(scratch, projects);
        std::string bytes = ReadBytes(scratch);
        std::filesystem::remove(scratch);
        return bytes;
    }
    void Overwrite(const std::string& bytes) {
        std::ofstream out(HostDatabase(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
};

TEST_P(ConnectionReuse, AFileReplacedInPlaceIsReadAfresh) {
    MakeDatabase({{"A1", "a", "", true}});
    EXPECT_EQ(Count(), "A1");
    // Another database of the same size and history, copied over the first.
    Overwrite(DatabaseBytes({{"B1", "b", "", true}}));
    EXPECT_EQ(Count(), "B1");
}

TEST_P(ConnectionReuse, AFileReplacedByAnotherKindIsRefusedAgain) {
    MakeDatabase({{"A1", "a", "", true}});
    EXPECT_EQ(Count(), "A1");
    Overwrite("some notes\n");
    ProviderConnection conn;
    EXPECT_THROW(conn.Open(kJetString), platform::ErrorInfo);
    EXPECT_EQ(ReadBytes(HostDatabase()), "some notes\n");
}

TEST_P(ConnectionReuse, ChangesMadeMeanwhileAreSeen) {
    MakeDatabase({{"A1", "a", "", true}});
    EXPECT_EQ(Count(), "A1");
    AddProjects(HostDatabase(), {{"A2", "b", "", true}});
    EXPECT_EQ(Count(), "A1,A2");
    std::filesystem::remove(HostDatabase());
    ProviderConnection conn;
    EXPECT_THROW(conn.Open(kJetString), platform::ErrorInfo);
}

TEST_P(ConnectionReuse, ATransactionLeftOpenIsNotCarriedOver) {
    MakeDatabase({{"A1", "a", "", true}});
    {
        ProviderConnection conn;
        conn.Open(kJetString);
        conn.BeginTrans();
        conn.Execute("DELETE FROM Project");
    }  // dropped without a commit
    EXPECT_EQ(Count(), "A1");
    // And the write lock went with it: another writer gets through at once.
    AddProjects(HostDatabase(), {{"A2", "b", "", true}});
    EXPECT_EQ(Count(), "A1,A2");
}

TEST_P(ConnectionReuse, AFileReplacedWhileItsConnectionIsOpenIsReadAndWrittenAfterwards) {
    MakeDatabase({{"A1", "a", "", true}});
    const auto other = HostDatabase().parent_path() / "restored.mdb";
    CreateProjectDatabase(other);
    AddProjects(other, {{"B1", "b", "", true}});
    {
        ProviderConnection conn;
        conn.Open(kJetString);
        EXPECT_EQ(conn.Execute("SELECT group_concat([Project Number]) FROM Project")->Fields().Item(0).Value().ToText(),
                  "A1");
        std::filesystem::rename(other, HostDatabase());  // a restore while the add-in runs
    }
    EXPECT_EQ(Count(), "B1");
    ProviderConnection conn;
    conn.Open(kJetString);
    int32_t affected = 0;
    conn.Execute("DELETE FROM Project", &affected);
    EXPECT_EQ(affected, 1);
}

DB_TEST_BOTH_PROVIDERS(ConnectionReuse);

}  // namespace
}  // namespace dbtest
