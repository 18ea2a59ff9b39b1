#include <fstream>

#include "platform/ado/database_file.h"

namespace platform::ado {

std::optional<std::string> ReadFileHead(const std::filesystem::path& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(limit, '\0');
    in.read(bytes.data(), std::streamsize(limit));
    if (in.bad()) return std::nullopt;
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

}  // namespace platform::ado
