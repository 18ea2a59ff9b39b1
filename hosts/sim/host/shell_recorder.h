// The shell of the simulated machine: every call is recorded and succeeds, so that a
// test or a scenario can see which documents and links the system opened.
#pragma once

#include <vector>

#include "platform/shell/shell.h"

namespace sim {

class ShellRecorder final : public platform::shell::Backend {
public:
    int32_t Run(const platform::shell::Call& call) override;

    // Every call since the recorder was installed, in order.
    const std::vector<platform::shell::Call>& Journal() const { return journal_; }

private:
    std::vector<platform::shell::Call> journal_;
};

}  // namespace sim
