#include "hosts/sim/host/shell_recorder.h"

namespace sim {

int32_t ShellRecorder::Run(const platform::shell::Call& call) {
    journal_.push_back(call);
    if (call.function == "ShellExecute") return 42;  // greater than 32: done
    if (call.function == "WinExec") return 33;       // greater than 31: started
    return 0;                                        // SleepEx: the time elapsed
}

}  // namespace sim
