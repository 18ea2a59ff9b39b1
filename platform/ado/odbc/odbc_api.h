// The ODBC interface as this folder uses it: the system's headers (the driver
// manager's own on Windows, unixODBC's here), owned handles, and texts in UTF-16.
//
// Only the wide-character functions are called: Wine's driver manager, which
// forwards to the host's, offers no other way in for 64-bit programs.
//
// Include this header only from .cpp files: the system headers bring macros of
// their own (unixODBC's defines BOOL, for one).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ado/odbc/odbc_failures.h"

namespace platform::ado::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC's wide characters must be UTF-16 code units");

// A UTF-8 text as the wide-character functions take it, and back.
class WideText {
public:
    explicit WideText(std::string_view utf8);
    SQLWCHAR* Data() { return reinterpret_cast<SQLWCHAR*>(text_.data()); }
    SQLINTEGER Length() const { return SQLINTEGER(text_.size()); }

private:
    std::u16string text_;
};
std::string Utf8(const SQLWCHAR* text, size_t length);

// One ODBC handle of a kind, freed when dropped.
class Handle {
public:
    Handle() = default;
    Handle(SQLSMALLINT type, SQLHANDLE handle) : type_(type), handle_(handle) {}
    Handle(Handle&& other) noexcept
        : type_(other.type_), handle_(std::exchange(other.handle_, SQLHANDLE(SQL_NULL_HANDLE))) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Free();
            type_ = other.type_;
            handle_ = std::exchange(other.handle_, SQLHANDLE(SQL_NULL_HANDLE));
        }
        return *this;
    }
    ~Handle() { Free(); }

    // A new environment (ODBC 3 behaviour), or null when the driver manager gives none.
    static Handle Environment();
    // A new handle of the type under its parent (a connection under an environment, a
    // statement under a connection); fails as the parent's diagnostics say.
    static Handle Under(const Handle& parent, SQLSMALLINT type);

    SQLHANDLE Get() const { return handle_; }
    SQLSMALLINT Type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }

    // The diagnostic records the last call on this handle left.
    std::vector<Diagnostic> Diagnostics() const;

private:
    void Free();
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// The names of the ODBC drivers installed on this machine, as the driver manager lists them.
std::vector<std::string> InstalledDrivers(const Handle& environment);

}  // namespace platform::ado::odbc
