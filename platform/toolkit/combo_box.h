// The drop-down combo box: an editable text over a list of entries.
//
// What the program relies on:
// - The selected entry (ListIndex) is the one whose text the box shows because it
//   was chosen by index. Setting ListIndex to an entry puts that entry's text in the
//   box (selected whole, without raising Change) and raises Click, also when that
//   entry was selected already. Setting -1 selects nothing, empties the text and
//   raises nothing. Other values fail with 380 (invalid property value).
// - Setting Text never selects an entry, even one with that very text; when the new
//   text differs from the selected entry's, the box selects nothing (-1). Typing
//   works alike. Change follows as for any text box (text_box.h).
// - AddItem at a position shifts the entries from there (and the selected index with
//   them); without a position it appends. Clear removes every entry, selects nothing
//   and empties the text, raising nothing.
// - List positions are 32-bit: a project list may hold far more than 32 767 entries.
// - The drop-down list opens and closes with SendMessageA(cb::ShowDropDown)
//   (window_calls.h); DroppedDown tells its state.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/text_box.h"

namespace platform::toolkit {

class PrefixIndex;

class ComboBox : public TextControl {
public:
    ComboBox(Form& form, std::string name, int16_t index = -1);

    // Fails with 5 (invalid procedure call) for a position outside 0 to ListCount.
    void AddItem(const std::string& item, std::optional<int32_t> position = std::nullopt);
    // Fails with 5 for a position outside the list.
    void RemoveItem(int32_t position);
    void Clear();
    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    // Every entry, in order.
    const std::vector<std::string>& Items() const { return items_; }
    // The entry at a position; "" outside the list.
    std::string List(int32_t position) const;
    // Fails with 381 (invalid property array index) outside the list.
    void SetList(int32_t position, const std::string& item);

    // The first entry that begins with the text, compared without regard to case (as
    // text::StartsWithNoCase compares); -1 when none does. Answered from an index over
    // the entries, made at the first look-up after the list changed.
    int32_t FindPrefixNoCase(std::string_view typed) const;

    int32_t ListIndex() const { return listIndex_; }
    void SetListIndex(int32_t position);

    bool DroppedDown() const { return droppedDown_; }
    // For SendMessageA: opens or closes the list.
    void ShowDropDown(bool open);

protected:
    void EditedText() override;

private:
    void SetSelected(int32_t position);

    std::vector<std::string> items_;
    mutable std::shared_ptr<const PrefixIndex> prefixIndex_;  // null until a look-up; dropped at any change
    int32_t listIndex_ = -1;
    bool droppedDown_ = false;
};

}  // namespace platform::toolkit
