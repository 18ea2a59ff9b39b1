// What an ODBC driver reports, turned into the failures a caller of ADO sees: the
// same numbers as the embedded engine's provider raises for the same mistakes (no
// such table, no such column, a statement that is not valid SQL, a damaged file),
// with the driver's own message as the description.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/odbc/odbc_drivers.h"

namespace platform::ado::odbc {

// One diagnostic record of the driver manager or a driver.
struct Diagnostic {
    std::string state;  // the SQLSTATE, five characters
    int32_t native = 0; // the driver's own number
    std::string message;
};

// The driver's own words: without the "[vendor][component]" tags in front, and
// without the native number that some drivers repeat at the end as " (N)".
std::string DriverMessage(const Diagnostic& diagnostic);

// The failure number for what the first record says.
int32_t FailureNumber(const std::vector<Diagnostic>& diagnostics, Dialect dialect);

// Raises the failure the records describe; shownPath names the database file (empty
// for a server database).
[[noreturn]] void RaiseDiagnostics(const std::vector<Diagnostic>& diagnostics, Dialect dialect,
                                   const std::string& shownPath);

// The source failures of this provider carry.
inline constexpr const char* kOdbcSource = "Project database";

}  // namespace platform::ado::odbc
