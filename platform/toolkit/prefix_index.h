// An index over the entries of a list for finding, as one types, the first entry that
// begins with the typed text without regard to case: the entries' folded texts in
// sorted order, and for each range of them the first position in the list. A look-up
// costs a few comparisons however long the list is, and answers as a walk of the list
// with text::StartsWithNoCase would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::toolkit {

class PrefixIndex {
public:
    explicit PrefixIndex(const std::vector<std::string>& items);

    // The first position whose entry of items (the list the index was made of)
    // begins with typed, compared without regard to case; -1 when none does.
    int32_t First(const std::vector<std::string>& items, std::string_view typed) const;

private:
    std::string_view Folded(uint32_t position) const;
    // The least position among order_[from, to).
    uint32_t Least(size_t from, size_t to) const;

    std::string folded_;           // the entries folded, one after the other
    std::vector<uint32_t> start_;  // by position: where its folded text begins; one more at the end
    std::vector<uint32_t> order_;  // the positions, by folded text, then by position
    std::vector<uint32_t> least_;  // a tree over order_: the least position of each range
};

}  // namespace platform::toolkit
