// The combo box: its list, the selected entry, and how text and entries go together.
#include <gtest/gtest.h>

#include "platform/errors/errors.h"
#include "platform/text/text.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/window_calls.h"
#include "tests/platform/toolkit_test_form.h"

using namespace toolkit_test;
namespace input = platform::toolkit::input;

namespace {
class ComboBoxTest : public ShownForm {
protected:
    void SetUp() override {
        ShownForm::SetUp();
        for (const char* item : {"Bridge Street: 2231", "Smith House: 05-123", "Oak Lane: 07-001"})
            box.AddItem(item);
        form->list.SetFocus();
        form->Take();
    }
    int32_t ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const platform::ErrorInfo& e) {
            return e.Number;
        }
        return 0;
    }
    ComboBox& box = form->list;
};
}  // namespace

TEST_F(ComboBoxTest, SettingTheSelectedIndexShowsTheEntryWhollySelectedAndRaisesClickNotChange) {
    box.SetListIndex(1);
    EXPECT_EQ(box.Text(), "Smith House: 05-123");
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 19);
    box.SetListIndex(1);  // the same entry again: clicked again
    EXPECT_EQ(form->Take(), (Log{"cboList.Click", "cboList.Click"}));
    EXPECT_EQ(box.ListIndex(), 1);
}

TEST_F(ComboBoxTest, MinusOneSelectsNothingAndEmptiesTheTextSilently) {
    box.SetListIndex(0);
    form->Take();
    box.SetListIndex(-1);
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(form->Take(), Log{});
}

TEST_F(ComboBoxTest, PositionsOutsideTheListFail) {
    EXPECT_EQ(ErrorOf([&] { box.SetListIndex(3); }), 380);
    EXPECT_EQ(ErrorOf([&] { box.SetListIndex(-2); }), 380);
    EXPECT_EQ(ErrorOf([&] { box.AddItem("x", 4); }), 5);
    EXPECT_EQ(ErrorOf([&] { box.RemoveItem(3); }), 5);
    EXPECT_EQ(ErrorOf([&] { box.SetList(-1, "x"); }), 381);
    EXPECT_EQ(box.List(3), "");
    EXPECT_EQ(box.List(-1), "");
    EXPECT_EQ(box.ListCount(), 3);
    EXPECT_EQ(form->Take(), Log{});
}

TEST_F(ComboBoxTest, SettingTheTextNeverSelectsAnEntry) {
    box.SetText("Smith House: 05-123");
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(form->Take(), (Log{"cboList.Change"}));
}

TEST_F(ComboBoxTest, ATextDifferentFromTheSelectedEntrySelectsNothing) {
    box.SetListIndex(1);
    box.SetText("Smith House: 05-123");  // what it shows already: stays selected
    EXPECT_EQ(box.ListIndex(), 1);
    box.SetText("Smith");
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(form->Take(), (Log{"cboList.Click", "cboList.Change"}));
}

TEST_F(ComboBoxTest, TypingOverTheSelectedEntrySelectsNothing) {
    box.SetListIndex(0);
    box.SetSelStart(6);
    box.SetSelLength(13);
    form->Take();
    input::Text(*form, "!");
    EXPECT_EQ(box.Text(), "Bridge!");
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(form->Take(), (Log{"cboList.KeyPress 33", "cboList.Change"}));
}

TEST_F(ComboBoxTest, AddingAndRemovingEntriesKeepsTheSelectedOne) {
    box.SetListIndex(1);
    box.AddItem("Alder Court: 09-9", 0);
    EXPECT_EQ(box.ListIndex(), 2);
    EXPECT_EQ(box.List(0), "Alder Court: 09-9");
    box.AddItem("Zinc Works: 1");
    EXPECT_EQ(box.List(4), "Zinc Works: 1");
    EXPECT_EQ(box.ListIndex(), 2);
    box.RemoveItem(0);
    EXPECT_EQ(box.ListIndex(), 1);
    box.RemoveItem(1);
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(box.Text(), "Smith House: 05-123");  // the text stays until changed
}

TEST_F(ComboBoxTest, ClearEmptiesListAndTextSilently) {
    box.SetListIndex(2);
    form->Take();
    box.Clear();
    EXPECT_EQ(box.ListCount(), 0);
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(form->Take(), Log{});
}

TEST_F(ComboBoxTest, AKeyPressCarriesTheCodeAndAChangedCodeIsWhatTheBoxReceives) {
    form->onKeyPress = [](Control&, int16_t& key) {
        if (key == 's') key = 'S';
    };
    input::Text(*form, "sm");
    EXPECT_EQ(box.Text(), "Sm");
    EXPECT_EQ(form->Take(), (Log{"cboList.KeyPress 115", "cboList.Change", "cboList.KeyPress 109", "cboList.Change"}));
}

TEST_F(ComboBoxTest, TheDropDownOpensAndClosesByMessage) {
    using namespace platform::toolkit;
    EXPECT_EQ(SendMessageA(box.hWnd(), cb::ShowDropDown, -1, 0), 1);  // any nonzero opens
    EXPECT_TRUE(box.DroppedDown());
    EXPECT_EQ(SendMessageA(box.hWnd(), cb::GetDroppedState, 0, 0), 1);
    EXPECT_EQ(SendMessageA(box.hWnd(), cb::ShowDropDown, 0, 0), 1);
    EXPECT_FALSE(box.DroppedDown());
    EXPECT_EQ(SendMessageA(form->name.hWnd(), cb::ShowDropDown, 1, 0), 0);  // not a combo box
    EXPECT_EQ(SendMessageA(form->hWnd(), cb::ShowDropDown, 1, 0), 0);
    const auto& journal = machine.Toolkit().Journal();
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[journal.size() - 2], "dropdown open cboList");
    EXPECT_EQ(journal.back(), "dropdown close cboList");
}

TEST_F(ComboBoxTest, APickClosesTheListAndIsAClickNotAChange) {
    form->name.SetFocus();
    platform::toolkit::SendMessageA(box.hWnd(), platform::toolkit::cb::ShowDropDown, 1, 0);
    form->Take();
    input::Pick(box, 2);
    EXPECT_FALSE(box.DroppedDown());
    EXPECT_EQ(box.Text(), "Oak Lane: 07-001");
    EXPECT_EQ(form->Take(), (Log{"txtName.LostFocus", "cboList.GotFocus", "cboList.Click"}));
}

// The look-up of the first entry that begins with a typed text answers as a walk of
// the list with text::StartsWithNoCase does: for every beginning of every entry, in
// any case, in scripts whose letters fold to more than one letter, for texts that are
// not UTF-8, and after the list changed.
TEST_F(ComboBoxTest, TheFirstEntryBeginningWithATypedTextIsTheOneAWalkOfTheListFinds) {
    auto walk = [&](std::string_view typed) {
        for (size_t i = 0; i < box.Items().size(); ++i)
            if (platform::text::StartsWithNoCase(box.Items()[i], typed)) return int32_t(i);
        return int32_t(-1);
    };
    auto checkAll = [&](const std::vector<std::string>& extra) {
        std::vector<std::string> probes = extra;
        for (const std::string& item : box.Items())
            for (long n = 0; n <= platform::text::Len(item); ++n) {
                probes.push_back(platform::text::Left(item, n));
                probes.push_back(platform::text::LCase(platform::text::Left(item, n)));
            }
        for (const std::string& typed : probes) EXPECT_EQ(box.FindPrefixNoCase(typed), walk(typed)) << typed;
    };
    for (const char* item : {"smith house: 2", "Straße: 9", "Strasse: 1", "STRASSE", "\xE2\x84\xAA" "elvin",
                             "kelvin", "\xC3\x89" "cole", "\xC3\xA9" "cole", "\xC4\xB0stanbul", "istanbul",
                             "\xFF" "bad", "", "Oak Lane: 07-001"})
        box.AddItem(item);
    checkAll({"s", "ss", "st", "stra", "STRAS", "strass", "\xC3\x9F", "K", "\xC3\xA9", "i", "i\xCC\x87", "#", "zz",
              "\xFF", "\xEF\xBF\xBD"});
    // Changes of the list are looked up in the list as it is now.
    box.RemoveItem(1);
    box.SetList(0, "Zebra");
    box.AddItem("Smith", 0);
    checkAll({"s", "z", "sm"});
    box.Clear();
    EXPECT_EQ(box.FindPrefixNoCase("s"), -1);
    EXPECT_EQ(box.FindPrefixNoCase(""), -1);
}
