// The provider that reaches databases through ODBC, under every provider name of the
// mapping in odbc_drivers.h: Access files through the Access driver, files of the
// embedded database engine through the SQLite3 driver, SQL Server through its
// driver. "Data Source" is a Windows path (or the server); a file is checked and
// refused just as the embedded engine's own provider refuses it, before any driver
// opens it.
#pragma once

#include <memory>

#include "platform/ado/provider.h"

namespace platform::ado {

std::shared_ptr<Provider> MakeOdbcProvider();

}  // namespace platform::ado
