// The insides of Connection and Recordset, shared by their implementations.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/ado.h"
#include "platform/ado/provider.h"

namespace platform::ado {

// Lives while a connection is open; the recordsets opened on it watch it, so that
// closing the connection closes them.
struct OpenToken {};

struct Connection::Impl {
    CursorLocationEnum cursorLocation = adUseServer;
    std::string connectionString;
    std::unique_ptr<Session> session;
    std::shared_ptr<OpenToken> open;
    int32_t level = 0;  // transaction nesting
};

struct Recordset::Impl {
    CursorLocationEnum cursorLocation = adUseServer;
    bool open = false;
    std::weak_ptr<OpenToken> connection;
    RowSet data;
    size_t columns = 0;
    int64_t rows = 0;
    int64_t position = 0;  // -1: BOF; rows: EOF

    bool IsOpen() const { return open && !connection.expired(); }
    void Load(RowSet rowSet, const std::shared_ptr<OpenToken>& token) {
        data = std::move(rowSet);
        columns = data.Columns();
        rows = int64_t(data.Rows());
        position = rows == 0 ? -1 : 0;
        connection = token;
        open = true;
    }
    void Unload() {
        data = RowSet();
        columns = 0;
        rows = 0;
        position = 0;
        connection.reset();
        open = false;
    }
};

// The statement for a command text and its command type: a table name becomes a
// query of the whole table.
std::string CommandStatement(std::string_view commandText, int32_t options, std::string_view source);

}  // namespace platform::ado
