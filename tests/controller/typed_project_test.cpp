// A project typed into the save form's project box: read as "name: number", then
// looked up; in Plexar mode one that is not listed is told about and added to the
// list and the box as a temporary project for this mail.
#include <gtest/gtest.h>

#include "platform/toolkit/dialogs.h"
#include "tests/controller/controller_fixture.h"

using namespace controller_test;

namespace {

class TypedProjectTest : public ControllerTest {
protected:
    void Open(Mode mode, const std::vector<dbtool::ProjectRecord>& projects = {}) {
        Start(mode, projects);
        form = &OpenSaveForm({.subject = "Hello"});
    }
    // The message that a project is not listed, as Plexar mode words it.
    static std::string NotListed(const std::string& tag) {
        return "\"" + tag + "\" is not an existing project. " + kCrLf + kCrLf +
               "It will be added to the Project List as a temporary Project for this Email. " + kCrLf +
               "To make it a permanent Project, Add the Project in Plexar.";
    }
    frmQuillet* form = nullptr;
};

const std::vector<dbtool::ProjectRecord> kProjects = {{"05-123", "Smith House", ""},
                                                      {"2231", "Bridge Street", "Q:\\Jobs\\2231\\"}};

}  // namespace

TEST_F(TypedProjectTest, TheBoxReadsAsNameColonNumber) {
    struct {
        std::string typed, folder, number, name, path;
    } const cases[] = {
        {"Oak Lane: 07-001", "P:\\X", "07-001", "Oak Lane", "P:\\X\\"},
        {"Oak Lane :   07-001  ", "", "07-001", "Oak Lane ", "P:\\Projects\\"},  // the name is not trimmed
        {"a:b: c", "P:\\X\\", "b: c", "a", "P:\\X\\"},
        {":x", "P:\\X\\", "", ":x", "P:\\X\\"},
        {"Just a name", "  P:\\X\\", "", "Just a name", "P:\\X\\"},
    };
    Open(Mode::Own);
    clsQuillet& q = Controller();
    for (const auto& c : cases) {
        q.FillingForm(true);
        form->cboQuillet.SetText(c.typed);
        form->txtSaveFolder.SetText(c.folder);
        q.FillingForm(false);
        q.ProjectNumber("old");
        q.ProjActive(false);
        q.ProjectID(9);
        q.ReadTypedProject();
        EXPECT_EQ(q.ProjectNumber(), c.number) << c.typed;
        EXPECT_EQ(q.ProjectName(), c.name) << c.typed;
        EXPECT_EQ(q.ProjFilePath(), c.path) << c.typed;
        EXPECT_TRUE(q.ProjActive());
        EXPECT_EQ(q.ProjectID(), 0);
    }
}

TEST_F(TypedProjectTest, PlexarModeAddsAProjectNotListedAsATemporaryRowAndItem) {
    struct {
        std::string number, name, tag, folder, item;
    } const cases[] = {
        {"07-001", "Oak Lane", "07-001-Oak Lane", "P:\\Projects\\07-001\\", "Oak Lane: 07-001"},
        {"9999", "Smith House", "9999-Smith House", "P:\\Projects\\9999\\", "Smith House: 9999"},  // by number only
        {"", ":x", "-:x", "P:\\Projects\\", ":x"},
    };
    Open(Mode::Plexar, kProjects);
    clsQuillet& q = Controller();
    size_t rows = 2;
    for (const auto& c : cases) {
        person.ExpectMsgBox("Project Not Found", platform::toolkit::vbOK, NotListed(c.tag));
        q.ProjectNumber(c.number);
        q.ProjectName(c.name);
        q.ProjectTyped(true);
        q.ProjActive(false);
        q.ProjectID(5);
        q.CheckTypedProject();
        EXPECT_EQ(person.Seen().back().flags, platform::toolkit::vbInformation);
        EXPECT_EQ(q.ProjFilePath(), c.folder);
        const QueryResult list = q.ProjectList();
        ASSERT_EQ(list.Rows(), ++rows);
        for (size_t column = 0; column < 5; ++column)
            EXPECT_EQ(list(column, rows - 1), (Row{c.number, c.name, c.folder, "False", "0"})[column]) << column;
        EXPECT_EQ(list(1, 0), "Bridge Street") << "the rows before stay";
        EXPECT_EQ(form->cboQuillet.Items().back(), c.item);
        EXPECT_EQ(form->cboQuillet.ListCount(), int32_t(rows));
        EXPECT_FALSE(q.ProjActive());
        EXPECT_EQ(q.ProjectID(), 5);
    }
}

TEST_F(TypedProjectTest, PlexarModeFindsAListedNumberAndKeepsWhatWasTyped) {
    Open(Mode::Plexar, kProjects);
    clsQuillet& q = Controller();
    // Picked from a tag (not typed): the row becomes the current project.
    q.ProjectTyped(false);
    q.ProjectNumber("05-123");
    q.ProjectName("Another Name");
    q.CheckTypedProject();
    EXPECT_EQ(q.ProjectName(), "Smith House");
    EXPECT_EQ(q.ProjFilePath(), "P:\\Projects\\05-123");
    EXPECT_EQ(q.ProjectID(), 1);

    // Typed: the typed values stay.
    q.ProjectTyped(true);
    q.ProjectNumber("2231");
    q.ProjectName("Typed Name");
    q.ProjFilePath("P:\\Mine\\");
    q.CheckTypedProject();
    EXPECT_EQ(q.ProjectNumber(), "2231");
    EXPECT_EQ(q.ProjectName(), "Typed Name");
    EXPECT_EQ(q.ProjFilePath(), "P:\\Mine\\");
    EXPECT_EQ(q.ProjectList().Rows(), 2u);
}
