// A machine for one test: a fresh prefix in a temporary folder, with the headless
// toolkit installed and a scripted person at the keyboard. Dropped with the test.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/sim/host/headless_toolkit.h"
#include "hosts/sim/host/person.h"
#include "hosts/sim/host/shell_recorder.h"

namespace sim {

class TestMachine {
public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    ScriptedPerson& Person() { return person_; }
    HeadlessToolkit& Toolkit() { return *toolkit_; }
    ShellRecorder& Shell() { return *shell_; }
    const std::filesystem::path& PrefixFolder() const { return folder_; }

    // The host file behind a Windows path (its drive must be mapped).
    std::filesystem::path Host(std::string_view windowsPath) const;
    // Writes a file (creating its folders) / reads one, bytes as given.
    void Write(std::string_view windowsPath, std::string_view content) const;
    std::string Read(std::string_view windowsPath) const;

private:
    std::filesystem::path folder_;
    ScriptedPerson person_;
    std::shared_ptr<HeadlessToolkit> toolkit_;
    std::shared_ptr<ShellRecorder> shell_ = std::make_shared<ShellRecorder>();
};

}  // namespace sim
