// The providers of this machine: Access database files, played by the embedded
// database engine.
#include "platform/ado/posix/access_file_provider.h"
#include "platform/ado/provider.h"

namespace platform::ado {

std::vector<std::pair<std::string, std::shared_ptr<Provider>>> BuiltinProviders() {
    auto access = MakeAccessFileProvider();
    return {{"Microsoft.Jet.OLEDB.4.0", access}, {"Microsoft.ACE.OLEDB.12.0", access}, {"Microsoft.ACE.OLEDB.16.0", access}};
}

}  // namespace platform::ado
