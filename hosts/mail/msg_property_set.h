// The properties of one object of a message file (the message, one recipient, one
// attachment), as they are stored: fixed-size values in entries of the property
// stream, strings and binaries each in a stream of its own.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/mail/compound_file.h"
#include "hosts/mail/message.h"

namespace mail::msg {

// Built up, then written into a storage.
class PropertyWriter {
public:
    void String(uint32_t tag, std::string_view utf8);  // stored as UTF-16, without NULs
    // The bytes are not copied: they must outlive WriteInto.
    void Binary(uint32_t tag, std::string_view bytes);
    void Int32(uint32_t tag, int32_t value);
    void Boolean(uint32_t tag, bool value);
    void Time(uint32_t tag, mail::Time value);

    // Writes the property stream (after the header given) and one stream for each
    // string and binary.
    void WriteInto(StorageWriter& storage, std::string_view header) const;

private:
    std::map<uint32_t, uint64_t> fixed_;
    std::map<uint32_t, std::string_view> streamed_;
    std::deque<std::string> owned_;  // the UTF-16 forms of the strings
};

// Read from a storage. Values are looked up by tag; streamed ones are read on demand.
class PropertyReader {
public:
    PropertyReader(StorageReader storage, size_t headerSize);

    std::optional<std::string> String(uint32_t tag) const;  // UTF-8
    std::optional<std::string> Binary(uint32_t tag) const;
    std::optional<int32_t> Int32(uint32_t tag) const;
    std::optional<mail::Time> Time(uint32_t tag) const;
    // The header's bytes (the top-level header holds the counts).
    const std::string& Header() const { return header_; }
    const StorageReader& Storage() const { return storage_; }

private:
    StorageReader storage_;
    std::string header_;
    std::map<uint32_t, uint64_t> fixed_;
};

// Between times and the 100-nanosecond ticks since 1601 that message files store.
uint64_t ToFileTime(mail::Time time);
mail::Time FromFileTime(uint64_t ticks);

// Little-endian numbers in byte strings.
void PutLittleEndian(std::string& out, uint64_t value, int bytes);
uint64_t GetLittleEndian(std::string_view in, size_t at, int bytes);

}  // namespace mail::msg
