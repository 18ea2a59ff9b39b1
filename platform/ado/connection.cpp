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

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() = default;  // dropping the session closes the database

int32_t Connection::State() const { return impl_->session ? adStateOpen : adStateClosed; }

CursorLocationEnum Connection::CursorLocation() const { return impl_->cursorLocation; }

void Connection::CursorLocation(CursorLocationEnum location) {
    if (location != adUseServer && location != adUseClient && location != adUseNone)
        RaiseAdo(adoerr::WrongArguments, kConnectionSource);
    impl_->cursorLocation = location;
}

std::string Connection::ConnectionString() const { return impl_->connectionString; }

void Connection::Open(std::string_view connectionString, std::string_view userID, std::string_view password,
                      int32_t) {
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
    impl_->session = provider->Connect(properties, user, secret);
    impl_->connectionString = std::string(connectionString);
    impl_->open = std::make_shared<OpenToken>();
    impl_->level = 0;
}

void Connection::Close() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    impl_->open.reset();
    impl_->session.reset();
    impl_->level = 0;
}

std::shared_ptr<Recordset> Connection::Execute(std::string_view commandText, int32_t* recordsAffected,
                                               int32_t options) {
    if (State() != adStateOpen) RaiseAdo(adoerr::ConnectionInvalid, kConnectionSource);
    const bool noRecords = options != adOptionUnspecified && (options & adExecuteNoRecords) != 0;
    const std::string statement = CommandStatement(commandText, options, kConnectionSource);
    RowSet rows = impl_->session->Execute(statement, !noRecords);
    if (recordsAffected) *recordsAffected = int32_t(rows.recordsAffected);
    if (noRecords) return nullptr;
    auto recordset = std::make_shared<Recordset>();
    recordset->impl_->cursorLocation = impl_->cursorLocation;
    if (rows.returnsRows) recordset->impl_->Load(std::move(rows), impl_->open);
    return recordset;
}

int32_t Connection::BeginTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    impl_->session->BeginTransaction(impl_->level + 1);
    return ++impl_->level;
}

int32_t Connection::CommitTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    if (impl_->level == 0) RaiseAdo(adoerr::NoTransaction, kConnectionSource);
    impl_->session->CommitTransaction(impl_->level);
    return --impl_->level;
}

int32_t Connection::RollbackTrans() {
    if (State() != adStateOpen) RaiseAdo(adoerr::ObjectClosed, kConnectionSource);
    if (impl_->level == 0) RaiseAdo(adoerr::NoTransaction, kConnectionSource);
    impl_->session->RollbackTransaction(impl_->level);
    return --impl_->level;
}

}  // namespace platform::ado
