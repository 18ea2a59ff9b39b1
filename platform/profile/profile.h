// The private-profile (INI) functions, with Windows' semantics: section and key
// names without regard to case, the first match wins, blanks around names and values
// are ignored, a value in matching quotes loses them, a missing file reads as nothing.
// A write creates the file, the section and the key as needed, changes a key's value
// in place and keeps every other line, comment and order; lines end CRLF (CRLF and LF
// files are both read, and so are lone CR line ends). A UTF-16 file with its byte-order
// mark is read as such and written back in UTF-16. A write goes to a file aside and
// then replaces the old one, so a crash mid-write never leaves a half-written settings
// file; writers in other threads and processes wait for each other, so that no change
// is lost; a settings file that is a link is changed where the link points.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// GetPrivateProfileStringA: the value of the key, or the default when the key or
// the file is missing, cut to size - 1 characters (the buffer holds a terminating NUL).
// The count the function returns is the result's length in characters.
std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, uint32_t size,
                                     std::string_view file);

// WritePrivateProfileStringA: sets the key to the value (nullopt deletes the key);
// non-zero on success, 0 on failure (no drive, no folder, no permission, another
// writer holding the file for too long, or a line break or NUL in a name or value,
// which would write a line of its own).
int32_t WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value, std::string_view file);

// While one of these lives, each settings file is read once: later look-ups in it are
// answered from that reading, as a set of settings read at one moment. A write
// through WritePrivateProfileStringA is seen at once; what another process writes
// meanwhile is seen after the last of these ends. They nest.
class ReadingEachFileOnce {
public:
    ReadingEachFileOnce();
    ~ReadingEachFileOnce();
    ReadingEachFileOnce(const ReadingEachFileOnce&) = delete;
    ReadingEachFileOnce& operator=(const ReadingEachFileOnce&) = delete;
};

}  // namespace platform::profile
