// The shell and the plain system calls on Windows: the system's own, unless a host has
// plugged in a backend of its own.
#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include "platform/shell/shell.h"
#include "platform/text/win/wide.h"

namespace platform::shell {

Backend::~Backend() = default;

namespace {

using text::win::Wide;

std::shared_ptr<Backend>& Slot() {
    static std::shared_ptr<Backend> backend;
    return backend;
}

// Window handles travel as 32-bit numbers; the system widens them with their sign.
HWND WindowOf(Hwnd handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

// The text in the system's ANSI code page, for the functions that know no other.
std::string Ansi(std::string_view utf8) {
    const std::wstring wide = Wide(utf8);
    if (wide.empty()) return {};
    const int count = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), ansi.data(), count, nullptr, nullptr);
    return ansi;
}

template <class Run>
int32_t Dispatch(const Call& call, Run&& run) {
    if (auto backend = Slot()) return backend->Run(call);
    return run(call);
}

}  // namespace

void Install(std::shared_ptr<Backend> backend) { Slot() = std::move(backend); }

int32_t ShellExecuteA(Hwnd owner, std::string_view verb, std::string_view file, std::optional<std::string> parameters,
                      std::optional<std::string> directory, int32_t showCommand) {
    return Dispatch({"ShellExecute", owner, std::string(verb), std::string(file), std::move(parameters),
                     std::move(directory), showCommand},
                    [](const Call& call) {
                        const std::wstring verb = Wide(call.verb), file = Wide(call.file);
                        const std::wstring parameters = call.parameters ? Wide(*call.parameters) : std::wstring();
                        const std::wstring directory = call.directory ? Wide(*call.directory) : std::wstring();
                        HINSTANCE result = ShellExecuteW(WindowOf(call.owner), verb.empty() ? nullptr : verb.c_str(),
                                                         file.c_str(), call.parameters ? parameters.c_str() : nullptr,
                                                         call.directory ? directory.c_str() : nullptr, call.number);
                        return int32_t(reinterpret_cast<intptr_t>(result));
                    });
}

int32_t WinExec(std::string_view commandLine, int32_t showCommand) {
    return Dispatch({"WinExec", 0, {}, std::string(commandLine), {}, {}, showCommand},
                    [](const Call& call) { return int32_t(::WinExec(Ansi(call.file).c_str(), UINT(call.number))); });
}

int32_t SleepEx(int32_t milliseconds, bool alertable) {
    return Dispatch({"SleepEx", 0, {}, {}, {}, {}, milliseconds},
                    [alertable](const Call& call) { return int32_t(::SleepEx(DWORD(call.number), alertable)); });
}

Hwnd GetDesktopWindow() { return Hwnd(reinterpret_cast<intptr_t>(::GetDesktopWindow())); }

}  // namespace platform::shell
