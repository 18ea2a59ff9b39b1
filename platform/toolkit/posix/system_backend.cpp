#include "platform/toolkit/backend.h"

namespace platform::toolkit {

// Here the host installs the backend: the simulator its headless one.
std::shared_ptr<Backend> SystemBackend() { return nullptr; }

}  // namespace platform::toolkit
