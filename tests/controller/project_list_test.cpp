// The project list: looking a project up (without regard to case, the first match),
// showing the list in the project box (with regard to case, the last match), and
// making a row the current project.
#include <gtest/gtest.h>

#include "tests/controller/controller_fixture.h"

using namespace controller_test;

namespace {

class ProjectListTest : public ControllerTest {
protected:
    void SetUp() override {
        Start();
        Controller().ProjectList(ListOf({
            {"09-9", "Alpha Yard", "P:\\Alpha", "True", "31"},
            {"2231", "Bridge Street", "Q:\\Jobs\\2231\\", "true", "18"},
            {"08-AB", "Case Court", "", "True", "33"},
            {"", "No Number", "", "False", "40"},
            {"09-9", "Zeta Yard", "P:\\Zeta\\", "True", "32"},
        }));
    }
    // A project box of its own, on a save form nobody listens to.
    std::shared_ptr<frmQuillet> form = std::make_shared<frmQuillet>();
    platform::toolkit::ComboBox& box = form->cboQuillet;
};

}  // namespace

TEST_F(ProjectListTest, LookupComparesWithoutRegardToCaseAndTakesTheFirstMatch) {
    struct {
        std::string number, name;
        bool found;
        int32_t index;
    } const cases[] = {
        {"09-9", "", true, 0},
        {"08-ab", "", true, 2},
        {"2231", "Alpha Yard", true, 1},   // a number is looked up by itself
        {"nope", "Alpha Yard", false, 5},  // not found: one past the last row
        {"", "bridge STREET", true, 1},
        {"", "No Number", true, 3},
        {"", "Nowhere", false, 5},
    };
    for (const auto& c : cases) {
        int32_t index = -7;
        EXPECT_EQ(Controller().FindProjectIndex(index, c.number, c.name), c.found) << c.number << "/" << c.name;
        EXPECT_EQ(index, c.index) << c.number << "/" << c.name;
    }
}

TEST_F(ProjectListTest, TheBoxSelectsWithRegardToCaseAndTakesTheLastMatch) {
    struct {
        std::string number, name;
        int32_t selected;
    } const cases[] = {
        {"09-9", "", 4},          {"08-ab", "", -1},         {"08-AB", "", 2},
        {"", "Bridge Street", 1}, {"", "bridge street", -1}, {"2231", "Alpha Yard", 1},
    };
    const std::vector<std::string> items = {"Alpha Yard: 09-9", "Bridge Street: 2231", "Case Court: 08-AB", "No Number",
                                            "Zeta Yard: 09-9"};
    for (const auto& c : cases) {
        box.AddItem("left from before");
        Controller().ProjectNumber(c.number);
        Controller().ProjectName(c.name);
        Controller().FillProjectList(box);
        EXPECT_EQ(box.Items(), items);
        EXPECT_EQ(box.ListIndex(), c.selected) << c.number << "/" << c.name;
        EXPECT_EQ(box.Text(), c.selected < 0 ? "" : items[size_t(c.selected)]);
    }
}

TEST_F(ProjectListTest, AnEmptyListFindsNothingAndTheBoxShowsTheCurrentProjectOnly) {
    clsQuillet& q = Controller();
    q.ProjectList(QueryResult());
    int32_t index = 7;
    EXPECT_FALSE(q.FindProjectIndex(index, "09-9", ""));
    EXPECT_FALSE(q.FindProjectIndex(index, "", "Alpha Yard"));
    EXPECT_EQ(index, 7);

    q.ProjectName("Oak Lane");
    q.ProjectNumber("07-001");
    q.FillProjectList(box);
    EXPECT_EQ(box.Items(), std::vector<std::string>{"Oak Lane: 07-001"});
    EXPECT_EQ(box.ListIndex(), -1);
    q.ProjectNumber("");
    q.FillProjectList(box);
    EXPECT_EQ(box.Items(), std::vector<std::string>{"Oak Lane"});
}

TEST_F(ProjectListTest, SelectingARowMakesItTheCurrentProject) {
    struct {
        int32_t row;
        std::string number, name, folder;
        bool active;
        int32_t id;
    } const cases[] = {
        {0, "09-9", "Alpha Yard", "P:\\Alpha\\", true, 31},
        {1, "2231", "Bridge Street", "Q:\\Jobs\\2231\\", true, 18},
        {2, "08-AB", "Case Court", "P:\\Projects\\08-AB", true, 33},  // Root + number, no backslash
        {3, "", "No Number", "P:\\Projects\\", false, 40},
    };
    clsQuillet& q = Controller();
    for (const auto& c : cases) {
        q.ProjActive(!c.active);
        q.SelectProject(c.row);
        EXPECT_EQ(q.ProjectNumber(), c.number) << c.row;
        EXPECT_EQ(q.ProjectName(), c.name) << c.row;
        EXPECT_EQ(q.ProjFilePath(), c.folder) << c.row;
        EXPECT_EQ(q.ProjActive(), c.active) << c.row;
        EXPECT_EQ(q.ProjectID(), c.id) << c.row;
    }
}
