#include "platform/profile/profile.h"

#include "platform/files/posix/host_io.h"
#include "platform/profile/posix/ini_document.h"
#include "platform/profile/posix/profile_storage.h"
#include "platform/text/text.h"

namespace platform::profile {

namespace {

// The value as the file holds it, or nullopt when the file, the section or the key
// is missing (an unreadable file counts as missing).
std::optional<std::string> LookUp(std::string_view section, std::string_view key, std::string_view file) {
    std::optional<std::filesystem::path> host = ReadableHostFile(file);
    if (!host) return std::nullopt;
    std::optional<std::string> content = files::detail::ReadHostFile(*host);
    if (!content) return std::nullopt;
    return IniDocument(*content).Value(section, key);
}

// The default loses its trailing spaces, as Windows does.
std::string_view WithoutTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

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
    std::optional<std::filesystem::path> host = WritableHostFile(file);
    if (!host) return 0;

    std::error_code error;
    std::string content;
    if (std::filesystem::exists(*host, error)) {
        std::optional<std::string> old = files::detail::ReadHostFile(*host);
        if (!old) return 0;
        content = std::move(*old);
    }

    IniDocument document(content);
    if (value) {
        document.Set(section, key, *value);
    } else if (!document.Remove(section, key)) {
        return 1;  // nothing to delete: the file stays as it is (or absent)
    }
    return files::detail::ReplaceHostFile(*host, document.Text()) == 0 ? 1 : 0;
}

}  // namespace platform::profile
