// The providers behind Connection: what "Provider=" in a connection string names.
// A provider turns the string's properties into a Session on one database; the
// Connection and its Recordsets only talk to the Session. The providers for Access
// files ("Microsoft.Jet.OLEDB.4.0", "Microsoft.ACE.OLEDB.12.0") are registered from
// the start; another provider can be offered under a name later (RegisterProvider).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ado/cells.h"
#include "platform/ado/connection_properties.h"
#include "platform/ado/variant.h"

namespace platform::ado {

// What one statement gave back.
struct RowSet {
    bool returnsRows = false;        // a query (even one without rows)
    std::vector<std::string> names;  // the result's column names
    Cells cells;                     // row after row, names.size() values each
    int64_t recordsAffected = -1;    // the records a write changed; -1 for a query

    size_t Columns() const { return names.size(); }
    size_t Rows() const { return names.empty() ? 0 : cells.size() / names.size(); }
};

// An open database.
class Session {
public:
    virtual ~Session() = default;
    // Runs exactly one statement. Without wantRows a query's rows are not kept.
    virtual RowSet Execute(std::string_view statement, bool wantRows) = 0;
    // Transactions nest; level is the level being entered (Begin) or left (Commit,
    // Rollback), 1 being the outermost.
    virtual void BeginTransaction(int32_t level) = 0;
    virtual void CommitTransaction(int32_t level) = 0;
    virtual void RollbackTransaction(int32_t level) = 0;
    // A text that stays the same only as long as the database provably has not
    // changed (by this session or anyone else); empty when the provider cannot tell.
    virtual std::string ChangeStamp() { return {}; }
    // Whether ChangeStamp can ever give a stamp.
    virtual bool KeepsChangeStamps() const { return false; }
};

class Provider {
public:
    virtual ~Provider() = default;
    // Opens the database the properties name. user and password are those passed to
    // Connection::Open (empty when not given there).
    virtual std::unique_ptr<Session> Connect(const ConnectionProperties& properties, std::string_view user,
                                             std::string_view password) = 0;
};

// The providers this platform offers, each under its name (compared without regard
// to case); each platform's implementation lists its own.
std::vector<std::pair<std::string, std::shared_ptr<Provider>>> BuiltinProviders();
// The provider offered under the name, or null.
std::shared_ptr<Provider> FindProvider(std::string_view name);
// Offers a provider under the name from now on, in place of the one offered so far,
// which is returned (null when there was none); a null provider withdraws the name.
std::shared_ptr<Provider> RegisterProvider(std::string_view name, std::shared_ptr<Provider> provider);

}  // namespace platform::ado
