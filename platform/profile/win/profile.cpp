// The private-profile functions of the system itself (GetPrivateProfileStringW and
// WritePrivateProfileStringW), which settle the file's lexical details and its
// encoding (the system's ANSI code page, or UTF-16 with a byte order mark) as on
// every Windows machine. Around them: results counted in characters, and writes made
// to a copy aside that then replaces the file whole.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/text/win/wide.h"

namespace platform::profile {

namespace {

using text::win::Narrow;
using text::win::Wide;

DWORD AttributesOf(const std::wstring& file) { return GetFileAttributesW(file.c_str()); }

// A fresh name beside the file for writing it aside.
std::wstring AsideName(const std::wstring& file) {
    static std::atomic<unsigned long> counter{0};
    const size_t slash = file.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    return folder + L"~" + name + L".aside-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter.fetch_add(1));
}

}  // namespace

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultValue,
                                     uint32_t size, std::string_view file) {
    if (size == 0) return {};
    const std::wstring wideSection = Wide(section), wideKey = Wide(key), wideDefault = Wide(defaultValue),
                       wideFile = Wide(file);
    // The system counts UTF-16 units: room for size - 1 characters of two units each,
    // then the result is cut by characters.
    std::vector<wchar_t> buffer(2 * size_t(size) + 2);
    const DWORD count = ::GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(),
                                                   buffer.data(), DWORD(buffer.size()), wideFile.c_str());
    return text::Left(Narrow(std::wstring_view(buffer.data(), count)), long(size - 1));
}

int32_t WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value, std::string_view file) {
    const std::wstring target = Wide(file);
    const DWORD attributes = AttributesOf(target);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return 0;
    if (!exists && !value) return 1;  // nothing to delete: no file is made

    // The copy aside holds the file as it is (a file in use cannot be copied), takes the
    // change, and replaces the file keeping its attributes and security.
    const std::wstring aside = AsideName(target);
    if (exists && !CopyFileW(target.c_str(), aside.c_str(), TRUE)) return 0;
    const std::wstring wideSection = Wide(section), wideKey = Wide(key);
    const std::wstring wideValue = value ? Wide(*value) : std::wstring();
    bool done = ::WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), value ? wideValue.c_str() : nullptr,
                                             aside.c_str());
    // The system may keep the file it wrote in a cache; it is let go before it moves.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, aside.c_str());
    if (done) {
        done = exists ? ReplaceFileW(target.c_str(), aside.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                     nullptr)
                      : MoveFileExW(aside.c_str(), target.c_str(), 0);
    }
    if (!done) DeleteFileW(aside.c_str());
    return done ? 1 : 0;
}

// The system's own functions read each file as they are called and keep what they
// read in a cache of their own; a load needs nothing more here.
ReadingEachFileOnce::ReadingEachFileOnce() = default;
ReadingEachFileOnce::~ReadingEachFileOnce() = default;

}  // namespace platform::profile
