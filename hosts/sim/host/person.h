// The person at the keyboard of the headless toolkit: whoever answers what the
// system shows. A test scripts one (ScriptedPerson); quillet-sim reads one from a
// scenario.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/toolkit/backend.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/form.h"

namespace sim {

using platform::toolkit::Control;
using platform::toolkit::DialogRequest;
using platform::toolkit::Form;

// How the person's actions reach the forms once the person checked they can be done:
// without hands, straight into the toolkit's input (platform/toolkit/input.h); with
// them, through a drawing backend's widgets, which turn them into that same input.
class Hands {
public:
    virtual ~Hands() = default;
    virtual void Focus(Control& control) = 0;
    virtual void Type(platform::toolkit::TextControl& box, std::string_view text) = 0;
    virtual void Key(Control& control, int16_t key) = 0;
    virtual void Replace(platform::toolkit::TextControl& box, const std::string& text) = 0;
    virtual void Pick(platform::toolkit::ComboBox& box, int32_t position) = 0;
    virtual void Click(Control& control) = 0;
    virtual void KeyboardClick(Control& button) = 0;
    virtual void CloseBox(Form& form) = 0;
};

class Person {
public:
    virtual ~Person() = default;
    virtual int32_t AnswerMsgBox(const DialogRequest& request) = 0;
    virtual std::optional<std::string> AnswerInputBox(const DialogRequest& request) = 0;  // nullopt: cancel
    virtual std::optional<std::string> AnswerPicker(const DialogRequest& request) = 0;    // nullopt: cancel
    // A form shown modally: the person works in it until it unloads. The toolkit
    // calls this from its ShowModal; a form still open when it returns is a problem.
    virtual void RunModal(Form& form) = 0;
    // Something the person did not expect happened (a dialog nobody asked for, a
    // picker answer no real picker could give, an action the forms refused).
    virtual void Unexpected(const std::string& what) = 0;

    // The person's actions on the forms, as the keyboard and the mouse do them
    // (platform/toolkit/input.h). An action the control cannot take now (its form is
    // hidden or below a modal form, it is hidden, disabled, of the wrong kind) is
    // reported through Unexpected and not done; each returns whether it was done.
    //
    // Focus the box and type the text key by key: each key a key press, which the
    // program may change or swallow, then its effect on the text.
    bool Type(Control& box, std::string_view text);
    // Focus the control and press one key (13 Enter, 27 Esc, 8 Backspace, 9 Tab...).
    bool Key(Control& control, int16_t key);
    // Focus the box and replace its whole text at once (one change event).
    bool Set(Control& box, const std::string& text);
    // Choose list entry `position` of a combo box: its text goes into the box and
    // the box's click event is raised; it is not a text change.
    bool Pick(Control& combo, int32_t position);
    // Press and release the mouse on a button, option, check box (each takes the
    // focus first, then mouse-down, then click) or a label (click only).
    bool Click(Control& control);
    // Activate a button from the keyboard: click only, no mouse events, no focus move.
    bool Press(Control& button);
    bool Focus(Control& control);
    // Close the form with its window's close button.
    bool CloseBox(Form& form);

    // The hands the actions go through (nullptr: none, straight into the input).
    void UseHands(Hands* hands) { hands_ = hands; }

private:
    bool Refuse(const std::string& action, const Control& control, const std::string& why);
    Hands* hands_ = nullptr;
};

// Answers from a queue the test fills in advance: each dialog must be the next one
// expected, with that title (and that text, when given). Anything else is a problem,
// answered with the dialog's neutral choice (OK, Cancel, No).
class ScriptedPerson : public Person {
public:
    void ExpectMsgBox(std::string title, int32_t answer = platform::toolkit::vbOK,
                      std::optional<std::string> text = std::nullopt);
    void ExpectInputBox(std::string title, std::optional<std::string> answer,
                        std::optional<std::string> prompt = std::nullopt);
    void ExpectPicker(std::string title, std::optional<std::string> answer);
    // What to do in the next form shown modally; forms shown modally take the queued
    // actions in the order they are shown (a form opened from inside another's
    // actions takes the next ones).
    void WhenModal(std::function<void(Form& form)> actions);

    int32_t AnswerMsgBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override;
    void RunModal(Form& form) override;
    void Unexpected(const std::string& what) override { problems_.push_back(what); }

    // Problems met so far, and every expectation still waiting (dialogs, modal forms).
    std::vector<std::string> Problems() const;
    // The problems met so far, forgotten (for a test whose point is a problem).
    std::vector<std::string> TakeProblems() { return std::exchange(problems_, {}); }
    const std::vector<DialogRequest>& Seen() const { return seen_; }

private:
    struct Expected {
        DialogRequest::Kind kind;
        std::string title;
        std::optional<std::string> text;
        int32_t button = 0;
        std::optional<std::string> answer;
    };
    const Expected* Next(const DialogRequest& request);

    std::deque<Expected> expected_;
    std::deque<std::function<void(Form&)>> modal_;
    std::vector<DialogRequest> seen_;
    std::vector<std::string> problems_;
};

// "MsgBox "TITLE": TEXT" for problem reports.
std::string Describe(const DialogRequest& request);

}  // namespace sim
