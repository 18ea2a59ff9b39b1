#include "platform/toolkit/text_box.h"

#include <algorithm>
#include <utility>

#include "platform/toolkit/form.h"
#include "platform/toolkit/utf8.h"

namespace platform::toolkit {

TextControl::TextControl(Form& form, ControlKind kind, std::string name, int16_t index)
    : Control(form, kind, std::move(name), index) {}

int32_t TextControl::TextLength() const { return detail::CharCount(text_); }

void TextControl::SetText(const std::string& value) {
    if (value == text_) return;
    ReplaceText(value, 0);
}

void TextControl::SetSelStart(int32_t value) {
    selStart_ = std::clamp(value, 0, TextLength());
    selLength_ = 0;
}

void TextControl::SetSelLength(int32_t value) { selLength_ = std::clamp(value, 0, TextLength() - selStart_); }

std::string TextControl::SelText() const {
    size_t from = detail::ByteOffset(text_, selStart_);
    size_t to = detail::ByteOffset(text_, selStart_ + selLength_);
    return text_.substr(from, to - from);
}

void TextControl::SetSelText(const std::string& value) {
    size_t from = detail::ByteOffset(text_, selStart_);
    size_t to = detail::ByteOffset(text_, selStart_ + selLength_);
    std::string text = text_.substr(0, from) + value + text_.substr(to);
    ReplaceText(std::move(text), selStart_ + detail::CharCount(value));
}

void TextControl::TypeCharacter(char32_t character) {
    if (locked_) return;
    SetSelText(detail::Utf8(character));
}

void TextControl::Backspace() {
    if (locked_) return;
    if (selLength_ > 0) {
        SetSelText("");
        return;
    }
    if (selStart_ == 0) return;
    size_t from = detail::ByteOffset(text_, selStart_ - 1);
    size_t to = detail::ByteOffset(text_, selStart_);
    ReplaceText(text_.substr(0, from) + text_.substr(to), selStart_ - 1);
}

void TextControl::ReplaceText(std::string text, int32_t caret) {
    bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = std::clamp(caret, 0, TextLength());
    selLength_ = 0;
    if (!changed) return;
    EditedText();
    RaiseChange();
}

void TextControl::Assign(std::string text, int32_t selStart, int32_t selLength) {
    text_ = std::move(text);
    selStart_ = std::clamp(selStart, 0, TextLength());
    selLength_ = std::clamp(selLength, 0, TextLength() - selStart_);
}

TextBox::TextBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::TextBox, std::move(name), index) {}

RichTextBox::RichTextBox(Form& form, std::string name, int16_t index)
    : TextControl(form, ControlKind::RichTextBox, std::move(name), index) {
    SetLocked(true);
}

}  // namespace platform::toolkit
