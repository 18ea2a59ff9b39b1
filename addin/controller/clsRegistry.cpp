#include "addin/controller/clsRegistry.h"

#include "platform/registry/registry.h"
#include "platform/text/text.h"

// The buffer holds 260 characters, the closing NUL among them.
std::string clsRegistry::GetRegistryValue(const std::string& keyPath, const std::string& valueName) {
    constexpr long kBuffer = 260;
    auto value = platform::registry::QueryString(platform::registry::Hive::LocalMachine, keyPath, valueName);
    if (!value || platform::text::Len(*value) + 1 > kBuffer) return {};
    return value->substr(0, value->find('\0'));
}
