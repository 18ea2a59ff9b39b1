// Several processes using one database file at once, as several Outlooks share one
// database over a network share.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_internals.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;

// Runs body in a child process; its result is the child's exit code.
pid_t Spawn(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 1;
        try {
            code = body();
        } catch (...) {
            code = 3;
        }
        _exit(code);
    }
    return pid;
}

int ExitCode(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SharedUse : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        if (!IsSkipped()) MakeDatabase();
    }
};

// Each writer adds its projects one statement at a time through its own database
// object, as the add-in does, so the two interleave all the time.
int AddProjectsOneByOne(const std::string& prefix, int count) {
    clsDbADO db;
    db.DbType("Access");
    db.DbProvider(kJet);
    db.DbServer(kDatabase);
    db.BuildDBConnnectString();
    for (int i = 0; i < count; ++i) {
        int32_t affected = 0;
        db.ExecuteCommand("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                          "VALUES ('" + prefix + std::to_string(i) + "', 'Name', 'P:\\', True);",
                          &affected, adExecuteNoRecords);
        if (affected != 1) return 2;
        if (i % 10 == 9) db.GetRSArray(kListSql);  // and reads now and then, closing the connection
    }
    return 0;
}

TEST_P(SharedUse, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kEach = 60;
    const pid_t first = Spawn([] { return AddProjectsOneByOne("A", kEach); });
    const pid_t second = Spawn([] { return AddProjectsOneByOne("B", kEach); });
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(ExitCode(first), 0);
    EXPECT_EQ(ExitCode(second), 0);

    auto db = MakeDb();
    QueryResult numbers = db->GetRSArray("SELECT [Project Number] FROM Project");
    ASSERT_EQ(numbers.Rows(), size_t(2 * kEach));
    std::set<std::string> seen;
    for (size_t r = 0; r < numbers.Rows(); ++r) seen.emplace(numbers(0, r));
    for (int i = 0; i < kEach; ++i) {
        EXPECT_TRUE(seen.count("A" + std::to_string(i))) << i;
        EXPECT_TRUE(seen.count("B" + std::to_string(i))) << i;
    }
}

TEST_P(SharedUse, AWriterWaitsForAnotherWritersTransaction) {
    // The parent holds the write lock in a transaction; a child's insert must wait
    // for it instead of failing, and then go through. (The child is forked before the
    // parent opens anything: a process must not inherit open database files.)
    int locked[2];
    ASSERT_EQ(pipe(locked), 0);
    const pid_t child = Spawn([&] {
        close(locked[1]);
        char byte = 0;
        if (read(locked[0], &byte, 1) != 1) return 4;
        ProviderConnection conn;
        conn.Open(kJetString);
        int32_t affected = 0;
        conn.Execute("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                     "VALUES ('child', 'C', '', True)",
                     &affected);
        // The parent's row was committed before this insert could go through.
        auto rs = conn.Execute("SELECT count(*) FROM Project WHERE [Project Number] = 'parent'");
        return (affected == 1 && rs->Fields().Item(0).Value().ToText() == "1") ? 0 : 2;
    });
    ASSERT_GT(child, 0);
    close(locked[0]);

    ProviderConnection holder;
    holder.Open(kJetString);
    holder.BeginTrans();
    holder.Execute("INSERT INTO Project ([Project Number], [Project Name], ProjFilePath, [Active]) "
                   "VALUES ('parent', 'P', '', True)");
    ASSERT_EQ(write(locked[1], "x", 1), 1);
    close(locked[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the child meets the lock meanwhile
    holder.CommitTrans();
    EXPECT_EQ(ExitCode(child), 0);

    auto rs = holder.Execute("SELECT count(*) FROM Project");
    EXPECT_EQ(rs->Fields().Item(0).Value().ToText(), "2");
}

DB_TEST_BOTH_PROVIDERS(SharedUse);

}  // namespace
}  // namespace dbtest
