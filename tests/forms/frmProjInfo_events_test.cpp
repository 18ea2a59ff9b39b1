// The project form, shown modally, raises one event per action of the person; mouse
// and keyboard activation of its buttons are told apart.
#include <gtest/gtest.h>

#include "addin/forms/web_addresses.h"
#include "tests/forms/form_fixture.h"

using namespace forms_test;

namespace {
class ProjectFormEvents : public FormFixture<frmProjInfo, frmProjInfoEvents, ProjInfoRecorder> {
protected:
    void SetUp() override {
        form = Open();
        // As the controller does: activation puts the focus into the name.
        sink.then = [this](const std::string& line) {
            if (line == "FormActivate") form->txtProjInfo(1).SetFocus();
        };
    }
    void InTheForm(const std::function<void()>& actions) {
        person.WhenModal([&](platform::toolkit::Form&) {
            actions();
            person.CloseBox(*form);
        });
        form->Show(platform::toolkit::vbModal);
    }
    std::shared_ptr<frmProjInfo> form;
};
}  // namespace

TEST_F(ProjectFormEvents, ActivationComesFirstAndItsFocusHolds) {
    InTheForm([] {});
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "ProjInfoFieldGotFocus 1"}));
}

TEST_F(ProjectFormEvents, TheMouseOnAButtonGivesMouseDownThenClick) {
    InTheForm([&] { person.Click(form->cmdProjInfo(1)); });
    EXPECT_EQ(sink.Take(), (Log{"FormActivate", "ProjInfoFieldGotFocus 1", "ProjInfoFieldLostFocus 1",
                                "ButtonMouseDown 1 1 0 607.5 187.5", "ButtonClicked 1"}));
}

TEST_F(ProjectFormEvents, TheKeyboardOnAButtonGivesAClickOnly) {
    InTheForm([&] {
        sink.Take();
        person.Press(form->cmdProjInfo(1));
        person.Key(form->txtProjInfo(1), 27);
        person.Key(form->txtProjInfo(0), 13);
        person.Press(form->cmdProjInfo(2));
    });
    EXPECT_EQ(sink.Take(), (Log{"ButtonClicked 1", "ButtonClicked 1", "ProjInfoFieldLostFocus 1",
                                "ProjInfoFieldGotFocus 0", "ButtonClicked 0", "ButtonClicked 2"}));
}

TEST_F(ProjectFormEvents, EachFieldReportsItsIndex) {
    InTheForm([&] {
        sink.Take();
        person.Type(form->txtProjInfo(0), "7");
        person.Set(form->txtProjInfo(2), "P:\\Jobs\\");
        form->txtProjInfo(1).SetText("New Project");
    });
    EXPECT_EQ(sink.Take(), (Log{"ProjInfoFieldLostFocus 1", "ProjInfoFieldGotFocus 0", "ProjInfoFieldChange 0",
                                "ProjInfoFieldLostFocus 0", "ProjInfoFieldGotFocus 2", "ProjInfoFieldChange 2",
                                "ProjInfoFieldChange 1"}));
}

TEST_F(ProjectFormEvents, TheCheckBoxBrowseButtonAndWebLabelEachGiveOneEvent) {
    InTheForm([&] {
        sink.Take();
        person.Press(form->chkProjActive);
        form->chkProjActive.SetValue(1);  // the value it has: nothing
        form->chkProjActive.SetValue(0);
        person.Press(form->cmdBrowse(0));
        person.Click(form->lblWebSite);
    });
    EXPECT_EQ(sink.Take(), (Log{"ProjActiveClicked", "ProjActiveClicked", "BrowseClicked 0",
                                std::string("ProjInfoWebLabelClick ") + QuilletWebAddress}));
}

TEST_F(ProjectFormEvents, AHiddenCheckBoxTakesNoClick) {
    form->chkProjActive.SetVisible(false);
    InTheForm([&] { EXPECT_FALSE(person.Click(form->chkProjActive)); });
    EXPECT_EQ(person.TakeProblems().size(), 1u);
}
