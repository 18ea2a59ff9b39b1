#include <windows.h>

#include "platform/files/files.h"
#include "platform/files/win/native_path.h"

namespace platform::files {

bool SameFile(std::string_view a, std::string_view b) {
    win::NativePath first, second;
    return win::Resolve(a, first) == 0 && win::Resolve(b, second) == 0 && win::SameFile(first.native, second.native);
}

}  // namespace platform::files
