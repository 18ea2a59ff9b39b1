#include "hosts/sim/runner/machine.h"

#include <windows.h>

#include <objbase.h>
#include <winioctl.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/text/win/wide.h"
#include "support/project_database.h"

namespace sim::runner::machine {

namespace fs = std::filesystem;
using platform::text::win::Narrow;
using platform::text::win::Wide;

namespace {

// Wine's own calls for its drives: the mount manager's way to define a drive letter
// over a host folder with a type (what winecfg does), and the translation between
// Windows and host paths. Their layout is Wine's published extension of the mount
// manager.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
    ULONG size;
    ULONG type;  // DRIVE_FIXED, DRIVE_REMOTE...
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;  // the host folder, from the start of this structure
    USHORT deviceOffset;
    USHORT labelOffset;
};

// An exported function by name, cast through the generic function type.
template <class F>
F Export(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

template <class F>
F WineCall(const char* name) {
    return Export<F>(GetModuleHandleW(L"kernel32.dll"), name);
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// The host path of a Windows folder, under Wine.
std::string HostFolderOf(const fs::path& folder) {
    auto call = WineCall<char* (*)(const wchar_t*)>("wine_get_unix_file_name");
    char* host = call ? call(folder.c_str()) : nullptr;
    if (!host) throw std::runtime_error("Wine does not say where " + Narrow(folder.wstring()) + " is");
    std::string path = host;
    HeapFree(GetProcessHeap(), 0, host);
    return path;
}

// The folder of a share "\\srv\jobs": C:\quillet-sim\unc\srv\jobs. Wine looks for
// shares in the prefix's dosdevices/unc, which the Windows stage links to
// C:\quillet-sim\unc.
fs::path ShareFolder(std::string_view share) {
    std::string name(share);
    while (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.erase(0, 1);
    return fs::path(L"C:\\quillet-sim\\unc") / Wide(name);
}

UINT DriveTypeCode(platform::files::DriveType type) {
    using platform::files::DriveType;
    switch (type) {
        case DriveType::Remote: return DRIVE_REMOTE;
        case DriveType::Removable: return DRIVE_REMOVABLE;
        case DriveType::CdRom: return DRIVE_CDROM;
        case DriveType::RamDisk: return DRIVE_RAMDISK;
        default: return DRIVE_FIXED;
    }
}

std::vector<HANDLE>& HeldFiles() {
    static std::vector<HANDLE> held;
    return held;
}

}  // namespace

// COM on this thread as Outlook has it: a single-threaded apartment.
void Prepare(const fs::path&) {
    if (!UnderWine()) throw std::runtime_error("scenarios change the machine's drives: they play under Wine only");
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) throw std::runtime_error("COM cannot start");
}

void Drop(const fs::path&) {
    for (HANDLE file : HeldFiles()) CloseHandle(file);
    HeldFiles().clear();
}

void MapDrive(std::string_view letter, platform::files::DriveType type, const std::optional<std::string>& share) {
    std::string host;
    if (share) {
        host = HostFolderOf(ShareFolder(*share));
    } else {
        const fs::path folder = fs::path(L"C:\\quillet-sim\\drives") / Wide(letter.substr(0, 1));
        fs::create_directories(folder);
        host = HostFolderOf(folder);
    }
    std::vector<char> buffer(sizeof(UnixDrive) + host.size() + 1, '\0');
    auto* drive = reinterpret_cast<UnixDrive*>(buffer.data());
    drive->size = ULONG(buffer.size());
    drive->type = DriveTypeCode(type);
    drive->letter = wchar_t(towlower(wchar_t(letter.at(0))));
    drive->mountPointOffset = USHORT(sizeof(UnixDrive));
    std::memcpy(buffer.data() + sizeof(UnixDrive), host.c_str(), host.size() + 1);
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) throw std::runtime_error("the mount manager is not there");
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), DWORD(buffer.size()), nullptr, 0,
                                      &returned, nullptr);
    CloseHandle(manager);
    if (!done) throw std::runtime_error("the mount manager refused drive " + std::string(letter));
}

void MakeShare(std::string_view share) { fs::create_directories(ShareFolder(share)); }

void Lock(std::string_view windowsPath) {
    // As a database program at work in the file holds it: open for writing, which
    // others may share (a database connection) but a copy, a move or a delete may not.
    HANDLE file = CreateFileW(Wide(windowsPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + std::string(windowsPath) + " open");
    HeldFiles().push_back(file);
}

void CreateProjectDatabase(std::string_view windowsPath) {
    fs::create_directories(fs::path(Wide(windowsPath)).parent_path());
    if (auto missing = windows_tests::MakeProjectDatabase(std::string(windowsPath), {}))
        throw std::runtime_error("no project database can be made: " + *missing);
}

const char* const kWindowToolkit = "win32";

fs::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    return fs::path(path).parent_path();
}

// The simulator's set holds the test builds of both DLLs (the add-in's with its
// diagnostic entry), on the platform DLL that they share with the simulator.
fs::path PluginFile(const fs::path& folder, std::string_view name) { return folder / (std::string(name) + ".dll"); }

DiagnosticEntry FindDiagnostic(const fs::path& library) {
    HMODULE module = GetModuleHandleW(library.c_str());
    return module ? Export<DiagnosticEntry>(module, "QuilletDiagnostic") : nullptr;
}

}  // namespace sim::runner::machine
