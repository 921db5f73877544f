// Random sessions of typing, moves and commands: a task the session never touched stays exactly
// as it was, under every regional order.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "support/FakePlatform.h"

namespace taskwell::testing {
namespace {

struct Session {
  Session(std::uint32_t seed, const RegionalSettings& regional)
      : Random(seed), F(Day(2026, 6, 10), regional) {}

  std::mt19937 Random;
  ListFixture F;
  std::map<std::string, std::vector<std::string>> Untouched;  // by description tag

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random); }

  void Build() {
    std::vector<std::vector<std::string>> rows;
    const int count = 2 + Pick(8);
    for (int i = 0; i < count; ++i) {
      const std::string tag = "t" + std::to_string(i);
      const double date = EncodeDate(2026, 1 + Pick(12), 1 + Pick(28));
      const bool dated = Pick(3) != 0;
      rows.push_back({dated ? F.Dates.FormatDateText(date) : "",
                      dated ? F.Dates.WeekdayText(date) : std::to_string(Pick(5)),
                      Pick(2) != 0 ? std::to_string(Pick(9)) : "",
                      Pick(3) == 0 ? ":weekly " + tag : tag});
    }
    F.SetRows(rows);
    for (const auto& row : rows) Untouched[Tag(row[kDesc])] = row;
  }

  static std::string Tag(std::string_view description) {
    return std::string(description.substr(description.rfind(' ') + 1));
  }

  void Touch(int row) { Untouched.erase(Tag(F.List.Table().Cell(kDesc, row))); }

  std::string TypedText(int col) {
    const double date = EncodeDate(2026, 1 + Pick(12), 1 + Pick(28));
    const std::vector<std::string> dates = {"5",
                                            "15 Jan",
                                            "xyz",
                                            "",
                                            "13/45/2026",
                                            "  ",
                                            F.Dates.FormatDateText(date),
                                            F.Dates.ShortDateText(date)};
    const std::vector<std::string> numbers = {"3", "high", "", "2,5", "2.5", " 7 "};
    if (col == 0) return dates[static_cast<std::size_t>(Pick(static_cast<int>(dates.size())))];
    if (col < kDesc)
      return numbers[static_cast<std::size_t>(Pick(static_cast<int>(numbers.size())))];
    return "typed" + std::to_string(Pick(100));
  }

  // A button that changes the task on `row`, run once the pending edit is committed and while
  // the table has at least `minRowCount` rows, header included.
  void PressOnTask(int row, void (ToDoList::*button)(), int minRowCount = 0) {
    ToDoList& list = F.List;
    if (!list.Guarded([&] { list.GridExit(); }) || list.Table().RowCount() < minRowCount) return;
    Touch(row);
    list.Guarded([&] { (list.*button)(); });
  }

  void Step() {
    ToDoList& list = F.List;
    const int row = list.Table().Row();
    const int col = list.Table().Col();
    switch (Pick(9)) {
      case 0:
      case 1:
        Touch(row);
        list.TypeInCell(col, row, TypedText(col));
        break;
      case 2:
        list.Guarded([&] { list.MoveCursor((col + 1) % 4, row); });
        break;
      case 3:
        list.Guarded([&] { list.MoveCursor(col, 1 + Pick(list.Table().RowCount() - 1)); });
        break;
      case 4:
        list.Guarded([&] { list.GridExit(); });
        list.Guarded([&] { list.AddButtonClick(); });
        break;
      case 5:
        PressOnTask(row, &ToDoList::ReplicateButtonClick);
        break;
      case 6:
        PressOnTask(row, &ToDoList::DeleteButtonClick, 3);
        break;
      case 7:
        PressOnTask(row, &ToDoList::IncrementButtonClick);
        break;
      default:
        list.GridKeyUp(kEscapeKey);
        break;
    }
  }

  void ExpectUntouchedKept(int step) {
    std::map<std::string, int> seen;
    for (int r = 1; r < F.List.Table().RowCount(); ++r) {
      const std::string tag = Tag(F.List.Table().Cell(kDesc, r));
      const auto it = Untouched.find(tag);
      if (it == Untouched.end()) continue;
      ++seen[tag];
      ASSERT_EQ(F.RowCells(r), it->second) << "step " << step << ", row " << r;
    }
    for (const auto& [tag, cells] : Untouched) {
      ASSERT_EQ(seen[tag], 1) << "step " << step << ": " << tag;
    }
  }
};

TEST(TypingSequence, TasksTheSessionDidNotTouchStayExactlyAsTheyWere) {
  for (const char* locale : {"C", "de_DE.UTF-8", "fr_FR.UTF-8", "sv_SE.UTF-8"}) {
    const RegionalSettings regional = LocaleSettings(locale);
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
      SCOPED_TRACE(std::string(locale) + " seed " + std::to_string(seed));
      Session session(seed, regional);
      session.Build();
      for (int step = 0; step < 40; ++step) {
        session.Step();
        session.ExpectUntouchedKept(step);
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace taskwell::testing
