#include "platform/ado/odbc/odbc_failures.h"

#include "platform/ado/ado.h"
#include "platform/ado/ado_failures.h"
#include "platform/ado/database_file.h"
#include "platform/errors/errors.h"

namespace platform::ado::odbc {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The embedded engine's result codes, which its driver reports as native numbers.
constexpr int32_t kEngineError = 1;
constexpr int32_t kEngineCorrupt = 11;
constexpr int32_t kEngineCannotOpen = 14;
constexpr int32_t kEngineNotADatabase = 26;

int32_t EngineNumber(const Diagnostic& first) {
    if (first.state != "HY000" || (first.native & 0xFF) != kEngineError) return adoerr::ProviderFailure;
    // The engine reads a statement before it runs it; an error then is a mistake of
    // the statement.
    const std::string message = DriverMessage(first);
    if (StartsWith(message, "no such table: ")) return adoerr::NoSuchTable;
    if (StartsWith(message, "no such column: ")) return adoerr::MissingValue;
    return adoerr::CommandError;
}

bool EngineFoundDamage(const Diagnostic& first) {
    const int32_t code = first.native & 0xFF;
    return first.state == "HY000" && (code == kEngineCorrupt || code == kEngineNotADatabase);
}

}  // namespace

std::string DriverMessage(const Diagnostic& diagnostic) {
    std::string_view text = diagnostic.message;
    while (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) break;
        text.remove_prefix(close + 1);
    }
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    const std::string repeated = " (" + std::to_string(diagnostic.native) + ")";
    if (text.size() > repeated.size() && text.substr(text.size() - repeated.size()) == repeated)
        text.remove_suffix(repeated.size());
    return std::string(text);
}

int32_t FailureNumber(const std::vector<Diagnostic>& diagnostics, Dialect dialect) {
    if (diagnostics.empty()) return adoerr::ProviderFailure;
    const Diagnostic& first = diagnostics.front();
    const std::string& state = first.state;
    if (state == "42S02" || state == "S0002") return adoerr::NoSuchTable;
    // The Access driver takes an unknown name for a parameter that was not given.
    if (state == "42S22" || state == "S0022" || state == "07002" || state == "07001") return adoerr::MissingValue;
    if (StartsWith(state, "42") || state == "37000") return adoerr::CommandError;
    if (StartsWith(state, "IM")) return adoerr::ProviderNotFound;  // the driver manager found no such driver
    if (dialect == Dialect::Sqlite) return EngineNumber(first);
    return adoerr::ProviderFailure;
}

void RaiseDiagnostics(const std::vector<Diagnostic>& diagnostics, Dialect dialect, const std::string& shownPath) {
    if (diagnostics.empty()) RaiseAdo(adoerr::ProviderFailure, kOdbcSource);
    const Diagnostic& first = diagnostics.front();
    const int32_t number = FailureNumber(diagnostics, dialect);
    std::string message = DriverMessage(first);
    if (number == adoerr::ProviderNotFound) RaiseAdo(number, kOdbcSource, message);
    if (dialect == Dialect::Sqlite && (number == adoerr::NoSuchTable || number == adoerr::MissingValue))
        if (auto missing = MissingNameDescription(message)) message = std::move(*missing);
    if (dialect == Dialect::Sqlite && first.state == "HY000" && !shownPath.empty()) {
        // The file's own troubles, in the words the embedded engine's provider uses.
        if (EngineFoundDamage(first)) message = DamagedDatabaseDescription(shownPath, message);
        if ((first.native & 0xFF) == kEngineCannotOpen)
            message = UnusableFileDescription(shownPath, {DatabaseFileKind::Unreadable, {}, 0});
    }
    Raise(number, std::move(message), kOdbcSource);
}

}  // namespace platform::ado::odbc
