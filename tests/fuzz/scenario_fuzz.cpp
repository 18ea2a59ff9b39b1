// Fuzz target: a scenario file as quillet-sim reads it. Any bytes are read into steps
// or refused with a syntax error naming a line of the file; the steps are checked
// before anything plays, and every step read names a line of the file in order.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hosts/sim/runner/scenario.h"
#include "hosts/sim/runner/step_kinds.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "scenario fuzz target: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const int lines = int(std::count(content.begin(), content.end(), '\n')) + 1;
    std::vector<sim::scenario::Step> steps;
    try {
        steps = sim::scenario::Parse(content);
    } catch (const sim::scenario::SyntaxError& e) {
        if (e.line < 1 || e.line > lines) Fault("a syntax error names no line of the file");
        return 0;
    }
    int line = 0;
    for (const auto& step : steps) {
        if (step.line <= line || step.line > lines) Fault("a step names a line out of order");
        line = step.line;
    }
    auto failure = sim::runner::CheckSteps(steps);
    if (steps.empty() && !failure) Fault("an empty scenario passed the check");
    return 0;
}
