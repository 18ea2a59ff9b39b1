// Type-ahead in a combo box, keyed by a person: each key completes what was typed
// with the first list entry that begins with it (without regard to case), the rest
// selected; Backspace steps back one typed character.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"
#include "tests/controller/controller_fixture.h"

using namespace controller_test;

namespace {

// A box whose key presses go to the controller's type-ahead, as the forms' boxes do.
class TypingForm : public platform::toolkit::Form {
public:
    TypingForm() : Form("frmTyping") {
        for (const char* item :
             {"Bridge Street: 2231", "Okra Farm: 06-001", "Sandy Lane: 06-002", "Smith House: 05-123"})
            box.AddItem(item);
        box.Events().KeyPress = [this](int16_t& key) {
            if ((key >= 32 && key <= 126) || key == 8) gController->ComboTypeAhead(box, typedLength, key);
        };
        box.Events().LostFocus = [this] { typedLength = 0; };
    }
    platform::toolkit::ComboBox box{*this, "cboBox"};
    platform::toolkit::TextBox other{*this, "txtOther"};
    int16_t typedLength = 0;
};

// The box's text, selected entry, selection start and length, and the typed length.
using Shown = std::tuple<std::string, int32_t, int32_t, int32_t, int16_t>;

class TypeAheadTest : public ControllerTest {
protected:
    void SetUp() override {
        Start();
        form->Show();
    }
    std::shared_ptr<TypingForm> form = std::make_shared<TypingForm>();
};

}  // namespace

TEST_F(TypeAheadTest, EachKeyCompletesWithTheFirstEntryThatBeginsWithTheTypedText) {
    struct {
        std::string keys;
        Shown shown;
    } const cases[] = {
        {"s", {"Sandy Lane: 06-002", 2, 1, 17, 1}},
        {"sm", {"Smith House: 05-123", 3, 2, 17, 2}},
        {"SMI", {"Smith House: 05-123", 3, 3, 16, 3}},
        {"okra farm: 06-001", {"Okra Farm: 06-001", 1, 17, 0, 17}},
        {"x", {"x", -1, 1, 0, 1}},    // the first key alone, when nothing matches
        {"sx", {"Sx", -1, 2, 0, 2}},  // a key that matches nothing is typed after the typed text
        {"sm\b", {"Sandy Lane: 06-002", 2, 1, 17, 1}},
        {"sx\b", {"Sandy Lane: 06-002", 2, 1, 17, 1}},
        {"xy\b", {"x", -1, 1, 0, 1}},
        // A key press carries characters: 39 and 37 are an apostrophe and a percent
        // sign, typed as any other character.
        {"o'", {"O'", -1, 2, 0, 2}},
        {"%", {"%", -1, 1, 0, 1}},
    };
    auto& box = form->box;
    for (const auto& c : cases) {
        person.Focus(form->other);
        box.SetListIndex(-1);
        box.ShowDropDown(false);
        person.Type(box, c.keys);
        EXPECT_EQ((Shown{box.Text(), box.ListIndex(), box.SelStart(), box.SelLength(), form->typedLength}), c.shown)
            << "keys \"" << c.keys << "\"";
        EXPECT_TRUE(box.DroppedDown()) << "the first key opens the list";
    }
}
