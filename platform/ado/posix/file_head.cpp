// Through the file layer's own reading, which the tests can make fail on purpose.
#include "platform/ado/database_file.h"
#include "platform/files/posix/host_io.h"

namespace platform::ado {

std::optional<std::string> ReadFileHead(const std::filesystem::path& path, size_t limit) {
    return files::detail::ReadHostFile(path, limit);
}

}  // namespace platform::ado
