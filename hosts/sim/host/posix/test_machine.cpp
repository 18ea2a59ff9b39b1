#include "hosts/sim/host/test_machine.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/files/posix/prefix.h"
#include "platform/shell/shell.h"

namespace sim {

namespace fs = std::filesystem;

TestMachine::TestMachine() {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("quillet-test-" + std::to_string(random()) + std::to_string(random()));
    platform::files::Prefix::Create(folder_);
    toolkit_ = std::make_shared<HeadlessToolkit>(person_);
    platform::toolkit::Install(toolkit_);
    platform::shell::Install(shell_);
}

TestMachine::~TestMachine() {
    platform::toolkit::Install(nullptr);
    platform::shell::Install(nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

fs::path TestMachine::Host(std::string_view windowsPath) const {
    auto host = platform::files::Prefix::HostPath(windowsPath);
    if (!host) throw std::runtime_error("no host path for " + std::string(windowsPath));
    return *host;
}

void TestMachine::Write(std::string_view windowsPath, std::string_view content) const {
    fs::path host = Host(windowsPath);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TestMachine::Read(std::string_view windowsPath) const {
    std::ifstream in(Host(windowsPath), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace sim
