// The save form raises one event per action of the person, with the index and the
// arguments the controller expects.
#include <gtest/gtest.h>

#include "addin/forms/web_addresses.h"
#include "platform/toolkit/window_calls.h"
#include "tests/forms/form_fixture.h"

using namespace forms_test;

namespace {
class SaveFormEvents : public FormFixture<frmQuillet, frmQuilletEvents, QuilletRecorder> {
protected:
    void SetUp() override {
        form = Open();
        form->cboQuillet.AddItem("Bridge Street: 2231");
        form->cboQuillet.AddItem("Smith House: 05-123");
        form->Show();
        form->ZOrder(0);
    }
    std::shared_ptr<frmQuillet> form;
};
}  // namespace

TEST_F(SaveFormEvents, ShowingItActivatesItThenFocusesTheProjectBox) {
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "ProjectComboGotFocus 0"}));
    EXPECT_EQ(machine.Toolkit().Journal().front(), "show frmQuillet");
}

TEST_F(SaveFormEvents, TypingInTheProjectBoxGivesAKeyPressWithTheTextThenAChange) {
    sink.Take();
    person.Type(form->cboQuillet, "Sm");
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboKeyPress  83", "ProjectComboChange S", "ProjectComboKeyPress S 109",
                                "ProjectComboChange Sm"}));
}

TEST_F(SaveFormEvents, AKeyChangedOrSwallowedByTheSubscriberIsWhatTheBoxGets) {
    sink.onKey = [](int16_t& key) {
        if (key == 's') key = 'S';
        if (key == '#') key = 0;
        if (key == 13) {
            platform::toolkit::SendKeys("{TAB}", true);
            key = 0;
        }
    };
    person.Type(form->cboQuillet, "s#m");
    EXPECT_EQ(form->cboQuillet.Text(), "Sm");
    sink.Take();
    person.Key(form->cboQuillet, 13);
    EXPECT_EQ(form->cboQuillet.Text(), "Sm");
    EXPECT_EQ(form->ActiveControl(), &form->cmdQuillet(2));
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboKeyPress Sm 13", "ProjectComboKeyPress Sm 9", "ProjectComboLostFocus"}));
}

TEST_F(SaveFormEvents, PickingAnEntryIsOneClickWithItsTextAndIndex) {
    sink.Take();
    person.Pick(form->cboQuillet, 1);
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboClick Smith House: 05-123 1"}));
    form->cboQuillet.SetListIndex(0);  // the program choosing raises the same
    form->cboQuillet.SetListIndex(-1);
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboClick Bridge Street: 2231 0"}));
}

TEST_F(SaveFormEvents, TheFolderAndNameBoxesReportFocusWithTheirHintsAndEachChange) {
    sink.Take();
    person.Set(form->txtSaveFolder, "P:\\Projects\\");
    person.Type(form->txtSaveAsName, "Re");
    form->txtSaveFolder.SetText("P:\\Projects\\");  // no change
    form->txtSaveFolder.SetText("");
    person.Focus(form->cboQuillet);
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboLostFocus", "SaveFolderGotFocus 1", "SaveFolderChanged",
                                "SaveFolderLostFocus", "SaveAsNameGotFocus 2", "SaveAsNameChanged",
                                "SaveAsNameChanged", "SaveFolderChanged", "SaveAsNameLostFocus",
                                "ProjectComboGotFocus 0"}));
}

TEST_F(SaveFormEvents, EveryButtonReportsItsOwnIndexOncePerClick) {
    form->cmdQuillet(8).SetVisible(true);
    for (int16_t index : {0, 1, 2, 3, 4, 5, 8}) {
        sink.Take();
        person.Click(form->cmdQuillet(index));
        Log buttons;
        for (const auto& line : sink.Take())
            if (line.starts_with("ButtonClicked")) buttons.push_back(line);
        EXPECT_EQ(buttons, Log{"ButtonClicked " + std::to_string(index)});
    }
    person.Press(form->cmdQuillet(3));
    EXPECT_EQ(sink.Take(), (Log{"ButtonClicked 3"}));
}

TEST_F(SaveFormEvents, TheEditButtonIsHiddenUntilTheProgramShowsIt) {
    EXPECT_FALSE(person.Click(form->cmdQuillet(8)));
    EXPECT_EQ(person.TakeProblems(),
              std::vector<std::string>{"cannot click frmQuillet.cmdQuillet(8): cmdQuillet(8) is hidden"});
}

TEST_F(SaveFormEvents, EnterClicksTheBrowseButtonAndEscTheCancelButton) {
    person.Focus(form->txtSaveAsName);
    sink.Take();
    person.Key(form->txtSaveAsName, 13);
    person.Key(form->txtSaveAsName, 27);
    person.Key(form->cboQuillet, 13);  // not swallowed by the subscriber here
    person.Key(form->cmdQuillet(3), 13);
    EXPECT_EQ(sink.Take(), (Log{"ButtonClicked 1", "ButtonClicked 4", "SaveAsNameLostFocus", "ProjectComboGotFocus 0",
                                "ProjectComboKeyPress  13", "ButtonClicked 1", "ProjectComboLostFocus",
                                "ButtonClicked 3"}));
}

TEST_F(SaveFormEvents, TheWebLabelGivesItsCaption) {
    sink.Take();
    person.Click(form->lblWebSite);
    EXPECT_EQ(sink.Take(), Log{std::string("WebLabelClick ") + QuilletWebAddress});
}

TEST_F(SaveFormEvents, ClosingWithTheWindowButtonUnloadsWithZero) {
    sink.Take();
    person.CloseBox(*form);
    EXPECT_EQ(sink.Take(), Log{"FormUnload 0"});
    EXPECT_FALSE(form->Loaded());
}

TEST_F(SaveFormEvents, UnloadingFromTheCancelButtonUnloadsWithZeroOnce) {
    sink.then = [&](const std::string& line) {
        if (line != "ButtonClicked 4") return;
        member->Unload();
        member = nullptr;  // the controller lets the form go while its click runs
    };
    std::weak_ptr<frmQuillet> watch = form;
    platform::toolkit::Control& folder = form->txtSaveFolder;
    form.reset();
    sink.Take();
    person.Key(folder, 27);
    EXPECT_EQ(sink.Take(), (Log{"ProjectComboLostFocus", "SaveFolderGotFocus 1", "ButtonClicked 4", "FormUnload 0"}));
    EXPECT_TRUE(watch.expired());
}

TEST_F(SaveFormEvents, UnloadingByTheProgramUnloadsWithZero) {
    sink.Take();
    form->Hide();
    form->Unload();
    form->Unload();
    EXPECT_EQ(sink.Take(), Log{"FormUnload 0"});
}
