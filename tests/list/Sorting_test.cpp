#include "grid/ExchangeSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/ReferenceSort.h"

namespace taskwell::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// --- The fast order against the exchange procedure.

// Random keys over a few letters, so that equal keys and prefixes of other keys are common.
std::vector<std::string> RandomKeys(std::mt19937& random, int count, int letters,
                                    int maxLength = 2) {
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> letter(0, letters - 1);
  std::vector<std::string> keys;
  for (int i = 0; i < count; ++i) {
    std::string key;
    for (int n = length(random); n > 0; --n) key += static_cast<char>('a' + letter(random));
    keys.push_back(key);
  }
  return keys;
}

TEST(ExchangeSortOrder, MatchesTheExchangeProcedureOnRandomKeys) {
  std::mt19937 random(20260610);
  std::uniform_int_distribution<int> size(1, 300);
  std::uniform_int_distribution<int> letters(1, 4);
  for (int table = 0; table < 3000; ++table) {
    // Long keys over few letters share beginnings past the eight bytes compared at once.
    const auto keys = RandomKeys(random, size(random), letters(random), table % 2 == 0 ? 2 : 20);
    const int cursor =
        std::uniform_int_distribution<int>(0, static_cast<int>(keys.size()) - 1)(random);
    const ExchangeResult expected = ReferenceExchangeSort(keys, cursor);
    const auto order = ExchangeSortOrder(keys);
    ASSERT_EQ(order, expected.Order) << "table " << table;
    // The work shared by two threads, as a long table's is.
    if (table % 10 == 0) {
      ASSERT_EQ(ExchangeSortOrder(keys, 1), expected.Order) << "table " << table;
    }
    // The cursor follows its row through every exchange.
    ASSERT_EQ(std::find(order.begin(), order.end(), cursor) - order.begin(), expected.Cursor);
  }
  // Longer tables, with hundreds of keys that more than one row has, on one thread and on two.
  for (int table = 0; table < 10; ++table) {
    const auto keys = RandomKeys(random, 2000, 4, 6);
    const std::vector<int> expected = ReferenceExchangeSort(keys).Order;
    ASSERT_EQ(ExchangeSortOrder(keys), expected) << "long table " << table;
    ASSERT_EQ(ExchangeSortOrder(keys, 1), expected) << "long table " << table;
  }
}

// Keys in exchange order, then one key changed at a time: the order after each change, worked
// out from the key groups alone, is the one the exchange procedure gives on the whole table.
TEST(ExchangeOrderAfterChange, MatchesTheExchangeProcedureAfterEachSingleChange) {
  std::mt19937 random(10062026);
  for (int table = 0; table < 1500; ++table) {
    const int letters = std::uniform_int_distribution<int>(1, 4)(random);
    const int count = std::uniform_int_distribution<int>(1, 80)(random);
    std::vector<std::string> keys = RandomKeys(random, count, letters);
    std::vector<std::string> sorted;
    for (int from : ReferenceExchangeSort(keys).Order) sorted.push_back(keys[from]);
    keys = sorted;
    std::vector<int> groups(keys.size(), 0);
    for (std::size_t i = 1; i < keys.size(); ++i)
      groups[i] = groups[i - 1] + (keys[i] != keys[i - 1] ? 1 : 0);
    int nextGroup = groups.back() + 1;
    for (int change = 0; change < 12; ++change) {
      const int row = std::uniform_int_distribution<int>(0, count - 1)(random);
      keys[static_cast<std::size_t>(row)] = RandomKeys(random, 1, letters)[0];
      const int cursor = std::uniform_int_distribution<int>(0, count - 1)(random);
      const ExchangeResult expected = ReferenceExchangeSort(keys, cursor);
      int built = 0;
      std::vector<int> order = ExchangeOrderAfterChange(
          groups, row,
          [&](int i) {
            ++built;
            return keys[static_cast<std::size_t>(i)];
          },
          nextGroup);
      if (order.empty()) {
        order.resize(keys.size());
        std::iota(order.begin(), order.end(), 0);
      }
      ASSERT_EQ(order, expected.Order) << "table " << table << " change " << change;
      ASSERT_EQ(std::find(order.begin(), order.end(), cursor) - order.begin(), expected.Cursor);
      ASSERT_LE(built, 12);  // a handful of keys, never the whole table
      std::vector<std::string> moved;
      moved.reserve(keys.size());
      for (int from : order) moved.push_back(keys[static_cast<std::size_t>(from)]);
      keys = moved;
      for (std::size_t i = 1; i < keys.size(); ++i)
        ASSERT_EQ(groups[i] == groups[i - 1], keys[i] == keys[i - 1]) << "table " << table;
    }
  }
}

TEST(ExchangeSortOrder, HandlesTheBoundaryShapes) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"a"},
      {"b", "a"},
      {"a", "a", "a", "a"},
      {"d", "c", "b", "a"},
      {"b", "b", "b", "a", "a", "a"},
      {"z", "a", "z", "a", "z", "a", "z"},
      {"c", "a", "e", "c", "b", "d", "a", "f", "c", "g"},  // repeated keys amid keys of their own
      {"", "\xff", "\x7f", "\x80", "", "a"},               // bytes compare unsigned
      {"ab", "a", "abc", "a", "ab"},                       // a prefix sorts first
      // keys that agree on their first eight bytes, or differ only by zero bytes after them
      {"abcdefghb", "abcdefgh", "abcdefgha", std::string("a\0", 2), "a", std::string("a\0\0", 3),
       "abcdefgh", std::string("abcdefgh\0", 9)},
  };
  for (const auto& keys : cases) {
    EXPECT_EQ(ExchangeSortOrder(keys), ReferenceExchangeSort(keys).Order)
        << ::testing::PrintToString(keys);
  }
}

TEST(ExchangeSortOrder, GroupOfEqualKeysTurnsOncePerSmallerArrival) {
  // Three equal keys, then two smaller ones: the group turns twice, 0 1 2 -> 2 0 1.
  EXPECT_EQ(ExchangeSortOrder({"m", "m", "m", "a", "b"}), (std::vector<int>{3, 4, 2, 0, 1}));
}

// --- Sort keys.

struct KeyCase {
  std::vector<std::string> Cells;  // date, pri, subpri, description
  std::string Key;
};

TEST(BuildSortKey, DateModeOn27February2026) {
  const std::vector<KeyCase> cases = {
      {{"03/01/2026", "Sun", "", "x"}, "20260301     X"},
      {{"03/01/2026", "7", "", "x"}, "20260301     X"},  // a dated task ignores its priority
      {{"", "3", "", "x"}, "20260302     X"},
      {{"", "0", "", "x"}, "20260227     X"},
      {{"", "-1", "", "x"}, "20260226     X"},
      {{"", " 3 ", "", "x"}, "20260302     X"},
      {{"", "$A", "", "x"}, "20260309     X"},
      {{"", "", "", "x"}, "18991230     X"},
      {{"", "abc", "", "x"}, "18991230     X"},
      {{"", "Mon", "", "x"}, "18991230     X"},
      {{"5", "2", "", "x"}, "20260301     X"},  // a date that does not parse falls back
      {{"13/45/2026", "", "", "x"}, "18991230     X"},
      {{"12/30/1899", "3", "", "x"}, "20260302     X"},  // the zero date counts as none
      {{" 03/01/2026 ", "", "", "x"}, "20260301     X"},
      {{"", "99999999", "", "x"}, "99991231     X"},  // held at the calendar's ends
      {{"", "-99999999", "", "x"}, "00010101     X"},
      {{"03/01/2026", "Sun", "9", "x"}, "20260301    9X"},
      {{"03/01/2026", "Sun", "10", "x"}, "20260301   10X"},
      {{"03/01/2026", "Sun", "123456", "x"}, "20260301123456X"},
      {{"03/01/2026", "Sun", " 7", "x"}, "20260301    7X"},  // padded as it stands
      {{"03/01/2026", "Sun", "", "apple pie"}, "20260301     APPLE PIE"},
      {{"03/01/2026", "Sun", "", "caf\xc3\xa9 z"}, "20260301     CAF\xc3\xa9 Z"},
  };
  ListFixture f(Day(2026, 2, 27, 23.5));
  for (const auto& c : cases) {
    f.SetRows({c.Cells});
    EXPECT_EQ(ListTestAccess::BuildSortKey(f.List, 1), c.Key) << ::testing::PrintToString(c.Cells);
  }
}

TEST(BuildSortKey, TableDatesAreMonthFirstWhateverTheRegion) {
  RegionalSettings german;
  german.DateSeparator = '.';
  german.ShortDateFormat = "dd.mm.yyyy";
  ListFixture f(Day(2026, 2, 27), german);
  f.SetRows({{"03.01.2026", "So", "", "x"}});
  EXPECT_EQ(ListTestAccess::BuildSortKey(f.List, 1), "20260301     X");
}

TEST(BuildSortKey, DescriptionAndProjectModes) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "4", "7", "Buy milk"}}, true);
  ListTestAccess::SetSortMode(f.List, 2);
  EXPECT_EQ(ListTestAccess::BuildSortKey(f.List, 1), "BUY MILK");
  ListTestAccess::SetSortMode(f.List, 3);
  EXPECT_EQ(ListTestAccess::BuildSortKey(f.List, 1), "    7BUY MILK");
  ListTestAccess::SetSortMode(f.List, 1);
  EXPECT_EQ(ListTestAccess::BuildSortKey(f.List, 1), "20260610    4BUY MILK");
}

// --- Sorting the table.

TEST(SortTable, EqualKeysEndInTheExchangeOrderAndTheCursorFollows) {
  ListFixture f;
  f.SetRows({{"", "", "", "B"}, {"", "", "", "D"}, {"", "", "", "d"}, {"", "", "", "A"}});
  ListTestAccess::SetSortMode(f.List, 2);
  f.List.MoveCursor(0, 2);  // on D
  ListTestAccess::SortTable(f.List);
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"A", "B", "d", "D"}));
  EXPECT_EQ(f.List.Sorting().PendingRow, 4);
  EXPECT_EQ(f.List.Table().Row(), 2);  // the sort itself never moves the cursor
  f.List.CellPainted();
  EXPECT_EQ(f.List.Table().Row(), 4);
  EXPECT_EQ(f.List.Sorting().PendingRow, 0);
  EXPECT_FALSE(f.List.Table().HasDrawHook());
  EXPECT_TRUE(f.List.Table().HasSelectHandler());
}

struct OrderCase {
  const char* Name;
  int SortMode;
  Rows Table;
  std::vector<std::string> Expected;  // descriptions after the sort
};

TEST(SortTable, OrdersByTheKeyOfEachMode) {
  const std::vector<OrderCase> cases = {
      {"undated with priority 3 after 1 March",
       1,
       {{"", "3", "", "prio3"}, {"03/01/2026", "Sun", "", "dated"}},
       {"dated", "prio3"}},
      {"undated with priority 0 before 1 March",
       1,
       {{"03/01/2026", "Sun", "", "dated"}, {"", "0", "", "prio0"}},
       {"prio0", "dated"}},
      {"no usable priority before every date",
       1,
       {{"01/01/1900", "Mon", "", "old"}, {"", "abc", "", "abc"}, {"", "Mon", "", "mon"}},
       {"abc", "mon", "old"}},
      {"sub-priorities by padded text",
       1,
       {{"03/01/2026", "Sun", "123456", "big"},
        {"03/01/2026", "Sun", "10", "ten"},
        {"03/01/2026", "Sun", "9", "nine"},
        {"03/01/2026", "Sun", "", "none"}},
       {"none", "nine", "ten", "big"}},
      {"case-blind descriptions, shorter first",
       1,
       {{"", "", "", "apple pie"}, {"", "", "", "Apple"}, {"", "", "", "APPLE PIE"}},
       {"Apple", "apple pie", "APPLE PIE"}},
      {"description mode ignores dates",
       2,
       {{"01/01/2026", "Thu", "", "zebra"},
        {"", "", "", "mango"},
        {"12/31/2026", "Thu", "", "apple"}},
       {"apple", "mango", "zebra"}},
  };
  for (const auto& c : cases) {
    ListFixture f(Day(2026, 2, 27));
    f.SetRows(c.Table);
    ListTestAccess::SetSortMode(f.List, c.SortMode);
    ListTestAccess::SortTable(f.List);
    EXPECT_EQ(f.Descriptions(), c.Expected) << c.Name;
  }
}

TEST(SortTable, ProjectModeSortsByPaddedProjectNumber) {
  ListFixture f;
  f.SetRows({{"", "", "", "12", "b"}, {"", "", "", "3", "c"}, {"", "", "", "", "a"}}, true);
  ListTestAccess::SetSortMode(f.List, 3);
  ListTestAccess::SortTable(f.List);
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"a", "c", "b"}));
}

TEST(SortTable, KeepsTheHeaderAndTheTableShape) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}}, true);
  ListTestAccess::SetSortMode(f.List, 2);
  ListTestAccess::SortTable(f.List);
  EXPECT_EQ(f.RowCells(0),
            (std::vector<std::string>{"Date ", "Pri  ", "SubP ", "Proj ", "Description "}));
  EXPECT_EQ(f.List.Table().RowCount(), 3);
  EXPECT_EQ(f.List.Table().ColCount(), 5);
}

TEST(SortTable, NothingToMoveArmsNothing) {
  const std::vector<Rows> tables = {
      {{"", "", "", "only"}},
      {{"", "", "", "a"}, {"", "", "", "b"}, {"", "", "", "B"}},
  };
  for (const auto& table : tables) {
    ListFixture f;
    f.SetRows(table);
    ListTestAccess::SetSortMode(f.List, 2);
    ListTestAccess::SortTable(f.List);
    EXPECT_FALSE(f.List.Table().HasDrawHook());
    EXPECT_EQ(f.List.Sorting().PendingRow, 0);
  }
}

TEST(SortTable, FirstRequestAfterAnInsertionOnlyClearsTheFlag) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
  f.List.MoveCursor(f.List.Table().Col(), 2);
  f.List.AddButtonClick();  // the blank row lands at row 2
  ASSERT_TRUE(f.List.Sorting().SkipNext);
  f.List.GridMouseDown(f.List.Layout().DescCol(), 0);
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"b", "", "a"}));
  EXPECT_FALSE(f.List.Sorting().SkipNext);
  f.List.GridMouseDown(f.List.Layout().DescCol(), 0);
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"", "a", "b"}));
}

TEST(SortTable, WithoutFollowingTheHookMovesNothing) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
  ListTestAccess::SetSortMode(f.List, 2);
  ListTestAccess::SetFollowSortedRow(f.List, false);
  ListTestAccess::SortTable(f.List);
  EXPECT_EQ(f.List.Sorting().PendingRow, 0);
  ASSERT_TRUE(f.List.Table().HasDrawHook());
  f.List.CellPainted();
  EXPECT_EQ(f.List.Table().Row(), 1);
  EXPECT_FALSE(f.List.Table().HasDrawHook());
}

TEST(SortTable, RestoreHookMovesWithoutCommittingAndTheEditTravels) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
  f.List.MoveCursor(ToDoList::ColSubPri, f.List.Table().Row());
  f.List.TypeInCell(ToDoList::ColSubPri, 1, " 7 ");  // typed into task b, not yet committed
  ListTestAccess::SetSortMode(f.List, 2);
  ListTestAccess::SortTable(f.List);
  EXPECT_EQ(f.List.Sorting().PendingRow, 2);
  EXPECT_EQ(f.List.Edit().Row, 2);
  f.List.CellPainted();
  EXPECT_EQ(f.List.Table().Row(), 2);
  EXPECT_EQ(f.List.Table().Col(), ToDoList::ColSubPri);
  EXPECT_EQ(f.List.Table().Cell(ToDoList::ColSubPri, 2), " 7 ");  // no commit on the way
  EXPECT_TRUE(f.List.Table().HasSelectHandler());
  // The next real move commits the task that was edited, and only that one.
  f.List.MoveCursor(f.List.Table().Col(), 1);
  EXPECT_EQ(f.RowCells(1), (std::vector<std::string>{"", "", "", "a"}));
  EXPECT_EQ(f.RowCells(2), (std::vector<std::string>{"", "", "7", "b"}));
  // The hook acted once.
  f.List.CellPainted();
  EXPECT_EQ(f.List.Table().Row(), 1);
}

// Text typed into the cursor's cell after a sort, before the grid painted, is committed where it
// was typed before the cursor goes after its task.
TEST(SortTable, TextTypedBeforeThePaintIsCommittedWhereItWasTyped) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
  ListTestAccess::SetSortMode(f.List, 2);
  ListTestAccess::SetAutoSort(f.List, true);
  ASSERT_TRUE(f.Move(kDesc, 1));
  f.Type(kDesc, "d");
  ASSERT_TRUE(f.Move(kPri, 1));  // commits "d", which sorts after "a"
  f.Type(kPri, " 5 ");           // into task a, now in row 1, before the grid caught up
  f.List.CellPainted();
  EXPECT_EQ(f.Rows(), (std::vector<Cells>{{"", "5", "", "a"}, {"", "", "", "d"}}));
  EXPECT_EQ(f.List.Table().Row(), 2);
  EXPECT_EQ(f.List.Edit().OldText, "");
}

// --- The fast sort against the original routine on whole tables.

Rows RandomTable(std::mt19937& random, int rows) {
  const std::vector<std::string> dates = {"", "", "03/01/2026", "02/27/2026", "13/45/2026", " 5"};
  const std::vector<std::string> pris = {"", "0", "1", "-1", "Sun", "x"};
  const std::vector<std::string> subs = {"", "1", "2", "10"};
  const std::vector<std::string> descs = {"a", "A", "b", "", "a b", "B"};
  auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  Rows table;
  for (int r = 0; r < rows; ++r) {
    // The project cell tells rows with equal keys apart.
    table.push_back({pick(dates), pick(pris), pick(subs), std::to_string(r), pick(descs)});
  }
  return table;
}

// Sorts one list with the fast sort and its twin with the original routine: the same cells, the
// same cursor row to follow, and a cursor move armed exactly when the original moved a row.
void SortBothAndCompare(ListFixture& fast, ListFixture& slow, int rows, const std::string& where) {
  ListTestAccess::SortTable(fast.List);
  const bool moved = ReferenceSortTable(slow.List);
  for (int r = 0; r <= rows; ++r) ASSERT_EQ(fast.RowCells(r), slow.RowCells(r)) << where;
  ASSERT_EQ(fast.List.Sorting().PendingRow, slow.List.Sorting().PendingRow) << where;
  ASSERT_EQ(fast.List.Table().HasDrawHook(), moved) << where;
}

TEST(SortTable, MatchesTheOriginalRoutineOnRandomTables) {
  std::mt19937 random(27022026);
  for (int table = 0; table < 600; ++table) {
    const int rows = std::uniform_int_distribution<int>(1, 60)(random);
    const Rows cells = RandomTable(random, rows);
    const int cursor = std::uniform_int_distribution<int>(1, rows)(random);
    const int mode = std::uniform_int_distribution<int>(1, 3)(random);

    ListFixture fast(Day(2026, 2, 27));
    ListFixture slow(Day(2026, 2, 27));
    for (ListFixture* f : {&fast, &slow}) {
      f->SetRows(cells, true);
      ListTestAccess::DetachSelectHandler(f->List);
      f->List.MoveCursor(0, cursor);
      ListTestAccess::SetSortMode(f->List, mode);
    }
    ASSERT_NO_FATAL_FAILURE(SortBothAndCompare(fast, slow, rows, "table " + std::to_string(table)));
  }
}

// A sorted table edited one cell at a time, sorted after each edit as AutoSort does; now and then
// two rows change between sorts, or the mode changes.
TEST(SortTable, MatchesTheOriginalRoutineAfterEachEdit) {
  std::mt19937 random(11062026);
  const Rows values = RandomTable(random, 8);
  for (int table = 0; table < 150; ++table) {
    const int rows = std::uniform_int_distribution<int>(1, 40)(random);
    const Rows cells = RandomTable(random, rows);
    ListFixture fast(Day(2026, 2, 27));
    ListFixture slow(Day(2026, 2, 27));
    for (ListFixture* f : {&fast, &slow}) {
      f->SetRows(cells, true);
      ListTestAccess::DetachSelectHandler(f->List);
      ListTestAccess::SetSortMode(f->List, 1);
    }
    ListTestAccess::SortTable(fast.List);
    ReferenceSortTable(slow.List);
    for (int edit = 0; edit < 25; ++edit) {
      const int changes = std::uniform_int_distribution<int>(0, 9)(random) == 0 ? 2 : 1;
      for (int c = 0; c < changes; ++c) {
        const int row = std::uniform_int_distribution<int>(1, rows)(random);
        const int col = std::uniform_int_distribution<int>(0, 4)(random);
        const std::string& text = values[std::uniform_int_distribution<std::size_t>(0, 7)(random)]
                                        [static_cast<std::size_t>(col)];
        for (ListFixture* f : {&fast, &slow}) f->List.TypeInCell(col, row, text);
      }
      if (std::uniform_int_distribution<int>(0, 19)(random) == 0) {
        const int mode = std::uniform_int_distribution<int>(1, 3)(random);
        for (ListFixture* f : {&fast, &slow}) ListTestAccess::SetSortMode(f->List, mode);
      }
      const int cursor = std::uniform_int_distribution<int>(1, rows)(random);
      for (ListFixture* f : {&fast, &slow}) {
        f->List.MoveCursor(0, cursor);
        ListTestAccess::SetPendingRow(f->List, 0);
        ListTestAccess::Table(f->List).ClearDrawHook();
      }
      ASSERT_NO_FATAL_FAILURE(SortBothAndCompare(
          fast, slow, rows, "table " + std::to_string(table) + " edit " + std::to_string(edit)));
    }
  }
}

// --- The sort buttons.

TEST(SortButtons, SortOrderCyclesThroughTheModesThatExist) {
  struct Case {
    bool Project;
    std::vector<int> Modes;
    std::vector<std::string> Captions;
  };
  const std::vector<Case> cases = {
      {false, {2, 1, 2}, {"Sorted by Desc", "Sorted by Date", "Sorted by Desc"}},
      {true, {2, 3, 1}, {"Sorted by Desc", "Sorted by Proj", "Sorted by Date"}},
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows({{"", "", "", "", "x"}}, c.Project);
    for (std::size_t press = 0; press < c.Modes.size(); ++press) {
      f.List.SortOrderButtonClick();
      EXPECT_EQ(static_cast<int>(f.List.Sorting().Mode), c.Modes[press]);
      EXPECT_EQ(f.List.Buttons().SortOrderCaption, c.Captions[press]);
    }
    EXPECT_EQ(f.Ui.FocusCount, static_cast<int>(c.Modes.size()));
  }
}

TEST(SortButtons, SortOrderSortsOnlyWithAutoSort) {
  ListFixture f;
  f.SetRows({{"01/02/2026", "Fri", "", "a"}, {"01/01/2026", "Thu", "", "b"}});
  f.List.SortOrderButtonClick();  // to description order, no sort
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"a", "b"}));
  ListTestAccess::SetAutoSort(f.List, true);
  f.List.SortOrderButtonClick();  // back to dates, sorted
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"b", "a"}));
}

TEST(SortButtons, AutoSortTogglesCaptionAndSortNowButton) {
  ListFixture f;
  EXPECT_EQ(f.List.Buttons().AutoSortCaption, "AutoSort on");
  EXPECT_FALSE(f.List.Sorting().Auto);
  f.List.AutoSortButtonClick();
  EXPECT_TRUE(f.List.Sorting().Auto);
  EXPECT_EQ(f.List.Buttons().AutoSortCaption, "AutoSort on");
  EXPECT_FALSE(f.List.Buttons().SortVisible);
  f.List.AutoSortButtonClick();
  EXPECT_FALSE(f.List.Sorting().Auto);
  EXPECT_EQ(f.List.Buttons().AutoSortCaption, "AutoSort off");
  EXPECT_TRUE(f.List.Buttons().SortVisible);
}

TEST(SortButtons, SortNowSortsWithoutTouchingTheFocus) {
  ListFixture f;
  f.SetRows({{"01/02/2026", "Fri", "", "a"}, {"01/01/2026", "Thu", "", "b"}});
  f.List.SortButtonClick();
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(f.Ui.FocusCount, 0);
}

}  // namespace
}  // namespace taskwell::testing
