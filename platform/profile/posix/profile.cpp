#include "platform/profile/profile.h"

#include <map>

#include "platform/files/posix/change_lock.h"
#include "platform/files/posix/host_io.h"
#include "platform/files/posix/host_path.h"
#include "platform/profile/posix/ini_document.h"
#include "platform/profile/posix/ini_encoding.h"
#include "platform/profile/posix/profile_storage.h"
#include "platform/text/text.h"

namespace platform::profile {

namespace {

// The files read while a ReadingEachFileOnce lives, by the path asked for: the file
// on this machine and its content (none when it could not be read).
struct ReadFile {
    std::optional<std::filesystem::path> host;
    std::optional<std::string> content;
};
struct ReadOnce {
    int depth = 0;
    std::map<std::string, ReadFile, std::less<>> files;
};
ReadOnce& TheReadOnce() {
    static ReadOnce* readOnce = new ReadOnce;  // never destroyed: used up to the end of the process
    return *readOnce;
}

ReadFile Read(std::string_view file) {
    ReadFile read;
    read.host = ReadableHostFile(file);
    if (read.host) read.content = files::detail::ReadHostFile(*read.host);
    return read;
}

// The value as the file holds it, or nullopt when the file, the section or the key
// is missing (an unreadable file counts as missing).
std::optional<std::string> LookUp(std::string_view section, std::string_view key, std::string_view file) {
    ReadOnce& once = TheReadOnce();
    if (once.depth == 0) {
        const ReadFile read = Read(file);
        return read.content ? IniDocument(DecodeIni(*read.content).text).Value(section, key) : std::nullopt;
    }
    auto found = once.files.find(file);
    if (found == once.files.end()) found = once.files.emplace(std::string(file), Read(file)).first;
    const ReadFile& read = found->second;
    return read.content ? IniDocument(DecodeIni(*read.content).text).Value(section, key) : std::nullopt;
}

// A file written is read afresh, under whatever path it is asked for.
void Forget(const std::filesystem::path& host) {
    auto& files = TheReadOnce().files;
    std::erase_if(files, [&](const auto& entry) { return !entry.second.host || *entry.second.host == host; });
}

// The default loses its trailing spaces, as Windows does.
std::string_view WithoutTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A line break or NUL in a name or value would end its line early, and what follows
// would become a line of its own: a value "Crew\r\nQuilletDBPath=..." would add a key.
bool BreaksItsLine(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

}  // namespace

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, uint32_t size,
                                     std::string_view file) {
    if (size == 0) return {};
    std::optional<std::string> value = LookUp(section, key, file);
    std::string result = value ? std::move(*value) : std::string(WithoutTrailingSpaces(defaultValue));
    // The buffer keeps one place for its terminating NUL.
    return text::Left(result, static_cast<long>(size - 1));
}

int32_t WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value, std::string_view file) {
    if (BreaksItsLine(section) || BreaksItsLine(key) || (value && BreaksItsLine(*value))) return 0;
    std::optional<std::filesystem::path> host = WritableHostFile(file);
    if (!host) return 0;
    Forget(*host);
    // A settings file that is a link stays one: the file it points to takes the change.
    host = files::detail::FollowLinks(*host);
    if (!host) return 0;

    // Another writer's change between this read and this replace would be lost.
    files::detail::ChangeLock lock(*host);
    if (lock.Failure()) return 0;

    std::error_code error;
    DecodedIni old;
    if (std::filesystem::exists(*host, error)) {
        std::optional<std::string> content = files::detail::ReadHostFile(*host);
        if (!content) return 0;
        old = DecodeIni(*content);
    }

    IniDocument document(old.text);
    if (value) {
        document.Set(section, key, *value);
    } else if (!document.Remove(section, key)) {
        return 1;  // nothing to delete: the file stays as it is (or absent)
    }
    return files::detail::ReplaceHostFile(*host, EncodeIni(document.Text(), old.encoding)) == 0 ? 1 : 0;
}

ReadingEachFileOnce::ReadingEachFileOnce() { ++TheReadOnce().depth; }

ReadingEachFileOnce::~ReadingEachFileOnce() {
    ReadOnce& once = TheReadOnce();
    if (--once.depth == 0) once.files.clear();
}

}  // namespace platform::profile
