// A host that returns from main with forms still loaded: whatever order the process
// ends in, the toolkit's own state outlasts every form and control it destroys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "hosts/sim/host/headless_toolkit.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;

namespace {

// A module-level reference made when the program starts, before anything of the
// toolkit, as a plugin's controller holds its form: it lets go last.
std::shared_ptr<TestForm> moduleForm;

// What a host's main does before it returns: install its toolkit and leave a form
// loaded, without unloading it or removing the toolkit. std::exit destroys the static
// objects as returning from main does.
[[noreturn]] void EndWithAFormLoaded(bool heldByAModule) {
    static sim::ScriptedPerson person;
    platform::toolkit::Install(std::make_shared<sim::HeadlessToolkit>(person));
    if (heldByAModule) {
        moduleForm = std::make_shared<TestForm>();
        moduleForm->list.AddItem("entry");
    } else {
        auto shown = std::make_shared<TestForm>();
        shown->Show();
        shown->name.SetText("still here");
        // only the toolkit's list of open forms holds it now
    }
    std::exit(0);
}

}  // namespace

TEST(ToolkitExit, AFormStillShownWhenMainReturnsGoesSafely) {
    EXPECT_EXIT(EndWithAFormLoaded(false), ::testing::ExitedWithCode(0), "");
}

TEST(ToolkitExit, AFormAModuleHoldsUntilTheProcessEndsGoesSafely) {
    EXPECT_EXIT(EndWithAFormLoaded(true), ::testing::ExitedWithCode(0), "");
}
