// The Windows build's providers until the ODBC provider lands beside this folder
// (platform/ado/win/builtin_providers.cpp, which replaces this file in the build):
// none, so every connection fails to open with the provider-not-found failure.
#include "platform/ado/provider.h"

namespace platform::ado {

std::vector<std::pair<std::string, std::shared_ptr<Provider>>> BuiltinProviders() { return {}; }

}  // namespace platform::ado
