// The connection of clsDbADO: its string for each database type, opening on demand,
// closing, and transactions.
#include "platform/toolkit/dialogs.h"
#include "util/clsDbADO/clsDbADO.h"
#include "util/clsUtil/clsUtil.h"

using namespace platform::ado;

void clsDbADO::BuildDBConnnectString() {
    if (DbType_ == "Access") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + DbServer_ + ";Persist Security Info=False;";
    } else if (DbType_ == "Access2007") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + DbServer_ + ";" + "User ID=" + UserID_ +
                         ";" + "Pwd=" + PassWd_ + ";";
    } else if (DbType_ == "Text") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + DbServer_ + ";" +
                         "Extended Properties=\"text;HDR=No;FMT=Delimited\";";
    } else if (DbType_ == "Excel") {
        // A known type that builds no string: the previous one stays.
    } else if (DbType_ == "SQLServer") {
        ConnectString_ = "Provider=" + DbProvider_ + ";" + "Data Source=" + DbServer_ + ";" + "Initial Catalog=" +
                         DbName_ + ";" + "Persist Security Info=False;" + "User ID=" + UserID_ + ";" + "Pwd=" +
                         PassWd_ + ";";
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
