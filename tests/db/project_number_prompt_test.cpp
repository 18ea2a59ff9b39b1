// The utility object's project-number prompt: the suggestion after the highest
// number, offered until the person gives a number that is not taken, or none.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "util/clsUtil/clsUtil.h"

namespace {

using dbtest::DbTest;
using platform::toolkit::DialogRequest;

const std::string kHighest = "SELECT max([Project Number]) FROM Project;";
const std::string kTitle = "Enter Project Number";
const std::string kPrompt = "Enter your new project number:";
const std::string kTaken = "You have entered a project number already in use. Your new project has not been added.";

class ProjectNumberPrompt : public DbTest {
protected:
    // The default texts of the input boxes shown so far, in order.
    std::vector<std::string> OfferedDefaults() {
        std::vector<std::string> offered;
        for (const auto& request : machine.Person().Seen())
            if (request.kind == DialogRequest::Kind::InputBox) offered.push_back(request.defaultText);
        return offered;
    }

    std::string Ask() {
        std::shared_ptr<IclsDbADO> db = MakeDb();
        return util->GetNewProjectNumber(kHighest, db);
    }

    std::shared_ptr<clsUtil> util = std::make_shared<clsUtil>();
};

TEST_F(ProjectNumberPrompt, OffersTheNextNumberUntilAFreeOneIsGiven) {
    // The inactive project's number is taken too; the rejected number is offered again.
    MakeDatabase({{"05-17", "Harbour", "", true}, {"05-12", "Depot", "", false}});
    machine.Person().ExpectInputBox(kTitle, "05-12", kPrompt);
    machine.Person().ExpectMsgBox("Existing Project Number", platform::toolkit::vbOK, kTaken);
    machine.Person().ExpectInputBox(kTitle, "05-17");
    machine.Person().ExpectMsgBox("Existing Project Number", platform::toolkit::vbOK, kTaken);
    machine.Person().ExpectInputBox(kTitle, "05-30");

    EXPECT_EQ(Ask(), "05-30");
    EXPECT_THAT(OfferedDefaults(), ::testing::ElementsAre("05-18", "05-12", "05-17"));
    const auto& seen = machine.Person().Seen();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[1].flags & 0x70, platform::toolkit::vbInformation);
}

TEST_F(ProjectNumberPrompt, CancelOrAnEmptyAnswerGivesNothingWithoutAReport) {
    MakeDatabase();
    machine.Person().ExpectInputBox(kTitle, std::nullopt);
    EXPECT_EQ(Ask(), "");
    EXPECT_THAT(OfferedDefaults(), ::testing::ElementsAre(""));  // empty table: nothing to suggest

    machine.Person().ExpectInputBox(kTitle, "");
    EXPECT_EQ(Ask(), "");
}

TEST_F(ProjectNumberPrompt, NumbersWithQuotesAreLookedUpAsWritten) {
    // A taken number with a quote is found (not a broken statement that counts as
    // free); a number written to match every row is only text, and free.
    MakeDatabase({{"O'Neil-1", "Harbour", "", true}, {"05-1", "Depot", "", true}});
    machine.Person().ExpectInputBox(kTitle, "O'Neil-1");
    machine.Person().ExpectMsgBox("Existing Project Number", platform::toolkit::vbOK, kTaken);
    machine.Person().ExpectInputBox(kTitle, "x' OR '1'='1");

    EXPECT_EQ(Ask(), "x' OR '1'='1");
    EXPECT_THAT(OfferedDefaults(), ::testing::ElementsAre("O'Neil-2", "O'Neil-1"));
}

TEST_F(ProjectNumberPrompt, AMissingDatabaseObjectIsReported) {
    std::shared_ptr<IclsDbADO> none;
    machine.Person().ExpectMsgBox(
        " Error", platform::toolkit::vbOK,
        "Error 91: Object variable or With block variable not set\r\nThe error occurred in clsUtil:GetNewProjectNumber");
    EXPECT_EQ(util->GetNewProjectNumber(kHighest, none), "");
}

}  // namespace
