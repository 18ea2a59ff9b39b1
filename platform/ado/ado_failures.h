// Raising ADO's own failures with the descriptions ADO gives them.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform::ado {

// Raises one of the adoerr numbers of ado.h with ADO's text for it; extra, when
// given, follows that text after a blank.
[[noreturn]] void RaiseAdo(int32_t number, std::string_view source, std::string_view extra = {});

// The source names ADO gives its failures.
inline constexpr std::string_view kConnectionSource = "ADODB.Connection";
inline constexpr std::string_view kRecordsetSource = "ADODB.Recordset";
inline constexpr std::string_view kFieldSource = "ADODB.Field";

}  // namespace platform::ado
