// The steps of the scenario language by kind, as the session dispatches them, and the
// check every scenario passes before it plays.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hosts/sim/runner/scenario.h"

namespace sim::runner {

// A step that failed: its line and what happened instead.
struct Failure {
    int line = 0;
    std::string what;
};

// Steps that set up the machine, that Outlook or the person takes, and dialog answers.
bool IsMachineStep(const std::string& verb);
bool IsOutlookStep(const scenario::Step& step);
bool IsPersonStep(const std::string& verb);
bool IsDialogStep(const std::string& verb);

// Whether every step is one the session knows, checked before anything plays, so that
// a misspelt step is reported as such and not as the failure it leads to later: the
// first unknown step, or a scenario without any step.
std::optional<Failure> CheckSteps(const std::vector<scenario::Step>& steps);

}  // namespace sim::runner
