// Raising ADO's own failures with the descriptions ADO gives them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::ado {

// Raises one of the adoerr numbers of ado.h with ADO's text for it; extra, when
// given, follows that text after a blank.
[[noreturn]] void RaiseAdo(int32_t number, std::string_view source, std::string_view extra = {});

// The embedded engine's message for a statement that names a table or a column that
// is not there ("no such table: Project"), in the words Access uses; nullopt for any
// other message. Both providers of the embedded engine say it so.
std::optional<std::string> MissingNameDescription(std::string_view engineMessage);

// What the Access dialect answers to a command that holds no statement, or more than one.
inline constexpr std::string_view kNoStatementText =
    "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
inline constexpr std::string_view kTrailingStatementText = "Characters found after end of SQL statement.";

// The source names ADO gives its failures.
inline constexpr std::string_view kConnectionSource = "ADODB.Connection";
inline constexpr std::string_view kRecordsetSource = "ADODB.Recordset";
inline constexpr std::string_view kFieldSource = "ADODB.Field";

}  // namespace platform::ado
