// QueryResult: the query result array of the database-access object. Either empty
// (no array at all: the query gave no rows, or failed) or a two-dimensional array of
// strings indexed first by column, then by row, both from 0.
//
//     QueryResult list = gDb->GetRSArray(sql);
//     if (!list.empty())
//         for (size_t row = 0; row < list.Rows(); ++row) use(list(0, row), list(1, row));
//
// Indexing outside the array with at() raises 9 "Subscript out of range".
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors/errors.h"

class QueryResult {
public:
    QueryResult() = default;  // empty
    // An array of columns × rows empty strings.
    QueryResult(size_t columns, size_t rows) : columns_(columns), rows_(rows), cells_(columns * rows) {}

    bool empty() const { return cells_.empty(); }
    size_t Columns() const { return columns_; }
    size_t Rows() const { return rows_; }

    std::string& operator()(size_t column, size_t row) { return cells_[column * rows_ + row]; }
    const std::string& operator()(size_t column, size_t row) const { return cells_[column * rows_ + row]; }

    std::string& at(size_t column, size_t row) {
        Check(column, row);
        return (*this)(column, row);
    }
    const std::string& at(size_t column, size_t row) const {
        Check(column, row);
        return (*this)(column, row);
    }

    // Changes the number of rows, keeping the values of the rows that stay; new rows
    // hold empty strings (the last dimension is the one an array can grow in place).
    void ResizeRows(size_t rows) {
        std::vector<std::string> cells(columns_ * rows);
        const size_t kept = rows < rows_ ? rows : rows_;
        for (size_t c = 0; c < columns_; ++c)
            for (size_t r = 0; r < kept; ++r) cells[c * rows + r] = std::move(cells_[c * rows_ + r]);
        cells_ = std::move(cells);
        rows_ = rows;
    }

    friend bool operator==(const QueryResult&, const QueryResult&) = default;

private:
    void Check(size_t column, size_t row) const {
        if (column >= columns_ || row >= rows_) platform::Raise(9, "Subscript out of range");
    }

    size_t columns_ = 0;
    size_t rows_ = 0;
    std::vector<std::string> cells_;
};
