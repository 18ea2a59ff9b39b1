// A person's input: Enter, Esc and Space, mouse clicks, keyboard activation, picks,
// replaced texts and SendKeys notation.
#include <gtest/gtest.h>

#include "platform/toolkit/input.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
namespace input = platform::toolkit::input;

using InputTest = ShownForm;

TEST_F(InputTest, EnterInABoxRaisesItsKeyPressThenClicksTheDefaultButton) {
    input::Key(*form, vbKeyReturn);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 13", "cmdOk.Click"}));
    EXPECT_EQ(form->name.Text(), "");
    EXPECT_EQ(form->ActiveControl(), &form->name);
}

TEST_F(InputTest, EscInABoxRaisesItsKeyPressThenClicksTheCancelButton) {
    input::Key(*form, vbKeyEscape);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 27", "cmdCancel.Click"}));
}

TEST_F(InputTest, ASwallowedEnterClicksNothing) {
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key == vbKeyReturn) key = 0;
    };
    input::Key(*form, vbKeyReturn);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 13"}));
}

TEST_F(InputTest, AKeyChangedIntoEnterActsAsEnter) {
    form->onKeyPress = [](Control&, int16_t& key) { key = vbKeyReturn; };
    input::Text(*form, "a");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 97", "cmdOk.Click"}));
    EXPECT_EQ(form->name.Text(), "");
}

TEST_F(InputTest, EnterWithoutADefaultButtonBreaksTheLineOfAMultiLineBoxOnly) {
    form->ok.SetDefault(false);
    input::Text(*form, "a\rb");
    EXPECT_EQ(form->name.Text(), "ab");
    form->name.SetMultiLine(true);
    form->name.SetText("");
    input::Text(*form, "a\rb");
    EXPECT_EQ(form->name.Text(), "a\r\nb");
    EXPECT_EQ(form->DefaultButton(), nullptr);
}

TEST_F(InputTest, EnterOnAFocusedButtonClicksThatButtonWithoutAKeyPress) {
    form->cancel.SetFocus();
    form->Take();
    input::Key(*form, vbKeyReturn);
    input::Key(*form, vbKeySpace);
    EXPECT_EQ(form->Take(), (Log{"cmdCancel.Click", "cmdCancel.Click"}));
}

TEST_F(InputTest, OneDefaultAndOneCancelButtonPerForm) {
    form->cancel.SetDefault(true);
    EXPECT_FALSE(form->ok.Default());
    EXPECT_TRUE(form->cancel.Default());
    form->ok.SetCancel(true);
    EXPECT_FALSE(form->cancel.Cancel());
    input::Key(*form, vbKeyReturn);
    input::Key(*form, vbKeyEscape);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 13", "cmdCancel.Click", "txtName.KeyPress 27", "cmdOk.Click"}));
}

TEST_F(InputTest, HiddenOrDisabledDefaultButtonsAreNotClicked) {
    form->ok.SetEnabled(false);
    form->cancel.SetVisible(false);
    input::Key(*form, vbKeyReturn);
    input::Key(*form, vbKeyEscape);
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 13", "txtName.KeyPress 27"}));
}

TEST_F(InputTest, AMouseClickOnAButtonFocusesItThenPressesThenClicks) {
    input::Click(form->ok);
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cmdOk.GotFocus", "cmdOk.MouseDown 1 0 600 187", "cmdOk.Click"}));
    input::Click(form->ok);
    EXPECT_EQ(form->Take(), (Log{"cmdOk.MouseDown 1 0 600 187", "cmdOk.Click"}));
}

TEST_F(InputTest, AClickOnALabelIsAClickOnly) {
    input::Click(form->link);
    EXPECT_EQ(form->Take(), (Log{"lblLink.Click"}));
    EXPECT_EQ(form->ActiveControl(), &form->name);
}

TEST_F(InputTest, AMouseDownThatHidesTheButtonStopsTheClick) {
    form->ok.Events().MouseDown = [&](int16_t, int16_t, float, float) { form->ok.SetVisible(false); };
    input::Click(form->ok);
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cmdOk.GotFocus"}));
}

TEST_F(InputTest, ACheckBoxClickTogglesItThenClicks) {
    form->check.Events().Click = [&] { form->log.push_back("value " + std::to_string(form->check.Value())); };
    input::Click(form->check);
    input::Click(form->check);
    input::Key(*form, vbKeySpace);
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "chkActive.GotFocus", "chkActive.MouseDown 1 0 0 0", "value 1",
                                 "chkActive.MouseDown 1 0 0 0", "value 0", "value 1"}));
}

TEST_F(InputTest, ACheckBoxSetByTheProgramClicksOnlyWhenItsValueChanges) {
    form->check.SetValue(vbChecked);
    form->check.SetValue(vbChecked);
    form->check.SetValue(vbUnchecked);
    EXPECT_EQ(form->Take(), (Log{"chkActive.Click", "chkActive.Click"}));
}

TEST_F(InputTest, AnOptionClickedClearsTheOthersOfItsFrameAndClicksEvenWhenChosenAlready) {
    OptionButton outside(*form, "optOutside");
    outside.SetValue(true);
    form->Take();
    input::Click(form->option(1));
    EXPECT_TRUE(form->option(1).Value());
    input::Click(form->option(0));
    EXPECT_TRUE(form->option(0).Value());
    EXPECT_FALSE(form->option(1).Value());
    EXPECT_TRUE(outside.Value());  // another group
    form->Take();
    input::Click(form->option(0));
    EXPECT_EQ(form->Take(), (Log{"optKind(0).MouseDown 1 0 600 127", "optKind(0).Click"}));
}

TEST_F(InputTest, AnOptionSetByTheProgramClicksOnlyWhenItBecomesChosen) {
    form->option(1).SetValue(true);
    form->option(1).SetValue(true);
    form->option(0).SetValue(true);
    EXPECT_FALSE(form->option(1).Value());
    form->option(0).SetValue(false);
    EXPECT_EQ(form->Take(), (Log{"optKind(1).Click", "optKind(0).Click"}));
    EXPECT_FALSE(form->option(0).Value());
}

TEST_F(InputTest, KeyboardActivationIsAClickWithoutMouseOrFocus) {
    input::KeyboardClick(form->cancel);
    input::KeyboardClick(form->check);
    EXPECT_EQ(form->Take(), (Log{"cmdCancel.Click", "chkActive.Click"}));
    EXPECT_EQ(form->ActiveControl(), &form->name);
    EXPECT_EQ(form->check.Value(), vbChecked);
}

TEST_F(InputTest, AReplacedTextIsOneChangeWithTheCaretAtTheEnd) {
    form->list.SetText("old");
    form->Take();
    input::Replace(form->list, "Smith House");
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus", "cboList.Change"}));
    EXPECT_EQ(form->list.SelStart(), 11);
    input::Replace(form->list, "Smith House");
    EXPECT_EQ(form->Take(), Log{});
}

TEST_F(InputTest, SendKeysNotationTypesKeysAndCharacters) {
    input::Keys(*form, "{{}a}{TAB}");
    EXPECT_EQ(form->name.Text(), "{a}");
    EXPECT_EQ(form->ActiveControl(), &form->list);
    input::Keys(*form, "x{BS}y~");
    EXPECT_EQ(form->list.Text(), "y");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 123", "txtName.Change", "txtName.KeyPress 97", "txtName.Change",
                                 "txtName.KeyPress 125", "txtName.Change", "txtName.KeyPress 9", "txtName.LostFocus",
                                 "cboList.GotFocus", "cboList.KeyPress 120", "cboList.Change", "cboList.KeyPress 8",
                                 "cboList.Change", "cboList.KeyPress 121", "cboList.Change", "cboList.KeyPress 13",
                                 "cmdOk.Click"}));
}

TEST_F(InputTest, InputIsRefusedWithTheReason) {
    EXPECT_EQ(input::Refusal(form->name), "");
    form->ok.SetEnabled(false);
    EXPECT_EQ(input::Refusal(form->ok), "cmdOk is disabled");
    form->frame.SetVisible(false);
    EXPECT_EQ(input::Refusal(form->option(1)), "optKind(1) is hidden");
    form->Hide();
    EXPECT_EQ(input::Refusal(form->name), "form frmTest is hidden");
    form->Unload();
    EXPECT_EQ(input::Refusal(*form), "form frmTest is not loaded");
}
