#include "document/LineMerge.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace taskwell {
namespace {

using Counts = std::unordered_map<std::string_view, int>;

Counts CountLines(const std::vector<std::string>& lines) {
  Counts counts;
  counts.reserve(lines.size());
  for (const std::string& line : lines) ++counts[line];
  return counts;
}

int CountOf(const Counts& counts, std::string_view line) {
  const auto it = counts.find(line);
  return it == counts.end() ? 0 : it->second;
}

// The lines of `side` beyond what the base holds of them (the last copies count as the new ones),
// each with the line that precedes it on that side ("" at the top).
struct Addition {
  std::size_t Index;
  std::string_view Before;
};

std::vector<Addition> AdditionsOf(const std::vector<std::string>& side, const Counts& sideCounts,
                                  const Counts& baseCounts) {
  Counts seen;
  std::vector<Addition> additions;
  for (std::size_t i = 0; i < side.size(); ++i) {
    const std::string_view line = side[i];
    const int copy = ++seen[line];
    const int extra = CountOf(sideCounts, line) - CountOf(baseCounts, line);
    if (copy > CountOf(sideCounts, line) - std::max(extra, 0)) {
      additions.push_back({i, i == 0 ? std::string_view() : std::string_view(side[i - 1])});
    }
  }
  return additions;
}

// Lines edited in one place look like a deletion and an addition at the same spot: the removed
// base line and the added line share the line before them. Matched additions leave the pool.
int TakeSameSpot(const std::vector<std::string_view>& removedBefore, Counts& addedBefore) {
  int pairs = 0;
  for (const std::string_view before : removedBefore) {
    const auto it = addedBefore.find(before);
    if (it == addedBefore.end() || it->second == 0) continue;
    --it->second;
    ++pairs;
  }
  return pairs;
}

// The items of `a` that `b` holds too, as multisets; the rest of `a` goes to `onlyA`.
std::vector<std::string_view> Common(const std::vector<std::string_view>& a,
                                     const std::vector<std::string_view>& b,
                                     std::vector<std::string_view>& onlyA) {
  Counts pool;
  for (const std::string_view item : b) ++pool[item];
  std::vector<std::string_view> common;
  for (const std::string_view item : a) {
    int& left = pool[item];
    if (left == 0) {
      onlyA.push_back(item);
      continue;
    }
    --left;
    common.push_back(item);
  }
  return common;
}

Counts CountViews(const std::vector<std::string_view>& items) {
  Counts counts;
  for (const std::string_view item : items) ++counts[item];
  return counts;
}

// What precedes each base line that a side no longer holds (as many copies as it lost).
std::vector<std::string_view> RemovedBefore(const std::vector<std::string>& base,
                                            const Counts& baseCounts, const Counts& sideCounts) {
  Counts missing;
  for (const auto& [line, count] : baseCounts) {
    const int lost = count - CountOf(sideCounts, line);
    if (lost > 0) missing[line] = lost;
  }
  std::vector<std::string_view> before;
  for (std::size_t i = 0; i < base.size(); ++i) {
    const auto it = missing.find(base[i]);
    if (it == missing.end() || it->second == 0) continue;
    --it->second;
    before.push_back(i == 0 ? std::string_view() : std::string_view(base[i - 1]));
  }
  return before;
}

std::vector<std::string_view> BeforeOf(const std::vector<Addition>& additions) {
  std::vector<std::string_view> before;
  before.reserve(additions.size());
  for (const Addition& addition : additions) before.push_back(addition.Before);
  return before;
}

}  // namespace

LineMergeResult MergeLines(const std::vector<std::string>& base,
                           const std::vector<std::string>& mine,
                           const std::vector<std::string>& theirs) {
  const Counts baseCounts = CountLines(base);
  const Counts mineCounts = CountLines(mine);
  const Counts theirCounts = CountLines(theirs);
  const auto wanted = [&](std::string_view line) {
    return std::max(
        0, CountOf(mineCounts, line) + CountOf(theirCounts, line) - CountOf(baseCounts, line));
  };

  // Ours first, as far as the merge keeps each line; every kept line is a node that the lines
  // added elsewhere can follow.
  // Kept lines are looked up by views into `nodes`, which therefore never reallocates.
  const std::vector<Addition> theirAdditions = AdditionsOf(theirs, theirCounts, baseCounts);
  std::vector<std::string> nodes;
  nodes.reserve(mine.size() + theirAdditions.size());
  std::vector<std::vector<std::size_t>> after(1);  // after[0]: lines added at the very end
  std::unordered_map<std::string_view, std::size_t> nodeOf;
  LineMergeResult result;
  Counts emitted;
  std::vector<std::size_t> order;
  for (const std::string& line : mine) {
    if (emitted[line] >= wanted(line)) {
      ++result.Removed;
      continue;
    }
    ++emitted[line];
    nodes.push_back(line);
    after.emplace_back();
    order.push_back(nodes.size());
  }
  nodeOf.reserve(nodes.size());
  for (std::size_t n = 0; n < nodes.size(); ++n) nodeOf.emplace(nodes[n], n + 1);

  // Theirs' additions, in their order, each after the nearest line before it that is kept: one
  // pass over theirs remembers the last kept line seen.
  std::vector<std::string_view> keptBefore;
  std::size_t anchor = 0;
  auto next = theirAdditions.begin();
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const std::string& line = theirs[i];
    const bool added = next != theirAdditions.end() && next->Index == i;
    if (!added || emitted[line] >= wanted(line)) {
      if (added) ++next;
      const auto it = nodeOf.find(line);
      if (it != nodeOf.end()) anchor = it->second;
      continue;
    }
    ++emitted[line];
    nodes.push_back(line);
    after.emplace_back();
    after[anchor].push_back(nodes.size());
    anchor = nodes.size();
    nodeOf.emplace(nodes.back(), anchor);
    keptBefore.push_back(next->Before);
    ++next;
    ++result.Added;
  }

  // Each node is followed by what was added after it, depth first, so runs stay together.
  result.Lines.reserve(nodes.size());
  std::vector<std::size_t> stack;
  const auto emit = [&](std::size_t node) {
    stack.push_back(node);
    while (!stack.empty()) {
      const std::size_t n = stack.back();
      stack.pop_back();
      result.Lines.push_back(std::move(nodes[n - 1]));
      for (auto it = after[n].rbegin(); it != after[n].rend(); ++it) stack.push_back(*it);
    }
  };
  for (const std::size_t node : order) emit(node);
  for (const std::size_t node : after[0]) emit(node);

  // Describe it in the user's terms: an edit is a removal and an addition at the same spot.
  std::vector<std::string_view> onlyTheirsRemoved;
  std::vector<std::string_view> onlyTheirsAdded;
  const std::vector<std::string_view> bothRemoved =
      Common(RemovedBefore(base, baseCounts, theirCounts),
             RemovedBefore(base, baseCounts, mineCounts), onlyTheirsRemoved);
  const std::vector<std::string_view> bothAdded =
      Common(keptBefore, BeforeOf(AdditionsOf(mine, mineCounts, baseCounts)), onlyTheirsAdded);
  Counts bothAddedPool = CountViews(bothAdded);
  result.ChangedBoth = TakeSameSpot(bothRemoved, bothAddedPool);
  Counts theirAddedPool = CountViews(onlyTheirsAdded);
  for (const auto& [before, left] : bothAddedPool) theirAddedPool[before] += left;
  result.Changed = std::min(result.Removed, TakeSameSpot(onlyTheirsRemoved, theirAddedPool));
  result.Added -= result.ChangedBoth + result.Changed;
  result.Removed -= result.Changed;
  return result;
}

std::string MergeSummary(const LineMergeResult& result) {
  std::vector<std::string> parts;
  const auto tasks = [](int n) { return std::to_string(n) + (n == 1 ? " task" : " tasks"); };
  if (result.Added > 0) parts.push_back(tasks(result.Added) + " added");
  if (result.Removed > 0) parts.push_back(std::to_string(result.Removed) + " removed");
  if (result.Changed > 0) parts.push_back(std::to_string(result.Changed) + " changed");
  if (result.ChangedBoth > 0) {
    parts.push_back(tasks(result.ChangedBoth) + " changed in both places (both versions kept)");
  }
  std::string text = "Merged with changes made elsewhere";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? ": " : ", ") + parts[i];
  return text;
}

}  // namespace taskwell
