#include <string>

#include "platform/ado/ado_failures.h"
#include "platform/ado/ado_internals.h"
#include "platform/ado/connection_properties.h"
#include "platform/errors/errors.h"

namespace platform::ado {

std::string CommandStatement(std::string_view commandText, int32_t options, std::string_view source) {
    if (options == adCmdUnspecified) return std::string(commandText);
    const int32_t type = options & (adCmdText | adCmdTable | adCmdStoredProc | adCmdUnknown | adCmdFile |
                                    adCmdTableDirect);
    if (type & (adCmdStoredProc | adCmdFile)) RaiseAdo(adoerr::NotCapable, source);
    if (type & (adCmdTable | adCmdTableDirect)) {
        std::string name(commandText);
        if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
        return "SELECT * FROM [" + name + "]";
    }
    return std::string(commandText);
}

Connection::~Connection() = default;

std::shared_ptr<Connection> NewConnection() { return std::make_shared<ProviderConnection>(); }

ProviderConnection::~ProviderConnection() = default;

int32_t ProviderConnection::State() const { return session_ ? adStateOpen : adStateClosed; }

void ProviderConnection::CursorLocation(CursorLocationEnum location) {
    if (location != adUseServer && location != adUseClient && location != adUseNone)
        RaiseAdo(adoerr::WrongArguments, kConnectionSource);
    cursorLocation_ = location;
}

void ProviderConnection::Open(std::string_view connectionString, std::string_view userID,
                              std::string_view password, int32_t) {
    if (State() == adStateOpen) RaiseAdo(adoerr::ObjectOpen, kConnectionSource);
    const ConnectionProperties properties = ConnectionProperties::Parse(connectionString);
    const std::string name = properties.Get("Provider");
    if (name.empty())
        RaiseAdo(adoerr::ProviderNotFound, kConnectionSource, "The connection string names no provider.");
    auto provider = FindProvider(name);
    if (!provider)
        RaiseAdo(adoerr::ProviderNotFound, kConnectionSource,
                 "The provider \"" + name + "\" is not available on this machine.");
    std::string user(userID), secret(password);
    if (user.empty()) user = properties.Get("User ID");
    if (secret.empty()) secret = properties.Find("Password").value_or(properties.Get("Pwd"));
    session_ = provider->Connect(properties, user, secret);
    connectionString_ = std::string(connectionString);
    stamps_ = session_->KeepsChangeStamps();
    open_ = std::make_shared<OpenToken>();
    level_ = 0;
}

void ProviderConnection::Close() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    open_.reset();
    session_.reset();
    level_ = 0;
}

std::shared_ptr<Recordset> ProviderConnection::Execute(std::string_view commandText, int32_t* recordsAffected,
                                                       int32_t options) {
    if (State() != adStateOpen) RaiseAdo(adoerr::ConnectionInvalid, kConnectionSource);
    const bool noRecords = options != adOptionUnspecified && (options & adExecuteNoRecords) != 0;
    const std::string statement = CommandStatement(commandText, options, kConnectionSource);
    RowSet rows = session_->Execute(statement, !noRecords);
    if (recordsAffected) *recordsAffected = int32_t(rows.recordsAffected);
    if (noRecords) return nullptr;
    auto recordset = std::make_shared<ProviderRecordset>();
    recordset->cursorLocation_ = cursorLocation_;
    if (rows.returnsRows) recordset->Load(std::move(rows), open_);
    return recordset;
}

std::string ProviderConnection::ChangeStamp() {
    if (session_) return session_->ChangeStamp();
    if (!stamps_ || connectionString_.empty()) return {};
    try {
        ProviderConnection probe;
        probe.Open(connectionString_);
        return probe.ChangeStamp();
    } catch (const ErrorInfo&) {
        return {};  // it cannot be told now
    }
}

int32_t ProviderConnection::BeginTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    session_->BeginTransaction(level_ + 1);
    return ++level_;
}

int32_t ProviderConnection::CommitTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    if (level_ == 0) RaiseAdo(adoerr::NoTransaction, kConnectionSource);
    session_->CommitTransaction(level_);
    return --level_;
}

int32_t ProviderConnection::RollbackTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    if (level_ == 0) RaiseAdo(adoerr::NoTransaction, kConnectionSource);
    session_->RollbackTransaction(level_);
    return --level_;
}

}  // namespace platform::ado
