#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/TaskRows.h"
#include "grid/ExchangeSort.h"

namespace taskwell {

// The sort keys of a run of table rows, read from the cells where they lie: a row's key is its
// head (nothing in the description order, else the date or project part that comes first) and
// then its description with a to z read as A to Z. No description is copied, so a million rows
// cost no key buffer; the sort asks for eight bytes at a time.
class CellSortKeys {
 public:
  // The rows from firstRow on, count of them; heads, when given, holds one head a row.
  CellSortKeys(const TaskRows& rows, std::size_t firstRow, int count, std::size_t descCol,
               const SortKeyBuffer* heads = nullptr)
      : rows_(rows), first_(firstRow), count_(count), descCol_(descCol), heads_(heads) {}

  int Count() const { return count_; }
  std::size_t Size(int key) const { return Head(key).size() + Description(key).size(); }
  // Where the bytes of a key's description lie, which a sort keeps beside the key so that a read
  // goes straight to them rather than through the row's record and cells: it reads the keys in
  // their own order, which jumps through the rows. Valid while the rows do not change.
  const char* Place(int key) const { return Description(key).data(); }
  // The eight bytes of the key of this size from `depth` as a number that orders as the bytes
  // do; bytes past the key's end are zero.
  std::uint64_t Prefix(int key, std::size_t depth, std::size_t size) const {
    return PrefixAt(key, Place(key), depth, size);
  }
  // The same for a key whose description lies at `place`.
  std::uint64_t PrefixAt(int key, const char* place, std::size_t depth, std::size_t size) const;
  // Below, at or above 0 as key a sorts before, with or after key b.
  int Compare(int a, int b) const;
  // Asks the memory for a key's bytes from `depth` (below its size) a few keys ahead of reading
  // them, so that those reads do not wait one after another.
  void PrefetchBytes(int key, const char* place, std::size_t depth) const;

 private:
  std::string_view Head(int key) const {
    return heads_ != nullptr ? (*heads_)[static_cast<std::size_t>(key)] : std::string_view();
  }
  std::string_view Description(int key) const {
    return rows_[first_ + static_cast<std::size_t>(key)][descCol_];
  }

  const TaskRows& rows_;
  std::size_t first_;
  int count_;
  std::size_t descCol_;
  const SortKeyBuffer* heads_;
};

}  // namespace taskwell
