#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/ado/access_file_provider.h"
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
    std::mutex lock;
    std::vector<std::pair<std::string, std::shared_ptr<Provider>>> providers;

    Registry() {
        auto access = MakeAccessFileProvider();
        providers.emplace_back(Folded("Microsoft.Jet.OLEDB.4.0"), access);
        providers.emplace_back(Folded("Microsoft.ACE.OLEDB.12.0"), access);
        providers.emplace_back(Folded("Microsoft.ACE.OLEDB.16.0"), access);
    }
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterProvider(std::string_view name, std::shared_ptr<Provider> provider) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    std::string key = Folded(name);
    for (auto& entry : registry.providers)
        if (entry.first == key) {
            entry.second = std::move(provider);
            return;
        }
    registry.providers.emplace_back(std::move(key), std::move(provider));
}

std::shared_ptr<Provider> FindProvider(std::string_view name) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    std::string key = Folded(name);
    for (auto& entry : registry.providers)
        if (entry.first == key) return entry.second;
    return nullptr;
}

}  // namespace platform::ado
