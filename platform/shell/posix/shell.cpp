#include "platform/shell/shell.h"

namespace platform::shell {

Backend::~Backend() = default;

namespace {
std::shared_ptr<Backend>& Slot() {
    static std::shared_ptr<Backend> backend;
    return backend;
}
std::vector<Call>& JournalSlot() {
    static std::vector<Call> journal;
    return journal;
}
int32_t Dispatch(Call call, int32_t recordedResult) {
    JournalSlot().push_back(call);
    if (auto backend = Slot()) return backend->Run(call);
    return recordedResult;
}
}  // namespace

void Install(std::shared_ptr<Backend> backend) { Slot() = std::move(backend); }
const std::vector<Call>& Journal() { return JournalSlot(); }
void ClearJournal() { JournalSlot().clear(); }

int32_t ShellExecuteA(Hwnd owner, std::string_view verb, std::string_view file,
                      std::optional<std::string> parameters, std::optional<std::string> directory,
                      int32_t showCommand) {
    return Dispatch({"ShellExecute", owner, std::string(verb), std::string(file), std::move(parameters),
                     std::move(directory), showCommand},
                    42);
}

int32_t WinExec(std::string_view commandLine, int32_t showCommand) {
    return Dispatch({"WinExec", 0, {}, std::string(commandLine), {}, {}, showCommand}, 33);
}

int32_t SleepEx(int32_t milliseconds, bool /*alertable*/) {
    return Dispatch({"SleepEx", 0, {}, {}, {}, {}, milliseconds}, 0);
}

// The desktop is the first window of the session.
Hwnd GetDesktopWindow() { return 0x10010; }

}  // namespace platform::shell
