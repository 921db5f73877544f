#include "document/LineMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

namespace taskwell {
namespace {

using Lines = std::vector<std::string>;

// Lines are written as words: "a b" is the two lines "a" and "b".
Lines Words(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string word; in >> word;) lines.push_back(word);
  return lines;
}

struct MergeCase {
  const char* Name;
  std::string Base, Mine, Theirs, Expected;
  std::string Summary;  // after "Merged with changes made elsewhere"
};

TEST(MergeLines, KeepsEveryEditOfEitherSide) {
  const std::vector<MergeCase> cases = {
      {"add/add", "a b", "a m b", "a b t", "a m b t", ": 1 task added"},
      {"add/delete", "a b c", "a b c m", "a c", "a c m", ": 1 removed"},
      {"edit/edit of one task", "a b c", "a b1 c", "a b2 c", "a b2 b1 c",
       ": 1 task changed in both places (both versions kept)"},
      {"edit there only", "a b c", "a b c", "a b2 c", "a b2 c", ": 1 changed"},
      {"edit/delete", "a b c", "a b1 c", "a c", "a b1 c", ""},
      {"duplicates count", "x x y", "x y", "x x x y", "x x y", ": 1 task added"},
      {"the same addition on both sides", "a", "a m", "m a", "a m", ""},
      {"more of one addition on one side", "a", "a m m", "a m", "a m m", ""},
      {"reorder on one side only", "a b c", "a b c", "c a b", "a b c", ""},
      {"empty base", "", "m", "t", "m t", ": 1 task added"},
      {"emptied elsewhere", "a b", "a b m", "", "m", ": 2 removed"},
      {"emptied here", "a b", "", "a b t", "t", ": 1 task added"},
      {"addition at their top goes to the end", "a", "a m", "t a", "a m t", ": 1 task added"},
      {"a run of additions stays together", "a b", "a b", "a t1 t2 b", "a t1 t2 b",
       ": 2 tasks added"},
  };
  for (const MergeCase& c : cases) {
    const LineMergeResult result = MergeLines(Words(c.Base), Words(c.Mine), Words(c.Theirs));
    EXPECT_EQ(result.Lines, Words(c.Expected)) << c.Name;
    EXPECT_EQ(MergeSummary(result), "Merged with changes made elsewhere" + c.Summary) << c.Name;
  }
}

// Random base lists edited independently on two sides: what either side added and the other
// did not delete is there, and no base line deleted by either side is.
TEST(MergeLines, AdditionsSurviveAndDeletionsHold) {
  std::mt19937 random(7);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int round = 0; round < 2000; ++round) {
    Lines base;
    for (int i = pick(12); i > 0; --i) base.push_back("b" + std::to_string(pick(6)));
    const auto edit = [&](const std::string& side, Lines& added, Lines& deleted) {
      Lines lines = base;
      for (int i = pick(6); i > 0; --i) {
        const int op = pick(3);
        if (op == 0 && !lines.empty()) {
          const auto at = lines.begin() + pick(static_cast<int>(lines.size()));
          deleted.push_back(*at);
          lines.erase(at);
        } else if (op == 1) {
          const std::string line = side + std::to_string(round) + "-" + std::to_string(i);
          lines.insert(lines.begin() + pick(static_cast<int>(lines.size()) + 1), line);
          added.push_back(line);
        } else if (!lines.empty()) {
          std::swap(lines[static_cast<std::size_t>(pick(static_cast<int>(lines.size())))],
                    lines.back());
        }
      }
      return lines;
    };
    Lines mineAdded, mineDeleted, theirAdded, theirDeleted;
    const Lines mine = edit("m", mineAdded, mineDeleted);
    const Lines theirs = edit("t", theirAdded, theirDeleted);
    const LineMergeResult result = MergeLines(base, mine, theirs);
    const Lines& merged = result.Lines;
    // Each merged line names the line of its side it was taken from.
    ASSERT_EQ(result.Sources.size(), merged.size());
    for (std::size_t i = 0; i < merged.size(); ++i) {
      const MergedLineSource& source = result.Sources[i];
      EXPECT_EQ((source.Theirs ? theirs : mine).at(source.Index), merged[i]);
    }
    const auto count = [](const Lines& lines, const std::string& line) {
      return std::count(lines.begin(), lines.end(), line);
    };
    for (const Lines* added : {&mineAdded, &theirAdded}) {
      for (const std::string& line : *added) {
        if (count(mine, line) + count(theirs, line) > 0) {
          EXPECT_EQ(count(merged, line), 1) << line;
        }
      }
    }
    std::map<std::string, int> deleted;
    for (const Lines* side : {&mineDeleted, &theirDeleted}) {
      for (const std::string& line : *side) ++deleted[line];
    }
    for (const auto& [line, n] : deleted) {
      // Each deletion on either side takes one copy of the base's.
      EXPECT_LE(count(merged, line),
                std::max<long>(0, count(base, line) - std::max(count(mineDeleted, line),
                                                               count(theirDeleted, line))))
          << line;
    }
  }
}

}  // namespace
}  // namespace taskwell
