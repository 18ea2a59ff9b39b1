// Type-ahead in a combo box: each key completes what has been typed so far with the
// first list entry that begins with it, the completed rest selected so that typing
// on replaces it.
#include "addin/controller/clsQuillet.h"
#include "platform/text/text.h"
#include "platform/toolkit/window_calls.h"

namespace text = platform::text;
namespace toolkit = platform::toolkit;

void clsQuillet::ComboTypeAhead(toolkit::ComboBox& box, int16_t& typedLength, int16_t& key) {
    // Backspace steps back one typed character. (A key press never carries the arrow
    // keys: there 37 and 39 are "%" and "'", which are typed like any character, so
    // a name like O'Neil comes out as typed.)
    const bool stepBack = key == 8;
    std::string typed;
    if (typedLength > 0) {
        typed = stepBack ? text::Left(box.Text(), typedLength - 1)
                         : text::Left(box.Text(), typedLength) + text::Chr(uint32_t(key));
    } else {
        // The first key: the list opens and the box holds just that key.
        toolkit::SendMessageA(box.hWnd(), toolkit::cb::ShowDropDown, 1, 0);
        typed = text::Chr(uint32_t(key));
        box.SetText(typed);
        key = 0;
    }

    // The first entry that begins with what was typed, without regard to case.
    const int32_t found = box.FindPrefixNoCase(typed);
    const bool matched = found >= 0;
    if (matched) {
        box.SetListIndex(found);
        key = 0;
    }

    const int32_t typedChars = int32_t(text::Len(typed));
    if (!matched && key != 0 && !stepBack) {
        // Nothing matches and the key still goes to the box: it replaces the proposed
        // rest right after what was typed before it, so the box shows exactly the
        // typed text.
        box.SetSelStart(typedChars - 1);
        box.SetSelLength(int32_t(text::Len(box.Text())) - box.SelStart());
        typedLength = int16_t(typedChars);
        return;
    }
    box.SetSelStart(typedChars);
    box.SetSelLength(int32_t(text::Len(box.Text())) - box.SelStart());
    typedLength = int16_t(box.SelStart());
}
