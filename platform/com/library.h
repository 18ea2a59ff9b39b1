// For hosts and tools: loading a server library and calling its registration, as
// regsvr32 does. Returns the HRESULT of DllRegisterServer / DllUnregisterServer, or
// a failure HRESULT when the library cannot be loaded or lacks the entry point.
#pragma once

#include <cstdint>
#include <string>

namespace platform::com {

int32_t RegisterLibrary(const std::string& libraryFile);
int32_t UnregisterLibrary(const std::string& libraryFile);
// Why the last load failed (dlerror's words), for tools to print.
std::string LastLoadError();

}  // namespace platform::com
