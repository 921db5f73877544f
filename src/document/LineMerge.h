#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// Three-way merge of task lines as multisets: each distinct line appears mine + theirs - base
// times, never fewer than zero, so whatever either side added survives and whatever either side
// deleted goes. The order is ours, with each line added elsewhere placed after the line that
// precedes it there (at the end when nothing does).
LineMergeResult MergeLines(const std::vector<std::string_view>& base,
                           const std::vector<std::string_view>& mine,
                           const std::vector<std::string_view>& theirs);
LineMergeResult MergeLines(const std::vector<std::string>& base,
                           const std::vector<std::string>& mine,
                           const std::vector<std::string>& theirs);

// "Merged with changes made elsewhere: 2 tasks added, 1 removed, …"; the parts that are zero are
// left out.
std::string MergeSummary(const LineMergeResult& result);

}  // namespace taskwell
