// The folder picker of each field: its title, and whether it is rooted at the start
// folder (the project's folder when that exists, else the root folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/controller/controller_fixture.h"

using namespace controller_test;

TEST_F(ControllerTest, EachBrowseTargetHasItsTitleAndRoot) {
    Start();
    std::filesystem::create_directories(machine.Host("P:\\Projects\\05-123"));
    const std::string project = "P:\\Projects\\05-123\\", root = "P:\\Projects\\";
    const std::string save = "Select a folder to save the Email in:";
    struct {
        int32_t target;
        bool plexar;
        std::string folder, title;
        std::optional<std::string> rootedAt;
    } const cases[] = {
        {0, true, project, "The Plexar Job Folder is " + project + kCrLf + save, project},
        {0, true, "P:\\Gone\\", "The Plexar Job Folder is P:\\Gone\\" + kCrLf + save, root},
        {0, true, "", save, std::nullopt},
        {2, false, project, "Select Default Email Folder:", project},
        {2, false, "P:\\Gone\\", "Select Default Email Folder:", root},
        {6, false, project, "Select the Folder for the Job Files and Emails:", root},
        {5, false, project, "", std::nullopt},
    };
    clsQuillet& q = Controller();
    q.WorkUnit("Job");
    for (const auto& c : cases) {
        q.BrowseTarget(c.target);
        q.UsePlexar(c.plexar);
        q.ProjFilePath(c.folder);
        q.BrowseFolder("before");
        person.ExpectPicker(c.title, std::nullopt);
        q.ChooseFolder();
        ASSERT_FALSE(person.Seen().empty());
        EXPECT_EQ(person.Seen().back().root, c.rootedAt) << "target " << c.target << " " << c.folder;
        EXPECT_EQ(q.BrowseFolder(), "") << "a cancelled picker returns nothing";
    }
}
