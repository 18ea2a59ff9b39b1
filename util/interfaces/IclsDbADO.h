// IclsDbADO: the interface of the database-access object clsDbADO, the one way in
// which the system reaches a database. Members are declared in the binding slot
// order; where a property has both accessors, they come in the order of their slots.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/ado/ado.h"
#include "platform/com/unknown.h"
#include "util/interfaces/QueryResult.h"

class IclsDbADO : public platform::com::IUnknown {
public:
    static constexpr platform::com::Guid IID = platform::com::Guid::Parse("{7B388241-E024-45E8-A917-C4AC99AA21ED}");
    using Connection = platform::ado::Connection;
    using Recordset = platform::ado::Recordset;
    using CursorLocationEnum = platform::ado::CursorLocationEnum;
    using CursorTypeEnum = platform::ado::CursorTypeEnum;
    using LockTypeEnum = platform::ado::LockTypeEnum;

    virtual void BeginTransaction() = 0;
    virtual void BuildDBConnnectString() = 0;
    // rs (optional, by reference): closed if open, then set to none.
    virtual int32_t CloseConn(std::shared_ptr<Recordset>* rs = nullptr) = 0;
    virtual void CommitTransaction() = 0;
    virtual std::shared_ptr<Recordset> ExecuteCommand(const std::string& strSQL, int32_t* lRecordsAffected = nullptr,
                                                      int32_t lOptions = 0) = 0;
    virtual std::shared_ptr<Recordset> ExecuteResultSet(const std::string& strSQL) = 0;
    virtual bool FindInRecordset(const std::string& strSearch, std::shared_ptr<Recordset>& rs) = 0;
    virtual void OpenRecordSet(const std::string& strSQL, std::shared_ptr<Recordset>& rs,
                               std::optional<CursorTypeEnum> adType = std::nullopt,
                               std::optional<LockTypeEnum> adLock = std::nullopt, int32_t lOptions = 0) = 0;
    virtual QueryResult GetRSArray(const std::string& strSQL) = 0;
    virtual int32_t OpenConn() = 0;
    virtual void RollbackTransaction() = 0;
    virtual int32_t AffectedRowCount() = 0;
    virtual std::shared_ptr<Connection> DBConn() = 0;
    virtual void ConnectString(const std::string& value) = 0;
    virtual std::string ConnectString() = 0;
    virtual CursorLocationEnum CursorLocation() = 0;
    virtual void CursorLocation(CursorLocationEnum value) = 0;
    virtual CursorTypeEnum CursorType() = 0;
    virtual void CursorType(CursorTypeEnum value) = 0;
    virtual void DbFilePath(const std::string& value) = 0;
    virtual std::string DbFilePath() = 0;
    virtual void DatabaseFileSpec(const std::string& value) = 0;
    virtual std::string DatabaseFileSpec() = 0;
    virtual std::string DbName() = 0;
    virtual void DbName(const std::string& value) = 0;
    virtual std::string DbProvider() = 0;
    virtual void DbProvider(const std::string& value) = 0;
    virtual std::string DbServer() = 0;
    virtual void DbServer(const std::string& value) = 0;
    virtual std::string DbType() = 0;
    virtual void DbType(const std::string& value) = 0;
    virtual std::string ErrorDesc() = 0;
    virtual int32_t ErrorNumber() = 0;
    virtual bool InTransaction() = 0;
    virtual void LockType(LockTypeEnum value) = 0;
    virtual LockTypeEnum LockType() = 0;
    virtual std::string PassWd() = 0;
    virtual void PassWd(const std::string& value) = 0;
    virtual int32_t RowCount() = 0;
    virtual int32_t MaxRecords() = 0;
    virtual void MaxRecords(int32_t value) = 0;
    virtual std::string UserID() = 0;
    virtual void UserID(const std::string& value) = 0;
};
