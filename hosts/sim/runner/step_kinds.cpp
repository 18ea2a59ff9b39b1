#include "hosts/sim/runner/step_kinds.h"

namespace sim::runner {

bool IsMachineStep(const std::string& verb) {
    return verb == "drive" || verb == "share" || verb == "folder" || verb == "file" || verb == "remove" ||
           verb == "lock" || verb == "registry" || verb == "database" || verb == "sql" || verb == "today" ||
           verb == "outlook" || verb == "user";
}

bool IsOutlookStep(const scenario::Step& step) {
    const std::string verb = step.Word(0);
    return verb == "start" || verb == "open" || verb == "activate" || (verb == "click" && step.IsWord(1, "button")) ||
           verb == "close" || verb == "fail" || verb == "disconnect" || verb == "quit" || verb == "shutdown";
}

bool IsPersonStep(const std::string& verb) {
    return verb == "type" || verb == "key" || verb == "set" || verb == "pick" || verb == "click" ||
           verb == "press" || verb == "focus" || verb == "closebox";
}

bool IsDialogStep(const std::string& verb) { return verb == "msgbox" || verb == "input" || verb == "picker"; }

std::optional<Failure> CheckSteps(const std::vector<scenario::Step>& steps) {
    if (steps.empty()) return Failure{0, "the scenario holds no step"};
    for (const scenario::Step& step : steps) {
        const std::string verb = step.Word(0);
        if (!IsMachineStep(verb) && !IsOutlookStep(step) && !IsPersonStep(verb) && verb != "expect" &&
            !IsDialogStep(verb))
            return Failure{step.line, "unknown step \"" + (step.tokens.empty() ? "" : step.tokens[0].text) + "\""};
    }
    return std::nullopt;
}

}  // namespace sim::runner
