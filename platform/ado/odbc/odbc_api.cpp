#include "platform/ado/odbc/odbc_api.h"

#include <algorithm>
#include <iterator>

#include "platform/text/text.h"

namespace platform::ado::odbc {

WideText::WideText(std::string_view utf8) : text_(text::ToUtf16(utf8)) {}

std::string Utf8(const SQLWCHAR* text, size_t length) {
    return text::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

Handle Handle::Environment() {
    SQLHANDLE raw = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &raw))) return {};
    Handle environment(SQL_HANDLE_ENV, raw);
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(raw, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)))
        return {};
    return environment;
}

Handle Handle::Under(const Handle& parent, SQLSMALLINT type) {
    SQLHANDLE raw = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent.Get(), &raw)))
        RaiseDiagnostics(parent.Diagnostics(), Dialect::Access, {});
    return Handle(type, raw);
}

void Handle::Free() {
    if (handle_ == SQL_NULL_HANDLE) return;
    SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
}

std::vector<Diagnostic> Handle::Diagnostics() const {
    std::vector<Diagnostic> records;
    if (handle_ == SQL_NULL_HANDLE) return records;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(512);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(type_, handle_, record, state, &native, message.data(),
                                      SQLSMALLINT(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && size_t(length) >= message.size()) {
            message.resize(size_t(length) + 1);
            rc = SQLGetDiagRecW(type_, handle_, record, state, &native, message.data(), SQLSMALLINT(message.size()),
                                &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        records.push_back({Utf8(state, 5), int32_t(native),
                           Utf8(message.data(), std::min(size_t(length), message.size() - 1))});
    }
    return records;
}

std::vector<std::string> InstalledDrivers(const Handle& environment) {
    std::vector<std::string> names;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLWCHAR name[256];
        SQLWCHAR attributes[2];  // only the names are wanted
        SQLSMALLINT nameLength = 0, attributesLength = 0;
        const SQLRETURN rc = SQLDriversW(environment.Get(), direction, name, SQLSMALLINT(std::size(name)),
                                         &nameLength, attributes, SQLSMALLINT(std::size(attributes)),
                                         &attributesLength);
        if (!SQL_SUCCEEDED(rc)) break;
        names.push_back(Utf8(name, std::min<size_t>(size_t(nameLength), std::size(name) - 1)));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}

}  // namespace platform::ado::odbc
