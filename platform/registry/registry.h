// The registry store of the prefix: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and the
// class registrations (HKEY_CLASSES_ROOT), kept as a human-readable text file in the
// prefix. Key paths use backslashes and compare without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

enum class Hive { LocalMachine, CurrentUser, ClassesRoot };

struct Value {
    enum class Kind { String, Dword } kind = Kind::String;
    std::string text;    // String
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

// The machine's defaults of a fresh prefix (called by Prefix::Create).
void WriteMachineDefaults();

}  // namespace platform::registry
