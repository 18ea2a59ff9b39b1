// The registry store of the prefix: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and the
// class registrations (HKEY_CLASSES_ROOT, a hive of its own here), kept as a
// human-readable text file in the prefix ("registry.reg", REGEDIT4-like). Key paths
// use backslashes and compare without regard to case, as value names do; a key keeps
// the spelling it was first written with.
//
// A key exists while it holds values, was named by a write, or has such a key below
// it; parents are never stored by themselves. So deleting the tree a registration
// wrote leaves the store exactly as it was before, without empty parents.
//
// Reads find nothing when no prefix is open; writes then raise 76. A store file that
// is there but cannot be read reads as empty, and a write then raises 75 and leaves it
// as it is; so does a store with a line that is not understood (read, it gives what it
// can; written, every line must come back, so it is not written at all).
// Writers in other threads and processes wait for each other (at most a few seconds,
// then 70), so that no change is lost. A write that cannot be made (a full disk) raises 75 or 70 and leaves the
// store as it was. A key name with a control character raises 5.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

enum class Hive { LocalMachine, CurrentUser, ClassesRoot };

struct Value {
    // Other: a value of a type the store keeps without reading it (binary, expandable
    // or multi-string: "hex:", "hex(2):", "hex(7):"); text holds its data exactly as
    // the file writes it after "=", continuation lines and all.
    enum class Kind { String, Dword, Other } kind = Kind::String;
    std::string text;    // String, Other
    uint32_t dword = 0;  // Dword
};

// A value ("" names the key's default value); nullopt when the key or value is absent.
std::optional<Value> QueryValue(Hive hive, std::string_view key, std::string_view name);
// The text of a string value; nullopt when absent or not a string.
std::optional<std::string> QueryString(Hive hive, std::string_view key, std::string_view name);
bool KeyExists(Hive hive, std::string_view key);
std::vector<std::string> SubKeys(Hive hive, std::string_view key);

// Writes create every missing key on the way.
void SetString(Hive hive, std::string_view key, std::string_view name, std::string_view value);
void SetDword(Hive hive, std::string_view key, std::string_view name, uint32_t value);
void CreateKey(Hive hive, std::string_view key);
void DeleteValue(Hive hive, std::string_view key, std::string_view name);
// Deletes the key with everything under it.
void DeleteTree(Hive hive, std::string_view key);

// The first line of the store file that is not understood (counted from 1), with its
// text; nullopt when every line is (or there is no store).
struct UnreadLine {
    size_t number = 0;
    std::string text;
};
std::optional<UnreadLine> FirstUnreadLine();

// The machine's defaults of a fresh prefix (called by Prefix::Create).
void WriteMachineDefaults();

}  // namespace platform::registry
