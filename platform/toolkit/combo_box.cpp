#include "platform/toolkit/combo_box.h"

#include <utility>

#include "platform/errors/errors.h"
#include "platform/text/text.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/prefix_index.h"

namespace platform::toolkit {

ComboBox::ComboBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::ComboBox, std::move(name), index) {}

void ComboBox::AddItem(const std::string& item, std::optional<int32_t> position) {
    int32_t at = position.value_or(ListCount());
    if (at < 0 || at > ListCount()) platform::Raise(5, "Invalid procedure call or argument");
    items_.insert(items_.begin() + at, item);
    prefixIndex_.reset();
    Notify(Change::ItemAdded, at);
    if (listIndex_ >= at) SetSelected(listIndex_ + 1);
}

void ComboBox::RemoveItem(int32_t position) {
    if (position < 0 || position >= ListCount()) platform::Raise(5, "Invalid procedure call or argument");
    items_.erase(items_.begin() + position);
    prefixIndex_.reset();
    Notify(Change::ItemRemoved, position);
    if (listIndex_ == position)
        SetSelected(-1);
    else if (listIndex_ > position)
        SetSelected(listIndex_ - 1);
}

void ComboBox::Clear() {
    if (!items_.empty()) {
        items_.clear();
        prefixIndex_.reset();
        Notify(Change::ItemsCleared);
    }
    SetSelected(-1);
    Assign("", 0, 0);
}

std::string ComboBox::List(int32_t position) const {
    if (position < 0 || position >= ListCount()) return "";
    return items_[static_cast<size_t>(position)];
}

void ComboBox::SetList(int32_t position, const std::string& item) {
    if (position < 0 || position >= ListCount()) platform::Raise(381, "Invalid property array index");
    std::string& entry = items_[static_cast<size_t>(position)];
    if (entry == item) return;
    entry = item;
    prefixIndex_.reset();
    Notify(Change::ItemChanged, position);
}

int32_t ComboBox::FindPrefixNoCase(std::string_view typed) const {
    if (!prefixIndex_) prefixIndex_ = std::make_shared<const PrefixIndex>(items_);
    return prefixIndex_->First(items_, typed);
}

void ComboBox::SetListIndex(int32_t position) {
    if (position == -1) {
        SetSelected(-1);
        Assign("", 0, 0);
        return;
    }
    if (position < -1 || position >= ListCount()) platform::Raise(380, "Invalid property value");
    SetSelected(position);
    const std::string& item = items_[static_cast<size_t>(position)];
    Assign(item, 0, static_cast<int32_t>(platform::text::Len(item)));
    RaiseClick();
}

void ComboBox::ShowDropDown(bool open) { Update(droppedDown_, open, Change::DroppedDown); }

void ComboBox::EditedText() {
    if (listIndex_ >= 0 && Text() != items_[static_cast<size_t>(listIndex_)]) SetSelected(-1);
}

void ComboBox::SetSelected(int32_t position) { Update(listIndex_, position, Change::ListIndex); }

}  // namespace platform::toolkit
