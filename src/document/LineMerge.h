#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/Message.h"

namespace taskwell {

// Where a merged line came from: a line of ours, or one added elsewhere.
struct MergedLineSource {
  bool Theirs = false;
  std::size_t Index = 0;  // in that side's lines
};

// The outcome of merging two edited copies of one list of task lines.
struct LineMergeResult {
  std::vector<std::string> Lines;
  std::vector<MergedLineSource> Sources;  // one for each of Lines
  int Added = 0;                          // lines added elsewhere and kept
  int Removed = 0;                        // lines of ours that were deleted elsewhere
  int Changed = 0;                        // lines of ours replaced by an edit made elsewhere
  int ChangedBoth = 0;                    // lines edited on both sides: both versions are kept
};

// Small numbers for line texts, one per distinct text, from 0 in the order first seen. Flat and
// open-addressed: a list has as many lines as tasks, and a node per line would cost more than the
// merge itself. The texts are not copied; they must outlive the numbering.
class LineNumbers {
 public:
  // Room for about this many distinct texts before the table grows.
  explicit LineNumbers(std::size_t lines);
  // The text's number, a new one for a text not seen before.
  int Number(std::string_view line);
  // The text's number, or -1 for a text not seen before.
  int Find(std::string_view line) const;
  int Distinct() const { return static_cast<int>(texts_.size()); }

 private:
  static constexpr int kEmpty = -1;
  struct Slot {
    std::uint32_t Tag = 0;
    int Id = kEmpty;
  };
  // The slot holding the text, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view line, std::size_t hash) const;
  void Grow();
  std::vector<Slot> slots_;
  std::vector<std::string_view> texts_;
};

// The lines of the three sides as numbers from one LineNumbers.
struct NumberedLines {
  std::vector<int> Base, Mine, Theirs;
  int Distinct = 0;
};

// Three-way merge of task lines as multisets: each distinct line appears mine + theirs - base
// times, never fewer than zero, so whatever either side added survives and whatever either side
// deleted goes. The order is ours, with each line added elsewhere placed after the line that
// precedes it there (at the end when nothing does).
// `numbered`, when given, numbers these lines already.
LineMergeResult MergeLines(const std::vector<std::string_view>& base,
                           const std::vector<std::string_view>& mine,
                           const std::vector<std::string_view>& theirs,
                           const NumberedLines* numbered = nullptr);
LineMergeResult MergeLines(const std::vector<std::string>& base,
                           const std::vector<std::string>& mine,
                           const std::vector<std::string>& theirs);

// "Merged with changes made elsewhere: 2 tasks added, 1 removed, …"; the parts that are zero are
// left out.
Message MergeSummary(const LineMergeResult& result);

}  // namespace taskwell
