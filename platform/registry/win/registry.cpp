// The registry functions over the system's own registry (the Reg* functions): keys and
// value names compare without regard to case and keep their first spelling there by
// themselves. Key paths are taken apart as everywhere in the system: empty names are
// skipped, a name with a control character is refused (5).
//
// The machine's defaults (WriteMachineDefaults) belong to a prefix, which Windows has
// no need of: a Windows machine has its own.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/errors/errors.h"
#include "platform/registry/registry.h"
#include "platform/text/win/wide.h"

namespace platform::registry {

namespace {

using text::win::Narrow;
using text::win::Wide;

constexpr int32_t kInvalidArgument = 5;

HKEY Root(Hive hive) {
    switch (hive) {
        case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
        case Hive::CurrentUser: return HKEY_CURRENT_USER;
        case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
    }
    return HKEY_LOCAL_MACHINE;
}

// "SOFTWARE\\X\" as the system names it: SOFTWARE\X.
std::wstring KeyPath(std::string_view key) {
    std::string path;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos) end = key.size();
        std::string_view name = key.substr(start, end - start);
        if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20; }))
            Raise(kInvalidArgument, "Invalid procedure call or argument");
        if (!name.empty()) {
            if (!path.empty()) path += '\\';
            path.append(name);
        }
        start = end + 1;
    }
    return Wide(path);
}

// A failed write, by Windows' numbers of the file layer.
[[noreturn]] void WriteFailed(LSTATUS status) {
    RaiseStandard(status == ERROR_ACCESS_DENIED ? err::PermissionDenied : err::PathFileAccess);
}

// An open key, closed when dropped; empty when the key is not there.
class Key {
public:
    Key(Hive hive, std::string_view key, REGSAM access) {
        if (RegOpenKeyExW(Root(hive), KeyPath(key).c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    // Creates the key and every missing key on the way.
    static Key Create(Hive hive, std::string_view key) {
        Key made;
        const LSTATUS status = RegCreateKeyExW(Root(hive), KeyPath(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_READ | KEY_WRITE, nullptr, &made.key_, nullptr);
        if (status != ERROR_SUCCESS) WriteFailed(status);
        return made;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(Key&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    Key& operator=(Key&&) = delete;
    Key(const Key&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    Key() = default;
    HKEY key_ = nullptr;
};

}  // namespace

std::optional<Value> QueryValue(Hive hive, std::string_view key, std::string_view name) {
    Key opened(hive, key, KEY_QUERY_VALUE);
    if (!opened) return std::nullopt;
    const std::wstring valueName = Wide(name);
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    Value value;
    if (type == REG_DWORD) {
        DWORD number = 0;
        bytes = sizeof number;
        if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                             &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        value.kind = Value::Kind::Dword;
        value.dword = number;
        return value;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // The text as stored (an expandable one unexpanded), without its terminating NULs.
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    value.text = Narrow(text);
    return value;
}

std::optional<std::string> QueryString(Hive hive, std::string_view key, std::string_view name) {
    auto value = QueryValue(hive, key, name);
    if (!value || value->kind != Value::Kind::String) return std::nullopt;
    return value->text;
}

bool KeyExists(Hive hive, std::string_view key) { return bool(Key(hive, key, KEY_READ)); }

std::vector<std::string> SubKeys(Hive hive, std::string_view key) {
    std::vector<std::string> names;
    Key opened(hive, key, KEY_ENUMERATE_SUB_KEYS);
    if (!opened) return names;
    wchar_t name[256];  // the longest key name the registry allows, and its NUL
    for (DWORD index = 0;; ++index) {
        DWORD length = DWORD(std::size(name));
        if (RegEnumKeyExW(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Narrow(std::wstring_view(name, length)));
    }
    return names;
}

void SetString(Hive hive, std::string_view key, std::string_view name, std::string_view value) {
    Key opened = Key::Create(hive, key);
    const std::wstring text = Wide(value);
    const LSTATUS status =
        RegSetValueExW(opened.get(), Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       DWORD((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) WriteFailed(status);
}

void SetDword(Hive hive, std::string_view key, std::string_view name, uint32_t value) {
    Key opened = Key::Create(hive, key);
    const DWORD number = value;
    const LSTATUS status = RegSetValueExW(opened.get(), Wide(name).c_str(), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&number), sizeof number);
    if (status != ERROR_SUCCESS) WriteFailed(status);
}

void CreateKey(Hive hive, std::string_view key) { Key::Create(hive, key); }

void DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    Key opened(hive, key, KEY_SET_VALUE);
    if (!opened) return;  // nothing there: nothing happens
    const LSTATUS status = RegDeleteValueW(opened.get(), Wide(name).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) WriteFailed(status);
}

void DeleteTree(Hive hive, std::string_view key) {
    const std::wstring path = KeyPath(key);
    // A whole hive is never deleted.
    if (path.empty()) Raise(kInvalidArgument, "Invalid procedure call or argument");
    const LSTATUS status = RegDeleteTreeW(Root(hive), path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) WriteFailed(status);
}

}  // namespace platform::registry
