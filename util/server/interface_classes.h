// The utility library's two interface classes, IclsOutlook and IclsDbADO, as
// creatable classes: they declare the member lists that other libraries implement,
// and every member of their own is empty (an object read gives none, a text "",
// a number 0).
#pragma once

#include "platform/com/server.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/IclsOutlook.h"

class IclsOutlookClass final : public IclsOutlook {
public:
    void* QueryInterface(const platform::com::Guid& iid) override;
    void App(const Ref<Application>&) override {}
    Ref<Application> App() override { return nullptr; }
    void NameSpace(const Ref<platform::outlook::NameSpace>&) override {}
    Ref<platform::outlook::NameSpace> NameSpace() override { return nullptr; }
    void MailFolder(const Ref<platform::outlook::MAPIFolder>&) override {}
    Ref<platform::outlook::MAPIFolder> MailFolder() override { return nullptr; }
    void Inspectors(const Ref<platform::outlook::Inspectors>&) override {}
    Ref<platform::outlook::Inspectors> Inspectors() override { return nullptr; }
    void Inspector(const Ref<platform::outlook::Inspector>&) override {}
    Ref<platform::outlook::Inspector> Inspector() override { return nullptr; }
    void MailItem(const Ref<platform::outlook::MailItem>&) override {}
    Ref<platform::outlook::MailItem> MailItem() override { return nullptr; }
    void ApptItem(const Ref<platform::outlook::AppointmentItem>&) override {}
    Ref<platform::outlook::AppointmentItem> ApptItem() override { return nullptr; }
    void ContactItem(const Ref<platform::outlook::ContactItem>&) override {}
    Ref<platform::outlook::ContactItem> ContactItem() override { return nullptr; }
    void Attachment(const Ref<platform::outlook::Attachment>&) override {}
    Ref<platform::outlook::Attachment> Attachment() override { return nullptr; }
    void SaveType(int32_t) override {}
    int32_t SaveType() override { return 0; }

private:
    platform::com::ServerLock lock_;
};

class IclsDbADOClass final : public IclsDbADO {
public:
    void* QueryInterface(const platform::com::Guid& iid) override;
    void BeginTransaction() override {}
    void BuildDBConnnectString() override {}
    int32_t CloseConn(std::shared_ptr<Recordset>*) override { return 0; }
    void CommitTransaction() override {}
    std::shared_ptr<Recordset> ExecuteCommand(const std::string&, int32_t*, int32_t) override { return nullptr; }
    std::shared_ptr<Recordset> ExecuteResultSet(const std::string&) override { return nullptr; }
    bool FindInRecordset(const std::string&, std::shared_ptr<Recordset>&) override { return false; }
    void OpenRecordSet(const std::string&, std::shared_ptr<Recordset>&, std::optional<CursorTypeEnum>,
                       std::optional<LockTypeEnum>, int32_t) override {}
    QueryResult GetRSArray(const std::string&) override { return {}; }
    int32_t OpenConn() override { return 0; }
    void RollbackTransaction() override {}
    int32_t AffectedRowCount() override { return 0; }
    std::shared_ptr<Connection> DBConn() override { return nullptr; }
    void ConnectString(const std::string&) override {}
    std::string ConnectString() override { return {}; }
    CursorLocationEnum CursorLocation() override { return CursorLocationEnum{}; }
    void CursorLocation(CursorLocationEnum) override {}
    CursorTypeEnum CursorType() override { return CursorTypeEnum{}; }
    void CursorType(CursorTypeEnum) override {}
    void DbFilePath(const std::string&) override {}
    std::string DbFilePath() override { return {}; }
    void DatabaseFileSpec(const std::string&) override {}
    std::string DatabaseFileSpec() override { return {}; }
    std::string DbName() override { return {}; }
    void DbName(const std::string&) override {}
    std::string DbProvider() override { return {}; }
    void DbProvider(const std::string&) override {}
    std::string DbServer() override { return {}; }
    void DbServer(const std::string&) override {}
    std::string DbType() override { return {}; }
    void DbType(const std::string&) override {}
    std::string ErrorDesc() override { return {}; }
    int32_t ErrorNumber() override { return 0; }
    bool InTransaction() override { return false; }
    void LockType(LockTypeEnum) override {}
    LockTypeEnum LockType() override { return LockTypeEnum{}; }
    std::string PassWd() override { return {}; }
    void PassWd(const std::string&) override {}
    int32_t RowCount() override { return 0; }
    int32_t MaxRecords() override { return 0; }
    void MaxRecords(int32_t) override {}
    std::string UserID() override { return {}; }
    void UserID(const std::string&) override {}

private:
    platform::com::ServerLock lock_;
};
