// The focus: its events, who can take it, the tab order, and a form's first focus.
#include <gtest/gtest.h>

#include "platform/errors/errors.h"
#include "platform/toolkit/input.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
namespace input = platform::toolkit::input;

using FocusTest = ShownForm;

namespace {
int32_t ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const platform::ErrorInfo& e) {
        return e.Number;
    }
    return 0;
}
}  // namespace

TEST_F(FocusTest, ShowingAFormActivatesItThenFocusesItsFirstTabStop) {
    auto other = std::make_shared<TestForm>();
    other->name.SetVisible(false);
    other->Show();
    EXPECT_EQ(other->Take(), (Log{"Form.Activate", "cboList.GotFocus"}));
    EXPECT_EQ(other->ActiveControl(), &other->list);
}

TEST_F(FocusTest, AFocusSetWhileActivatingIsKept) {
    auto other = std::make_shared<TestForm>();
    other->Events().Activate = [&] { other->check.SetFocus(); };
    other->Show();
    EXPECT_EQ(other->Take(), (Log{"chkActive.GotFocus"}));
}

TEST_F(FocusTest, MovingTheFocusRaisesLostFocusThenGotFocus) {
    form->list.SetFocus();
    form->list.SetFocus();  // has it already: nothing
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus"}));
    EXPECT_TRUE(form->list.HasFocus());
    EXPECT_FALSE(form->name.HasFocus());
}

TEST_F(FocusTest, ALostFocusHandlerThatMovesTheFocusBackWins) {
    form->name.Events().LostFocus = [&] {
        form->log.push_back("txtName.LostFocus");
        form->name.SetFocus();
    };
    form->check.SetFocus();
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "txtName.GotFocus"}));
    EXPECT_EQ(form->ActiveControl(), &form->name);
}

TEST_F(FocusTest, OnlyShownUsableControlsOfAVisibleFormTakeTheFocus) {
    form->ok.SetVisible(false);
    form->cancel.SetEnabled(false);
    form->frame.SetVisible(false);
    EXPECT_EQ(ErrorOf([&] { form->ok.SetFocus(); }), 5);
    EXPECT_EQ(ErrorOf([&] { form->cancel.SetFocus(); }), 5);
    EXPECT_EQ(ErrorOf([&] { form->option(0).SetFocus(); }), 5);  // inside a hidden frame
    EXPECT_EQ(ErrorOf([&] { form->link.SetFocus(); }), 5);       // labels never
    EXPECT_EQ(ErrorOf([&] { form->frame.SetFocus(); }), 5);
    form->frame.SetVisible(true);
    form->frame.SetEnabled(false);
    EXPECT_EQ(ErrorOf([&] { form->option(1).SetFocus(); }), 5);  // inside a disabled frame
    form->Hide();
    EXPECT_EQ(ErrorOf([&] { form->check.SetFocus(); }), 5);
    EXPECT_EQ(form->Take(), Log{});
    EXPECT_EQ(form->ActiveControl(), &form->name);
}

TEST_F(FocusTest, TabFollowsTheTabOrderSkippingWhatCannotTakeTheFocusAndWrapsAround) {
    form->cancel.SetVisible(false);
    form->option(0).SetTabStop(false);
    std::vector<Control*> visited;
    for (int i = 0; i < 6; ++i) {
        input::Key(*form, vbKeyTab);
        visited.push_back(form->ActiveControl());
    }
    EXPECT_EQ(visited, (std::vector<Control*>{&form->list, &form->ok, &form->check, &form->option(1), &form->name,
                                              &form->list}));
}

TEST_F(FocusTest, SettingATabIndexShiftsTheOthers) {
    EXPECT_EQ(form->check.TabIndex(), 4);
    form->check.SetTabIndex(0);
    EXPECT_EQ(form->check.TabIndex(), 0);
    EXPECT_EQ(form->name.TabIndex(), 1);
    EXPECT_EQ(form->cancel.TabIndex(), 4);
    form->option(1).SetFocus();
    input::Key(*form, vbKeyTab);
    EXPECT_EQ(form->ActiveControl(), &form->check);
}
