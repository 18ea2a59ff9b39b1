// The database object hands out its last query result again while the database has
// provably not changed. Whatever changed it (another process, the object itself, a
// file put in its place, a restore from a backup), the next query reads what is there
// now: the array is always the one a fresh object reads.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "db_fixture.h"
#include "util/interfaces/IclsDbADO_bridge.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;

// Runs body in a child process and waits for it; its exit code.
int InChild(const std::function<void()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 3;
        }
        _exit(code);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ResultReuse : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        if (IsSkipped()) return;
        MakeDatabase({{"A1", "Alpha", "P:\\A1\\", true}, {"B1", "Bravo", "P:\\B1\\", true}});
        db = Bridged() ? std::make_shared<iclsdbado::Proxy>(
                             platform::com::Adapter<iclsdbado::Table>::Wrap(MakeDb()))
                       : std::shared_ptr<IclsDbADO>(MakeDb());
    }
    // The object as another library sees it, through the binary boundary.
    virtual bool Bridged() const { return false; }

    // The list as an object that never read it before reads it.
    QueryResult Fresh() { return MakeDb()->GetRSArray(kListSql); }

    // The numbers of the list the kept object reads, which must be what a fresh one reads.
    std::string Numbers() {
        const QueryResult list = db->GetRSArray(kListSql);
        EXPECT_EQ(list, Fresh());
        std::string numbers;
        for (size_t row = 0; row < list.Rows(); ++row) numbers += std::string(list(0, row)) + ";";
        return numbers;
    }

    // A statement sent by another process through its own database object.
    void ElsewhereExecute(const std::string& sql) {
        EXPECT_EQ(InChild([&] { MakeDb()->ExecuteCommand(sql); }), 0);
    }

    std::shared_ptr<IclsDbADO> db;

public:
    void ChangesElsewhere();
    void OwnWrites();
    void AFileInItsPlace();
    void ARestore();
    void AnotherStatementOrDatabase();
};

class ResultReuseAcrossLibraries : public ResultReuse {
protected:
    bool Bridged() const override { return true; }
};

#define REUSE_TEST(Name, Body)                             \
    TEST_P(ResultReuse, Name) { Body(); }                  \
    TEST_P(ResultReuseAcrossLibraries, Name) { Body(); }

void ResultReuse::ChangesElsewhere() {
    EXPECT_EQ(Numbers(), "A1;B1;");
    EXPECT_EQ(Numbers(), "A1;B1;");
    // The same length, so that the file's size tells nothing.
    ElsewhereExecute("UPDATE Project SET [Project Name] = 'Zulu' WHERE [Project Number] = 'A1'");
    EXPECT_EQ(Numbers(), "B1;A1;");
    ElsewhereExecute("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                     "VALUES ('C1', 'Charlie', 'P:\\C1\\', True)");
    EXPECT_EQ(Numbers(), "B1;C1;A1;");
    ElsewhereExecute("DELETE FROM Project WHERE [Project Number] = 'B1'");
    EXPECT_EQ(Numbers(), "C1;A1;");
    EXPECT_EQ(Numbers(), "C1;A1;");
}

void ResultReuse::OwnWrites() {
    EXPECT_EQ(Numbers(), "A1;B1;");
    int32_t affected = 0;
    db->ExecuteCommand("UPDATE Project SET [Project Name] = 'Zulu' WHERE [Project Number] = 'A1'", &affected,
                       adExecuteNoRecords);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(Numbers(), "B1;A1;");
    // A write left open in a transaction is undone when the query closes the
    // connection: what the query read inside it is not handed out again.
    db->ExecuteCommand("DELETE FROM Project WHERE [Project Number] = 'B1'");
    db->BeginTransaction();
    db->ExecuteCommand("DELETE FROM Project WHERE [Project Number] = 'A1'");
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
    EXPECT_EQ(Numbers(), "A1;");
}

void ResultReuse::AFileInItsPlace() {
    EXPECT_EQ(Numbers(), "A1;B1;");
    EXPECT_EQ(Numbers(), "A1;B1;");  // kept from here on
    const auto other = HostDatabase().parent_path() / "other.mdb";
    CreateProjectDatabase(other);
    AddProjects(other, {{"X1", "Xray", "P:\\X1\\", true}});
    std::filesystem::rename(other, HostDatabase());
    EXPECT_EQ(Numbers(), "X1;");
}

void ResultReuse::ARestore() {
    EXPECT_EQ(Numbers(), "A1;B1;");
    EXPECT_EQ(Numbers(), "A1;B1;");
    const std::string backup = ReadBytes(HostDatabase());
    ElsewhereExecute("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                     "VALUES ('C1', 'Charlie', 'P:\\C1\\', True)");
    EXPECT_EQ(Numbers(), "A1;B1;C1;");
    {
        // Copied back over the file, as a restore does.
        std::ofstream out(HostDatabase(), std::ios::binary | std::ios::trunc);
        out << backup;
    }
    EXPECT_EQ(Numbers(), "A1;B1;");
    int32_t affected = 0;
    db->ExecuteCommand("DELETE FROM Project WHERE [Project Number] = 'A1'", &affected, adExecuteNoRecords);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(Numbers(), "B1;");
}

void ResultReuse::AnotherStatementOrDatabase() {
    EXPECT_EQ(Numbers(), "A1;B1;");
    EXPECT_EQ(Numbers(), "A1;B1;");
    EXPECT_EQ(db->GetRSArray("SELECT [Project Number] FROM Project WHERE [Project Number] = 'B1'")(0, 0), "B1");
    const auto other = HostDatabase().parent_path() / "Other.mdb";
    CreateProjectDatabase(other);
    AddProjects(other, {{"X1", "Xray", "P:\\X1\\", true}});
    db->DbServer("C:\\Data\\Other.mdb");
    db->BuildDBConnnectString();
    const QueryResult list = db->GetRSArray(kListSql);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list(0, 0), "X1");
}

REUSE_TEST(AnotherProcesssChangesInsertsAndDeletesAreSeenAtTheNextQuery, ChangesElsewhere)
REUSE_TEST(TheObjectsOwnWritesAreSeen, OwnWrites)
REUSE_TEST(AFilePutInThePlaceOfTheDatabaseIsRead, AFileInItsPlace)
REUSE_TEST(ARestoreFromABackupIsReadAndCanBeWritten, ARestore)
REUSE_TEST(AnotherStatementOrDatabaseIsNotAnsweredFromTheKeptResult, AnotherStatementOrDatabase)

DB_TEST_BOTH_PROVIDERS(ResultReuse);
DB_TEST_BOTH_PROVIDERS(ResultReuseAcrossLibraries);

}  // namespace
}  // namespace dbtest
