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
#include <cstring>
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
        const Cell& cell = storage_->CellData()[column * rows_ + row];
        return storage_->Text().substr(cell.offset, cell.length);
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
            storage->text = storage_->Text();
            const size_t kept = rows < rows_ ? rows : rows_;
            for (size_t c = 0; c < columns_; ++c)
                for (size_t r = 0; r < kept; ++r) storage->cells[c * rows + r] = storage_->CellData()[c * rows_ + r];
        }
        storage_ = std::move(storage);
        rows_ = rows;
    }

    // The bytes this array holds: its text and the places of its cells.
    size_t MemoryBytes() const {
        if (!storage_) return 0;
        if (storage_->block) return PackedSize();
        return storage_->text.capacity() + storage_->cells.capacity() * sizeof(Cell);
    }

    // The array as one block of bytes, as the project's own libraries pass it to each
    // other: the numbers of columns, rows and text bytes, the places of the cells, then
    // the text. An empty array packs into no bytes.
    size_t PackedSize() const { return empty() ? 0 : kPackedHead + Count() * sizeof(Cell) + storage_->Text().size(); }
    void PackInto(char* out) const {
        if (empty()) return;
        const std::string_view text = storage_->Text();
        const uint32_t head[] = {uint32_t(columns_), uint32_t(rows_), uint32_t(text.size())};
        std::memcpy(out, head, kPackedHead);
        std::memcpy(out + kPackedHead, storage_->CellData(), Count() * sizeof(Cell));
        std::memcpy(out + kPackedHead + Count() * sizeof(Cell), text.data(), text.size());
    }
    // The array a block holds, copied from it; empty when the block is not one (sizes
    // that do not add up, or a cell outside the text). The block may end in one byte
    // of padding.
    static QueryResult Unpack(std::string_view block) {
        QueryResult result = Adopt({std::shared_ptr<const char>(), block.data()}, block.size());
        if (!result.empty()) result.Own();
        return result;
    }
    // The same, read where the block is: the array shares the block, which it keeps
    // as long as it or a copy of it holds it, instead of copying its cells and text.
    static QueryResult Adopt(std::shared_ptr<const char> block, size_t bytes) {
        uint32_t head[3] = {};
        if (!block || bytes < kPackedHead) return {};
        std::memcpy(head, block.get(), kPackedHead);
        const uint64_t count = uint64_t(head[0]) * head[1];
        if (count > bytes / sizeof(Cell)) return {};
        const uint64_t size = kPackedHead + count * sizeof(Cell) + head[2];
        if (count == 0 || bytes < size || bytes > size + 1) return {};
        const char* cells = block.get() + kPackedHead;
        for (uint64_t i = 0; i < count; ++i) {
            Cell cell;
            std::memcpy(&cell, cells + i * sizeof(Cell), sizeof cell);
            if (cell.offset > head[2] || cell.length > head[2] - cell.offset) return {};
        }
        QueryResult result;
        result.columns_ = head[0];
        result.rows_ = head[1];
        result.storage_ = std::make_shared<Storage>();
        Storage& storage = *result.storage_;
        const std::string_view text(cells + count * sizeof(Cell), head[2]);
        if (reinterpret_cast<uintptr_t>(cells) % alignof(Cell) == 0) {
            storage.block = std::move(block);
            storage.blockCells = reinterpret_cast<const Cell*>(cells);
            storage.blockText = text;
        } else {  // cells that cannot be read in place are copied
            storage.cells.resize(count);
            std::memcpy(storage.cells.data(), cells, count * sizeof(Cell));
            storage.text.assign(text);
        }
        return result;
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
        // Or a packed block the cells and text are read from in place.
        std::shared_ptr<const char> block;
        const Cell* blockCells = nullptr;
        std::string_view blockText;

        const Cell* CellData() const { return block ? blockCells : cells.data(); }
        std::string_view Text() const { return block ? blockText : std::string_view(text); }
    };

    static constexpr size_t kPackedHead = 3 * sizeof(uint32_t);
    size_t Count() const { return columns_ * rows_; }

    // The storage, this array's own from now on.
    Storage& Own() {
        if (!storage_) storage_ = std::make_shared<Storage>();
        if (storage_.use_count() > 1 || storage_->block) {
            auto own = std::make_shared<Storage>();
            own->text = storage_->Text();
            own->cells.assign(storage_->CellData(), storage_->CellData() + Count());
            storage_ = std::move(own);
        }
        return *storage_;
    }

    void Check(size_t column, size_t row) const {
        if (column >= columns_ || row >= rows_) platform::Raise(9, "Subscript out of range");
    }

    size_t columns_ = 0;
    size_t rows_ = 0;
    std::shared_ptr<Storage> storage_;
};
