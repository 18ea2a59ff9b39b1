// The Session of the ODBC provider: one connection of a driver. Every statement runs
// with SQLExecDirectW and its rows are fetched at once; transactions turn the
// driver's automatic commit off, and a nested level is a savepoint where the driver's
// dialect has them.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/odbc/odbc_drivers.h"
#include "platform/ado/provider.h"

namespace platform::ado::odbc {

// Connects with the connection string. Failures name the database file as shownPath
// (empty for a server database).
std::unique_ptr<Session> OpenOdbcSession(const std::string& connectionString, Dialect dialect,
                                         std::string shownPath);

}  // namespace platform::ado::odbc
