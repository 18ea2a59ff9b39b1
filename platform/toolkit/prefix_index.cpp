#include "platform/toolkit/prefix_index.h"

#include <algorithm>
#include <numeric>

#include "platform/errors/errors.h"
#include "platform/text/text.h"

namespace platform::toolkit {

PrefixIndex::PrefixIndex(const std::vector<std::string>& items) {
    if (items.size() >= UINT32_MAX) platform::Raise(7, "Out of memory");
    start_.reserve(items.size() + 1);
    for (const std::string& item : items) {
        start_.push_back(uint32_t(folded_.size()));
        folded_ += text::FoldCase(item);
        if (folded_.size() >= UINT32_MAX) platform::Raise(7, "Out of memory");
    }
    start_.push_back(uint32_t(folded_.size()));

    order_.resize(items.size());
    std::iota(order_.begin(), order_.end(), 0u);
    std::stable_sort(order_.begin(), order_.end(),
                     [this](uint32_t a, uint32_t b) { return Folded(a) < Folded(b); });

    const size_t n = order_.size();
    least_.resize(2 * n);
    std::copy(order_.begin(), order_.end(), least_.begin() + ptrdiff_t(n));
    for (size_t i = n; i-- > 1;) least_[i] = std::min(least_[2 * i], least_[2 * i + 1]);
}

std::string_view PrefixIndex::Folded(uint32_t position) const {
    return std::string_view(folded_).substr(start_[position], start_[position + 1] - start_[position]);
}

uint32_t PrefixIndex::Least(size_t from, size_t to) const {
    uint32_t least = UINT32_MAX;
    for (size_t l = from + order_.size(), r = to + order_.size(); l < r; l /= 2, r /= 2) {
        if (l & 1) least = std::min(least, least_[l++]);
        if (r & 1) least = std::min(least, least_[--r]);
    }
    return least;
}

int32_t PrefixIndex::First(const std::vector<std::string>& items, std::string_view typed) const {
    const std::string key = text::FoldCase(typed);
    // Every entry that begins with the typed text has a folded text that begins with
    // the key, and those stand side by side in the sorted order.
    const auto from = std::lower_bound(order_.begin(), order_.end(), key,
                                       [this](uint32_t p, const std::string& k) { return Folded(p) < k; });
    const auto to = std::partition_point(from, order_.end(), [&](uint32_t p) { return Folded(p).starts_with(key); });
    if (from == to) return -1;
    const uint32_t first = Least(size_t(from - order_.begin()), size_t(to - order_.begin()));
    if (text::StartsWithNoCase(items[first], typed)) return int32_t(first);
    // A folded key can end inside what one character of an entry folds to (an "s"
    // typed against a "ß", say): such an entry begins with the key's folded form but
    // not with the typed text. Those few are passed over one by one.
    int32_t found = -1;
    for (auto p = from; p != to; ++p)
        if ((found < 0 || int32_t(*p) < found) && text::StartsWithNoCase(items[*p], typed)) found = int32_t(*p);
    return found;
}

}  // namespace platform::toolkit
