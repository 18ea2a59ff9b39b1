#include "platform/toolkit/combo_box.h"

#include <utility>

#include "platform/errors/errors.h"
#include "platform/toolkit/backend.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/utf8.h"

namespace platform::toolkit {

ComboBox::ComboBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::ComboBox, std::move(name), index) {}

void ComboBox::AddItem(const std::string& item, std::optional<int32_t> position) {
    int32_t at = position.value_or(ListCount());
    if (at < 0 || at > ListCount()) platform::Raise(5, "Invalid procedure call or argument");
    items_.insert(items_.begin() + at, item);
    if (listIndex_ >= at) ++listIndex_;
}

void ComboBox::RemoveItem(int32_t position) {
    if (position < 0 || position >= ListCount()) platform::Raise(5, "Invalid procedure call or argument");
    items_.erase(items_.begin() + position);
    if (listIndex_ == position)
        listIndex_ = -1;
    else if (listIndex_ > position)
        --listIndex_;
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    Assign("", 0, 0);
}

std::string ComboBox::List(int32_t position) const {
    if (position < 0 || position >= ListCount()) return "";
    return items_[static_cast<size_t>(position)];
}

void ComboBox::SetList(int32_t position, const std::string& item) {
    if (position < 0 || position >= ListCount()) platform::Raise(381, "Invalid property array index");
    items_[static_cast<size_t>(position)] = item;
}

void ComboBox::SetListIndex(int32_t position) {
    if (position == -1) {
        listIndex_ = -1;
        Assign("", 0, 0);
        return;
    }
    if (position < -1 || position >= ListCount()) platform::Raise(380, "Invalid property value");
    listIndex_ = position;
    const std::string& item = items_[static_cast<size_t>(position)];
    Assign(item, 0, detail::CharCount(item));
    RaiseClick();
}

void ComboBox::ShowDropDown(bool open) {
    droppedDown_ = open;
    if (auto backend = Installed()) backend->DropDownChanged(*this);
}

void ComboBox::EditedText() {
    if (listIndex_ >= 0 && Text() != items_[static_cast<size_t>(listIndex_)]) listIndex_ = -1;
}

}  // namespace platform::toolkit
