#include "grid/CellSortKeys.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "document/Text.h"

namespace taskwell {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080;

// a to z as A to Z in each byte of a word; bytes from 0x80 on stay as they are.
std::uint64_t UpperWord(std::uint64_t word) {
  const std::uint64_t low = word & ~kHighBits;
  const std::uint64_t fromA = low + 0x1F1F1F1F1F1F1F1F;  // high bit set from 'a' (0x61) on
  const std::uint64_t pastZ = low + 0x0505050505050505;  // high bit set past 'z' (0x7A)
  const std::uint64_t lower = fromA & ~pastZ & ~word & kHighBits;
  return word ^ (lower >> 2);  // 0x80 >> 2 is the case bit, 0x20
}

// Up to eight bytes of text from `from`, the first in the highest byte, zero past the end.
std::uint64_t Load8(std::string_view text, std::size_t from, bool upper) {
  if (from >= text.size()) return 0;
  std::uint64_t word = LowBytes(text.data() + from, text.size() - from);
  if (upper) word = UpperWord(word);
  return __builtin_bswap64(word);
}

}  // namespace

std::uint64_t CellSortKeys::PrefixAt(int key, const char* place, std::size_t depth,
                                     std::size_t size) const {
  const std::string_view head = Head(key);
  const std::string_view description(place, size - head.size());
  if (depth >= head.size()) return Load8(description, depth - head.size(), true);
  const std::size_t fromHead = head.size() - depth;
  const std::uint64_t headPart = Load8(head, depth, false);
  if (fromHead >= 8) return headPart;
  return headPart | (Load8(description, 0, true) >> (8 * fromHead));
}

void CellSortKeys::PrefetchBytes(int key, const char* place, std::size_t depth) const {
  // Within the description for a depth inside the key: the sort asks only for keys that go on.
  const std::size_t head = Head(key).size();
  __builtin_prefetch(place + (depth > head ? depth - head : 0));
}

int CellSortKeys::Compare(int a, int b) const {
  const std::size_t sizeA = Size(a);
  const std::size_t sizeB = Size(b);
  for (std::size_t depth = 0;; depth += 8) {
    const std::uint64_t x = Prefix(a, depth, sizeA);
    const std::uint64_t y = Prefix(b, depth, sizeB);
    if (x != y) return x < y ? -1 : 1;
    // Equal eight bytes in which a key ends: that key is a beginning of the other (the rest of
    // the other is the zero bytes it was padded with).
    if (depth + 8 >= std::min(sizeA, sizeB)) return sizeA < sizeB ? -1 : (sizeA > sizeB ? 1 : 0);
  }
}

}  // namespace taskwell
