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
};

const Registry& TheRegistry() {
    static const Registry registry;
    return registry;
}

}  // namespace

std::shared_ptr<Provider> FindProvider(std::string_view name) {
    const Registry& registry = TheRegistry();
    std::string key = Folded(name);
    for (auto& entry : registry.providers)
        if (entry.first == key) return entry.second;
    return nullptr;
}

}  // namespace platform::ado
