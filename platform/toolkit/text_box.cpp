#include "platform/toolkit/text_box.h"

#include <algorithm>
#include <utility>

#include "platform/text/text.h"
#include "platform/toolkit/backend_changes.h"
#include "platform/toolkit/form.h"

namespace platform::toolkit {

namespace text = platform::text;

TextControl::TextControl(Form& form, ControlKind kind, std::string name, int16_t index)
    : Control(form, kind, std::move(name), index) {}

int32_t TextControl::TextLength() const { return static_cast<int32_t>(text::Len(text_)); }

void TextControl::SetText(const std::string& value) {
    if (value == text_) return;
    ReplaceText(value, 0);
}

void TextControl::SetLocked(bool value) { Update(locked_, value, Change::Locked); }

void TextControl::SetSelStart(int32_t value) { Select(std::clamp(value, 0, TextLength()), 0); }

void TextControl::SetSelLength(int32_t value) { Select(selStart_, std::clamp(value, 0, TextLength() - selStart_)); }

std::string TextControl::SelText() const {
    size_t from = text::ByteOffset(text_, selStart_);
    size_t to = text::ByteOffset(text_, selStart_ + selLength_);
    return text_.substr(from, to - from);
}

void TextControl::SetSelText(const std::string& value) {
    size_t from = text::ByteOffset(text_, selStart_);
    size_t to = text::ByteOffset(text_, selStart_ + selLength_);
    std::string replaced = text_.substr(0, from) + value + text_.substr(to);
    ReplaceText(std::move(replaced), selStart_ + static_cast<int32_t>(text::Len(value)));
}

void TextControl::TypeCharacter(char32_t character) {
    if (locked_) return;
    SetSelText(text::Chr(character));
}

void TextControl::Backspace() {
    if (locked_) return;
    if (selLength_ > 0) {
        SetSelText("");
        return;
    }
    if (selStart_ == 0) return;
    size_t from = text::ByteOffset(text_, selStart_ - 1);
    size_t to = text::ByteOffset(text_, selStart_);
    ReplaceText(text_.substr(0, from) + text_.substr(to), selStart_ - 1);
}

void TextControl::ReplaceText(std::string text, int32_t caret) {
    bool changed = Put(std::move(text), caret, 0);
    if (!changed) return;
    EditedText();
    RaiseChange();
}

void TextControl::Assign(std::string text, int32_t selStart, int32_t selLength) {
    Put(std::move(text), selStart, selLength);
}

bool TextControl::Put(std::string text, int32_t selStart, int32_t selLength) {
    const bool changed = text.compare(text_) != 0;
    text_ = std::move(text);
    if (changed) Notify(Change::Text);
    int32_t length = TextLength();
    int32_t start = std::clamp(selStart, 0, length);
    Select(start, std::clamp(selLength, 0, length - start));
    return changed;
}

void TextControl::Select(int32_t start, int32_t length) {
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    Notify(Change::Selection);
}

TextBox::TextBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::TextBox, std::move(name), index) {}

void TextBox::SetMultiLine(bool value) { Update(multiLine_, value, Change::MultiLine); }

RichTextBox::RichTextBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::RichTextBox, std::move(name), index) {
    SetLocked(true);
}

}  // namespace platform::toolkit
