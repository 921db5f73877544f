#include "grid/ExchangeSort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

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
  explicit CountTree(int size) : Tree(static_cast<std::size_t>(size) + 1, 0) {}

  // Every position starts with a count of 1.
  static CountTree AllOnes(int size) {
    CountTree tree(size);
    for (int i = 1; i <= size; ++i) tree.Node(i) = i & -i;
    return tree;
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

// Where the rows of one group of equal keys end, written to out[0 .. joined.size()).
// joined lists the group's rows in the order they joined it; turnsAtJoin[row] is how often the
// groups of this key had been turned when that row joined, turnsAtEnd how often after the last
// row of the table.
//
// We walk the group's history backwards. At each size t the queue's positions are the free
// slots of the final order, read cyclically from the slot of rank `front`; undoing k turns moves
// `front` back by k, and the member that joined at size t is then at the back of the queue, the
// free slot just before `front`.
void ReplayGroup(const std::vector<int>& joined, int first, int size,
                 const std::vector<int>& turnsAtJoin, int turnsAtEnd, int* out) {
  auto member = [&](int t) { return At(joined, first + t); };
  auto joinTurns = [&](int row) { return At(turnsAtJoin, row); };
  if (size == 1) {
    out[0] = member(0);
    return;
  }
  CountTree free = CountTree::AllOnes(size);
  int front = 0;
  for (int t = size; t >= 1; --t) {
    const int row = member(t - 1);
    const int turnsSince = (t == size ? turnsAtEnd : joinTurns(member(t))) - joinTurns(row);
    front = (front + t - turnsSince % t) % t;
    const int slot = free.FindRank((front + t - 1) % t);
    out[slot] = row;
    free.Add(slot, -1);
    // Removing the slot just before `front` shifts `front` down, unless it wrapped to the end.
    if (front > 0) --front;
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

// Sixteen bytes, so that a million of them sort within the cache as far as can be.
struct KeyEntry {
  std::uint64_t Prefix;  // eight bytes of the key from the depth its run is sorted at
  int Index;
};

// Sorts entries by key, eight bytes at a time: a run of entries that agree so far is sorted on its
// next eight bytes only, so a long beginning that many keys share (tasks often start alike) is
// read once per run rather than once per comparison. groupStarts[p] is set where the key at
// position p differs from the one before it.
template <typename KeyAt>
void SortByKey(std::vector<KeyEntry>& entries, KeyAt keyAt, std::vector<char>& groupStarts) {
  struct Run {
    std::size_t First, Last, Depth;
  };
  const auto begin = entries.begin();
  const auto offset = [](std::size_t i) { return static_cast<std::ptrdiff_t>(i); };
  const auto size = [&](const KeyEntry& e) { return keyAt(e.Index).size(); };
  groupStarts.assign(entries.size(), 0);
  if (!entries.empty()) groupStarts[0] = 1;
  std::vector<Run> runs{{0, entries.size(), 0}};
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    std::sort(begin + offset(run.First), begin + offset(run.Last),
              [](const KeyEntry& a, const KeyEntry& b) { return a.Prefix < b.Prefix; });
    for (std::size_t a = run.First; a < run.Last;) {
      std::size_t b = a + 1;
      while (b < run.Last && entries[b].Prefix == entries[a].Prefix) ++b;
      if (a > run.First) groupStarts[a] = 1;
      if (b - a == 1) {
        a = b;
        continue;
      }
      // A key that ends within these eight bytes is a beginning of every longer one here (the
      // prefix pads it with zero bytes): shorter first, and only the longer ones go on.
      const std::size_t next = run.Depth + 8;
      const auto ended = std::partition(begin + offset(a), begin + offset(b),
                                        [&](const KeyEntry& e) { return size(e) <= next; });
      const auto longer = static_cast<std::size_t>(ended - begin);
      std::sort(begin + offset(a), ended,
                [&](const KeyEntry& x, const KeyEntry& y) { return size(x) < size(y); });
      for (std::size_t p = a + 1; p < longer; ++p) {
        if (size(entries[p]) != size(entries[p - 1])) groupStarts[p] = 1;
      }
      if (longer > a && longer < b) groupStarts[longer] = 1;
      if (b - longer > 1) {
        for (std::size_t p = longer; p < b; ++p)
          entries[p].Prefix = PrefixOf(keyAt(entries[p].Index).substr(next));
        runs.push_back({longer, b, next});
      }
      a = b;
    }
  }
}

template <typename KeyAt>
std::vector<int> OrderOf(int count, KeyAt keyAt, std::vector<int>* groupOfKey) {
  // Number the distinct keys in ascending order; equal keys form one group.
  std::vector<KeyEntry> byKey(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) At(byKey, i) = {PrefixOf(keyAt(i)), i};
  std::vector<char> groupStarts;
  SortByKey(byKey, keyAt, groupStarts);
  std::vector<int> group(static_cast<std::size_t>(count));
  int groups = 0;
  for (int p = 0; p < count; ++p) {
    if (p > 0 && At(groupStarts, p) != 0) ++groups;
    At(group, At(byKey, p).Index) = groups;
  }
  if (count > 0) ++groups;
  byKey = {};
  // The groups' members in the order they joined; group g ends at positions from firstOf[g] on.
  std::vector<int> firstOf(static_cast<std::size_t>(groups) + 1, 0);
  for (int row = 0; row < count; ++row) ++At(firstOf, At(group, row) + 1);
  std::partial_sum(firstOf.begin(), firstOf.end(), firstOf.begin());
  const auto sizeOf = [&](int g) { return At(firstOf, g + 1) - At(firstOf, g); };
  std::vector<int> joined(static_cast<std::size_t>(count));
  std::vector<int> next(firstOf.begin(), firstOf.end() - 1);
  for (int row = 0; row < count; ++row) At(joined, At(next, At(group, row))++) = row;

  // Each arriving row turns every group with a greater key once. A group of one row never turns
  // anything round, so only the others need their counts.
  CountTree turns(groups);
  std::vector<int> turnsAtJoin(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    const int g = At(group, row);
    if (sizeOf(g) > 1) At(turnsAtJoin, row) = turns.PrefixSum(g);
    if (g + 1 < groups) turns.Add(g + 1, 1);
  }

  std::vector<int> order(static_cast<std::size_t>(count));
  for (int g = 0; g < groups; ++g) {
    ReplayGroup(joined, At(firstOf, g), sizeOf(g), turnsAtJoin,
                sizeOf(g) > 1 ? turns.PrefixSum(g) : 0, order.data() + At(firstOf, g));
  }
  if (groupOfKey != nullptr) *groupOfKey = std::move(group);
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

std::vector<int> ExchangeSortOrder(const std::vector<std::string>& keys) {
  return OrderOf(
      static_cast<int>(keys.size()),
      [&](int i) { return std::string_view(keys[static_cast<std::size_t>(i)]); }, nullptr);
}

void SortKeyBuffer::Reserve(std::size_t keys, std::size_t bytes) {
  ends_.reserve(keys);
  bytes_.reserve(bytes);
}

std::vector<int> ExchangeSortOrder(const SortKeyBuffer& keys, std::vector<int>* groupOfKey) {
  return OrderOf(
      static_cast<int>(keys.Size()), [&](int i) { return keys[static_cast<std::size_t>(i)]; },
      groupOfKey);
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
