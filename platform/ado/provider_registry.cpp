#include <algorithm>
#include <utility>

#include "platform/ado/provider.h"

namespace platform::ado {

namespace {

std::string Folded(std::string_view name) {
    std::string result(name);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return result;
}

struct Registry {
    std::vector<std::pair<std::string, std::shared_ptr<Provider>>> providers;

    Registry() {
        for (auto& [name, provider] : BuiltinProviders()) providers.emplace_back(Folded(name), std::move(provider));
    }

    auto Find(const std::string& key) {
        return std::find_if(providers.begin(), providers.end(), [&](const auto& entry) { return entry.first == key; });
    }
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

std::shared_ptr<Provider> FindProvider(std::string_view name) {
    Registry& registry = TheRegistry();
    auto found = registry.Find(Folded(name));
    return found == registry.providers.end() ? nullptr : found->second;
}

std::shared_ptr<Provider> RegisterProvider(std::string_view name, std::shared_ptr<Provider> provider) {
    Registry& registry = TheRegistry();
    std::string key = Folded(name);
    auto found = registry.Find(key);
    if (found == registry.providers.end()) {
        if (provider) registry.providers.emplace_back(std::move(key), std::move(provider));
        return nullptr;
    }
    std::shared_ptr<Provider> previous = std::move(found->second);
    if (provider)
        found->second = std::move(provider);
    else
        registry.providers.erase(found);
    return previous;
}

}  // namespace platform::ado
