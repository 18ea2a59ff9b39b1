// The person at the keyboard of the headless toolkit: whoever answers what the
// system shows. A test scripts one (ScriptedPerson); quillet-sim reads one from a
// scenario.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/backend.h"

namespace sim {

using platform::toolkit::DialogRequest;

class Person {
public:
    virtual ~Person() = default;
    virtual int32_t AnswerMsgBox(const DialogRequest& request) = 0;
    virtual std::optional<std::string> AnswerInputBox(const DialogRequest& request) = 0;  // nullopt: cancel
    virtual std::optional<std::string> AnswerPicker(const DialogRequest& request) = 0;    // nullopt: cancel
    // Something the person did not expect happened (a dialog nobody asked for, a
    // picker answer no real picker could give).
    virtual void Unexpected(const std::string& what) = 0;
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

    int32_t AnswerMsgBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerInputBox(const DialogRequest& request) override;
    std::optional<std::string> AnswerPicker(const DialogRequest& request) override;
    void Unexpected(const std::string& what) override { problems_.push_back(what); }

    // Problems met so far, and every expectation still waiting.
    std::vector<std::string> Problems() const;
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
    std::vector<DialogRequest> seen_;
    std::vector<std::string> problems_;
};

// "MsgBox "TITLE": TEXT" for problem reports.
std::string Describe(const DialogRequest& request);

}  // namespace sim
