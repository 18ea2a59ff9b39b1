// Connection and Recordset over the providers (provider.h): what every platform
// shares once a provider has opened a Session.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ado/ado.h"
#include "platform/ado/provider.h"

namespace platform::ado {

// Lives while a connection is open; the recordsets opened on it watch it, so that
// closing the connection closes them.
struct OpenToken {};

class ProviderRecordset;

class ProviderConnection final : public Connection {
public:
    ~ProviderConnection() override;  // dropping the session closes the database

    int32_t State() const override;
    CursorLocationEnum CursorLocation() const override { return cursorLocation_; }
    void CursorLocation(CursorLocationEnum location) override;
    std::string ConnectionString() const override { return connectionString_; }
    void Open(std::string_view connectionString, std::string_view userID = {}, std::string_view password = {},
              int32_t options = adConnectUnspecified) override;
    void Close() override;
    std::shared_ptr<Recordset> Execute(std::string_view commandText, int32_t* recordsAffected = nullptr,
                                       int32_t options = adOptionUnspecified) override;
    int32_t BeginTrans() override;
    int32_t CommitTrans() override;
    int32_t RollbackTrans() override;
    std::string ChangeStamp() override;

private:
    friend class ProviderRecordset;
    CursorLocationEnum cursorLocation_ = adUseServer;
    std::string connectionString_;
    std::unique_ptr<Session> session_;
    std::shared_ptr<OpenToken> open_;
    int32_t level_ = 0;  // transaction nesting
    bool stamps_ = false;  // the provider last opened keeps change stamps
};

class ProviderRecordset final : public Recordset {
public:
    int32_t State() const override { return IsOpen() ? adStateOpen : adStateClosed; }
    CursorLocationEnum CursorLocation() const override { return cursorLocation_; }
    void CursorLocation(CursorLocationEnum location) override;
    void Open(std::string_view source, const std::shared_ptr<Connection>& activeConnection,
              CursorTypeEnum cursorType = adOpenUnspecified, LockTypeEnum lockType = adLockUnspecified,
              int32_t options = adCmdUnspecified) override;
    void Close() override;
    bool BOF() const override;
    bool EndOfFile() const override;
    void MoveFirst() override;
    void MoveLast() override;
    void MoveNext() override;
    void MovePrevious() override;
    int32_t RecordCount() const override;
    int32_t FieldCount() const override;
    std::string FieldName(int32_t index) const override;
    const Variant& FieldValue(int32_t index) const override;
    std::string_view FieldText(int32_t index, std::string& scratch) const override;

private:
    friend class ProviderConnection;
    bool IsOpen() const { return open_ && !connection_.expired(); }
    void Opened() const;  // 3704 when closed
    size_t CellOf(int32_t index) const;  // the current record's cell of the field (3704, 3265, 3021)
    void Load(RowSet rowSet, const std::shared_ptr<OpenToken>& token);
    void Unload();

    CursorLocationEnum cursorLocation_ = adUseServer;
    bool open_ = false;
    std::weak_ptr<OpenToken> connection_;
    RowSet data_;
    size_t columns_ = 0;
    int64_t rows_ = 0;
    int64_t position_ = 0;  // -1: BOF; rows: EOF
    // Each field's value as last asked for, as a reference to it is handed out: the
    // values of two fields of one record can be held side by side.
    mutable std::vector<Variant> values_;
};

// The statement for a command text and its command type: a table name becomes a
// query of the whole table.
std::string CommandStatement(std::string_view commandText, int32_t options, std::string_view source);

}  // namespace platform::ado
