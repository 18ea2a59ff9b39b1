#include <algorithm>

#include "platform/ado/ado_failures.h"
#include "platform/ado/ado_internals.h"

namespace platform::ado {

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

const Recordset::Impl& Recordset::Opened() const {
    if (!impl_->IsOpen()) RaiseAdo(adoerr::ObjectClosed, kRecordsetSource);
    return *impl_;
}

int32_t Recordset::State() const { return impl_->IsOpen() ? adStateOpen : adStateClosed; }

CursorLocationEnum Recordset::CursorLocation() const { return impl_->cursorLocation; }

void Recordset::CursorLocation(CursorLocationEnum location) {
    if (impl_->IsOpen()) RaiseAdo(adoerr::ObjectOpen, kRecordsetSource);
    if (location != adUseServer && location != adUseClient && location != adUseNone)
        RaiseAdo(adoerr::WrongArguments, kRecordsetSource);
    impl_->cursorLocation = location;
}

void Recordset::Open(std::string_view source, const std::shared_ptr<Connection>& activeConnection,
                     CursorTypeEnum, LockTypeEnum, int32_t options) {
    if (impl_->IsOpen()) RaiseAdo(adoerr::ObjectOpen, kRecordsetSource);
    if (!activeConnection || activeConnection->State() != adStateOpen)
        RaiseAdo(adoerr::ConnectionInvalid, kRecordsetSource);
    const std::string statement = CommandStatement(source, options, kRecordsetSource);
    Connection::Impl& connection = *activeConnection->impl_;
    RowSet rows = connection.session->Execute(statement, true);
    impl_->Unload();
    if (rows.returnsRows) impl_->Load(std::move(rows), connection.open);
}

void Recordset::Close() {
    if (!impl_->IsOpen()) RaiseAdo(adoerr::ObjectClosed, kRecordsetSource);
    impl_->Unload();
}

bool Recordset::BOF() const {
    const Impl& rs = Opened();
    return rs.rows == 0 || rs.position < 0;
}

bool Recordset::EndOfFile() const {
    const Impl& rs = Opened();
    return rs.rows == 0 || rs.position >= rs.rows;
}

void Recordset::MoveFirst() {
    if (Opened().rows == 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    impl_->position = 0;
}

void Recordset::MoveLast() {
    if (Opened().rows == 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    impl_->position = impl_->rows - 1;
}

void Recordset::MoveNext() {
    if (Opened().position >= impl_->rows) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    ++impl_->position;
}

void Recordset::MovePrevious() {
    if (Opened().position < 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    --impl_->position;
}

int32_t Recordset::RecordCount() const { return int32_t(Opened().rows); }

platform::ado::Fields Recordset::Fields() const {
    Opened();
    return platform::ado::Fields(this);
}

int32_t Fields::Count() const { return int32_t(recordset_->Opened().columns); }

Field Fields::Item(int32_t index) const {
    if (index < 0 || size_t(index) >= recordset_->Opened().columns) RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
    return Field(recordset_, index);
}

Field Fields::Item(std::string_view name) const {
    const auto& names = recordset_->Opened().data.names;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() == name.size() &&
            std::equal(names[i].begin(), names[i].end(), name.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return Field(recordset_, int32_t(i));
    }
    RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
}

const std::string& Field::Name() const { return recordset_->Opened().data.names[size_t(index_)]; }

const Variant& Field::Value() const {
    const Recordset::Impl& rs = recordset_->Opened();
    if (rs.position < 0 || rs.position >= rs.rows) RaiseAdo(adoerr::NoCurrentRecord, kFieldSource);
    return rs.data.cells[size_t(rs.position) * rs.columns + size_t(index_)];
}

}  // namespace platform::ado
