#include "hosts/mail/msg_property_set.h"

#include <cstdio>

#include "hosts/mail/msg_properties.h"
#include "hosts/mail/unicode.h"

namespace mail::msg {

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;
}  // namespace

std::string StreamName(uint32_t tag) {
    char name[32];
    std::snprintf(name, sizeof name, "__substg1.0_%08X", unsigned(tag));
    return name;
}

std::string NumberedStorage(const char* prefix, uint32_t index) {
    char number[16];
    std::snprintf(number, sizeof number, "%08X", unsigned(index));
    return std::string(prefix) + number;
}

uint64_t ToFileTime(mail::Time time) {
    return uint64_t((time.time_since_epoch().count() + kEpochDifference) * kTicksPerSecond);
}

mail::Time FromFileTime(uint64_t ticks) {
    return mail::Time(std::chrono::seconds(int64_t(ticks / kTicksPerSecond) - kEpochDifference));
}

void PutLittleEndian(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

uint64_t GetLittleEndian(std::string_view in, size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes && at + size_t(i) < in.size(); ++i)
        value |= uint64_t(static_cast<unsigned char>(in[at + size_t(i)])) << (8 * i);
    return value;
}

// ---- writing ----------------------------------------------------------------------

void PropertyWriter::String(uint32_t tag, std::string_view utf8) {
    streamed_[tag] = owned_.emplace_back(Utf8ToUtf16Le(MessageText(utf8)));
}

void PropertyWriter::Binary(uint32_t tag, std::string_view bytes) { streamed_[tag] = bytes; }

void PropertyWriter::Int32(uint32_t tag, int32_t value) { fixed_[tag] = uint32_t(value); }

void PropertyWriter::Boolean(uint32_t tag, bool value) { fixed_[tag] = value ? 1 : 0; }

void PropertyWriter::Time(uint32_t tag, mail::Time value) { fixed_[tag] = ToFileTime(value); }

void PropertyWriter::WriteInto(StorageWriter& storage, std::string_view header) const {
    std::string stream(header);
    stream.reserve(header.size() + kEntrySize * (fixed_.size() + streamed_.size()));
    // Entries in tag order, fixed and streamed together.
    auto fixed = fixed_.begin();
    auto streamed = streamed_.begin();
    while (fixed != fixed_.end() || streamed != streamed_.end()) {
        const bool takeFixed = streamed == streamed_.end() || (fixed != fixed_.end() && fixed->first < streamed->first);
        if (takeFixed) {
            PutLittleEndian(stream, fixed->first, 4);
            PutLittleEndian(stream, kFlagsReadWrite, 4);
            PutLittleEndian(stream, fixed->second, 8);
            ++fixed;
        } else {
            const uint16_t type = TypeOf(streamed->first);
            // A string's size counts the terminating null the stream leaves out.
            const uint64_t size = streamed->second.size() + (type == kUnicode ? 2 : type == kString8 ? 1 : 0);
            PutLittleEndian(stream, streamed->first, 4);
            PutLittleEndian(stream, kFlagsReadWrite, 4);
            PutLittleEndian(stream, uint32_t(size), 4);
            PutLittleEndian(stream, 0, 4);
            ++streamed;
        }
    }
    storage.WriteStream(kPropertyStream, stream);
    for (const auto& [tag, bytes] : streamed_) storage.WriteStream(StreamName(tag), bytes);
}

// ---- reading ----------------------------------------------------------------------

PropertyReader::PropertyReader(StorageReader storage, size_t headerSize) : storage_(std::move(storage)) {
    const std::string stream = storage_.ReadStream(kPropertyStream).value_or(std::string());
    header_ = stream.substr(0, std::min(headerSize, stream.size()));
    for (size_t at = headerSize; at + kEntrySize <= stream.size(); at += kEntrySize) {
        const auto tag = uint32_t(GetLittleEndian(stream, at, 4));
        if (!InStream(TypeOf(tag))) fixed_[tag] = GetLittleEndian(stream, at + 8, 8);
    }
}

std::optional<std::string> PropertyReader::String(uint32_t tag) const {
    if (TypeOf(tag) == kString8) return storage_.ReadStream(StreamName(tag));
    auto bytes = storage_.ReadStream(StreamName(tag));
    if (!bytes) return std::nullopt;
    std::string text = Utf16LeToUtf8(*bytes);
    while (!text.empty() && text.back() == '\0') text.pop_back();  // a writer that kept the terminator
    return text;
}

std::optional<std::string> PropertyReader::Binary(uint32_t tag) const { return storage_.ReadStream(StreamName(tag)); }

std::optional<int32_t> PropertyReader::Int32(uint32_t tag) const {
    auto found = fixed_.find(tag);
    if (found == fixed_.end()) return std::nullopt;
    return int32_t(uint32_t(found->second));
}

std::optional<mail::Time> PropertyReader::Time(uint32_t tag) const {
    auto found = fixed_.find(tag);
    if (found == fixed_.end()) return std::nullopt;
    return FromFileTime(found->second);
}

}  // namespace mail::msg
