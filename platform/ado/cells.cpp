#include "platform/ado/cells.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace platform::ado {

Cells::Cells() = default;
Cells::Cells(Cells&& other) noexcept
    : texts_(std::move(other.texts_)), blocks_(std::move(other.blocks_)), size_(std::exchange(other.size_, 0)) {}
Cells& Cells::operator=(Cells&& other) noexcept {
    texts_ = std::move(other.texts_);
    blocks_ = std::move(other.blocks_);
    size_ = std::exchange(other.size_, 0);
    return *this;
}
Cells::~Cells() = default;

Cells::Cell& Cells::Next() {
    if ((size_ & kBlockMask) == 0) blocks_.push_back(std::make_unique_for_overwrite<Cell[]>(kBlockSize));
    return blocks_.back()[size_++ & kBlockMask];
}

void Cells::push_null() { Next().kind = Variant::Kind::Null; }

void Cells::push_back(bool value) {
    Cell& cell = Next();
    cell.kind = Variant::Kind::Boolean;
    cell.boolean = value;
}

void Cells::push_back(int64_t value) {
    Cell& cell = Next();
    cell.kind = Variant::Kind::Integer;
    cell.integer = value;
}

void Cells::push_back(double value) {
    Cell& cell = Next();
    cell.kind = Variant::Kind::Double;
    cell.number = value;
}

void Cells::push_text(std::string_view text) {
    if (text.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("a value of over 4 GB");
    char* copy = nullptr;
    if (!text.empty()) {
        if (!texts_) texts_ = std::make_unique<std::pmr::monotonic_buffer_resource>();
        copy = static_cast<char*>(texts_->allocate(text.size(), 1));
        std::memcpy(copy, text.data(), text.size());
    }
    Cell& cell = Next();
    cell.kind = Variant::Kind::Text;
    cell.text = copy;
    cell.size = uint32_t(text.size());
}

Variant Cells::Value(size_t i) const {
    Variant value;
    ValueInto(i, value);
    return value;
}

void Cells::ValueInto(size_t i, Variant& into) const {
    const Cell& cell = At(i);
    switch (cell.kind) {
        case Variant::Kind::Empty: into = Variant(); break;
        case Variant::Kind::Null: into = Variant::Null(); break;
        case Variant::Kind::Boolean: into = Variant(cell.boolean); break;
        case Variant::Kind::Integer: into = Variant(cell.integer); break;
        case Variant::Kind::Double: into = Variant(cell.number); break;
        case Variant::Kind::Text: into.AssignText(Text(i)); break;
    }
}

}  // namespace platform::ado
