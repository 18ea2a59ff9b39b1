#include "hosts/sim/host/person.h"

namespace sim {

using Kind = DialogRequest::Kind;
using namespace platform::toolkit;

std::string Describe(const DialogRequest& request) {
    switch (request.kind) {
        case Kind::MsgBox: return "msgbox \"" + request.title + "\" text \"" + request.text + "\"";
        case Kind::InputBox: return "input \"" + request.title + "\" prompt \"" + request.text + "\"";
        case Kind::FolderPicker: return "picker \"" + request.title + "\"";
    }
    return {};
}

void ScriptedPerson::ExpectMsgBox(std::string title, int32_t answer, std::optional<std::string> text) {
    expected_.push_back({Kind::MsgBox, std::move(title), std::move(text), answer, std::nullopt});
}
void ScriptedPerson::ExpectInputBox(std::string title, std::optional<std::string> answer,
                                    std::optional<std::string> prompt) {
    expected_.push_back({Kind::InputBox, std::move(title), std::move(prompt), 0, std::move(answer)});
}
void ScriptedPerson::ExpectPicker(std::string title, std::optional<std::string> answer) {
    expected_.push_back({Kind::FolderPicker, std::move(title), std::nullopt, 0, std::move(answer)});
}

const ScriptedPerson::Expected* ScriptedPerson::Next(const DialogRequest& request) {
    seen_.push_back(request);
    if (expected_.empty() || expected_.front().kind != request.kind ||
        expected_.front().title != request.title ||
        (expected_.front().text && *expected_.front().text != request.text)) {
        Unexpected("unexpected " + Describe(request));
        return nullptr;
    }
    return &expected_.front();
}

int32_t ScriptedPerson::AnswerMsgBox(const DialogRequest& request) {
    const Expected* e = Next(request);
    int32_t neutral = (request.flags & 7) == vbYesNo ? vbNo : (request.flags & 7) == vbOKCancel ? vbCancel : vbOK;
    if (!e) return neutral;
    int32_t answer = e->button;
    expected_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPerson::AnswerInputBox(const DialogRequest& request) {
    const Expected* e = Next(request);
    if (!e) return std::nullopt;
    auto answer = e->answer;
    expected_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPerson::AnswerPicker(const DialogRequest& request) {
    const Expected* e = Next(request);
    if (!e) return std::nullopt;
    auto answer = e->answer;
    expected_.pop_front();
    return answer;
}

void ScriptedPerson::WhenModal(std::function<void(Form& form)> actions) { modal_.push_back(std::move(actions)); }

void ScriptedPerson::RunModal(Form& form) {
    if (modal_.empty()) {
        Unexpected("modal form " + form.Name() + " \"" + form.Caption() + "\" was shown with nothing to do in it");
        return;
    }
    auto actions = std::move(modal_.front());
    modal_.pop_front();
    actions(form);
}

std::vector<std::string> ScriptedPerson::Problems() const {
    auto problems = problems_;
    if (!modal_.empty())
        problems.push_back(std::to_string(modal_.size()) + " expected modal form(s) never shown");
    for (const auto& e : expected_) {
        const char* kind = e.kind == Kind::MsgBox ? "msgbox" : e.kind == Kind::InputBox ? "input" : "picker";
        problems.push_back(std::string("expected ") + kind + " \"" + e.title + "\" was never shown");
    }
    return problems;
}

}  // namespace sim
