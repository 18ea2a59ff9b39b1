#include "platform/ado/odbc/odbc_session.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/ado/ado.h"
#include "platform/ado/ado_failures.h"
#include "platform/ado/odbc/odbc_api.h"
#include "platform/ado/odbc/statement_text.h"
#include "platform/errors/errors.h"

namespace platform::ado::odbc {

namespace {

// How a column's values are read, from the SQL type the driver gives it.
enum class ValueKind { Boolean, Integer, Single, Double, Decimal, Binary, Text };

ValueKind KindOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_BIT: return ValueKind::Boolean;
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT: return ValueKind::Integer;
        case SQL_REAL: return ValueKind::Single;
        case SQL_FLOAT:
        case SQL_DOUBLE: return ValueKind::Double;
        case SQL_DECIMAL:
        case SQL_NUMERIC: return ValueKind::Decimal;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY: return ValueKind::Binary;
        default: return ValueKind::Text;  // texts, dates and times, identifiers
    }
}

// A single-precision value as the double that reads the same: 1.1 stays 1.1.
double Widened(float value) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    double widened = value;
    std::from_chars(digits, written.ptr, widened);
    return widened;
}

// A decimal's text as the runtime writes the number: no zeros after the last digit
// of its fraction, no point without a fraction.
std::string TrimmedDecimal(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text.empty() || text == "-") text += '0';
    return text;
}

// Savepoints: what a nested level runs when it begins, commits and rolls back.
struct Savepoint {
    std::string begin;
    std::vector<std::string> commit, rollback;
};

std::optional<Savepoint> SavepointFor(Dialect dialect, int32_t level) {
    const std::string name = "level" + std::to_string(level);
    switch (dialect) {
        case Dialect::Sqlite:
            return Savepoint{"SAVEPOINT " + name, {"RELEASE " + name}, {"ROLLBACK TO " + name, "RELEASE " + name}};
        case Dialect::SqlServer: return Savepoint{"SAVE TRANSACTION " + name, {}, {"ROLLBACK TRANSACTION " + name}};
        case Dialect::Access: break;  // the Access driver keeps one level only
    }
    return std::nullopt;
}

class OdbcSession final : public Session {
public:
    OdbcSession(Handle environment, Handle connection, Dialect dialect, std::string shownPath)
        : environment_(std::move(environment)),
          connection_(std::move(connection)),
          dialect_(dialect),
          shownPath_(std::move(shownPath)) {}

    ~OdbcSession() override {
        if (inTransaction_) SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), SQL_ROLLBACK);
        SQLDisconnect(connection_.Get());
    }

    RowSet Execute(std::string_view command, bool wantRows) override {
        const CommandStatement read = ReadCommand(command);
        if (read.shape == CommandStatement::Shape::None)
            Raise(adoerr::CommandError, std::string(kNoStatementText), kOdbcSource);
        if (read.shape == CommandStatement::Shape::More)
            Raise(adoerr::CommandError, std::string(kTrailingStatementText), kOdbcSource);

        Handle statement = Handle::Under(connection_, SQL_HANDLE_STMT);
        WideText text(read.statement);
        RowSet result;
        const SQLRETURN rc = SQLExecDirectW(statement.Get(), text.Data(), text.Length());
        if (rc == SQL_NO_DATA) {  // a change that met no records
            result.recordsAffected = 0;
            return result;
        }
        if (!SQL_SUCCEEDED(rc)) Fail(statement);

        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(statement.Get(), &columns))) Fail(statement);
        if (columns == 0) {
            SQLLEN count = -1;
            if (!SQL_SUCCEEDED(SQLRowCount(statement.Get(), &count))) Fail(statement);
            result.recordsAffected = count;
            return result;
        }
        result.returnsRows = true;
        const std::vector<ValueKind> kinds = Describe(statement, columns, result.names);
        if (!wantRows) return result;
        SQLRETURN fetched;
        while ((fetched = SQLFetch(statement.Get())) != SQL_NO_DATA) {
            if (!SQL_SUCCEEDED(fetched)) Fail(statement);
            for (SQLUSMALLINT c = 0; c < SQLUSMALLINT(columns); ++c) Read(statement, c + 1, kinds[c], result.cells);
        }
        return result;
    }

    void BeginTransaction(int32_t level) override {
        if (level == 1) {
            Autocommit(false);
            inTransaction_ = true;
            return;
        }
        Run(Nested(level).begin);
    }

    void CommitTransaction(int32_t level) override {
        if (level == 1) return End(SQL_COMMIT);
        for (const std::string& step : Nested(level).commit) Run(step);
    }

    void RollbackTransaction(int32_t level) override {
        if (level == 1) return End(SQL_ROLLBACK);
        for (const std::string& step : Nested(level).rollback) Run(step);
    }

private:
    [[noreturn]] void Fail(const Handle& handle) const {
        RaiseDiagnostics(handle.Diagnostics(), dialect_, shownPath_);
    }

    Savepoint Nested(int32_t level) const {
        auto savepoint = SavepointFor(dialect_, level);
        if (!savepoint) RaiseAdo(adoerr::NotCapable, kOdbcSource, "The driver does not nest transactions.");
        return std::move(*savepoint);
    }

    void Autocommit(bool on) {
        const auto value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
        if (!SQL_SUCCEEDED(SQLSetConnectAttrW(connection_.Get(), SQL_ATTR_AUTOCOMMIT,
                                              reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(value)),
                                              SQL_IS_UINTEGER)))
            Fail(connection_);
    }

    void End(SQLSMALLINT completion) {
        if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), completion))) Fail(connection_);
        inTransaction_ = false;
        Autocommit(true);
    }

    // A statement of the session's own, without results.
    void Run(const std::string& sql) {
        Handle statement = Handle::Under(connection_, SQL_HANDLE_STMT);
        WideText text(sql);
        const SQLRETURN rc = SQLExecDirectW(statement.Get(), text.Data(), text.Length());
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) Fail(statement);
    }

    std::vector<ValueKind> Describe(const Handle& statement, SQLSMALLINT columns, std::vector<std::string>& names) {
        std::vector<ValueKind> kinds;
        for (SQLUSMALLINT c = 1; c <= SQLUSMALLINT(columns); ++c) {
            std::vector<SQLWCHAR> name(128);
            SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            auto describe = [&] {
                return SQLDescribeColW(statement.Get(), c, name.data(), SQLSMALLINT(name.size()), &length, &type,
                                       &size, &digits, &nullable);
            };
            SQLRETURN rc = describe();
            if (SQL_SUCCEEDED(rc) && size_t(length) >= name.size()) {
                name.resize(size_t(length) + 1);
                rc = describe();
            }
            if (!SQL_SUCCEEDED(rc)) Fail(statement);
            names.push_back(Utf8(name.data(), std::min(size_t(length), name.size() - 1)));
            kinds.push_back(KindOf(type));
        }
        return kinds;
    }

    // Reads a value of any length in pieces into out; false when it is null.
    // terminator: the units the driver keeps at the end of each piece for a zero.
    template <class Unit>
    bool ReadPieces(const Handle& statement, SQLUSMALLINT column, SQLSMALLINT cType, size_t terminator,
                    std::basic_string<Unit>& out) {
        Unit buffer[2048];
        const size_t capacity = std::size(buffer) - terminator;
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(statement.Get(), column, cType, buffer, SQLLEN(sizeof buffer), &indicator);
            if (rc == SQL_NO_DATA) return true;  // the last piece was read already
            if (!SQL_SUCCEEDED(rc)) Fail(statement);
            if (indicator == SQL_NULL_DATA) return false;
            const bool whole = indicator != SQL_NO_TOTAL && size_t(indicator) / sizeof(Unit) <= capacity;
            out.append(buffer, whole ? size_t(indicator) / sizeof(Unit) : capacity);
            if (whole || rc == SQL_SUCCESS) return true;
        }
    }

    template <class Value>
    bool ReadFixed(const Handle& statement, SQLUSMALLINT column, SQLSMALLINT cType, Value& value) {
        SQLLEN indicator = 0;
        if (!SQL_SUCCEEDED(SQLGetData(statement.Get(), column, cType, &value, sizeof value, &indicator)))
            Fail(statement);
        return indicator != SQL_NULL_DATA;
    }

    void Read(const Handle& statement, SQLUSMALLINT column, ValueKind kind, Cells& cells) {
        switch (kind) {
            case ValueKind::Boolean: {
                unsigned char value = 0;
                if (ReadFixed(statement, column, SQL_C_BIT, value)) return cells.push_back(value != 0);
                break;
            }
            case ValueKind::Integer: {
                SQLBIGINT value = 0;
                if (ReadFixed(statement, column, SQL_C_SBIGINT, value)) return cells.push_back(int64_t(value));
                break;
            }
            case ValueKind::Single: {
                SQLREAL value = 0;
                if (ReadFixed(statement, column, SQL_C_FLOAT, value)) return cells.push_back(Widened(value));
                break;
            }
            case ValueKind::Double: {
                SQLDOUBLE value = 0;
                if (ReadFixed(statement, column, SQL_C_DOUBLE, value)) return cells.push_back(double(value));
                break;
            }
            case ValueKind::Binary: {
                std::string bytes;
                if (ReadPieces(statement, column, SQL_C_BINARY, 0, bytes)) return cells.push_text(bytes);
                break;
            }
            case ValueKind::Decimal:
            case ValueKind::Text: {
                std::u16string text;
                static_assert(sizeof(char16_t) == sizeof(SQLWCHAR));
                if (ReadPieces(statement, column, SQL_C_WCHAR, 1, text)) {
                    std::string utf8 = Utf8(reinterpret_cast<const SQLWCHAR*>(text.data()), text.size());
                    return cells.push_text(kind == ValueKind::Decimal ? TrimmedDecimal(std::move(utf8)) : utf8);
                }
                break;
            }
        }
        cells.push_null();
    }

    Handle environment_;
    Handle connection_;  // freed before the environment
    Dialect dialect_;
    std::string shownPath_;
    bool inTransaction_ = false;
};

}  // namespace

std::unique_ptr<Session> OpenOdbcSession(const std::string& connectionString, Dialect dialect,
                                         std::string shownPath) {
    Handle environment = Handle::Environment();
    if (!environment) RaiseAdo(adoerr::ProviderNotFound, kOdbcSource, "No ODBC driver manager is available.");
    Handle connection = Handle::Under(environment, SQL_HANDLE_DBC);
    WideText text(connectionString);
    SQLSMALLINT completed = 0;
    const SQLRETURN rc = SQLDriverConnectW(connection.Get(), nullptr, text.Data(), SQLSMALLINT(text.Length()),
                                           nullptr, 0, &completed, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) RaiseDiagnostics(connection.Diagnostics(), dialect, shownPath);
    return std::make_unique<OdbcSession>(std::move(environment), std::move(connection), dialect,
                                         std::move(shownPath));
}

}  // namespace platform::ado::odbc
