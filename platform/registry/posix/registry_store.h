// The registry store inside the platform library: its keys in memory, and the text
// file of the prefix that holds them ("registry.reg", REGEDIT4-like).
//
// What is stored: the keys that hold values or were themselves named by a write
// (CreateKey, SetString, SetDword), never their parents. A parent exists only while
// something below it does: it is listed as a subkey and KeyExists answers true for it,
// but it has no line in the file. So DeleteTree of a key that a registration created
// leaves a file identical to the one before the registration, with no empty parents
// behind. A key keeps the spelling it was first written with; names compare without
// regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace platform::registry::detail {

struct NamedValue {
    std::string name;  // "" for the key's default value ("@" in the file)
    Value value;
};

struct StoredKey {
    std::vector<std::string> path;  // the hive's name ("HKEY_LOCAL_MACHINE") first
    std::vector<NamedValue> values;  // in the order first written
};

struct Store {
    std::vector<StoredKey> keys;
    // The first line not understood (from 1) and its text; 0 when every line was.
    size_t unreadLine = 0;
    std::string unreadText;
};

// The file's text: "REGEDIT4", then each key in order of its path (without regard to
// case), "[path]" and one line per value: "name"="text" or "name"=dword:0000000a,
// "@" for the default value; a value of any other type ("hex:", "hex(2):", "hex(7):"
// and their continuation lines, which end "\") comes back as it was read. In quoted
// text \ and " are escaped with \, and control characters are written \xHH. Lines end
// LF; CRLF is read as well. Blank lines, lines starting with ";" and the header line
// are skipped; any other line not understood is skipped and the first such is noted.
std::string FormatStore(std::vector<StoredKey> keys);
Store ParseStore(std::string_view text);

// Whether two key paths (or parts of them) are the same without regard to case.
bool SameName(std::string_view a, std::string_view b);
bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b);
// Whether the key path lies strictly below the ancestor path.
bool IsBelow(const std::vector<std::string>& path, const std::vector<std::string>& ancestor);

}  // namespace platform::registry::detail
