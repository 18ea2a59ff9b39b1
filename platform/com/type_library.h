// Inside the platform library: registering a server's type library and the
// interfaces it describes, each platform its own way (registration.cpp does the rest).
#pragma once

#include "platform/com/registration.h"

namespace platform::com {

void RegisterTypeLibrary(const ServerEntry& server);
void UnregisterTypeLibrary(const ServerEntry& server);

}  // namespace platform::com
