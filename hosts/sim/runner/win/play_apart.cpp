#include "hosts/sim/runner/play_apart.h"

#include <windows.h>

#include <cstdio>

#include "hosts/sim/runner/machine.h"
#include "platform/text/win/wide.h"

namespace sim::runner {

namespace {

std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

}  // namespace

int PlayApart(const std::string& file, const std::vector<std::string>& options,
              const std::optional<std::filesystem::path>& keep, const std::function<int()>&) {
    using platform::text::win::Wide;
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), DWORD(program.size())));
    std::wstring command = Quoted(program) + L" --here";
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i] == "--keep") continue;  // this scenario's own folder is given below
        command += L" " + Quoted(Wide(options[i]));
    }
    if (keep) command += L" --keep " + Quoted(keep->wstring());
    command += L" " + Quoted(Wide(file));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("FAIL %s: cannot start a process for it\n", file.c_str());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code > 255) std::printf("FAIL %s: crashed (0x%08lX)\n", file.c_str(), static_cast<unsigned long>(code));
    return code == 0 ? 0 : 1;
}

}  // namespace sim::runner
