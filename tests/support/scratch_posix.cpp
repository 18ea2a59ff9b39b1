// The scratch folder and key in a fresh prefix: the folder is C:\Test\ there.
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "hosts/sim/host/test_machine.h"
#include "platform/files/posix/prefix.h"
#include "support/scratch.h"

namespace scratch {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoot = "C:\\Test\\";

std::string Inside(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return std::string(path);
    return std::string(kRoot) + std::string(path);
}

}  // namespace

struct Folder::State {
    sim::TestMachine machine;
};

Folder::Folder() : state_(std::make_unique<State>()) { fs::create_directories(state_->machine.Host(kRoot)); }
Folder::~Folder() = default;

std::string Folder::Path(std::string_view relative) const { return std::string(kRoot) + std::string(relative); }
void Folder::Write(std::string_view path, std::string_view bytes) const { state_->machine.Write(Inside(path), bytes); }
std::string Folder::Read(std::string_view path) const { return state_->machine.Read(Inside(path)); }
void Folder::MakeFolder(std::string_view path) const { fs::create_directories(state_->machine.Host(Inside(path))); }

void Folder::SetReadOnly(std::string_view path, bool readOnly) const {
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(state_->machine.Host(Inside(path)), readOnly ? writable : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

bool Folder::IsReadOnly(std::string_view path) const {
    const auto perms = fs::status(state_->machine.Host(Inside(path))).permissions();
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) == fs::perms::none;
}

void Folder::Link(std::string_view existing, std::string_view second) const {
    fs::create_hard_link(state_->machine.Host(Inside(existing)), state_->machine.Host(Inside(second)));
}

std::vector<std::string> Folder::Names(std::string_view folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(state_->machine.Host(Inside(folder))))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct InUse::State {
    std::string path;
};

InUse::InUse(std::string_view windowsPath) : state_(std::make_unique<State>(State{std::string(windowsPath)})) {
    platform::files::Prefix::Lock(windowsPath);
}
InUse::~InUse() { platform::files::Prefix::Unlock(state_->path); }

std::string MissingDrive() { return "Q:"; }

struct RegistryKey::State {
    sim::TestMachine machine;
};

RegistryKey::RegistryKey() : state_(std::make_unique<State>()) {}
RegistryKey::~RegistryKey() = default;

std::string RegistryKey::Path(std::string_view relative) const {
    std::string key = "Software\\Quillet Tests";
    if (!relative.empty()) key += "\\" + std::string(relative);
    return key;
}

}  // namespace scratch
