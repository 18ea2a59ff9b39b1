// The person at the headless toolkit: what the actions do, what they refuse, and
// what the toolkit records.
#include <gtest/gtest.h>

#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;

using PersonTest = ShownForm;

TEST_F(PersonTest, ActionsAControlCannotTakeAreRefusedWithTheReasonAndNotDone) {
    auto& person = machine.Person();
    form->list.AddItem("only");
    form->name.SetLocked(true);
    form->ok.SetEnabled(false);
    form->cancel.SetVisible(false);
    form->Take();
    EXPECT_FALSE(person.Type(form->link, "x"));
    EXPECT_FALSE(person.Set(form->name, "x"));
    EXPECT_FALSE(person.Pick(form->list, 1));
    EXPECT_FALSE(person.Pick(form->name, 0));
    EXPECT_FALSE(person.Click(form->ok));
    EXPECT_FALSE(person.Press(form->cancel));
    EXPECT_FALSE(person.Press(form->list));
    EXPECT_FALSE(person.Focus(form->link));
    EXPECT_FALSE(person.Key(form->frame, 13));
    EXPECT_EQ(form->Take(), Log{});
    EXPECT_EQ(person.TakeProblems(), (std::vector<std::string>{
                                         "cannot type into frmTest.lblLink: it is not a text or combo box",
                                         "cannot set the text of frmTest.txtName: it is locked",
                                         "cannot pick from frmTest.cboList: it has no entry 1 (1 entries)",
                                         "cannot pick from frmTest.txtName: it is not a combo box",
                                         "cannot click frmTest.cmdOk: cmdOk is disabled",
                                         "cannot press frmTest.cmdCancel: cmdCancel is hidden",
                                         "cannot press frmTest.cboList: it is not a button, check box or option",
                                         "cannot focus frmTest.lblLink: it never takes the focus",
                                         "cannot press a key in frmTest.fraKind: it never takes the focus",
                                     }));
    form->Hide();
    EXPECT_FALSE(person.CloseBox(*form));
    EXPECT_EQ(person.TakeProblems(), std::vector<std::string>{"cannot close frmTest: form frmTest is hidden"});
    EXPECT_TRUE(form->Loaded());
}

TEST_F(PersonTest, TypingFocusesTheBoxFirst) {
    EXPECT_TRUE(machine.Person().Type(form->list, "ab"));
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus", "cboList.KeyPress 97", "cboList.Change",
                                 "cboList.KeyPress 98", "cboList.Change"}));
}

TEST_F(PersonTest, AKeyGoesToTheControlItNames) {
    EXPECT_TRUE(machine.Person().Key(form->cancel, vbKeyReturn));
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cmdCancel.GotFocus", "cmdCancel.Click"}));
}

TEST_F(PersonTest, SettingATextFocusesTheBoxAndChangesItOnce) {
    EXPECT_TRUE(machine.Person().Set(form->list, "Smith House"));
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus", "cboList.Change"}));
    EXPECT_EQ(form->list.Text(), "Smith House");
}

TEST_F(PersonTest, PickingFocusesTheBoxAndClicks) {
    form->list.AddItem("first");
    form->list.AddItem("second");
    EXPECT_TRUE(machine.Person().Pick(form->list, 1));
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus", "cboList.Click"}));
    EXPECT_EQ(form->list.Text(), "second");
}

TEST_F(PersonTest, TheToolkitRecordsEveryFormShown) {
    auto dialog = std::make_shared<TestForm>();
    dialog->SetCaption("Question");
    machine.Person().WhenModal([&](Form&) { machine.Person().CloseBox(*dialog); });
    dialog->Show(vbModal);
    const auto& shown = machine.Toolkit().FormsShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].name, "frmTest");
    EXPECT_FALSE(shown[0].modal);
    EXPECT_EQ(shown[0].hwnd, form->hWnd());
    EXPECT_EQ(shown[1].caption, "Question");
    EXPECT_TRUE(shown[1].modal);
    EXPECT_EQ(machine.Toolkit().Journal(),
              (std::vector<std::string>{"show frmTest", "show modal frmTest", "unload frmTest"}));
    EXPECT_EQ(machine.Toolkit().FindForm("frmTest"), form.get());
}

TEST_F(PersonTest, ModalActionsNeverUsedAreAProblem) {
    machine.Person().WhenModal([](Form&) {});
    EXPECT_EQ(machine.Person().Problems(), std::vector<std::string>{"1 expected modal form(s) never shown"});
    machine.Person().RunModal(*form);  // uses them up
    EXPECT_TRUE(machine.Person().Problems().empty());
}
