#include <dlfcn.h>

#include "platform/toolkit/backend_pictures.h"

namespace platform::toolkit {

std::filesystem::path ResourceFolder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ResourceFolder), &info) || !info.dli_fname) return "resources";
    return std::filesystem::path(info.dli_fname).parent_path() / "resources";
}

}  // namespace platform::toolkit
