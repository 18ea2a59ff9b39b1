// The scratch folder in the temporary folder and the scratch key under
// HKEY_CURRENT_USER\Software, through the system's own functions.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>

#include "platform/text/win/wide.h"
#include "support/scratch.h"

namespace scratch {

namespace {

using platform::text::win::Narrow;
using platform::text::win::Wide;

std::string Unique() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter.fetch_add(1));
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " (system error " + std::to_string(GetLastError()) + ")");
}

std::wstring ParentOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\', path.size() > 1 ? path.size() - 2 : 0);
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void MakeFolders(const std::wstring& folder) {
    if (folder.empty() || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    MakeFolders(ParentOf(folder));
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("cannot make " + Narrow(folder));
}

void RemoveAll(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") RemoveAll(path + L"\\" + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

struct Folder::State {
    std::string root;  // with its trailing backslash

    std::wstring Native(std::string_view path) const {
        std::string full = path.size() >= 2 && path[1] == ':' ? std::string(path) : root + std::string(path);
        while (full.size() > 3 && full.back() == '\\') full.pop_back();
        return Wide(full);
    }
};

Folder::Folder() : state_(std::make_unique<State>()) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) Fail("no temporary folder");
    state_->root = Narrow(std::wstring(temp, length)) + "quillet-test-" + Unique() + "\\";
    MakeFolders(state_->Native(""));
}

Folder::~Folder() { RemoveAll(state_->Native("")); }

std::string Folder::Path(std::string_view relative) const { return state_->root + std::string(relative); }

void Folder::Write(std::string_view path, std::string_view bytes) const {
    const std::wstring file = state_->Native(path);
    MakeFolders(ParentOf(file));
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("cannot write " + Narrow(file));
    DWORD written = 0;
    const bool ok = bytes.empty() || WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    if (!ok || written != bytes.size()) Fail("cannot write " + Narrow(file));
}

std::string Folder::Read(std::string_view path) const {
    const std::wstring file = state_->Native(path);
    HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("cannot read " + Narrow(file));
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    CloseHandle(handle);
    return content;
}

void Folder::MakeFolder(std::string_view path) const { MakeFolders(state_->Native(path)); }

void Folder::SetReadOnly(std::string_view path, bool readOnly) const {
    const std::wstring file = state_->Native(path);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) Fail("no file " + Narrow(file));
    const DWORD changed =
        readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~DWORD(FILE_ATTRIBUTE_READONLY);
    if (!SetFileAttributesW(file.c_str(), changed)) Fail("cannot change " + Narrow(file));
}

bool Folder::IsReadOnly(std::string_view path) const {
    const DWORD attributes = GetFileAttributesW(state_->Native(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void Folder::Link(std::string_view existing, std::string_view second) const {
    if (!CreateHardLinkW(state_->Native(second).c_str(), state_->Native(existing).c_str(), nullptr))
        Fail("cannot link " + std::string(second));
}

std::vector<std::string> Folder::Names(std::string_view folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((state_->Native(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(Narrow(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

struct InUse::State {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

InUse::InUse(std::string_view windowsPath) : state_(std::make_unique<State>()) {
    state_->handle = CreateFileW(Wide(windowsPath).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (state_->handle == INVALID_HANDLE_VALUE) Fail("cannot hold " + std::string(windowsPath));
}

InUse::~InUse() { CloseHandle(state_->handle); }

std::string MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter > 'C'; --letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string{letter, ':'};
    throw std::runtime_error("every drive letter is in use");
}

struct RegistryKey::State {
    std::string key;
};

RegistryKey::RegistryKey() : state_(std::make_unique<State>()) { state_->key = "Software\\Quillet Tests\\" + Unique(); }

RegistryKey::~RegistryKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(state_->key).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillet Tests");  // only when no other test's key is left
}

std::string RegistryKey::Path(std::string_view relative) const {
    return relative.empty() ? state_->key : state_->key + "\\" + std::string(relative);
}

}  // namespace scratch
