#include "document/LineMerge.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace taskwell {
namespace {

// Each distinct line text gets a small number once (LineNumbers), so that the counting below
// indexes arrays instead of hashing every line again and again.
using Ids = std::vector<int>;
using Counts = std::vector<int>;
using Lines = std::vector<std::string_view>;

// "Before the first line", in the lists of what precedes a line.
constexpr int kTop = -1;

NumberedLines Intern(const Lines& base, const Lines& mine, const Lines& theirs) {
  LineNumbers numbers(base.size() + mine.size() + theirs.size());
  const auto number = [&numbers](const Lines& lines) {
    Ids out;
    out.reserve(lines.size());
    for (const std::string_view line : lines) out.push_back(numbers.Number(line));
    return out;
  };
  NumberedLines numbered;
  numbered.Base = number(base);
  numbered.Mine = number(mine);
  numbered.Theirs = number(theirs);
  numbered.Distinct = numbers.Distinct();
  return numbered;
}

Counts CountIds(const Ids& lines, int distinct) {
  Counts counts(static_cast<std::size_t>(distinct));
  for (const int id : lines) ++counts[static_cast<std::size_t>(id)];
  return counts;
}

int At(const Counts& counts, int id) {
  return counts[static_cast<std::size_t>(id)];
}

// Where a "what precedes" entry is counted: kTop first, then each line's number.
std::size_t BeforeIndex(int before) {
  const int index = before - kTop;
  return static_cast<std::size_t>(index);
}

// Counts of "what precedes" entries, kTop included.
Counts CountBefore(const Ids& before, int distinct) {
  Counts counts(static_cast<std::size_t>(distinct) + 1);
  for (const int id : before) ++counts[BeforeIndex(id)];
  return counts;
}

int& BeforeSlot(Counts& counts, int before) {
  return counts[BeforeIndex(before)];
}

int Preceding(const Ids& side, std::size_t i) {
  return i == 0 ? kTop : side[i - 1];
}

// The lines of `side` beyond what the base holds of them (the last copies count as the new ones),
// each with the line that precedes it on that side.
struct Addition {
  std::size_t Index;
  int Before;
};

std::vector<Addition> AdditionsOf(const Ids& side, const Counts& sideCounts,
                                  const Counts& baseCounts) {
  Counts seen(sideCounts.size());
  std::vector<Addition> additions;
  for (std::size_t i = 0; i < side.size(); ++i) {
    const int id = side[i];
    const int copy = ++seen[static_cast<std::size_t>(id)];
    const int extra = At(sideCounts, id) - At(baseCounts, id);
    if (copy > At(sideCounts, id) - std::max(extra, 0))
      additions.push_back({i, Preceding(side, i)});
  }
  return additions;
}

// Lines edited in one place look like a deletion and an addition at the same spot: the removed
// base line and the added line share the line before them. Matched additions leave the pool.
int TakeSameSpot(const Ids& removedBefore, Counts& addedBefore) {
  int pairs = 0;
  for (const int before : removedBefore) {
    int& left = BeforeSlot(addedBefore, before);
    if (left == 0) continue;
    --left;
    ++pairs;
  }
  return pairs;
}

// The items of `a` that `b` holds too, as multisets; the rest of `a` goes to `onlyA`.
Ids Common(const Ids& a, const Ids& b, int distinct, Ids& onlyA) {
  Counts pool = CountBefore(b, distinct);
  Ids common;
  for (const int item : a) {
    int& left = BeforeSlot(pool, item);
    if (left == 0) {
      onlyA.push_back(item);
      continue;
    }
    --left;
    common.push_back(item);
  }
  return common;
}

// What precedes each base line that a side no longer holds (as many copies as it lost).
Ids RemovedBefore(const Ids& base, const Counts& baseCounts, const Counts& sideCounts) {
  Counts missing(baseCounts.size());
  for (std::size_t id = 0; id < baseCounts.size(); ++id)
    missing[id] = std::max(0, baseCounts[id] - sideCounts[id]);
  Ids before;
  for (std::size_t i = 0; i < base.size(); ++i) {
    int& left = missing[static_cast<std::size_t>(base[i])];
    if (left == 0) continue;
    --left;
    before.push_back(Preceding(base, i));
  }
  return before;
}

Ids BeforeOf(const std::vector<Addition>& additions) {
  Ids before;
  before.reserve(additions.size());
  for (const Addition& addition : additions) before.push_back(addition.Before);
  return before;
}

// How often each line number occurs on each side.
struct LineCounts {
  Counts Base, Mine, Theirs;
  // How many copies of the line the merge keeps.
  int Wanted(int id) const { return std::max(0, At(Mine, id) + At(Theirs, id) - At(Base, id)); }
};

// The merged lines as nodes (numbered from 1), each followed by the lines added after it
// elsewhere; node 0 stands for the very end.
class MergedOrder {
 public:
  MergedOrder(int distinct, std::size_t lines)
      : after_(1),
        firstNodeOf_(static_cast<std::size_t>(distinct)),
        emitted_(static_cast<std::size_t>(distinct)) {
    nodes_.reserve(lines);
    after_.reserve(lines + 1);
  }

  // The new node of a kept copy of line `id`.
  std::size_t Add(int id, MergedLineSource source) {
    ++emitted_[static_cast<std::size_t>(id)];
    nodes_.push_back(source);
    after_.emplace_back();
    std::size_t& first = firstNodeOf_[static_cast<std::size_t>(id)];
    if (first == 0) first = nodes_.size();
    return nodes_.size();
  }
  void Follow(std::size_t anchor, std::size_t node) { after_[anchor].push_back(node); }
  int Emitted(int id) const { return At(emitted_, id); }
  // The first node of line `id`, or 0 when none is kept.
  std::size_t FirstNodeOf(int id) const { return firstNodeOf_[static_cast<std::size_t>(id)]; }

  // Each of `ours` followed by what was added after it, depth first, so runs stay together; then
  // what was added at the end.
  void Write(const std::vector<std::size_t>& ours, const Lines& mine, const Lines& theirs,
             LineMergeResult& result) const {
    result.Lines.reserve(nodes_.size());
    result.Sources.reserve(nodes_.size());
    std::vector<std::size_t> stack;
    const auto emit = [&](std::size_t node) {
      stack.push_back(node);
      while (!stack.empty()) {
        const std::size_t n = stack.back();
        stack.pop_back();
        const MergedLineSource source = nodes_[n - 1];
        result.Sources.push_back(source);
        result.Lines.emplace_back(source.Theirs ? theirs[source.Index] : mine[source.Index]);
        for (auto it = after_[n].rbegin(); it != after_[n].rend(); ++it) stack.push_back(*it);
      }
    };
    for (const std::size_t node : ours) emit(node);
    for (const std::size_t node : after_[0]) emit(node);
  }

 private:
  std::vector<MergedLineSource> nodes_;
  std::vector<std::vector<std::size_t>> after_;
  std::vector<std::size_t> firstNodeOf_;
  Counts emitted_;
};

// Ours first, as far as the merge keeps each line; the nodes of our kept lines, in our order.
std::vector<std::size_t> KeepOurs(const Ids& mine, const LineCounts& counts, MergedOrder& merged,
                                  int& removed) {
  std::vector<std::size_t> ours;
  ours.reserve(mine.size());
  for (std::size_t i = 0; i < mine.size(); ++i) {
    if (merged.Emitted(mine[i]) >= counts.Wanted(mine[i])) {
      ++removed;
      continue;
    }
    ours.push_back(merged.Add(mine[i], {false, i}));
  }
  return ours;
}

// Theirs' additions, in their order, each after the nearest line before it that is kept: one pass
// over theirs remembers the last kept line seen. Returns what precedes each kept addition there.
Ids PlaceTheirAdditions(const Ids& theirs, const std::vector<Addition>& additions,
                        const LineCounts& counts, MergedOrder& merged, int& added) {
  Ids keptBefore;
  std::size_t anchor = 0;
  auto next = additions.begin();
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const int id = theirs[i];
    const bool isAddition = next != additions.end() && next->Index == i;
    if (!isAddition || merged.Emitted(id) >= counts.Wanted(id)) {
      if (isAddition) ++next;
      if (const std::size_t node = merged.FirstNodeOf(id); node != 0) anchor = node;
      continue;
    }
    const std::size_t node = merged.Add(id, {true, i});
    merged.Follow(anchor, node);
    anchor = node;
    keptBefore.push_back(next->Before);
    ++next;
    ++added;
  }
  return keptBefore;
}

// Describes the merge in the user's terms: an edit is a removal and an addition at the same spot.
void CountEdits(const NumberedLines& ids, const LineCounts& counts, const Ids& keptBefore,
                LineMergeResult& result) {
  Ids onlyTheirsRemoved;
  Ids onlyTheirsAdded;
  const Ids bothRemoved =
      Common(RemovedBefore(ids.Base, counts.Base, counts.Theirs),
             RemovedBefore(ids.Base, counts.Base, counts.Mine), ids.Distinct, onlyTheirsRemoved);
  const Ids bothAdded =
      Common(keptBefore, BeforeOf(AdditionsOf(ids.Mine, counts.Mine, counts.Base)), ids.Distinct,
             onlyTheirsAdded);
  Counts bothAddedPool = CountBefore(bothAdded, ids.Distinct);
  result.ChangedBoth = TakeSameSpot(bothRemoved, bothAddedPool);
  Counts theirAddedPool = CountBefore(onlyTheirsAdded, ids.Distinct);
  for (std::size_t k = 0; k < theirAddedPool.size(); ++k) theirAddedPool[k] += bothAddedPool[k];
  result.Changed = std::min(result.Removed, TakeSameSpot(onlyTheirsRemoved, theirAddedPool));
  result.Added -= result.ChangedBoth + result.Changed;
  result.Removed -= result.Changed;
}

std::vector<std::string_view> Views(const std::vector<std::string>& lines) {
  return {lines.begin(), lines.end()};
}

}  // namespace

LineNumbers::LineNumbers(std::size_t lines) {
  std::size_t capacity = 16;
  while (capacity < 2 * lines) capacity *= 2;
  slots_.assign(capacity, Slot{});
  texts_.reserve(lines);
}

std::size_t LineNumbers::SlotOf(std::string_view line, std::size_t hash) const {
  // The hash's high half tells most other lines apart without reading their text.
  const auto tag = static_cast<std::uint32_t>(hash >> 32);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.Id == kEmpty) return at;
    if (slot.Tag == tag && texts_[static_cast<std::size_t>(slot.Id)] == line) return at;
  }
}

int LineNumbers::Find(std::string_view line) const {
  return slots_[SlotOf(line, std::hash<std::string_view>{}(line))].Id;
}

int LineNumbers::Number(std::string_view line) {
  if (2 * (texts_.size() + 1) > slots_.size()) Grow();
  const std::size_t hash = std::hash<std::string_view>{}(line);
  Slot& slot = slots_[SlotOf(line, hash)];
  if (slot.Id == kEmpty) {
    slot = {static_cast<std::uint32_t>(hash >> 32), static_cast<int>(texts_.size())};
    texts_.push_back(line);
  }
  return slot.Id;
}

void LineNumbers::Grow() {
  slots_.assign(slots_.size() * 2, Slot{});
  for (std::size_t id = 0; id < texts_.size(); ++id) {
    const std::size_t hash = std::hash<std::string_view>{}(texts_[id]);
    slots_[SlotOf(texts_[id], hash)] = {static_cast<std::uint32_t>(hash >> 32),
                                        static_cast<int>(id)};
  }
}

LineMergeResult MergeLines(const Lines& baseLines, const Lines& mineLines, const Lines& theirLines,
                           const NumberedLines* numbered) {
  NumberedLines interned;
  if (numbered == nullptr) interned = Intern(baseLines, mineLines, theirLines);
  const NumberedLines& ids = numbered != nullptr ? *numbered : interned;
  const LineCounts counts{CountIds(ids.Base, ids.Distinct), CountIds(ids.Mine, ids.Distinct),
                          CountIds(ids.Theirs, ids.Distinct)};
  const std::vector<Addition> theirAdditions = AdditionsOf(ids.Theirs, counts.Theirs, counts.Base);

  LineMergeResult result;
  MergedOrder merged(ids.Distinct, ids.Mine.size() + theirAdditions.size());
  const std::vector<std::size_t> ours = KeepOurs(ids.Mine, counts, merged, result.Removed);
  const Ids keptBefore =
      PlaceTheirAdditions(ids.Theirs, theirAdditions, counts, merged, result.Added);
  merged.Write(ours, mineLines, theirLines, result);
  CountEdits(ids, counts, keptBefore, result);
  return result;
}

LineMergeResult MergeLines(const std::vector<std::string>& base,
                           const std::vector<std::string>& mine,
                           const std::vector<std::string>& theirs) {
  return MergeLines(Views(base), Views(mine), Views(theirs));
}

Message MergeSummary(const LineMergeResult& result) {
  std::vector<Message> parts;
  const auto one = [](int n) { return n == 1; };
  if (result.Added > 0) {
    parts.push_back(
        Message::Format(one(result.Added) ? "%1 task added" : "%1 tasks added", result.Added));
  }
  if (result.Removed > 0) parts.push_back(Message::Format("%1 removed", result.Removed));
  if (result.Changed > 0) parts.push_back(Message::Format("%1 changed", result.Changed));
  if (result.ChangedBoth > 0) {
    parts.push_back(Message::Format(one(result.ChangedBoth)
                                        ? "%1 task changed in both places (both versions kept)"
                                        : "%1 tasks changed in both places (both versions kept)",
                                    result.ChangedBoth));
  }
  if (parts.empty()) return "Merged with changes made elsewhere";
  return Message::Format("Merged with changes made elsewhere: %1", Message::Join(parts, ", "));
}

}  // namespace taskwell
