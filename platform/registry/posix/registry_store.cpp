// The registry functions over the prefix's store file. Every call reads the file (or
// the copy parsed when it last changed) and every write rewrites it whole (aside,
// then renamed over it), so two libraries of one process, or two processes, never
// see a half-written store; a change holds the store's lock from its read to its
// replace, so two writers never lose each other's change.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

#include <sys/stat.h>

#include "platform/errors/errors.h"
#include "platform/files/posix/change_lock.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/prefix.h"
#include "platform/registry/registry.h"
#include "platform/registry/posix/registry_store.h"

namespace platform::registry {

namespace fs = std::filesystem;
using detail::NamedValue;
using detail::Store;
using detail::StoredKey;

namespace {

constexpr int32_t kInvalidArgument = 5;

std::mutex& StoreMutex() {
    static std::mutex mutex;
    return mutex;
}

fs::path StoreFile() {
    fs::path prefix = files::Prefix::Folder();
    return prefix.empty() ? fs::path() : prefix / "registry.reg";
}

const char* HiveName(Hive hive) {
    switch (hive) {
        case Hive::LocalMachine: return "HKEY_LOCAL_MACHINE";
        case Hive::CurrentUser: return "HKEY_CURRENT_USER";
        case Hive::ClassesRoot: return "HKEY_CLASSES_ROOT";
    }
    return "HKEY_LOCAL_MACHINE";
}

// The hive's name, then the key's names ("\" between them; empty names are skipped,
// so "SOFTWARE\\X\" is SOFTWARE\X). A name with a control character is refused: the
// store keeps one key to a line.
std::vector<std::string> KeyPath(Hive hive, std::string_view key) {
    std::vector<std::string> path{HiveName(hive)};
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos) end = key.size();
        std::string_view name = key.substr(start, end - start);
        if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20; }))
            Raise(kInvalidArgument, "Invalid procedure call or argument");
        if (!name.empty()) path.emplace_back(name);
        start = end + 1;
    }
    return path;
}

// The store as last read, with the file's identity when it was read: a file that was
// not replaced or touched since is not parsed again (every write renames a new file
// over the old one, so its identity changes).
struct Stamp {
    fs::path file;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const Stamp& o) const {
        return file == o.file && device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

std::optional<Stamp> StampOf(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return std::nullopt;
    return Stamp{file, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

// The store as the file holds it; null when the file is there but cannot be read.
// Queries share the copy parsed last; a change takes its own copy of it.
std::shared_ptr<const Store> Read() {
    static std::optional<Stamp> cachedStamp;
    static std::shared_ptr<const Store> cached;
    fs::path file = StoreFile();
    if (file.empty()) return std::make_shared<const Store>();
    auto stamp = StampOf(file);
    if (!stamp) return std::make_shared<const Store>();  // no store written yet
    if (cachedStamp && *stamp == *cachedStamp) return cached;
    auto content = files::detail::ReadHostFile(file);
    if (!content) return nullptr;
    cached = std::make_shared<const Store>(detail::ParseStore(*content));
    cachedStamp = stamp;
    return cached;
}

// For a query: a store that cannot be read holds nothing.
std::shared_ptr<const Store> Load() {
    auto store = Read();
    return store ? store : std::make_shared<const Store>();
}

// A change holds the store's lock from its read to its replace, so that a change
// another thread or process makes meanwhile is not written over. Taken before the
// store is read; waits a few seconds at most, then fails with 70.
class ChangeOfStore {
public:
    ChangeOfStore() : file_(StoreFile()) {
        if (file_.empty()) Raise(err::PathNotFound, "No prefix is open");
        lock_.emplace(file_);
        if (lock_->Failure()) Raise(err::PermissionDenied, "The registry store is in use by another program");
    }

    // The store to change. One that cannot be read, or holds a line that is not
    // understood, is never written over (what it holds would be lost): 75 instead.
    Store Load() {
        auto store = Read();
        if (!store) RaiseStandard(err::PathFileAccess);
        if (store->unreadLine)
            Raise(err::PathFileAccess, "Line " + std::to_string(store->unreadLine) +
                                           " of the registry store is not understood: " + store->unreadText);
        return *store;
    }

    void Save(const Store& store) {
        files::detail::WriteHostFileAtomically(file_, detail::FormatStore(store.keys));
    }

private:
    fs::path file_;
    std::optional<files::detail::ChangeLock> lock_;
};

template <class S>
auto Find(S& store, const std::vector<std::string>& path) -> decltype(&store.keys.front()) {
    auto same = std::find_if(store.keys.begin(), store.keys.end(),
                             [&](const StoredKey& k) { return detail::SamePath(k.path, path); });
    return same != store.keys.end() ? &*same : nullptr;
}

// The stored key, made when missing. Names of keys already there (stored, or parents
// of stored keys) keep their first spelling.
StoredKey& FindOrAdd(Store& store, std::vector<std::string> path) {
    if (StoredKey* key = Find(store, path)) return *key;
    for (size_t level = 1; level < path.size(); ++level) {
        std::vector<std::string> upTo(path.begin(), path.begin() + level + 1);
        for (const auto& other : store.keys) {
            if (detail::SamePath(other.path, upTo) || detail::IsBelow(other.path, upTo)) {
                path[level] = other.path[level];
                break;
            }
        }
    }
    return store.keys.emplace_back(StoredKey{std::move(path), {}});
}

template <class K>
auto FindValue(K& key, std::string_view name) -> decltype(&key.values.front()) {
    auto same = std::find_if(key.values.begin(), key.values.end(),
                             [&](const NamedValue& v) { return detail::SameName(v.name, name); });
    return same != key.values.end() ? &*same : nullptr;
}

void Set(Hive hive, std::string_view key, std::string_view name, Value value) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    ChangeOfStore change;
    Store store = change.Load();
    StoredKey& stored = FindOrAdd(store, std::move(path));
    if (NamedValue* same = FindValue(stored, name))
        same->value = std::move(value);
    else
        stored.values.push_back({std::string(name), std::move(value)});
    change.Save(store);
}

}  // namespace

std::optional<Value> QueryValue(Hive hive, std::string_view key, std::string_view name) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    const auto store = Load();
    const StoredKey* stored = Find(*store, path);
    const NamedValue* value = stored ? FindValue(*stored, name) : nullptr;
    if (!value) return std::nullopt;
    return value->value;
}

std::optional<std::string> QueryString(Hive hive, std::string_view key, std::string_view name) {
    auto value = QueryValue(hive, key, name);
    if (!value || value->kind != Value::Kind::String) return std::nullopt;
    return value->text;
}

bool KeyExists(Hive hive, std::string_view key) {
    auto path = KeyPath(hive, key);
    if (path.size() == 1) return true;  // the hive itself
    std::lock_guard lock(StoreMutex());
    const auto store = Load();
    return std::any_of(store->keys.begin(), store->keys.end(), [&](const StoredKey& k) {
        return detail::SamePath(k.path, path) || detail::IsBelow(k.path, path);
    });
}

std::vector<std::string> SubKeys(Hive hive, std::string_view key) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    const auto store = Load();
    std::vector<std::string> names;
    for (const auto& stored : store->keys) {
        if (!detail::IsBelow(stored.path, path)) continue;
        const std::string& name = stored.path[path.size()];
        if (std::none_of(names.begin(), names.end(), [&](const auto& n) { return detail::SameName(n, name); }))
            names.push_back(name);
    }
    return names;
}

void SetString(Hive hive, std::string_view key, std::string_view name, std::string_view value) {
    Value entry;
    entry.text = std::string(value);
    Set(hive, key, name, std::move(entry));
}

void SetDword(Hive hive, std::string_view key, std::string_view name, uint32_t value) {
    Value entry;
    entry.kind = Value::Kind::Dword;
    entry.dword = value;
    Set(hive, key, name, std::move(entry));
}

void CreateKey(Hive hive, std::string_view key) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    ChangeOfStore change;
    Store store = change.Load();
    if (Find(store, path)) return;
    FindOrAdd(store, std::move(path));
    change.Save(store);
}

void DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    ChangeOfStore change;
    Store store = change.Load();
    StoredKey* stored = Find(store, path);
    if (!stored || !FindValue(*stored, name)) return;
    std::erase_if(stored->values, [&](const NamedValue& v) { return detail::SameName(v.name, name); });
    change.Save(store);
}

void DeleteTree(Hive hive, std::string_view key) {
    auto path = KeyPath(hive, key);
    std::lock_guard lock(StoreMutex());
    ChangeOfStore change;
    Store store = change.Load();
    size_t removed = std::erase_if(store.keys, [&](const StoredKey& k) {
        return detail::SamePath(k.path, path) || detail::IsBelow(k.path, path);
    });
    if (removed) change.Save(store);
}

std::optional<UnreadLine> FirstUnreadLine() {
    std::lock_guard lock(StoreMutex());
    const auto store = Load();
    if (!store->unreadLine) return std::nullopt;
    return UnreadLine{store->unreadLine, store->unreadText};
}

void WriteMachineDefaults() {
    SetString(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
              "Common AppData", "C:\\ProgramData");
    SetString(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
              "C:\\Program Files");
}

}  // namespace platform::registry
