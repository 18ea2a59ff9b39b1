// The shell on a desktop: documents and web links open in the person's own programs
// (QDesktopServices); a Windows path is opened through the prefix's drive map.
#pragma once

#include "platform/shell/shell.h"

namespace desk {

class DesktopShell : public platform::shell::Backend {
public:
    int32_t Run(const platform::shell::Call& call) override;
};

}  // namespace desk
