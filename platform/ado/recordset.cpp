#include <algorithm>

#include "platform/ado/ado_failures.h"
#include "platform/ado/ado_internals.h"

namespace platform::ado {

Recordset::~Recordset() = default;

std::shared_ptr<Recordset> NewRecordset() { return std::make_shared<ProviderRecordset>(); }

platform::ado::Fields Recordset::Fields() const {
    FieldCount();  // 3704 when closed
    return platform::ado::Fields(this);
}

int32_t Fields::Count() const { return recordset_->FieldCount(); }

Field Fields::Item(int32_t index) const {
    if (index < 0 || index >= recordset_->FieldCount()) RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
    return Field(recordset_, index);
}

Field Fields::Item(std::string_view name) const {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    const int32_t count = recordset_->FieldCount();
    for (int32_t i = 0; i < count; ++i) {
        const std::string candidate = recordset_->FieldName(i);
        if (candidate.size() == name.size() &&
            std::equal(candidate.begin(), candidate.end(), name.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return Field(recordset_, i);
    }
    RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
}

std::string Field::Name() const { return recordset_->FieldName(index_); }

const Variant& Field::Value() const { return recordset_->FieldValue(index_); }

std::string_view Field::Text(std::string& scratch) const { return recordset_->FieldText(index_, scratch); }

std::string_view Recordset::FieldText(int32_t index, std::string& scratch) const {
    const Variant& value = FieldValue(index);
    if (value.Type() == Variant::Kind::Text) return value.AsText();
    scratch = value.ToText();
    return scratch;
}

// ---- the recordset over a provider's rows

void ProviderRecordset::Opened() const {
    if (!IsOpen()) RaiseAdo(adoerr::ObjectClosed, kRecordsetSource);
}

void ProviderRecordset::Load(RowSet rowSet, const std::shared_ptr<OpenToken>& token) {
    data_ = std::move(rowSet);
    columns_ = data_.Columns();
    values_.assign(columns_, Variant());
    rows_ = int64_t(data_.Rows());
    position_ = rows_ == 0 ? -1 : 0;
    connection_ = token;
    open_ = true;
}

void ProviderRecordset::Unload() {
    data_ = RowSet();
    values_.clear();
    columns_ = 0;
    rows_ = 0;
    position_ = 0;
    connection_.reset();
    open_ = false;
}

void ProviderRecordset::CursorLocation(CursorLocationEnum location) {
    if (IsOpen()) RaiseAdo(adoerr::ObjectOpen, kRecordsetSource);
    if (location != adUseServer && location != adUseClient && location != adUseNone)
        RaiseAdo(adoerr::WrongArguments, kRecordsetSource);
    cursorLocation_ = location;
}

void ProviderRecordset::Open(std::string_view source, const std::shared_ptr<Connection>& activeConnection,
                             CursorTypeEnum, LockTypeEnum, int32_t options) {
    if (IsOpen()) RaiseAdo(adoerr::ObjectOpen, kRecordsetSource);
    if (!activeConnection || activeConnection->State() != adStateOpen)
        RaiseAdo(adoerr::ConnectionInvalid, kRecordsetSource);
    auto* connection = dynamic_cast<ProviderConnection*>(activeConnection.get());
    if (!connection) RaiseAdo(adoerr::WrongArguments, kRecordsetSource);
    const std::string statement = CommandStatement(source, options, kRecordsetSource);
    RowSet rows = connection->session_->Execute(statement, true);
    Unload();
    if (rows.returnsRows) Load(std::move(rows), connection->open_);
}

void ProviderRecordset::Close() {
    Opened();
    Unload();
}

bool ProviderRecordset::BOF() const {
    Opened();
    return rows_ == 0 || position_ < 0;
}

bool ProviderRecordset::EndOfFile() const {
    Opened();
    return rows_ == 0 || position_ >= rows_;
}

void ProviderRecordset::MoveFirst() {
    Opened();
    if (rows_ == 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    position_ = 0;
}

void ProviderRecordset::MoveLast() {
    Opened();
    if (rows_ == 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    position_ = rows_ - 1;
}

void ProviderRecordset::MoveNext() {
    Opened();
    if (position_ >= rows_) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    ++position_;
}

void ProviderRecordset::MovePrevious() {
    Opened();
    if (position_ < 0) RaiseAdo(adoerr::NoCurrentRecord, kRecordsetSource);
    --position_;
}

int32_t ProviderRecordset::RecordCount() const {
    Opened();
    return int32_t(rows_);
}

int32_t ProviderRecordset::FieldCount() const {
    Opened();
    return int32_t(columns_);
}

std::string ProviderRecordset::FieldName(int32_t index) const {
    Opened();
    if (index < 0 || size_t(index) >= columns_) RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
    return data_.names[size_t(index)];
}

size_t ProviderRecordset::CellOf(int32_t index) const {
    Opened();
    if (index < 0 || size_t(index) >= columns_) RaiseAdo(adoerr::ItemNotFound, kRecordsetSource);
    if (position_ < 0 || position_ >= rows_) RaiseAdo(adoerr::NoCurrentRecord, kFieldSource);
    return size_t(position_) * columns_ + size_t(index);
}

const Variant& ProviderRecordset::FieldValue(int32_t index) const {
    const size_t cell = CellOf(index);
    Variant& value = values_[size_t(index)];
    data_.cells.ValueInto(cell, value);
    return value;
}

std::string_view ProviderRecordset::FieldText(int32_t index, std::string& scratch) const {
    const size_t cell = CellOf(index);
    if (data_.cells.Kind(cell) == Variant::Kind::Text) return data_.cells.Text(cell);  // no copy
    scratch = data_.cells.Value(cell).ToText();
    return scratch;
}

}  // namespace platform::ado
