// The text box: its text and change event, its selection, and a person's keys.
#include <gtest/gtest.h>

#include "platform/text/text.h"
#include "platform/toolkit/input.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
namespace input = platform::toolkit::input;

using TextBoxTest = ShownForm;

TEST_F(TextBoxTest, SettingTheTextRaisesChangeOnlyWhenTheTextDiffers) {
    form->name.SetText("Roof");
    form->name.SetText("Roof");
    form->name.SetText("");
    form->name.SetText("");
    EXPECT_EQ(form->Take(), (Log{"txtName.Change", "txtName.Change"}));
    EXPECT_EQ(form->name.Text(), "");
}

TEST_F(TextBoxTest, SettingTheTextPutsTheCaretAtTheStart) {
    form->name.SetText("Roof drawings");
    form->name.SetSelStart(4);
    form->name.SetSelLength(3);
    form->name.SetText("Site visit");
    EXPECT_EQ(form->name.SelStart(), 0);
    EXPECT_EQ(form->name.SelLength(), 0);
}

TEST_F(TextBoxTest, SelectionOutsideTheTextIsClampedAsAnEditControlDoes) {
    TextBox& box = form->name;
    box.SetText("abc");
    box.SetSelStart(10);
    EXPECT_EQ(box.SelStart(), 3);
    box.SetSelLength(5);
    EXPECT_EQ(box.SelLength(), 0);
    box.SetSelStart(-4);
    EXPECT_EQ(box.SelStart(), 0);
    box.SetSelStart(1);
    box.SetSelLength(10);
    EXPECT_EQ(box.SelLength(), 2);
    box.SetSelLength(-1);
    EXPECT_EQ(box.SelLength(), 0);
    box.SetSelLength(1);
    box.SetSelStart(2);  // a new start makes the selection empty
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_EQ(form->Take(), (Log{"txtName.Change"}));  // the selection raises nothing
}

TEST_F(TextBoxTest, SelectionCountsCharactersNotBytes) {
    TextBox& box = form->name;
    box.SetText("Été à Zürich");
    EXPECT_EQ(box.TextLength(), 12);
    box.SetSelStart(4);
    box.SetSelLength(1);
    EXPECT_EQ(box.SelText(), "à");
    box.SetSelText("en");
    EXPECT_EQ(box.Text(), "Été en Zürich");
    EXPECT_EQ(box.SelStart(), 6);
    box.SetSelStart(100);
    EXPECT_EQ(box.SelStart(), 13);
}

TEST_F(TextBoxTest, SettingTheSelectedTextReplacesItAndLeavesTheCaretAfterIt) {
    TextBox& box = form->name;
    box.SetText("Roof drawings");
    form->Take();
    box.SetSelStart(5);
    box.SetSelLength(8);
    EXPECT_EQ(box.SelText(), "drawings");
    box.SetSelText("plans");
    EXPECT_EQ(box.Text(), "Roof plans");
    EXPECT_EQ(box.SelStart(), 10);
    EXPECT_EQ(box.SelLength(), 0);
    box.SetSelStart(0);
    box.SetSelLength(4);
    box.SetSelText("Roof");  // the same text: no change
    EXPECT_EQ(form->Take(), (Log{"txtName.Change"}));
}

TEST_F(TextBoxTest, AKeyRaisesKeyPressThenChangesTheTextThenRaisesChange) {
    input::Text(*form, "ab");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 97", "txtName.Change", "txtName.KeyPress 98", "txtName.Change"}));
    EXPECT_EQ(form->name.Text(), "ab");
    EXPECT_EQ(form->name.SelStart(), 2);
}

TEST_F(TextBoxTest, TheProgramCanSwallowOrChangeAKey) {
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key == 'x') key = 0;
        if (key == 'a') key = 'A';
    };
    input::Text(*form, "xaxb");
    EXPECT_EQ(form->name.Text(), "Ab");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 120", "txtName.KeyPress 97", "txtName.Change",
                                 "txtName.KeyPress 120", "txtName.KeyPress 98", "txtName.Change"}));
}

TEST_F(TextBoxTest, ATypedCharacterReplacesTheSelection) {
    form->name.SetText("Roof drawings");
    form->name.SetSelStart(1);
    form->name.SetSelLength(3);
    form->Take();
    input::Character(*form, U'e');
    EXPECT_EQ(form->name.Text(), "Re drawings");
    EXPECT_EQ(form->name.SelStart(), 2);
}

TEST_F(TextBoxTest, BackspaceDeletesTheSelectionOrElseTheCharacterBeforeTheCaret) {
    TextBox& box = form->name;
    box.SetText("Zürich");
    box.SetSelStart(1);
    box.SetSelLength(2);
    input::Key(*form, vbKeyBack);
    EXPECT_EQ(box.Text(), "Zich");
    EXPECT_EQ(box.SelStart(), 1);
    box.SetSelStart(4);
    input::Key(*form, vbKeyBack);
    EXPECT_EQ(box.Text(), "Zic");
    box.SetSelStart(0);
    form->Take();
    input::Key(*form, vbKeyBack);  // nothing before the caret: no change
    EXPECT_EQ(box.Text(), "Zic");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 8"}));
}

TEST_F(TextBoxTest, ALockedBoxRaisesKeyPressButKeepsItsText) {
    form->name.SetText("fixed");
    form->name.SetLocked(true);
    form->Take();
    input::Text(*form, "z");
    input::Key(*form, vbKeyBack);
    EXPECT_EQ(form->name.Text(), "fixed");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 122", "txtName.KeyPress 8"}));
    form->name.SetText("set by the program");
    EXPECT_EQ(form->name.Text(), "set by the program");
}

TEST_F(TextBoxTest, ACharacterBeyondAKeyCodeIsAnnouncedAsMinusOneAndTypedAsItself) {
    input::Text(*form, "a\xE9\x80\x80\xF0\x9F\x98\x80");  // a, U+9000, U+1F600
    EXPECT_EQ(form->name.Text(), "a\xE9\x80\x80\xF0\x9F\x98\x80");
    EXPECT_EQ(form->Take(), (Log{"txtName.KeyPress 97", "txtName.Change", "txtName.KeyPress -1", "txtName.Change",
                                 "txtName.KeyPress -1", "txtName.Change"}));
    form->onKeyPress = [](Control&, int16_t& key) { key = 'z'; };
    input::Text(*form, "\xE9\x80\x80");
    EXPECT_EQ(form->name.Text(), "a\xE9\x80\x80\xF0\x9F\x98\x80z");
}

TEST_F(TextBoxTest, BytesThatAreNotUtf8AreCharactersAsPlatformTextCountsThem) {
    TextBox& box = form->name;
    const std::string bad = "a\x80" "b\xE2\x82" "c\xFF";  // a stray byte, a sequence cut short, a byte never UTF-8
    box.SetText(bad);
    EXPECT_EQ(box.TextLength(), 6);
    EXPECT_EQ(box.TextLength(), platform::text::Len(bad));
    box.SetSelStart(1);
    box.SetSelLength(1);
    EXPECT_EQ(box.SelText(), "\x80");
    box.SetSelStart(3);
    box.SetSelLength(2);
    EXPECT_EQ(box.SelText(), "\xE2\x82" "c");
    box.SetSelStart(4);
    input::Key(*form, vbKeyBack);  // the sequence cut short goes whole
    EXPECT_EQ(box.Text(), "a\x80" "bc\xFF");
    box.SetSelStart(5);
    input::Text(*form, "\xFE");  // typed, it arrives as U+FFFD
    EXPECT_EQ(box.Text(), "a\x80" "bc\xFF\xEF\xBF\xBD");
    EXPECT_EQ(box.SelStart(), 6);
}

// A program completing what is typed may set the selection past the end of the text
// (as a completion over a list does when no entry matches): the clamping keeps what
// the person sees exactly what was typed.
TEST_F(TextBoxTest, APersonSeesWhatWasTypedWhenTheProgramSetsTheSelectionOutOfRange) {
    int32_t typed = 0;
    form->onKeyPress = [&](Control& control, int16_t& key) {
        auto& box = static_cast<TextBox&>(control);
        std::string text = box.Text();
        if (typed == 0) {
            box.SetText(std::string(1, static_cast<char>(key)));
            key = 0;
            typed = 1;
        } else {
            ++typed;
        }
        box.SetSelStart(typed);
        box.SetSelLength(box.TextLength() - typed);
        typed = box.SelStart();
    };
    input::Text(*form, "qrst");
    EXPECT_EQ(form->name.Text(), "qrst");
}
