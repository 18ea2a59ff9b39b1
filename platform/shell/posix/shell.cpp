#include "platform/shell/shell.h"

#include <chrono>
#include <thread>

namespace platform::shell {

Backend::~Backend() = default;

namespace {

std::shared_ptr<Backend>& Slot() {
    static std::shared_ptr<Backend> backend;
    return backend;
}

}  // namespace

void Install(std::shared_ptr<Backend> backend) { Slot() = std::move(backend); }

int32_t ShellExecuteA(Hwnd owner, std::string_view verb, std::string_view file,
                      std::optional<std::string> parameters, std::optional<std::string> directory,
                      int32_t showCommand) {
    constexpr int32_t kNoAssociation = 31;
    auto backend = Slot();
    if (!backend) return kNoAssociation;
    return backend->Run({"ShellExecute", owner, std::string(verb), std::string(file), std::move(parameters),
                         std::move(directory), showCommand});
}

int32_t WinExec(std::string_view commandLine, int32_t showCommand) {
    auto backend = Slot();
    if (!backend) return 0;
    return backend->Run({"WinExec", 0, {}, std::string(commandLine), {}, {}, showCommand});
}

int32_t SleepEx(int32_t milliseconds, bool /*alertable*/) {
    if (auto backend = Slot()) return backend->Run({"SleepEx", 0, {}, {}, {}, {}, milliseconds});
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return 0;
}

// The desktop is the first window of the session.
Hwnd GetDesktopWindow() { return 0x10010; }

}  // namespace platform::shell
