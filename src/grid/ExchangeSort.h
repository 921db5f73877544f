#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace taskwell {

// From this many keys on, two threads share the work of ExchangeSortOrder.
inline constexpr std::size_t kShareSortFrom = 100000;

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
// A test gives a small shareFrom, so that the shared path is held against the exchange
// procedure itself.
std::vector<int> ExchangeSortOrder(const std::vector<std::string>& keys,
                                   std::size_t shareFrom = kShareSortFrom);

// Texts end to end in one buffer, such as the beginnings of a million rows' sort keys: two
// allocations, not a million, lying together in memory.
class SortKeyBuffer {
 public:
  void Reserve(std::size_t keys, std::size_t bytes);
  // The buffer the next key is appended to; End() closes it.
  std::string& Text() { return bytes_; }
  void End() { ends_.push_back(bytes_.size()); }
  std::size_t Size() const { return ends_.size(); }
  std::string_view operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

class CellSortKeys;

// The same order for keys read from the table's cells where they lie. groupAt, when given,
// receives the group number at each position of the order: equal keys share one, and the numbers
// ascend from 0 with the keys.
std::vector<int> ExchangeSortOrder(const CellSortKeys& keys, std::vector<int>* groupAt = nullptr);

// The same order for rows that were in key order until the key of one row, `changed`, changed,
// without building every key: a commit changes one row, and re-sorting 100,000 rows for it would
// cost a frame several times over.
//
// groups[i] numbers the key of row i, equal keys alike (the entry of `changed` is stale and not
// read); keyOf(i) builds the current key of row i, and is asked only a logarithmic number of
// times. A smaller key slides in behind its equals and turns every group it passes, as above; a
// greater key only lets the smaller rows after it pass, so it stops in front of its equals.
// Returns the order in ExchangeSortOrder's form, or nothing when no row moves. groups is brought
// to the new order, the changed row taking its equals' number or nextGroup (then incremented).
std::vector<int> ExchangeOrderAfterChange(std::vector<int>& groups, int changed,
                                          const std::function<std::string(int)>& keyOf,
                                          int& nextGroup);

}  // namespace taskwell
