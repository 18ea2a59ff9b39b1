#include "addin/controller/clsRegistry.h"

#include "platform/registry/registry.h"

std::string clsRegistry::GetRegistryValue(const std::string& keyPath, const std::string& valueName) {
    constexpr size_t kBuffer = 260;
    auto value = platform::registry::QueryString(platform::registry::Hive::LocalMachine, keyPath, valueName);
    if (!value || value->size() + 1 > kBuffer) return {};
    return value->substr(0, value->find('\0'));
}
