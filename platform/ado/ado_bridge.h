// Connections, recordsets and their values across the binary boundary between
// libraries: the database-access object hands out its connection and the recordsets
// its commands return.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/ado.h"
#include "platform/com/bridge.h"

namespace platform::ado {

// A field's value as a VARIANT and back: Empty, Null, Boolean, whole numbers (32-bit
// when they fit, 64-bit otherwise), floating point and text.
void ToVariant(const Variant& value, com::abi::VARIANT& target);
Variant FromVariant(const com::abi::VARIANT& value);

}  // namespace platform::ado

// A field's value as a result.
template <>
struct platform::com::Returned<const platform::ado::Variant&> {
    using Abi = abi::VARIANT;
    static void Clear(Abi* out) { abi::VariantInit(out); }
    static void Put(const platform::ado::Variant& value, Abi* out) { platform::ado::ToVariant(value, *out); }
    static platform::ado::Variant Take(Abi& raw) {
        abi::Variant owned(raw);
        abi::VariantInit(&raw);
        return platform::ado::FromVariant(*owned.get());
    }
    static void ToVariant(const platform::ado::Variant& value, abi::VARIANT& target) {
        platform::ado::ToVariant(value, target);
    }
};

namespace platform::ado {

namespace recordset {
using I = Recordset;
inline constexpr com::Guid kIid = com::Guid::Parse("{170B14A5-12B6-48A3-8F76-9F0EA5A7304E}");
using State = com::Get<I, int32_t() const, &I::State, "State">;
using CursorLocation_get = com::Get<I, CursorLocationEnum() const, &I::CursorLocation, "CursorLocation">;
using CursorLocation_put = com::Put<I, void(CursorLocationEnum), &I::CursorLocation, "CursorLocation">;
using Open = com::Method<I,
                         void(std::string_view, const std::shared_ptr<Connection>&, CursorTypeEnum, LockTypeEnum,
                              int32_t),
                         &I::Open, "Open">;
using Close = com::Method<I, void(), &I::Close, "Close">;
using BOF = com::Get<I, bool() const, &I::BOF, "BOF">;
using EndOfFile = com::Get<I, bool() const, &I::EndOfFile, "EOF">;
using MoveFirst = com::Method<I, void(), &I::MoveFirst, "MoveFirst">;
using MoveLast = com::Method<I, void(), &I::MoveLast, "MoveLast">;
using MoveNext = com::Method<I, void(), &I::MoveNext, "MoveNext">;
using MovePrevious = com::Method<I, void(), &I::MovePrevious, "MovePrevious">;
using RecordCount = com::Get<I, int32_t() const, &I::RecordCount, "RecordCount">;
using FieldCount = com::Get<I, int32_t() const, &I::FieldCount, "FieldCount">;
using FieldName = com::Method<I, std::string(int32_t) const, &I::FieldName, "FieldName">;
using FieldValue = com::Method<I, const Variant&(int32_t) const, &I::FieldValue, "FieldValue">;
using Table = com::Table<I, kIid, State, CursorLocation_get, CursorLocation_put, Open, Close, BOF, EndOfFile,
                         MoveFirst, MoveLast, MoveNext, MovePrevious, RecordCount, FieldCount, FieldName, FieldValue>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    int32_t State() const override { return Call<recordset::State>(); }
    CursorLocationEnum CursorLocation() const override { return Call<CursorLocation_get>(); }
    void CursorLocation(CursorLocationEnum location) override { Call<CursorLocation_put>(location); }
    void Open(std::string_view source, const std::shared_ptr<Connection>& activeConnection, CursorTypeEnum cursorType,
              LockTypeEnum lockType, int32_t options) override {
        Call<recordset::Open>(source, activeConnection, cursorType, lockType, options);
    }
    void Close() override { Call<recordset::Close>(); }
    bool BOF() const override { return Call<recordset::BOF>(); }
    bool EndOfFile() const override { return Call<recordset::EndOfFile>(); }
    void MoveFirst() override { Call<recordset::MoveFirst>(); }
    void MoveLast() override { Call<recordset::MoveLast>(); }
    void MoveNext() override { Call<recordset::MoveNext>(); }
    void MovePrevious() override { Call<recordset::MovePrevious>(); }
    int32_t RecordCount() const override { return Call<recordset::RecordCount>(); }
    int32_t FieldCount() const override { return Call<recordset::FieldCount>(); }
    std::string FieldName(int32_t index) const override { return Call<recordset::FieldName>(index); }
    const Variant& FieldValue(int32_t index) const override {
        value_ = Call<recordset::FieldValue>(index);
        return value_;
    }

private:
    mutable Variant value_;  // the value last read, as a reference to it is handed out
};
}  // namespace recordset

namespace connection {
using I = Connection;
inline constexpr com::Guid kIid = com::Guid::Parse("{04B6AE75-4F1C-405B-A87D-50D2B0BD742A}");
using State = com::Get<I, int32_t() const, &I::State, "State">;
using CursorLocation_get = com::Get<I, CursorLocationEnum() const, &I::CursorLocation, "CursorLocation">;
using CursorLocation_put = com::Put<I, void(CursorLocationEnum), &I::CursorLocation, "CursorLocation">;
using ConnectionString = com::Get<I, std::string() const, &I::ConnectionString, "ConnectionString">;
using Open = com::Method<I, void(std::string_view, std::string_view, std::string_view, int32_t), &I::Open, "Open">;
using Close = com::Method<I, void(), &I::Close, "Close">;
using Execute =
    com::Method<I, std::shared_ptr<Recordset>(std::string_view, int32_t*, int32_t), &I::Execute, "Execute">;
using BeginTrans = com::Method<I, int32_t(), &I::BeginTrans, "BeginTrans">;
using CommitTrans = com::Method<I, int32_t(), &I::CommitTrans, "CommitTrans">;
using RollbackTrans = com::Method<I, int32_t(), &I::RollbackTrans, "RollbackTrans">;
using ChangeStamp = com::Method<I, std::string(), &I::ChangeStamp, "ChangeStamp">;
using Table = com::Table<I, kIid, State, CursorLocation_get, CursorLocation_put, ConnectionString, Open, Close,
                         Execute, BeginTrans, CommitTrans, RollbackTrans, ChangeStamp>;

class Proxy final : public com::Proxy<Table> {
public:
    using com::Proxy<Table>::Proxy;
    int32_t State() const override { return Call<connection::State>(); }
    CursorLocationEnum CursorLocation() const override { return Call<CursorLocation_get>(); }
    void CursorLocation(CursorLocationEnum location) override { Call<CursorLocation_put>(location); }
    std::string ConnectionString() const override { return Call<connection::ConnectionString>(); }
    void Open(std::string_view connectionString, std::string_view userID, std::string_view password,
              int32_t options) override {
        Call<connection::Open>(connectionString, userID, password, options);
    }
    void Close() override { Call<connection::Close>(); }
    std::shared_ptr<Recordset> Execute(std::string_view commandText, int32_t* recordsAffected,
                                       int32_t options) override {
        return Call<connection::Execute>(commandText, recordsAffected, options);
    }
    int32_t BeginTrans() override { return Call<connection::BeginTrans>(); }
    int32_t CommitTrans() override { return Call<connection::CommitTrans>(); }
    int32_t RollbackTrans() override { return Call<connection::RollbackTrans>(); }
    std::string ChangeStamp() override { return Call<connection::ChangeStamp>(); }
};
}  // namespace connection

}  // namespace platform::ado

template <>
struct platform::com::Bridge<platform::ado::Recordset>
    : TableBridge<platform::ado::Recordset, platform::ado::recordset::Table, platform::ado::recordset::Proxy> {};
template <>
struct platform::com::Bridge<platform::ado::Connection>
    : TableBridge<platform::ado::Connection, platform::ado::connection::Table, platform::ado::connection::Proxy> {};

