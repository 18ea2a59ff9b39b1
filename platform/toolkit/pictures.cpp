#include <algorithm>
#include <string>
#include <system_error>

#include "platform/toolkit/backend_pictures.h"

namespace platform::toolkit {

namespace {
bool IsPlainName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}
}  // namespace

std::optional<std::filesystem::path> PictureFile(std::string_view picture, int32_t dpi,
                                                 const std::filesystem::path& resources) {
    if (!IsPlainName(picture)) return std::nullopt;
    const std::filesystem::path folder = resources / "pictures";
    const std::string name(picture);
    std::error_code ignored;
    if (2 * dpi >= 3 * kStandardDpi) {
        auto larger = folder / (name + "@2x.png");
        if (std::filesystem::is_regular_file(larger, ignored)) return larger;
    }
    auto standard = folder / (name + ".png");
    if (std::filesystem::is_regular_file(standard, ignored)) return standard;
    return std::nullopt;
}

}  // namespace platform::toolkit
