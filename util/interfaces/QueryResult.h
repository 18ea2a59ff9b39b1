// QueryResult: the query result array of the database-access object. Either empty
// (no array at all: the query gave no rows, or failed) or a two-dimensional array of
// strings indexed first by column, then by row, both from 0.
//
//     QueryResult list = gDb->GetRSArray(sql);
//     if (!list.empty())
//         for (size_t row = 0; row < list.Rows(); ++row) use(list(0, row), list(1, row));
//
// Indexing outside the array with at() raises 9 "Subscript out of range".
//
// The texts of all cells live in one block, each cell a place in it, so that a list
// of many short texts costs little more than its text. Copies share that block until
// one of them is changed: a result kept for later costs nothing to hand out again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors/errors.h"

class QueryResult {
public:
    QueryResult() = default;  // empty
    // An array of columns × rows empty strings.
    QueryResult(size_t columns, size_t rows)
        : columns_(columns), rows_(rows), storage_(std::make_shared<Storage>()) {
        storage_->cells.resize(columns * rows);
    }

    bool empty() const { return columns_ * rows_ == 0; }
    size_t Columns() const { return columns_; }
    size_t Rows() const { return rows_; }

    // const, so that a cell cannot be mistaken for something assignable.
    const std::string_view operator()(size_t column, size_t row) const {
        const Cell& cell = storage_->cells[column * rows_ + row];
        return std::string_view(storage_->text).substr(cell.offset, cell.length);
    }
    const std::string_view at(size_t column, size_t row) const {
        Check(column, row);
        return (*this)(column, row);
    }

    // Sets one cell. Filling the cells in any order keeps their texts side by side.
    void Set(size_t column, size_t row, std::string_view value) {
        Storage& storage = Own();
        const size_t offset = storage.text.size();
        if (offset + value.size() > UINT32_MAX || value.size() > UINT32_MAX) platform::Raise(7, "Out of memory");
        storage.text.append(value);
        storage.cells[column * rows_ + row] = {uint32_t(offset), uint32_t(value.size())};
    }
    // Makes room for this many bytes of text before the cells are filled.
    void ReserveText(size_t bytes) { Own().text.reserve(bytes); }
    // Gives back the room the filling left over.
    void ShrinkToFit() {
        if (storage_) Own().text.shrink_to_fit();
    }

    // Changes the number of rows, keeping the values of the rows that stay; new rows
    // hold empty strings (the last dimension is the one an array can grow in place).
    void ResizeRows(size_t rows) {
        auto storage = std::make_shared<Storage>();
        storage->cells.resize(columns_ * rows);
        if (storage_) {
            storage->text = storage_->text;
            const size_t kept = rows < rows_ ? rows : rows_;
            for (size_t c = 0; c < columns_; ++c)
                for (size_t r = 0; r < kept; ++r) storage->cells[c * rows + r] = storage_->cells[c * rows_ + r];
        }
        storage_ = std::move(storage);
        rows_ = rows;
    }

    // The bytes this array holds: its text and the places of its cells.
    size_t MemoryBytes() const {
        return storage_ ? storage_->text.capacity() + storage_->cells.capacity() * sizeof(Cell) : 0;
    }

    friend bool operator==(const QueryResult& a, const QueryResult& b) {
        if (a.columns_ != b.columns_ || a.rows_ != b.rows_) return false;
        for (size_t c = 0; c < a.columns_; ++c)
            for (size_t r = 0; r < a.rows_; ++r)
                if (a(c, r) != b(c, r)) return false;
        return true;
    }

private:
    struct Cell {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    struct Storage {
        std::string text;
        std::vector<Cell> cells;
    };

    // The storage, this array's own from now on.
    Storage& Own() {
        if (!storage_) storage_ = std::make_shared<Storage>();
        if (storage_.use_count() > 1) storage_ = std::make_shared<Storage>(*storage_);
        return *storage_;
    }

    void Check(size_t column, size_t row) const {
        if (column >= columns_ || row >= rows_) platform::Raise(9, "Subscript out of range");
    }

    size_t columns_ = 0;
    size_t rows_ = 0;
    std::shared_ptr<Storage> storage_;
};
