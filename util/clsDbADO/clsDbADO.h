// clsDbADO: the database-access object of UtilOrvek2. It holds the connection
// parameters, builds the connection string for the database type, opens and closes
// its one connection, runs commands, and hands query results back as a query result
// array, so that callers never hold an open recordset.
#pragma once

#include <memory>
#include <string>

#include "platform/com/server.h"
#include "platform/errors/frame.h"
#include "util/interfaces/IclsDbADO.h"

class clsUtil;

class clsDbADO final : public IclsDbADO {
public:

    clsDbADO();
    ~clsDbADO() override;
    clsDbADO(const clsDbADO&) = delete;
    clsDbADO& operator=(const clsDbADO&) = delete;

    void* QueryInterface(const platform::com::Guid& iid) override;

    void BeginTransaction() override;
    void BuildDBConnnectString() override;
    int32_t CloseConn(std::shared_ptr<Recordset>* rs = nullptr) override;
    void CommitTransaction() override;
    std::shared_ptr<Recordset> ExecuteCommand(const std::string& strSQL, int32_t* lRecordsAffected = nullptr,
                                              int32_t lOptions = 0) override;
    std::shared_ptr<Recordset> ExecuteResultSet(const std::string& strSQL) override;
    bool FindInRecordset(const std::string& strSearch, std::shared_ptr<Recordset>& rs) override;
    void OpenRecordSet(const std::string& strSQL, std::shared_ptr<Recordset>& rs,
                       std::optional<CursorTypeEnum> adType = std::nullopt,
                       std::optional<LockTypeEnum> adLock = std::nullopt, int32_t lOptions = 0) override;
    QueryResult GetRSArray(const std::string& strSQL) override;
    int32_t OpenConn() override;
    void RollbackTransaction() override;
    int32_t AffectedRowCount() override { return 0; }
    std::shared_ptr<Connection> DBConn() override { return m_Conn; }
    void ConnectString(const std::string& value) override { ConnectString_ = value; }
    std::string ConnectString() override { return ConnectString_; }
    CursorLocationEnum CursorLocation() override { return CursorLocation_; }
    void CursorLocation(CursorLocationEnum value) override;
    CursorTypeEnum CursorType() override { return CursorType_; }
    void CursorType(CursorTypeEnum value) override;
    void DbFilePath(const std::string& value) override { DbFilePath_ = value; }
    std::string DbFilePath() override { return DbFilePath_; }
    void DatabaseFileSpec(const std::string& value) override { DatabaseFileSpec_ = value; }
    std::string DatabaseFileSpec() override { return DatabaseFileSpec_; }
    std::string DbName() override { return DbName_; }
    void DbName(const std::string& value) override { DbName_ = value; }
    std::string DbProvider() override { return DbProvider_; }
    void DbProvider(const std::string& value) override { DbProvider_ = value; }
    std::string DbServer() override { return DbServer_; }
    void DbServer(const std::string& value) override { DbServer_ = value; }
    std::string DbType() override { return DbType_; }
    void DbType(const std::string& value) override { DbType_ = value; }
    std::string ErrorDesc() override { return {}; }
    int32_t ErrorNumber() override { return 0; }
    bool InTransaction() override { return m_TransLevel != 0; }
    void LockType(LockTypeEnum value) override;
    LockTypeEnum LockType() override { return LockType_; }
    std::string PassWd() override { return PassWd_; }
    void PassWd(const std::string& value) override { PassWd_ = value; }
    int32_t RowCount() override { return 0; }
    int32_t MaxRecords() override { return 0; }
    void MaxRecords(int32_t) override {}
    std::string UserID() override { return UserID_; }
    void UserID(const std::string& value) override { UserID_ = value; }

private:
    // The utility object, created on first use: the error report and the normal exit.
    const std::shared_ptr<clsUtil>& Util();
    // The error frame of a guarded member: reports as "clsDbADO" under its procedure name.
    platform::ErrorFrame Guard(const char* procedure);
    // Leaves through the frame without a report.
    [[noreturn]] void RaiseNormalExit();

    // The last query result with what it was read under: the statement, the
    // connection and the database's change stamp (empty: nothing kept).
    struct KeptResult {
        std::string sql;
        std::string connection;
        std::string stamp;
        QueryResult result;
    };

    std::shared_ptr<clsUtil> m_Util;
    std::shared_ptr<Connection> m_Conn;
    std::string DbType_;
    std::string DbProvider_;
    std::string DbName_;
    std::string DbServer_;
    std::string UserID_;
    std::string PassWd_;
    std::string ConnectString_;
    std::string DbFilePath_;
    std::string DatabaseFileSpec_;
    int32_t m_TransLevel = 0;
    CursorLocationEnum CursorLocation_ = platform::ado::adUseClient;
    CursorTypeEnum CursorType_ = platform::ado::adOpenDynamic;
    LockTypeEnum LockType_ = platform::ado::adLockOptimistic;
    KeptResult last_;
    platform::com::ServerLock lock_;
};
