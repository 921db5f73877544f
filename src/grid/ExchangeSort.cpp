#include "grid/ExchangeSort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <numeric>
#include <span>

#include "document/SideBySide.h"
#include "grid/CellSortKeys.h"

namespace taskwell {
namespace {

// An element of an index-sized vector, indexed by an int.
template <typename Vector>
decltype(auto) At(Vector& values, int i) {
  return values[static_cast<std::size_t>(i)];
}

// A Fenwick tree of counts over positions 0 to size - 1.
class CountTree {
 public:
  explicit CountTree(int size = 0) : Tree(static_cast<std::size_t>(size) + 1, 0) {}

  // Every one of `size` positions gets a count of 1; the tree's memory is reused.
  void SetAllOnes(int size) {
    Tree.resize(static_cast<std::size_t>(size) + 1);
    for (int i = 1; i <= size; ++i) Node(i) = i & -i;
  }

  void Add(int position, int delta) {
    for (int i = position + 1; i < Size(); i += i & -i) Node(i) += delta;
  }

  // The sum of the counts at positions 0 to position.
  int PrefixSum(int position) const {
    int sum = 0;
    for (int i = position + 1; i > 0; i -= i & -i) sum += Node(i);
    return sum;
  }

  // With counts of 0 and 1 only: the position of the rank-th 1 (rank from 0).
  int FindRank(int rank) const {
    int position = 0;
    int step = 1;
    while (step * 2 < Size()) step *= 2;
    for (; step > 0; step /= 2) {
      if (position + step < Size() && Node(position + step) <= rank) {
        position += step;
        rank -= Node(position);
      }
    }
    return position;
  }

 private:
  int Size() const { return static_cast<int>(Tree.size()); }
  int& Node(int i) { return Tree[static_cast<std::size_t>(i)]; }
  int Node(int i) const { return Tree[static_cast<std::size_t>(i)]; }
  std::vector<int> Tree;
};

// Counts at positions 0 to size - 1, added one at a time and summed over a beginning of the
// positions. They are kept per position and per block of positions, with a tree over the blocks:
// an addition touches one count and the small tree, a sum the tree and one block's counts. A
// tree over every position takes a step at each of its levels, most of them outside the cache.
class BlockCounts {
 public:
  explicit BlockCounts(int size)
      : counts_(static_cast<std::size_t>(size), 0), blocks_((size + kBlock - 1) / kBlock) {}

  void Add(int position) {
    ++At(counts_, position);
    blocks_.Add(position / kBlock, 1);
  }

  // The sum of the counts at positions 0 to position.
  int PrefixSum(int position) const {
    const int block = position / kBlock;
    int sum = block > 0 ? blocks_.PrefixSum(block - 1) : 0;
    for (int p = block * kBlock; p <= position; ++p) sum += At(counts_, p);
    return sum;
  }

 private:
  static constexpr int kBlock = 64;
  std::vector<int> counts_;
  CountTree blocks_;
};

// What replaying one group needs besides the group, kept from one group to the next.
struct ReplayScratch {
  std::vector<int> Joined;
  CountTree Free;
};

// Puts the rows of one group of equal keys, members[0 .. size) in the order they joined it, in
// the order they end in, in place. turnsAtJoin[row] is how often the groups of this key had been
// turned when that row joined, turnsAtEnd how often after the last row of the table.
//
// We walk the group's history backwards. At each size t the queue's positions are the free
// slots of the final order, read cyclically from the slot of rank `front`; undoing k turns moves
// `front` back by k, and the member that joined at size t is then at the back of the queue, the
// free slot just before `front`.
void ReplayGroup(int* members, int size, const std::vector<int>& turnsAtJoin, int turnsAtEnd,
                 ReplayScratch& scratch) {
  std::vector<int>& joined = scratch.Joined;
  joined.assign(members, members + size);
  auto joinTurns = [&](int row) { return At(turnsAtJoin, row); };
  CountTree& free = scratch.Free;
  free.SetAllOnes(size);
  int front = 0;
  for (int t = size; t >= 1; --t) {
    const int row = At(joined, t - 1);
    const int turnsSince = (t == size ? turnsAtEnd : joinTurns(At(joined, t))) - joinTurns(row);
    front = (front + t - turnsSince % t) % t;
    const int slot = free.FindRank((front + t - 1) % t);
    members[slot] = row;
    free.Add(slot, -1);
    // Removing the slot just before `front` shifts `front` down, unless it wrapped to the end.
    if (front > 0) --front;
  }
}

// Puts in place of each row's code (see ReadGroups) how often the groups of its key had been
// turned when the row joined, for the rows of groups of more than one row; the others keep
// their code. Each arriving row turns every group with a greater key once. A group of one row
// never turns anything round, so only the others are counted, each as one position: a row
// counts towards the first of them above its own group, and the sums carry it to every one
// after. That keeps the counts to the groups that repeat a key, mostly few, within the cache.
void CountTurnsAtJoin(std::vector<int>& codeOf, int repeating) {
  BlockCounts turns(repeating);
  for (int& value : codeOf) {
    const int upTo = value >> 1;
    if ((value & 1) != 0) value = turns.PrefixSum(upTo - 1);
    if (upTo < repeating) turns.Add(upTo);
  }
}

// The first eight bytes of a key as a number that orders as the bytes do; shorter keys are
// padded with zero bytes, so a tie still needs the whole keys compared.
std::uint64_t PrefixOf(std::string_view key) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < key.size()) prefix |= static_cast<unsigned char>(key[i]);
  }
  return prefix;
}

// Keys held as texts, in the form the sort reads keys in.
template <typename KeyAt>
class TextKeys {
 public:
  TextKeys(int count, KeyAt keyAt) : count_(count), keyAt_(keyAt) {}
  int Count() const { return count_; }
  std::size_t Size(int key) const { return keyAt_(key).size(); }
  const char* Place(int key) const { return keyAt_(key).data(); }
  std::uint64_t PrefixAt(int /*key*/, const char* place, std::size_t depth,
                         std::size_t size) const {
    return depth < size ? PrefixOf(std::string_view(place + depth, size - depth)) : 0;
  }
  void PrefetchBytes(int /*key*/, const char* /*place*/, std::size_t /*depth*/) const {}

 private:
  int count_;
  KeyAt keyAt_;
};

// What the sort moves for a key: its place travels with it, so that reading the next eight bytes
// takes one trip to memory rather than two.
struct KeyEntry {
  std::uint64_t Prefix;  // eight bytes of the key from the depth its run is sorted at
  const char* Place;     // where the key's bytes lie, so that a read needs no lookup first
  std::uint32_t Index;   // the key's, and kGroupStart once the key is known to begin a group
  std::uint32_t Size;    // the key's length; keys are cells of a table, below 4 GiB
};
constexpr std::uint32_t kGroupStart = std::uint32_t{1} << 31;
// How many keys ahead a read is asked for.
constexpr std::size_t kReadAhead = 8;

// Sorts entries by key, eight bytes at a time: a run of entries that agree so far is sorted on its
// next eight bytes only, so a long beginning that many keys share (tasks often start alike) is
// read once per run rather than once per comparison. The entry that begins each group of equal
// keys is marked with kGroupStart.
template <typename Keys>
void SortRunByKey(std::span<KeyEntry> entries, std::size_t first, std::size_t last,
                  const Keys& keys) {
  struct Run {
    std::size_t First, Last, Depth;
  };
  const auto begin = entries.begin();
  const auto offset = [](std::size_t i) { return static_cast<std::ptrdiff_t>(i); };
  const auto mark = [&](std::size_t p) { entries[p].Index |= kGroupStart; };
  std::vector<Run> runs{{first, last, 0}};
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    std::sort(begin + offset(run.First), begin + offset(run.Last),
              [](const KeyEntry& a, const KeyEntry& b) { return a.Prefix < b.Prefix; });
    for (std::size_t a = run.First; a < run.Last;) {
      std::size_t b = a + 1;
      while (b < run.Last && entries[b].Prefix == entries[a].Prefix) ++b;
      // A key that ends within these eight bytes is a beginning of every longer one here (the
      // prefix pads it with zero bytes): shorter first, and only the longer ones go on.
      const std::size_t next = run.Depth + 8;
      const auto ended = std::partition(begin + offset(a), begin + offset(b),
                                        [&](const KeyEntry& e) { return e.Size <= next; });
      const auto longer = static_cast<std::size_t>(ended - begin);
      std::sort(begin + offset(a), ended,
                [](const KeyEntry& x, const KeyEntry& y) { return x.Size < y.Size; });
      for (std::size_t p = a; p < longer; ++p) {
        if (p == a || entries[p].Size != entries[p - 1].Size) mark(p);
      }
      if (b - longer == 1) mark(longer);
      if (b - longer > 1) {
        // Marked once sorted, as the run's entries still move. The keys lie all over memory
        // in this order; asking ahead lets their reads overlap.
        const auto key = [&](std::size_t p) { return static_cast<int>(entries[p].Index); };
        for (std::size_t p = longer; p < b; ++p) {
          if (p + kReadAhead < b) {
            const KeyEntry& ahead = entries[p + kReadAhead];
            keys.PrefetchBytes(key(p + kReadAhead), ahead.Place, next);
          }
          KeyEntry& entry = entries[p];
          entry.Prefix = keys.PrefixAt(key(p), entry.Place, next, entry.Size);
        }
        runs.push_back({longer, b, next});
      }
      a = b;
    }
  }
}

// The same for all the entries. A long table is split in two at a sampled middle of the first
// eight bytes, and each part is sorted on a thread of its own: equal keys begin alike, so a
// group of equal keys lies wholly in one part.
template <typename Keys>
void SortByKey(std::span<KeyEntry> entries, const Keys& keys, std::size_t shareFrom) {
  const std::size_t count = entries.size();
  if (count < shareFrom) return SortRunByKey(entries, 0, count, keys);
  std::array<std::uint64_t, 255> sample{};
  for (std::size_t i = 0; i < sample.size(); ++i)
    sample[i] = entries[(i + 1) * count / (sample.size() + 1)].Prefix;
  const auto middle = sample.begin() + static_cast<std::ptrdiff_t>(sample.size() / 2);
  std::nth_element(sample.begin(), middle, sample.end());
  const std::uint64_t pivot = *middle;
  const auto split = static_cast<std::size_t>(
      std::partition(entries.begin(), entries.end(),
                     [pivot](const KeyEntry& e) { return e.Prefix < pivot; }) -
      entries.begin());
  SideBySide([&] { SortRunByKey(entries, 0, split, keys); },
             [&] { SortRunByKey(entries, split, count, keys); });
}

// Entries for every key, sorted by key, the first of each group of equal keys marked.
template <typename Keys>
std::unique_ptr<KeyEntry[]> SortedEntries(const Keys& keys, std::size_t shareFrom) {
  const int count = keys.Count();
  // Left unset until filled: a long table's entries are filled by two threads, each touching
  // its own half of the memory first.
  auto entries = std::make_unique_for_overwrite<KeyEntry[]>(static_cast<std::size_t>(count));
  const std::span<KeyEntry> byKey(entries.get(), static_cast<std::size_t>(count));
  const auto fill = [&](int from, int to) {
    for (int i = from; i < to; ++i) {
      const std::size_t size = keys.Size(i);
      const char* place = keys.Place(i);
      At(byKey, i) = {keys.PrefixAt(i, place, 0, size), place, static_cast<std::uint32_t>(i),
                      static_cast<std::uint32_t>(size)};
    }
  };
  SideBySide(
      byKey.size() >= shareFrom, [&] { fill(0, count / 2); }, [&] { fill(count / 2, count); });
  SortByKey(byKey, keys, shareFrom);
  return entries;
}

// The groups of equal keys in ascending order, read off the sorted entries: group g ends at
// positions firstOf[g] to firstOf[g + 1] - 1, and order holds its rows there in the order they
// joined it to begin with, which is the order of the rows. codeOf[row] is what CountTurnsAtJoin
// starts from: the groups of more than one row up to and including the row's own, twice, and
// one more where the row's group is one of them. Returns how many groups repeat a key.
int ReadGroups(std::span<const KeyEntry> byKey, std::vector<int>& firstOf, std::vector<int>& order,
               std::vector<int>& codeOf) {
  const std::size_t count = byKey.size();
  order.resize(count);
  codeOf.resize(count);
  firstOf.clear();
  int repeating = 0;
  for (std::size_t a = 0; a < count;) {
    std::size_t b = a + 1;
    while (b < count && (byKey[b].Index & kGroupStart) == 0) ++b;
    firstOf.push_back(static_cast<int>(a));
    const bool repeats = b - a > 1;
    repeating += repeats ? 1 : 0;
    const int code = repeating * 2 + (repeats ? 1 : 0);
    for (std::size_t p = a; p < b; ++p) {
      const auto row = static_cast<int>(byKey[p].Index & ~kGroupStart);
      order[p] = row;
      At(codeOf, row) = code;
    }
    if (repeats)
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(a),
                order.begin() + static_cast<std::ptrdiff_t>(b));
    a = b;
  }
  firstOf.push_back(static_cast<int>(count));
  return repeating;
}

// Puts the rows of groups first to last - 1 in the order they end in.
void ReplayGroups(std::vector<int>& order, const std::vector<int>& firstOf,
                  const std::vector<int>& turnsAtJoin, int first, int last) {
  ReplayScratch scratch;
  for (int g = first; g < last; ++g) {
    int* members = order.data() + At(firstOf, g);
    const int size = At(firstOf, g + 1) - At(firstOf, g);
    if (size == 2) {
      // The commonest group that repeats a key: it ends turned round once the turns since its
      // second row joined are odd.
      if ((At(firstOf, g) - At(turnsAtJoin, members[1])) % 2 != 0)
        std::swap(members[0], members[1]);
    } else if (size > 2) {
      ReplayGroup(members, size, turnsAtJoin, At(firstOf, g), scratch);
    }
  }
}

template <typename Keys>
std::vector<int> OrderOf(const Keys& keys, std::vector<int>* groupAt, std::size_t shareFrom) {
  std::vector<int> firstOf;
  std::vector<int> order;
  std::vector<int> turnsAtJoin;
  const int repeating = [&] {
    const std::unique_ptr<KeyEntry[]> entries = SortedEntries(keys, shareFrom);
    const std::span<const KeyEntry> byKey(entries.get(), static_cast<std::size_t>(keys.Count()));
    return ReadGroups(byKey, firstOf, order, turnsAtJoin);
  }();
  const int groups = static_cast<int>(firstOf.size()) - 1;
  // The groups of smaller keys have turned firstOf[g] times by the end.
  CountTurnsAtJoin(turnsAtJoin, repeating);
  // The groups are replayed apart from one another: for a long table, half of the rows on each
  // thread.
  const auto middle = static_cast<int>(
      std::lower_bound(firstOf.begin(), firstOf.end(), static_cast<int>(order.size() / 2)) -
      firstOf.begin());
  const int split = std::min(middle, groups);
  SideBySide(
      order.size() >= shareFrom, [&] { ReplayGroups(order, firstOf, turnsAtJoin, 0, split); },
      [&] { ReplayGroups(order, firstOf, turnsAtJoin, split, groups); });
  if (groupAt != nullptr) {
    groupAt->resize(order.size());
    for (int g = 0; g < groups; ++g) {
      std::fill(groupAt->begin() + At(firstOf, g), groupAt->begin() + At(firstOf, g + 1), g);
    }
  }
  return order;
}

// The first row from first to last (exclusive) for which `holds` is false, or last; `holds` must
// be true for a beginning of the rows only.
template <typename Predicate>
int FirstRowWhereNot(int first, int last, Predicate holds) {
  while (first < last) {
    const int mid = first + (last - first) / 2;
    if (holds(mid)) {
      first = mid + 1;
    } else {
      last = mid;
    }
  }
  return first;
}

std::vector<int> IdentityOrder(int count) {
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  return order;
}

// The row `changed` moved up to `position`: every group it passed moves down one row and turns
// its front row to the back.
std::vector<int> OrderAfterMovingUp(const std::vector<int>& groups, int changed, int position) {
  std::vector<int> order = IdentityOrder(static_cast<int>(groups.size()));
  At(order, position) = changed;
  int next = position + 1;
  for (int start = position; start < changed;) {
    int end = start + 1;
    while (end < changed && At(groups, end) == At(groups, start)) ++end;
    for (int row = start + 1; row < end; ++row) At(order, next++) = row;
    At(order, next++) = start;
    start = end;
  }
  return order;
}

// The row `changed` moved down to `position`: the rows it let pass keep their order.
std::vector<int> OrderAfterMovingDown(int count, int changed, int position) {
  std::vector<int> order = IdentityOrder(count);
  for (int p = changed; p < position; ++p) At(order, p) = p + 1;
  At(order, position) = changed;
  return order;
}

std::vector<int> Reordered(const std::vector<int>& values, const std::vector<int>& order) {
  std::vector<int> moved(values.size());
  for (std::size_t p = 0; p < order.size(); ++p) moved[p] = At(values, order[p]);
  return moved;
}

}  // namespace

std::vector<int> ExchangeSortOrder(const std::vector<std::string>& keys, std::size_t shareFrom) {
  const auto keyAt = [&](int i) { return std::string_view(keys[static_cast<std::size_t>(i)]); };
  return OrderOf(TextKeys(static_cast<int>(keys.size()), keyAt), nullptr, shareFrom);
}

void SortKeyBuffer::Reserve(std::size_t keys, std::size_t bytes) {
  ends_.reserve(keys);
  bytes_.reserve(bytes);
}

std::vector<int> ExchangeSortOrder(const CellSortKeys& keys, std::vector<int>* groupAt) {
  return OrderOf(keys, groupAt, kShareSortFrom);
}

std::vector<int> ExchangeOrderAfterChange(std::vector<int>& groups, int changed,
                                          const std::function<std::string(int)>& keyOf,
                                          int& nextGroup) {
  const int count = static_cast<int>(groups.size());
  const std::string key = keyOf(changed);
  std::vector<int> order;
  int position = changed;
  // The rows beside the changed one's new place that may hold an equal key to join: in place,
  // the row above before the row below.
  std::array<int, 2> neighbours{changed - 1, changed + 1};

  if (changed > 0 && key < keyOf(changed - 1)) {
    // Smaller: it lands behind the last row not greater than it.
    position = FirstRowWhereNot(0, changed - 1, [&](int row) { return !(key < keyOf(row)); });
    order = OrderAfterMovingUp(groups, changed, position);
    neighbours = {position - 1, -1};
  } else if (changed + 1 < count && keyOf(changed + 1) < key) {
    // Greater: the smaller rows after it pass it, its equals do not.
    const int firstNotSmaller =
        FirstRowWhereNot(changed + 2, count, [&](int row) { return keyOf(row) < key; });
    position = firstNotSmaller - 1;
    order = OrderAfterMovingDown(count, changed, position);
    neighbours = {firstNotSmaller, -1};
  }

  if (!order.empty()) groups = Reordered(groups, order);
  const auto equal = std::find_if(neighbours.begin(), neighbours.end(), [&](int row) {
    return row >= 0 && row < count && keyOf(row) == key;
  });
  At(groups, position) = equal != neighbours.end() ? At(groups, *equal) : nextGroup++;
  return order;
}

}  // namespace taskwell
