#include <filesystem>
#include <system_error>

#include "platform/files/files.h"
#include "platform/files/posix/prefix.h"

namespace platform::files {

bool SameFile(std::string_view a, std::string_view b) {
    auto hostA = Prefix::HostPath(a);
    auto hostB = Prefix::HostPath(b);
    if (!hostA || !hostB) return false;
    std::error_code error;
    bool same = std::filesystem::equivalent(*hostA, *hostB, error);
    return !error && same;
}

}  // namespace platform::files
