// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace lesson {

// The places of the counts, the largest count's first and equal counts in their order. The
// counts are an alphabet's letters or a text's short words, a few hundred at most, so they are
// sorted by insertion, which takes less of the page than the library's sorts.
template <typename Count>
std::vector<std::size_t> CommonestFirst(std::span<const Count> counts) {
    std::vector<std::size_t> order;
    for (std::size_t place = 0; place < counts.size(); ++place) {
        auto at = order.end();
        while (at != order.begin() && counts[*(at - 1)] < counts[place]) {
            --at;
        }
        order.insert(at, place);
    }
    return order;
}

}  // namespace lesson
