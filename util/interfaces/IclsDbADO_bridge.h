// IclsDbADO across the binary boundary: the member table in binding slot order, the
// stand-in another library uses, the query result array as a VARIANT, and the
// companion through which the project's own libraries pass that array packed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ado/ado_bridge.h"
#include "platform/com/bridge.h"
#include "util/interfaces/IclsDbADO.h"
#include "util/interfaces/QueryResult.h"

// The query result array: a two-dimensional array of texts (column, row), or nothing
// at all (VT_EMPTY) for no rows.
template <>
struct platform::com::Returned<QueryResult> {
    using Abi = abi::VARIANT;
    static void Clear(Abi* out) { abi::VariantInit(out); }
    static void Put(const QueryResult& value, Abi* out) {
        abi::VariantInit(out);
        if (value.empty()) return;
        const abi::SAFEARRAYBOUND bounds[] = {{abi::ULONG(value.Columns()), 0}, {abi::ULONG(value.Rows()), 0}};
        abi::SAFEARRAY* array = abi::SafeArrayCreate(abi::VT_BSTR, 2, bounds);
        if (!array) Raise(7, "Out of memory");
        // The leftmost index (the column) varies fastest in the array's memory.
        auto* cells = static_cast<abi::BSTR*>(array->pvData);
        for (size_t r = 0; r < value.Rows(); ++r)
            for (size_t c = 0; c < value.Columns(); ++c) {
                try {
                    cells[r * value.Columns() + c] = abi::NewBstr(value(c, r));
                } catch (...) {
                    abi::SafeArrayDestroy(array);
                    throw;
                }
            }
        out->vt = abi::VT_ARRAY | abi::VT_BSTR;
        out->parray = array;
    }
    static QueryResult Take(Abi& raw) {
        abi::Variant owned(raw);
        abi::VariantInit(&raw);
        const abi::VARIANT& value = *owned.get();
        if (value.vt != (abi::VT_ARRAY | abi::VT_BSTR) || !value.parray || abi::SafeArrayGetDim(value.parray) != 2)
            return QueryResult();
        int32_t columns = -1, rows = -1;
        abi::SafeArrayGetUBound(value.parray, 1, &columns);
        abi::SafeArrayGetUBound(value.parray, 2, &rows);
        QueryResult result(size_t(columns + 1), size_t(rows + 1));
        const auto* cells = static_cast<const abi::BSTR*>(value.parray->pvData);
        const size_t count = result.Columns() * result.Rows();
        // The texts' room at once (exact when they are ASCII), and one scratch text for
        // the conversions: no string of its own for each cell.
        size_t characters = 0;
        for (size_t i = 0; i < count; ++i) characters += abi::SysStringLen(cells[i]);
        result.ReserveText(characters);
        std::string text;
        for (size_t r = 0; r < result.Rows(); ++r)
            for (size_t c = 0; c < result.Columns(); ++c) {
                const abi::BSTR cell = cells[r * result.Columns() + c];
                text.clear();
                abi::AppendUtf8(text, cell, abi::SysStringLen(cell));
                result.Set(c, r, text);
            }
        result.ShrinkToFit();
        return result;
    }
    static void ToVariant(const QueryResult& value, abi::VARIANT& target) {
        abi::VariantClear(&target);
        Put(value, &target);
    }
};

// The query result array on its way between the project's own libraries: one BSTR
// whose bytes are the packed array (QueryResult::PackInto), null for an empty array.
// The texts cross as they are, without a string of their own each.
struct PackedQueryResult {
    QueryResult value;
};
template <>
struct platform::com::Returned<PackedQueryResult> {
    using Abi = abi::BSTR;
    static void Clear(Abi* out) { *out = nullptr; }
    static void Put(const PackedQueryResult& packed, Abi* out) {
        *out = nullptr;
        const size_t bytes = packed.value.PackedSize();
        if (bytes == 0) return;
        const size_t characters = (bytes + sizeof(abi::OLECHAR) - 1) / sizeof(abi::OLECHAR);
        abi::BSTR block = characters < UINT32_MAX / 2 ? abi::SysAllocStringLen(nullptr, uint32_t(characters)) : nullptr;
        if (!block) Raise(7, "Out of memory");
        packed.value.PackInto(reinterpret_cast<char*>(block));
        *out = block;
    }
    // The array is read where the block is, and frees it when its last copy goes.
    static PackedQueryResult Take(Abi& raw) {
        const abi::BSTR taken = std::exchange(raw, nullptr);
        if (!taken) return {};
        const size_t bytes = size_t(abi::SysStringLen(taken)) * sizeof(abi::OLECHAR);
        std::shared_ptr<const char> block(reinterpret_cast<const char*>(taken),
                                          [taken](const char*) { abi::SysFreeString(taken); });
        return {QueryResult::Adopt(std::move(block), bytes)};
    }
};

namespace iclsdbado {
namespace com = platform::com;
using I = IclsDbADO;
using Recordset = platform::ado::Recordset;
using Connection = platform::ado::Connection;
using CursorLocationEnum = platform::ado::CursorLocationEnum;
using CursorTypeEnum = platform::ado::CursorTypeEnum;
using LockTypeEnum = platform::ado::LockTypeEnum;

using BeginTransaction = com::Method<I, void(), &I::BeginTransaction, "BeginTransaction">;
using BuildDBConnnectString = com::Method<I, void(), &I::BuildDBConnnectString, "BuildDBConnnectString">;
using CloseConn = com::Method<I, int32_t(std::shared_ptr<Recordset>*), &I::CloseConn, "CloseConn">;
using CommitTransaction = com::Method<I, void(), &I::CommitTransaction, "CommitTransaction">;
using ExecuteCommand = com::Method<I, std::shared_ptr<Recordset>(const std::string&, int32_t*, int32_t),
                                   &I::ExecuteCommand, "ExecuteCommand">;
using ExecuteResultSet =
    com::Method<I, std::shared_ptr<Recordset>(const std::string&), &I::ExecuteResultSet, "ExecuteResultSet">;
using FindInRecordset = com::Method<I, bool(const std::string&, std::shared_ptr<Recordset>&), &I::FindInRecordset,
                                    "FindInRecordset">;
using OpenRecordSet = com::Method<I,
                                  void(const std::string&, std::shared_ptr<Recordset>&, std::optional<CursorTypeEnum>,
                                       std::optional<LockTypeEnum>, int32_t),
                                  &I::OpenRecordSet, "OpenRecordSet">;
using GetRSArray = com::Method<I, QueryResult(const std::string&), &I::GetRSArray, "GetRSArray">;
using OpenConn = com::Method<I, int32_t(), &I::OpenConn, "OpenConn">;
using RollbackTransaction = com::Method<I, void(), &I::RollbackTransaction, "RollbackTransaction">;
using AffectedRowCount = com::Get<I, int32_t(), &I::AffectedRowCount, "AffectedRowCount">;
using DBConn = com::Get<I, std::shared_ptr<Connection>(), &I::DBConn, "DBConn">;
using ConnectString_put = com::Put<I, void(const std::string&), &I::ConnectString, "ConnectString">;
using ConnectString_get = com::Get<I, std::string(), &I::ConnectString, "ConnectString">;
using CursorLocation_get = com::Get<I, CursorLocationEnum(), &I::CursorLocation, "CursorLocation">;
using CursorLocation_put = com::Put<I, void(CursorLocationEnum), &I::CursorLocation, "CursorLocation">;
using CursorType_get = com::Get<I, CursorTypeEnum(), &I::CursorType, "CursorType">;
using CursorType_put = com::Put<I, void(CursorTypeEnum), &I::CursorType, "CursorType">;
using DbFilePath_put = com::Put<I, void(const std::string&), &I::DbFilePath, "DbFilePath">;
using DbFilePath_get = com::Get<I, std::string(), &I::DbFilePath, "DbFilePath">;
using DatabaseFileSpec_put = com::Put<I, void(const std::string&), &I::DatabaseFileSpec, "DatabaseFileSpec">;
using DatabaseFileSpec_get = com::Get<I, std::string(), &I::DatabaseFileSpec, "DatabaseFileSpec">;
using DbName_get = com::Get<I, std::string(), &I::DbName, "DbName">;
using DbName_put = com::Put<I, void(const std::string&), &I::DbName, "DbName">;
using DbProvider_get = com::Get<I, std::string(), &I::DbProvider, "DbProvider">;
using DbProvider_put = com::Put<I, void(const std::string&), &I::DbProvider, "DbProvider">;
using DbServer_get = com::Get<I, std::string(), &I::DbServer, "DbServer">;
using DbServer_put = com::Put<I, void(const std::string&), &I::DbServer, "DbServer">;
using DbType_get = com::Get<I, std::string(), &I::DbType, "DbType">;
using DbType_put = com::Put<I, void(const std::string&), &I::DbType, "DbType">;
using ErrorDesc = com::Get<I, std::string(), &I::ErrorDesc, "ErrorDesc">;
using ErrorNumber = com::Get<I, int32_t(), &I::ErrorNumber, "ErrorNumber">;
using InTransaction = com::Get<I, bool(), &I::InTransaction, "InTransaction">;
using LockType_put = com::Put<I, void(LockTypeEnum), &I::LockType, "LockType">;
using LockType_get = com::Get<I, LockTypeEnum(), &I::LockType, "LockType">;
using PassWd_get = com::Get<I, std::string(), &I::PassWd, "PassWd">;
using PassWd_put = com::Put<I, void(const std::string&), &I::PassWd, "PassWd">;
using RowCount = com::Get<I, int32_t(), &I::RowCount, "RowCount">;
using MaxRecords_get = com::Get<I, int32_t(), &I::MaxRecords, "MaxRecords">;
using MaxRecords_put = com::Put<I, void(int32_t), &I::MaxRecords, "MaxRecords">;
using UserID_get = com::Get<I, std::string(), &I::UserID, "UserID">;
using UserID_put = com::Put<I, void(const std::string&), &I::UserID, "UserID">;

using Table = com::Table<I, I::IID, BeginTransaction, BuildDBConnnectString, CloseConn, CommitTransaction,
                         ExecuteCommand, ExecuteResultSet, FindInRecordset, OpenRecordSet, GetRSArray, OpenConn,
                         RollbackTransaction, AffectedRowCount, DBConn, ConnectString_put, ConnectString_get,
                         CursorLocation_get, CursorLocation_put, CursorType_get, CursorType_put, DbFilePath_put,
                         DbFilePath_get, DatabaseFileSpec_put, DatabaseFileSpec_get, DbName_get, DbName_put,
                         DbProvider_get, DbProvider_put, DbServer_get, DbServer_put, DbType_get, DbType_put, ErrorDesc,
                         ErrorNumber, InTransaction, LockType_put, LockType_get, PassWd_get, PassWd_put, RowCount,
                         MaxRecords_get, MaxRecords_put, UserID_get, UserID_put>;

// The companion the project's own database-access objects answer: GetRSArray with
// the array packed into one block instead of a text for each cell.
inline PackedQueryResult GetRSArrayPacked(I& object, const std::string& strSQL) {
    return {object.GetRSArray(strSQL)};
}
inline constexpr com::Guid kPackedIid = com::Guid::Parse("{E0B89C44-1C76-49C9-B97A-DBD661595D02}");
using GetRSArray_packed =
    com::Served<I, PackedQueryResult(const std::string&), &GetRSArrayPacked, "GetRSArray">;
using PackedTable = com::PrivateTable<I, kPackedIid, GetRSArray_packed>;
}  // namespace iclsdbado

template <>
struct platform::com::Companion<iclsdbado::Table> {
    using Table = iclsdbado::PackedTable;
};

namespace iclsdbado {
// The database-access object of another library.
class Proxy final : public com::Proxy<Table> {
public:
    explicit Proxy(com::abi::IUnknown* pointer) : com::Proxy<Table>(pointer) {
        void* packed = nullptr;
        if (!com::abi::Failed(pointer->QueryInterface(kPackedIid, &packed)) && packed)
            packed_ = static_cast<com::abi::IUnknown*>(packed);
    }
    ~Proxy() override {
        if (packed_) packed_->Release();
    }
    void* QueryInterface(const com::Guid& iid) override {
        return iid == I::IID || iid == com::IUnknown::IID ? static_cast<I*>(this) : nullptr;
    }
    void BeginTransaction() override { Call<iclsdbado::BeginTransaction>(); }
    void BuildDBConnnectString() override { Call<iclsdbado::BuildDBConnnectString>(); }
    int32_t CloseConn(std::shared_ptr<Recordset>* rs) override { return Call<iclsdbado::CloseConn>(rs); }
    void CommitTransaction() override { Call<iclsdbado::CommitTransaction>(); }
    std::shared_ptr<Recordset> ExecuteCommand(const std::string& strSQL, int32_t* lRecordsAffected,
                                              int32_t lOptions) override {
        return Call<iclsdbado::ExecuteCommand>(strSQL, lRecordsAffected, lOptions);
    }
    std::shared_ptr<Recordset> ExecuteResultSet(const std::string& strSQL) override {
        return Call<iclsdbado::ExecuteResultSet>(strSQL);
    }
    bool FindInRecordset(const std::string& strSearch, std::shared_ptr<Recordset>& rs) override {
        return Call<iclsdbado::FindInRecordset>(strSearch, rs);
    }
    void OpenRecordSet(const std::string& strSQL, std::shared_ptr<Recordset>& rs, std::optional<CursorTypeEnum> adType,
                       std::optional<LockTypeEnum> adLock, int32_t lOptions) override {
        Call<iclsdbado::OpenRecordSet>(strSQL, rs, adType, adLock, lOptions);
    }
    // The array received last is handed out again while the object's connection tells
    // that the database has not changed since: the same statement gives the same rows
    // without their crossing the boundary again. The stamp is read before the query,
    // so a change in between only means a fresh read next time.
    QueryResult GetRSArray(const std::string& strSQL) override {
        const std::string stamp = ConnectionStamp();
        if (!stamp.empty() && stamp == kept_.stamp && strSQL == kept_.sql) return kept_.result;
        kept_ = {};
        // The project's own object passes the array packed; another one as published.
        QueryResult result = packed_ ? com::CallThrough<PackedTable, GetRSArray_packed>(packed_, strSQL).value
                                     : Call<iclsdbado::GetRSArray>(strSQL);
        if (!stamp.empty()) kept_ = {strSQL, stamp, result};
        return result;
    }
    int32_t OpenConn() override { return Call<iclsdbado::OpenConn>(); }
    void RollbackTransaction() override { Call<iclsdbado::RollbackTransaction>(); }
    int32_t AffectedRowCount() override { return Call<iclsdbado::AffectedRowCount>(); }
    std::shared_ptr<Connection> DBConn() override { return Call<iclsdbado::DBConn>(); }
    void ConnectString(const std::string& value) override { Call<ConnectString_put>(value); }
    std::string ConnectString() override { return Call<ConnectString_get>(); }
    CursorLocationEnum CursorLocation() override { return Call<CursorLocation_get>(); }
    void CursorLocation(CursorLocationEnum value) override { Call<CursorLocation_put>(value); }
    CursorTypeEnum CursorType() override { return Call<CursorType_get>(); }
    void CursorType(CursorTypeEnum value) override { Call<CursorType_put>(value); }
    void DbFilePath(const std::string& value) override { Call<DbFilePath_put>(value); }
    std::string DbFilePath() override { return Call<DbFilePath_get>(); }
    void DatabaseFileSpec(const std::string& value) override { Call<DatabaseFileSpec_put>(value); }
    std::string DatabaseFileSpec() override { return Call<DatabaseFileSpec_get>(); }
    std::string DbName() override { return Call<DbName_get>(); }
    void DbName(const std::string& value) override { Call<DbName_put>(value); }
    std::string DbProvider() override { return Call<DbProvider_get>(); }
    void DbProvider(const std::string& value) override { Call<DbProvider_put>(value); }
    std::string DbServer() override { return Call<DbServer_get>(); }
    void DbServer(const std::string& value) override { Call<DbServer_put>(value); }
    std::string DbType() override { return Call<DbType_get>(); }
    void DbType(const std::string& value) override { Call<DbType_put>(value); }
    std::string ErrorDesc() override { return Call<iclsdbado::ErrorDesc>(); }
    int32_t ErrorNumber() override { return Call<iclsdbado::ErrorNumber>(); }
    bool InTransaction() override { return Call<iclsdbado::InTransaction>(); }
    void LockType(LockTypeEnum value) override { Call<LockType_put>(value); }
    LockTypeEnum LockType() override { return Call<LockType_get>(); }
    std::string PassWd() override { return Call<PassWd_get>(); }
    void PassWd(const std::string& value) override { Call<PassWd_put>(value); }
    int32_t RowCount() override { return Call<iclsdbado::RowCount>(); }
    int32_t MaxRecords() override { return Call<MaxRecords_get>(); }
    void MaxRecords(int32_t value) override { Call<MaxRecords_put>(value); }
    std::string UserID() override { return Call<UserID_get>(); }
    void UserID(const std::string& value) override { Call<UserID_put>(value); }

private:
    // The connection string the object opens with, the one its connection opened
    // last, and that database's change stamp; empty when the stamp cannot be told.
    std::string ConnectionStamp() {
        try {
            const std::shared_ptr<Connection> connection = Call<iclsdbado::DBConn>();
            if (!connection) return {};
            const std::string stamp = connection->ChangeStamp();
            if (stamp.empty()) return {};
            return Call<ConnectString_get>() + "\n" + connection->ConnectionString() + "\n" + stamp;
        } catch (const platform::ErrorInfo&) {
            return {};
        }
    }

    struct Kept {
        std::string sql;
        std::string stamp;
        QueryResult result;
    };
    Kept kept_;
    com::abi::IUnknown* packed_ = nullptr;  // the companion, one reference; null without one
};
}  // namespace iclsdbado

template <>
struct platform::com::Bridge<IclsDbADO> : TableBridge<IclsDbADO, iclsdbado::Table, iclsdbado::Proxy> {};
