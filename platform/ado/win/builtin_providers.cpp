// The providers of Windows: every provider name the system may give reaches its
// database through ODBC, the data interface that Windows and Wine share.
#include "platform/ado/odbc/odbc_drivers.h"
#include "platform/ado/odbc/odbc_provider.h"
#include "platform/ado/provider.h"

namespace platform::ado {

std::vector<std::pair<std::string, std::shared_ptr<Provider>>> BuiltinProviders() {
    auto odbc = MakeOdbcProvider();
    std::vector<std::pair<std::string, std::shared_ptr<Provider>>> providers;
    for (const odbc::ProviderName& entry : odbc::kProviderNames) providers.emplace_back(std::string(entry.name), odbc);
    return providers;
}

}  // namespace platform::ado
