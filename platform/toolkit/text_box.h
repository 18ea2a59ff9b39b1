// Controls holding an editable text with a selection: the text box, the rich-text
// box (read-only plain text), and the combo box (combo_box.h) built on them.
//
// What the program relies on:
// - Setting Text to what it already holds does nothing; setting another text raises
//   Change once and puts the caret at the start (SelStart 0, SelLength 0).
// - Positions and lengths of the selection count characters as platform/text counts
//   them (Unicode code points; bytes that are not UTF-8 count as it says).
//   Values outside the text are clamped as an edit control does: a start past the end
//   is the end, a negative start is 0; a negative length is 0 and a length past the
//   end reaches the end. Setting SelStart makes the selection empty at that place.
//   A person typing into a box whose program clamps these keeps seeing exactly what
//   was typed.
// - Setting SelText replaces the selection (raising Change when the text changes)
//   and leaves the caret after the new text.
// - A locked box keeps its text against the person's keys (their key presses are
//   still raised); the program can always set it. The rich-text box is locked.
// - A person's key arrives as (input.h): KeyPress with the code by reference (0
//   swallows the key, another code is what the box then receives), then the effect
//   on the text, then Change when the text changed. A character replaces the
//   selection; Backspace (8) deletes the selection, or else the character before
//   the caret.
#pragma once

#include <cstdint>
#include <string>

#include "platform/toolkit/control.h"

namespace platform::toolkit {

class TextControl : public Control {
public:
    std::string Text() const { return text_; }
    void SetText(const std::string& value);
    bool Locked() const { return locked_; }
    void SetLocked(bool value);

    int32_t SelStart() const { return selStart_; }
    void SetSelStart(int32_t value);
    int32_t SelLength() const { return selLength_; }
    void SetSelLength(int32_t value);
    std::string SelText() const;
    void SetSelText(const std::string& value);
    // Number of characters in the text.
    int32_t TextLength() const;

    // The person's editing keys (after their KeyPress), for the toolkit's input:
    // nothing happens in a locked box.
    void TypeCharacter(char32_t character);
    void Backspace();

protected:
    TextControl(Form& form, ControlKind kind, std::string name, int16_t index);
    // Puts a new text in place with the caret at `caret`, raising Change when it
    // differs; EditedText lets a kind react first (the combo box's selected entry).
    void ReplaceText(std::string text, int32_t caret);
    virtual void EditedText() {}
    // Puts a text and a selection in place, raising nothing.
    void Assign(std::string text, int32_t selStart, int32_t selLength);

private:
    // Puts a text and a clamped selection in place, announcing what changed; true when
    // the text changed.
    bool Put(std::string text, int32_t selStart, int32_t selLength);
    void Select(int32_t start, int32_t length);

    std::string text_;
    bool locked_ = false;
    int32_t selStart_ = 0;
    int32_t selLength_ = 0;
};

class TextBox : public TextControl {
public:
    TextBox(Form& form, std::string name, int16_t index = -1);
    // A multi-line box takes Enter as a line break when its form has no default button.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);

private:
    bool multiLine_ = false;
};

class RichTextBox : public TextControl {
public:
    RichTextBox(Form& form, std::string name, int16_t index = -1);
};

}  // namespace platform::toolkit
