// The connection of clsDbADO: its string for each database type, opening on demand,
// closing, and transactions.
#include "platform/toolkit/dialogs.h"
#include "util/clsDbADO/clsDbADO.h"
#include "util/clsUtil/clsUtil.h"

using namespace platform::ado;

namespace {

// A value as the connection string must hold it. A plain value goes in as it is; one
// that holds ";" (a database folder "C:\Data;Old\") would be cut there, and one that
// starts with a quote or has blanks at either end would lose them, so such a value goes
// in quotes: double ones, or single ones when it holds a double quote, or double ones
// with each double quote doubled when it holds both.
std::string ConnectionValue(const std::string& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool plain = value.find(';') == std::string::npos &&
                       (value.empty() || (value.front() != '"' && value.front() != '\'' && !blank(value.front()) &&
                                          !blank(value.back())));
    if (plain) return value;
    if (value.find('"') == std::string::npos) return "\"" + value + "\"";
    if (value.find('\'') == std::string::npos) return "'" + value + "'";
    std::string quoted = "\"";
    for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

void clsDbADO::BuildDBConnnectString() {
    const std::string server = ConnectionValue(DbServer_), user = ConnectionValue(UserID_),
                      password = ConnectionValue(PassWd_), catalog = ConnectionValue(DbName_);
    if (DbType_ == "Access") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + server + ";Persist Security Info=False;";
    } else if (DbType_ == "Access2007") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + server + ";" + "User ID=" + user +
                         ";" + "Pwd=" + password + ";";
    } else if (DbType_ == "Text") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + server + ";" +
                         "Extended Properties=\"text;HDR=No;FMT=Delimited\";";
    } else if (DbType_ == "Excel") {
        // A known type that builds no string: the previous one stays.
    } else if (DbType_ == "SQLServer") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + server + ";" + "Initial Catalog=" +
                         catalog + ";" + "Persist Security Info=False;" + "User ID=" + user + ";" + "Pwd=" +
                         password + ";";
    } else {
        platform::toolkit::MsgBox(std::string("The database connection string could not be created.") + "\r\n" +
                                      "No Database type was found.",
                                  platform::toolkit::vbOKCancel + platform::toolkit::vbExclamation,
                                  "No database available");
    }
}

int32_t clsDbADO::OpenConn() {
    int32_t state = 0;
    platform::ErrorFrame([this](const platform::ErrorInfo& failure) {
        CloseConn();
        Util()->ErrHandler(failure, "clsDbADO", "OpenConn");
    }).Run([&] {
        if (m_Conn->State() != adStateOpen) {
            m_Conn->CursorLocation(CursorLocation_);
            // User and password travel inside the connection string only.
            m_Conn->Open(ConnectString_, "", "", adConnectUnspecified);
        }
        state = m_Conn->State();
    });
    return state;
}

int32_t clsDbADO::CloseConn(std::shared_ptr<Recordset>* rs) {
    if (rs) {
        if (*rs && (*rs)->State() == adStateOpen) (*rs)->Close();
        rs->reset();
    }
    if (!m_Conn) return 0;
    if (m_Conn->State() == adStateOpen) m_Conn->Close();
    return m_Conn->State();
}

void clsDbADO::BeginTransaction() {
    if (m_Conn->State() == adStateOpen) m_TransLevel = m_Conn->BeginTrans();
}

void clsDbADO::CommitTransaction() {
    if (!InTransaction()) return;
    m_Conn->CommitTrans();
    --m_TransLevel;
}

void clsDbADO::RollbackTransaction() {
    if (!InTransaction()) return;
    m_Conn->RollbackTrans();
    --m_TransLevel;
}
