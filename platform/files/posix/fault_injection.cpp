#include "platform/files/posix/fault_injection.h"

#include <mutex>

namespace platform::files::faults {

namespace {

struct Switch {
    std::mutex mutex;
    bool armed = false;
    HostCall call = HostCall::Write;
    int remaining = 0;  // calls of the kind still to go ahead
    int hostError = 0;
    bool persistent = false;
    bool fired = false;
};

Switch& State() {
    static Switch state;
    return state;
}

}  // namespace

void FailNth(HostCall call, int n, int hostError, bool persistent) {
    Switch& state = State();
    std::lock_guard lock(state.mutex);
    state.armed = true;
    state.call = call;
    state.remaining = n > 0 ? n - 1 : 0;
    state.hostError = hostError;
    state.persistent = persistent;
    state.fired = false;
}

void Disarm() {
    Switch& state = State();
    std::lock_guard lock(state.mutex);
    state.armed = false;
    state.fired = false;
}

bool Fired() {
    Switch& state = State();
    std::lock_guard lock(state.mutex);
    return state.fired;
}

namespace detail {

int Next(HostCall call) {
    Switch& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.armed || state.call != call) return 0;
    if (state.remaining > 0) {
        --state.remaining;
        return 0;
    }
    if (state.fired && !state.persistent) return 0;
    state.fired = true;
    return state.hostError;
}

}  // namespace detail

}  // namespace platform::files::faults
