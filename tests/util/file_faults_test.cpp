// The utility object's file members when the disk fails under them: each failure is
// reported once under the member's name, and every file stays whole.
#include <filesystem>
#include <string>

#include "tests/support/fault_loop.h"
#include "util_fixture.h"

namespace {

namespace fs = std::filesystem;

class UtilFaults : public UtilTest {
protected:
    // The reports shown since the last call; the fixture's person counts any report
    // as unexpected, so those problems are taken here and judged by the caller.
    std::vector<std::string> NewReports() {
        std::vector<std::string> reports;
        const auto& seen = machine.Person().Seen();
        for (; shown_ < seen.size(); ++shown_) reports.push_back(seen[shown_].title + "|" + seen[shown_].text);
        machine.Person().TakeProblems();
        return reports;
    }
    void ExpectOneReportOrNone(const fault_loop::Run& run, const std::string& procedure) {
        auto reports = NewReports();
        if (!run.met) {
            EXPECT_TRUE(reports.empty());
            return;
        }
        ASSERT_EQ(reports.size(), 1u);
        const std::string tail = "\r\nThe error occurred in clsUtil:" + procedure;
        EXPECT_TRUE(reports[0] == " Error|Error 75: Path/File access error" + tail ||
                    reports[0] == " Error|Error 70: Permission denied" + tail)
            << reports[0];
    }

    size_t shown_ = 0;
};

TEST_F(UtilFaults, ACopyThatFailsIsReportedAndLeavesNoPartOfTheCopy) {
    const std::string database(150000, 'd');
    machine.Write("C:\\Old\\Quillet.mdb", database);
    fs::create_directories(machine.Host("C:\\New"));
    int met = fault_loop::ForEachFault(
        [&] { fs::remove(machine.Host("C:\\New\\Quillet.mdb")); },
        [&] { util->UtilCopyFile("C:\\Old\\Quillet.mdb", "C:\\New\\Quillet.mdb", false); },
        [&](const fault_loop::Run& run) {
            ExpectOneReportOrNone(run, "UtilCopyFile");
            EXPECT_EQ(machine.Read("C:\\Old\\Quillet.mdb"), database);
            EXPECT_EQ(fs::exists(machine.Host("C:\\New\\Quillet.mdb")), !run.met);
            if (!run.met) {
                EXPECT_EQ(machine.Read("C:\\New\\Quillet.mdb"), database);
            }
            EXPECT_EQ(fault_loop::AsideFiles(machine.Host("C:\\New")), 0);
            EXPECT_EQ(util->FileSys(), nullptr);
        });
    EXPECT_GE(met, 8);
}

TEST_F(UtilFaults, ADeleteThatFailsIsReportedAndKeepsTheFile) {
    int met = fault_loop::ForEachFault(
        [&] { machine.Write("C:\\Old\\Quillet.mdb", "database"); },
        [&] { util->UtilDeleteFile("C:\\Old\\Quillet.mdb", true); },
        [&](const fault_loop::Run& run) {
            ExpectOneReportOrNone(run, "UtilDeleteFile");
            EXPECT_EQ(util->DoesFileExist("C:\\Old\\", "Quillet.mdb"), run.met);
        });
    EXPECT_EQ(met, 1);  // the one delete
}

TEST_F(UtilFaults, ASettingThatCannotBeSavedReturnsZeroAndChangesNothing) {
    const std::string ini = "C:\\ProgramData\\Quillet\\Quillet.ini";
    const std::string before = "[Setup]\r\nRoot=C:\\\r\n";
    int32_t result = 0;
    int met = fault_loop::ForEachFault(
        [&] { machine.Write(ini, before); },
        [&] { result = util->SaveSettingINI("Quillet", "Setup", "Root", "P:\\Jobs\\", ini); },
        [&](const fault_loop::Run& run) {
            EXPECT_TRUE(NewReports().empty());  // a failed write is no failure of its own
            EXPECT_EQ(result == 0, run.met);
            EXPECT_EQ(util->GetSettingINI("Quillet", "Setup", "Root", "<none>", ini), run.met ? "C:\\" : "P:\\Jobs\\");
        });
    EXPECT_GE(met, 7);
}

}  // namespace
