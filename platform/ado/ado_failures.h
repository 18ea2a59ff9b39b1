// Raising ADO's own failures with the descriptions ADO gives them.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform::ado {

// Raises one of the adoerr numbers of ado.h with ADO's text for it; extra, when
// given, follows that text after a blank.
[[noreturn]] void RaiseAdo(int32_t number, std::string_view source, std::string_view extra = {});

// What the Access dialect answers to a command that holds no statement, or more than one.
inline constexpr std::string_view kNoStatementText =
    "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
inline constexpr std::string_view kTrailingStatementText = "Characters found after end of SQL statement.";

// The source names ADO gives its failures.
inline constexpr std::string_view kConnectionSource = "ADODB.Connection";
inline constexpr std::string_view kRecordsetSource = "ADODB.Recordset";
inline constexpr std::string_view kFieldSource = "ADODB.Field";

}  // namespace platform::ado
