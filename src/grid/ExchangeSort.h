#pragma once

#include <string>
#include <vector>

namespace taskwell {

// The order in which the table's exchange sort leaves rows with these keys: entry p is the index
// (into keys) of the row that ends at position p.
//
// The exchange sort takes each row in turn and compares it with the already sorted rows above
// it, exchanging whenever it is smaller. The row slides in behind the rows with an equal key, and
// every group of equal keys that lies after it passes its front row on to the group behind it,
// the last group's front row landing in the row just taken. So each group of equal keys is a
// queue: a row joins at the back of its group, and the group turns its front row to the back
// each time a smaller key arrives. We count those turns per group and replay them, which gives
// the same order, equal keys included, in O(n log n) instead of n²/2 comparisons.
std::vector<int> ExchangeSortOrder(const std::vector<std::string>& keys);

}  // namespace taskwell
