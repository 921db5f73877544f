#include "grid/CellSortKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "document/Text.h"
#include "grid/ExchangeSort.h"

namespace taskwell {
namespace {

// Keys read from cells against the same keys built as strings (head, then the description
// upper-cased), whose order the exchange procedure's tests pin down: descriptions that tie for
// many eight-byte steps, bytes on both sides of a to z and past 0x7F, empty descriptions, and
// heads from none to longer than eight bytes.
TEST(CellSortKeys, ReadInPlaceTheyOrderAsTheBuiltKeys) {
  std::mt19937 random(9122026);
  static const std::string kBytes = std::string("aAzZ`{@[ ") + "\xe9\xc3\x80\xff" + '\0';
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const auto text = [&](std::size_t maxLength, bool shared) {
    std::string t = shared ? std::string(8 * pick(4), 'a') : "";
    for (std::size_t n = pick(maxLength + 1); n > 0; --n) t += kBytes[pick(kBytes.size())];
    return t;
  };
  for (int table = 0; table < 400; ++table) {
    const int count = static_cast<int>(1 + pick(120));
    const bool withHeads = table % 2 == 1;
    TaskRows rows;
    rows.push_back({"header", "Description"});
    SortKeyBuffer heads;
    std::vector<std::string> built;
    for (int i = 0; i < count; ++i) {
      const std::string head = withHeads ? text(12, false) : "";
      const std::string description = text(table % 3 == 0 ? 3 : 20, pick(2) == 0);
      rows.push_back({"x", description});
      heads.Text() += head;
      heads.End();
      built.push_back(head + UpperAscii(description));
    }
    const CellSortKeys keys(rows, 1, count, 1, withHeads ? &heads : nullptr);
    std::vector<int> groups;
    const std::vector<int> order = ExchangeSortOrder(keys, &groups);
    ASSERT_EQ(order, ExchangeSortOrder(built)) << "table " << table;
    for (int p = 0; p < count; ++p) {
      const auto at = static_cast<std::size_t>(p);
      const std::string& key = built[static_cast<std::size_t>(order[at])];
      const bool newGroup = p > 0 && key != built[static_cast<std::size_t>(order[at - 1])];
      ASSERT_EQ(groups[at], p == 0 ? 0 : groups[at - 1] + (newGroup ? 1 : 0)) << "table " << table;
      const int other = static_cast<int>(pick(static_cast<std::size_t>(count)));
      const int expected = key.compare(built[static_cast<std::size_t>(other)]);
      const int got = keys.Compare(order[at], other);
      ASSERT_EQ(got < 0, expected < 0) << "table " << table;
      ASSERT_EQ(got == 0, expected == 0) << "table " << table;
    }
  }
}

// A long table is sorted in two parts on two threads: the keys still come out in order, and every
// run of equal keys is one group, whichever part its keys were sorted in.
TEST(CellSortKeys, ALongTableSortedInTwoPartsKeepsEveryGroupWhole) {
  std::mt19937 random(9122027);
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  constexpr int kCount = 150000;
  TaskRows rows;
  rows.push_back({"header", "Description"});
  std::vector<std::string> built;
  for (int i = 0; i < kCount; ++i) {
    // Few first words, so that one part holds far more than the other, and long ties.
    std::string description = std::string(pick(3) * 9, 'c') + "abcd"[pick(4)];
    for (std::size_t n = pick(4); n > 0; --n) description += "aB"[pick(2)];
    rows.push_back({"x", description});
    built.push_back(UpperAscii(description));
  }
  std::vector<int> groups;
  const std::vector<int> order = ExchangeSortOrder(CellSortKeys(rows, 1, kCount, 1), &groups);
  std::vector<bool> seen(kCount, false);
  for (std::size_t p = 0; p < order.size(); ++p) {
    seen[static_cast<std::size_t>(order[p])] = true;
    if (p == 0) continue;
    const std::string& key = built[static_cast<std::size_t>(order[p])];
    const std::string& before = built[static_cast<std::size_t>(order[p - 1])];
    ASSERT_LE(before, key) << "position " << p;
    ASSERT_EQ(groups[p], groups[p - 1] + (key == before ? 0 : 1)) << "position " << p;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), kCount);
}

}  // namespace
}  // namespace taskwell
