// The shell and a few plain system calls: opening documents and links, running a
// command line, sleeping, the desktop window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::shell {

using Hwnd = int32_t;
namespace sw {
inline constexpr int32_t ShowNormal = 1;  // the show command of a normal window
}  // namespace sw

// ShellExecuteA: params and directory may be absent (a null pointer). Greater than
// 32 on success.
int32_t ShellExecuteA(Hwnd owner, std::string_view verb, std::string_view file,
                      std::optional<std::string> parameters, std::optional<std::string> directory,
                      int32_t showCommand);
// WinExec: greater than 31 on success.
int32_t WinExec(std::string_view commandLine, int32_t showCommand);
// SleepEx: 0 when the time elapsed.
int32_t SleepEx(int32_t milliseconds, bool alertable);
Hwnd GetDesktopWindow();

// What a host plugs in: the headless host records every call; a desktop opens
// documents for real. Only hosts and tests use the rest of this header.
struct Call {
    std::string function;  // "ShellExecute", "WinExec", "SleepEx"
    Hwnd owner = 0;
    std::string verb, file;
    std::optional<std::string> parameters, directory;
    int32_t number = 0;  // show command or milliseconds
};

class Backend {
public:
    virtual ~Backend();
    virtual int32_t Run(const Call& call) = 0;
};

// Installs the backend (nullptr removes it). Without one, on Windows the system's own
// calls run; here nobody opens anything: ShellExecuteA answers 31 (no application is
// associated) and WinExec 0, while SleepEx sleeps.
void Install(std::shared_ptr<Backend> backend);

}  // namespace platform::shell
