// The values of a result, row after row, as a provider reads them. Each value takes
// sixteen bytes (its kind, and the number itself or the place of its text); texts
// are copied side by side into a few large blocks of memory the cells own. A value
// becomes a Variant only when it is asked for, so a long result costs little more
// than its texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string_view>
#include <vector>

#include "platform/ado/variant.h"

namespace platform::ado {

class Cells {
public:
    Cells();
    Cells(Cells&&) noexcept;
    Cells& operator=(Cells&&) noexcept;
    ~Cells();

    void push_null();
    void push_back(bool value);
    void push_back(int64_t value);
    void push_back(double value);
    void push_text(std::string_view text);  // copied into the cells' own memory

    size_t size() const { return size_; }
    Variant::Kind Kind(size_t i) const { return At(i).kind; }
    // The text of a text value, in the cells' own memory (as long as the cells live).
    std::string_view Text(size_t i) const { return {At(i).text, At(i).size}; }
    Variant Value(size_t i) const;
    // Makes `into` the value, reusing the memory of the text it held, if any.
    void ValueInto(size_t i, Variant& into) const;

private:
    struct Cell {
        union {
            bool boolean;
            int64_t integer;
            double number;
            const char* text;
        };
        uint32_t size;  // the text's bytes
        Variant::Kind kind;
    };
    static_assert(sizeof(Cell) == 16);

    static constexpr size_t kBlockBits = 12;
    static constexpr size_t kBlockSize = size_t(1) << kBlockBits;
    static constexpr size_t kBlockMask = kBlockSize - 1;

    const Cell& At(size_t i) const { return blocks_[i >> kBlockBits][i & kBlockMask]; }
    // The place of the next value; its block is allocated whole but touched only as
    // values come, so a small result touches little memory.
    Cell& Next();

    std::unique_ptr<std::pmr::monotonic_buffer_resource> texts_;
    std::vector<std::unique_ptr<Cell[]>> blocks_;
    size_t size_ = 0;
};

}  // namespace platform::ado
