#include "document/TaskRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace taskwell {
namespace {

using Reference = std::vector<TaskCells>;

// Random edits on the flat rows and on plain vectors side by side: after each, both hold the same
// text. Long texts make the waste pass the compaction threshold many times over, and texts taken
// from the rows' own cells check that a growing arena never reads a moved cell. Some texts lie in
// bytes the rows borrowed, as a loaded file's descriptions do, and are borrowed again after each
// compaction has copied them.
TEST(TaskRows, RandomEditsMatchPlainVectorsThroughCompactions) {
  std::mt19937 random(26);
  const auto pick = [&random](std::size_t n) {
    return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
  };
  std::string file;
  for (int i = 0; i < 4000; ++i) file += static_cast<char>('A' + pick(26));
  const auto borrowed = std::make_shared<const std::string>(std::move(file));
  TaskRows rows;
  const auto text = [&]() -> std::string_view {
    static std::string made;
    if (pick(4) == 0) {
      rows.Borrow(borrowed);
      const std::size_t at = pick(borrowed->size());
      return std::string_view(*borrowed).substr(at, pick(3000));
    }
    const std::size_t length = pick(8) == 0 ? 20000 + pick(2000) : pick(12);
    made.assign(length, static_cast<char>('a' + pick(26)));
    return made;
  };
  const auto cellsOf = [&](std::size_t count) {
    TaskCells cells(count);
    for (std::string& cell : cells) cell = text();
    return cells;
  };
  Reference ref;
  const std::vector<std::string> keptTexts = {"07/06/2026", "Mon", "3"};
  std::vector<RowView::Span> kept;
  bool compacted = false;
  for (int step = 0; step < 3000; ++step) {
    const std::size_t wasteBefore = rows.WasteBytes();
    switch (ref.empty() ? 0 : pick(9)) {
      case 0: {
        TaskCells cells = cellsOf(pick(6));
        if (cells.empty() || pick(2) == 0) {
          rows.push_back(cells);
        } else {
          // A row as the load adds it: every cell but one names text kept once for many rows.
          // A room with text apart keeps its own, which its end moves behind the rest.
          const bool apart = pick(3) == 0;
          TaskRows::Room room = rows.AddRoom(1, cells.size(), apart);
          std::vector<RowView::Span> ownKept;
          std::vector<RowView::Span>& keptHere = apart ? ownKept : kept;
          if (keptHere.empty()) {
            for (const std::string& t : keptTexts) keptHere.push_back(room.Keep(t));
          }
          std::vector<RowView::Span> spans;
          for (std::string& cell : cells) {
            const std::size_t k = pick(keptHere.size());
            spans.push_back(keptHere[k]);
            cell = keptTexts[k];
          }
          const std::size_t textCol = pick(cells.size());
          const std::string_view t = text();
          cells[textCol] = t;
          room.push_back(spans, textCol, t);
          rows.EndRoom(room);
        }
        ref.push_back(cells);
        break;
      }
      case 1:
      case 2: {
        const std::size_t r = pick(ref.size());
        if (ref[r].empty()) break;
        const std::size_t c = pick(ref[r].size());
        const std::size_t fromRow = pick(ref.size());
        if (pick(2) == 0 && !ref[fromRow].empty()) {
          rows.Set(r, c, rows[fromRow][0]);
          ref[r][c] = std::string(ref[fromRow][0]);
        } else {
          const std::string_view t = text();
          rows.Set(r, c, t);
          ref[r][c] = t;
        }
        break;
      }
      case 3: {
        const std::size_t r = pick(ref.size() + 1);
        const std::size_t count = pick(6);
        rows.InsertEmptyRow(r, count);
        ref.insert(ref.begin() + static_cast<std::ptrdiff_t>(r), TaskCells(count));
        break;
      }
      case 4: {
        const std::size_t r = pick(ref.size());
        rows.Erase(r);
        ref.erase(ref.begin() + static_cast<std::ptrdiff_t>(r));
        break;
      }
      case 5: {
        std::vector<int> order(pick(ref.size() + 1));
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random);
        rows.Permute(order);
        const Reference was = ref;
        for (std::size_t i = 0; i < order.size(); ++i)
          ref[i] = was[static_cast<std::size_t>(order[i])];
        break;
      }
      case 6: {
        const std::size_t r = pick(ref.size());
        const std::size_t from = pick(ref.size());
        rows.SetRow(r, rows[from]);
        ref[r] = ref[from];
        break;
      }
      case 7: {
        const std::size_t count = pick(6);
        rows.Fit(count);
        for (TaskCells& cells : ref) cells.resize(count);
        break;
      }
      default: {
        const std::size_t r = pick(ref.size() + 1);
        TaskRows taken = rows.TakeFrom(r);
        ASSERT_EQ(taken.ToVectors(),
                  Reference(ref.begin() + static_cast<std::ptrdiff_t>(r), ref.end()));
        rows.Append(std::move(taken));
        break;
      }
    }
    // Kept text moves with a compaction, and with the arena handed over by TakeFrom and Append.
    if (rows.WasteBytes() < wasteBefore || rows.WasteBytes() == 0) kept.clear();
    compacted = compacted || rows.WasteBytes() < wasteBefore;
    ASSERT_EQ(rows.ToVectors(), ref) << "step " << step;
  }
  EXPECT_TRUE(compacted);
  const TaskRows copy = rows;
  rows.Compact();
  EXPECT_EQ(rows.WasteBytes(), 0U);
  EXPECT_TRUE(rows == copy);
  // The compacted rows hold none of the borrowed bytes; the copy still does.
  EXPECT_LT(rows.MemoryBytes() + borrowed->size(), copy.MemoryBytes());
  rows.Convert([](std::string_view cell) { return std::string(cell) + "!"; });
  for (TaskCells& cells : ref) {
    for (std::string& cell : cells) cell += "!";
  }
  EXPECT_EQ(rows.ToVectors(), ref);
}

// Rows that borrow one file's bytes move to another's: a last cell found there is named there,
// every other borrowed text is copied, and the first bytes are let go.
TEST(TaskRows, MoveBorrowedKeepsEveryText) {
  auto first = std::make_shared<const std::string>("alpha beta gamma delta");
  auto second = std::make_shared<const std::string>("--gamma--alpha");
  const std::string_view in(*first);
  TaskRows rows{{"head"}};
  rows.Borrow(first);
  for (const auto& [a, b] : {std::pair{0, 11}, std::pair{6, 17}, std::pair{11, 0}}) {
    rows.AddEmptyRow(2);
    rows.Set(rows.size() - 1, 0, in.substr(static_cast<std::size_t>(a), 5));
    rows.Set(rows.size() - 1, 1, in.substr(static_cast<std::size_t>(b), 5));
  }
  const Reference before = rows.ToVectors();
  std::vector<std::size_t> asked;
  rows.MoveBorrowed(second, [&](std::size_t row, RowView cells) {
    asked.push_back(row);
    return cells[cells.size() - 1] == "gamma" ? std::size_t{2} : std::string::npos;
  });
  EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_EQ(rows.ToVectors(), before);
  EXPECT_EQ(rows[1][1].data(), second->data() + 2);
  EXPECT_EQ(first.use_count(), 1);
}

// Shuffles the rows as a sort does, then compacts them in row order: every row is the one the
// order named, every cell keeps its text, and no dead text is left.
void ShuffleAndCompactInRowOrder(TaskRows& rows, std::mt19937& random) {
  std::vector<int> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), random);
  const Reference original = rows.ToVectors();
  Reference shuffled;
  for (const int from : order) shuffled.push_back(original[static_cast<std::size_t>(from)]);
  rows.Permute(order);
  ASSERT_EQ(rows.ToVectors(), shuffled);
  rows.CompactInRowOrder();
  ASSERT_EQ(rows.ToVectors(), shuffled);
  EXPECT_EQ(rows.WasteBytes(), 0U);
}

// Rows reordered, then laid out in row order again: the same cells, the text in reading order,
// whether every row has its own run of cells (the runs move in place) or rows have come, gone and
// been replaced.
TEST(TaskRows, CompactInRowOrderKeepsTheCellsAndReadsInOrder) {
  std::mt19937 random(2027);
  for (int table = 0; table < 200; ++table) {
    const std::size_t count = std::uniform_int_distribution<std::size_t>(0, 60)(random);
    TaskRows rows;
    // Every fourth table as a load fills it: the first cell names one date text kept once, and
    // most descriptions lie in the file's bytes, which the rows borrow.
    const bool loaded = table % 4 == 3;
    std::string file;
    for (std::size_t r = 0; r < count; ++r) file += "desc" + std::to_string(r) + "\n";
    auto borrowed = std::make_shared<const std::string>(std::move(file));
    if (loaded) {
      rows.Borrow(borrowed);
      TaskRows::Room room = rows.AddRoom(count, 3, table % 8 == 7);
      const std::array<RowView::Span, 3> kept{room.Keep("07/06/2026"), {}, {}};
      for (std::size_t r = 0, at = 0; r < count; ++r) {
        const std::size_t end = borrowed->find('\n', at);
        const std::string_view line = std::string_view(*borrowed).substr(at, end - at);
        at = end + 1;
        room.push_back(kept, 2, r % 5 == 0 ? std::string(line) : line);
      }
      rows.EndRoom(room);
    }
    for (std::size_t r = 0; !loaded && r < count; ++r)
      rows.push_back({std::to_string(r), r % 3 == 0 ? "" : "x" + std::to_string(r), "desc"});
    if (table % 3 == 1 && count > 1) rows.Erase(count / 2);
    if (table % 3 == 2) rows.InsertEmptyRow(0, 3);
    // An edited row takes a new run of cells, and a row of another width lays them out unevenly.
    if (table % 5 == 1 && count > 2) rows.SetRow(count / 3, TaskCells{"e", "", "edited"});
    if (table % 7 == 3) rows.InsertEmptyRow(rows.size() / 2, 2);
    SCOPED_TRACE("table " + std::to_string(table));
    ASSERT_NO_FATAL_FAILURE(ShuffleAndCompactInRowOrder(rows, random));
    // The compaction copied every borrowed text and let the file's bytes go.
    EXPECT_EQ(borrowed.use_count(), 1);
    // A pass over the rows reads forward: through the descriptions, and through the other cells.
    std::array<const char*, 2> last{};
    std::set<const char*> dates;
    for (const RowView row : rows) {
      for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string_view cell = row[c];
        if (cell.empty()) continue;
        if (loaded && cell == "07/06/2026") {
          dates.insert(cell.data());
          continue;
        }
        const char*& before = last[c + 1 == row.size() ? 1 : 0];
        ASSERT_TRUE(before == nullptr || cell.data() > before) << "table " << table;
        before = cell.data();
      }
    }
    // The shared text stays shared: one copy for all its cells.
    EXPECT_LE(dates.size(), 1U) << "table " << table;
  }
}

// A table long enough for its records to be reordered, and its new arena made ready, on a
// second thread, with descriptions that name one text: each is copied on its own, past the
// room the live text asked for.
TEST(TaskRows, CompactInRowOrderOfALongTableWithSharedDescriptions) {
  std::mt19937 random(1012);
  TaskRows rows;
  constexpr std::size_t kRows = 140000;
  for (std::size_t r = 0; r < kRows; ++r)
    rows.push_back({std::to_string(r % 31), "", std::string(30, 'a') + std::to_string(r)});
  for (std::size_t r = 10; r < kRows; r += 10) rows.Set(r, 2, rows[0][2]);
  ShuffleAndCompactInRowOrder(rows, random);
}

}  // namespace
}  // namespace taskwell

namespace taskwell {
namespace {

// Rooms filled side by side, on two threads, the second with its text apart: whatever each filled
// stays in order, room not filled leaves nothing behind, and a dropped room takes the rooms after
// it. Edits and a compaction afterwards see ordinary rows.
TEST(TaskRows, RoomsFilledSideBySideBecomeOrdinaryRows) {
  for (const int filledSecond : {0, 3, 40}) {
    for (const bool dropSecond : {false, true}) {
      TaskRows rows{{"h1", "h2", "h3"}};
      auto file = std::make_shared<const std::string>("borrowed text");
      rows.Borrow(file);
      Reference expected = rows.ToVectors();
      TaskRows::Room first = rows.AddRoom(30, 3, false);
      TaskRows::Room second = rows.AddRoom(50, 3, true);
      const auto fill = [&file](TaskRows::Room& room, int count, const std::string& name) {
        const std::array<RowView::Span, 3> kept{room.Keep(name + " day"), {}, {}};
        for (int r = 0; r < count; ++r) {
          if (r % 4 == 3) {
            room.push_back(TaskCells{name, std::to_string(r), ""});
          } else {
            room.push_back(kept, 2,
                           r % 2 == 0 ? std::string_view(*file) : name + std::to_string(r));
          }
        }
      };
      std::thread beside([&] { fill(second, filledSecond, "second"); });
      fill(first, 30, "first");
      beside.join();
      rows.EndRoom(first);
      if (dropSecond) {
        rows.DropRoom(second);
      } else {
        rows.EndRoom(second);
      }
      for (const auto& [name, count] : {std::pair{"first", 30}, {"second", filledSecond}}) {
        if (dropSecond && std::string(name) == "second") break;
        for (int r = 0; r < count; ++r) {
          expected.push_back(r % 4 == 3 ? TaskCells{name, std::to_string(r), ""}
                                        : TaskCells{std::string(name) + " day", "",
                                                    r % 2 == 0 ? *file : name + std::to_string(r)});
        }
      }
      SCOPED_TRACE(std::to_string(filledSecond) + (dropSecond ? " dropped" : ""));
      ASSERT_EQ(rows.ToVectors(), expected);
      rows.Set(1, 0, "edited");
      expected[1][0] = "edited";
      rows.Compact();
      EXPECT_EQ(rows.ToVectors(), expected);
    }
  }
}

}  // namespace
}  // namespace taskwell
