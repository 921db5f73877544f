#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "document/Errors.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell {
namespace {

using testing::Day;
using testing::FakePlatform;
using testing::ListFixture;

const std::string Heading = "Date" + std::string(8, ' ') + "Pri SubP Description ";
const std::string Rule = std::string(10, '-') + " ---- ---- " + std::string(50, '-');

// The task lines only, without title, empty line, heading and rule.
std::vector<std::string> TaskLines(const ToDoList& list, const PrintChoice& choice) {
  std::vector<std::string> lines = ListTestAccess::ReportLines(list, choice);
  return {lines.begin() + 4, lines.end()};
}

// The descriptions of the rows a page range lets through; they begin with "#" so that they are
// found behind cells of any length.
std::vector<std::string> Printed(ListFixture& f, int from, int to) {
  std::vector<std::string> descriptions;
  for (const std::string& line : TaskLines(f.List, {false, from, to})) {
    descriptions.push_back(line.substr(line.find('#') + 1));
  }
  return descriptions;
}

TEST(ReportLayout, BlankTableGivesTitleHeadingRuleAndOneEmptyTaskLine) {
  ListFixture f;
  f.SetRows({{"", "", "", ""}});
  const std::vector<std::string> lines = ListTestAccess::ReportLines(f.List, {});
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "List");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], Heading);
  EXPECT_EQ(lines[2].size(), 33u);
  EXPECT_EQ(lines[3], Rule);
  EXPECT_EQ(lines[3].size(), 71u);
  EXPECT_EQ(lines[4], std::string(21, ' '));
}

TEST(ReportLayout, TaskLinesKeepFixedColumnsAndNeverCut) {
  struct Case {
    std::vector<std::string> Cells;
    std::string Line;
  };
  const std::vector<Case> cases = {
      {{"01/10/2006", "Tue", "", "Club night"}, "01/10/2006  Tue      Club night"},
      {{"", "3", "12", "Buy paint"}, std::string(14, ' ') + "3   12 Buy paint"},
      // Cells are printed untrimmed; an over-long one pushes the rest to the right.
      {{" 1/2/2026", "12345", "1.25", " x "}, " 1/2/2026  12345 1.25  x "},
      {{"", "", "", "a, \"b\""}, std::string(21, ' ') + "a, \"b\""},
      // Widths count characters, so a two-byte weekday still takes four columns.
      {{"06/10/2026", "Mié", "", "d"}, "06/10/2026  Mié      d"},
  };
  for (const Case& c : cases) {
    ListFixture f;
    f.SetRows({c.Cells});
    EXPECT_EQ(TaskLines(f.List, {}), std::vector<std::string>{c.Line}) << c.Cells[3];
  }
}

TEST(ReportLayout, ProjectColumnAddsAGroupEverywhere) {
  ListFixture f;
  f.SetRows({{"", "3", "12", "7", "Buy paint"}, {"01/10/2006", "Tue", "", "1234", "Club"}}, true);
  const std::vector<std::string> lines = ListTestAccess::ReportLines(f.List, {});
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "Date" + std::string(8, ' ') + "Pri SubP Proj Description ");
  EXPECT_EQ(lines[3], std::string(10, '-') + " ---- ---- ---- " + std::string(50, '-'));
  EXPECT_EQ(lines[4], std::string(14, ' ') + "3   12    7 Buy paint");
  EXPECT_EQ(lines[5], "01/10/2006  Tue      1234 Club");
}

TEST(ReportFilter, PrintingEverythingIgnoresDates) {
  ListFixture f;
  f.SetRows({{"01/10/2006", "Tue", "", "#old"}, {"", "900", "", "#far"}, {"bad", "x", "", "#odd"}});
  EXPECT_EQ(Printed(f, 0, 0), std::vector<std::string>{"odd"});
  EXPECT_EQ(TaskLines(f.List, {true, 5, 5}).size(), 3u);
}

TEST(ReportFilter, TodayOnlyBeforeNoon) {
  ListFixture f(Day(2026, 6, 10, 9.0));
  f.SetRows({
      {"06/10/2026", "Wed", "", "#today"},
      {"06/11/2026", "Thu", "", "#tomorrow"},
      {"06/09/2026", "Tue", "", "#yesterday"},
      {"06/08/2026", "Mon", "", "#two days ago"},
      {" 06/10/2026 ", " Wed", "", "#today, padded"},
      {"", "0", "", "#priority 0"},
      {"", "", "", "#no priority"},
      {"", "soon", "", "#priority not a number"},
      {"", "1", "", "#priority 1"},
      {"", "-1", "", "#priority -1"},
      {"31/12/2026", "1", "", "#day-first date is no date"},
      {"12/30/1899", "Sat", "", "#zero date"},
  });
  EXPECT_EQ(Printed(f, 0, 0), (std::vector<std::string>{
                                  "today",
                                  "yesterday",
                                  "today, padded",
                                  "priority 0",
                                  "no priority",
                                  "priority not a number",
                                  "zero date",
                              }));
}

TEST(ReportFilter, OneToSevenDaysAtThreeInTheAfternoon) {
  ListFixture f(Day(2026, 6, 10, 15.0));
  f.SetRows({
      {"06/10/2026", "Wed", "", "#today"},
      {"06/11/2026", "Thu", "", "#tomorrow"},
      {"06/12/2026", "Fri", "", "#in two days"},
      {"06/18/2026", "Thu", "", "#in eight days"},
      {"06/19/2026", "Fri", "", "#in nine days"},
      {"06/09/2026", "Tue", "", "#yesterday"},
      {"", "1", "", "#priority 1"},
      {"", " 7 ", "", "#priority 7"},
      {"", "8", "", "#priority 8"},
      {"", "$7", "", "#priority hex 7"},
      {"", "2.5", "", "#priority 2.5"},
      {"", "", "", "#no priority"},
      {"12/30/1899", "5", "", "#zero date, priority 5"},
      {"13/01/2026", "3", "", "#bad date, priority 3"},
  });
  EXPECT_EQ(Printed(f, 1, 7), (std::vector<std::string>{
                                  "in two days",
                                  "in eight days",
                                  "priority 1",
                                  "priority 7",
                                  "priority hex 7",
                                  "zero date, priority 5",
                                  "bad date, priority 3",
                              }));
}

TEST(ReportFilter, TableDatesReadMonthFirstWhateverTheRegion) {
  ListFixture f(Day(2026, 6, 10), testing::GermanSettings());
  f.SetRows({{"06.11.2026", "Do", "", "#11 June"}, {"11.06.2026", "Fr", "", "#6 November"}});
  EXPECT_EQ(Printed(f, 1, 1), std::vector<std::string>{"11 June"});
}

TEST(PrintTasks, PrintsTheReportAsOneJobNamedAfterTheList) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "today"}, {"06/20/2026", "Sat", "", "later"}});
  f.Ui.NextChoice = {false, 0, 0};
  f.List.PrintButtonClick();
  ASSERT_EQ(f.Ui.Jobs.size(), 1u);
  EXPECT_EQ(f.Ui.Jobs[0].Name, "List");
  EXPECT_TRUE(f.Ui.Jobs[0].Closed);
  EXPECT_EQ(f.Ui.Jobs[0].Lines, ListTestAccess::ReportLines(f.List, {false, 0, 0}));
  EXPECT_EQ(f.Ui.Jobs[0].Lines.size(), 5u);
  EXPECT_TRUE(f.Ui.Messages.empty());
  EXPECT_TRUE(f.Ui.Errors.empty());
}

TEST(PrintTasks, RangeStartsAtZeroAndTheAllOrRangeChoiceCarriesOver) {
  ListFixture f;
  f.SetRows({{"", "", "", "task"}});
  const std::vector<PrintChoice> answers = {{false, 1, 7}, {false, 3, 4}, {true, 0, 0}};
  for (const PrintChoice& answer : answers) {
    f.Ui.NextChoice = answer;
    ListTestAccess::PrintTasks(f.List);
  }
  f.Ui.PrintDialogResult = false;
  ListTestAccess::PrintTasks(f.List);  // cancelled: the choice stays as last confirmed
  ListTestAccess::PrintTasks(f.List);
  ASSERT_EQ(f.Ui.PrintDialogShown.size(), 5u);
  const std::vector<bool> presetAll = {true, false, false, true, true};
  for (std::size_t i = 0; i < presetAll.size(); ++i) {
    EXPECT_EQ(f.Ui.PrintDialogShown[i].PrintAll, presetAll[i]) << i;
    EXPECT_EQ(f.Ui.PrintDialogShown[i].From, 0) << i;
    EXPECT_EQ(f.Ui.PrintDialogShown[i].To, 0) << i;
  }
  EXPECT_EQ(f.Ui.Jobs.size(), 3u);
}

TEST(PrintTasks, CancelPrintsAndReportsNothing) {
  ListFixture f;
  f.SetRows({{"", "", "", "task"}});
  f.Ui.PrintDialogResult = false;
  EXPECT_TRUE(f.List.Guarded([&] { f.List.PrintButtonClick(); }));
  EXPECT_TRUE(f.Ui.Jobs.empty());
  EXPECT_TRUE(f.Ui.Errors.empty());
  EXPECT_TRUE(f.Ui.Messages.empty());
}

TEST(PrintTasks, LeavesTheTableAsItWas) {
  ListFixture f;
  f.SetRows({{"06/11/2026", "Thu", "2", "b"}, {"", "3", "", "a"}});
  const std::vector<std::vector<std::string>> before = {f.RowCells(1), f.RowCells(2)};
  const int row = f.List.Table().Row();
  f.Ui.NextChoice = {false, 1, 1};
  ListTestAccess::PrintTasks(f.List);
  EXPECT_EQ(f.RowCells(1), before[0]);
  EXPECT_EQ(f.RowCells(2), before[1]);
  EXPECT_EQ(f.List.Table().Row(), row);
}

// A printing service that fails once, where the test says, then works again.
class FailingPlatform : public FakePlatform {
 public:
  enum class Failure { None, Open, Write, Close };
  Failure Next = Failure::None;

  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override {
    const Failure failure = std::exchange(Next, Failure::None);
    if (failure == Failure::Open) throw std::runtime_error("No printer is available");
    auto inner = FakePlatform::OpenPrinter(jobName);
    if (failure == Failure::None) return inner;
    return std::make_unique<Broken>(std::move(inner), failure);
  }

 private:
  class Broken : public PrinterTextStream {
   public:
    Broken(std::unique_ptr<PrinterTextStream> inner, Failure failure)
        : Inner(std::move(inner)), When(failure) {}
    void WriteLine(std::string_view line) override {
      if (When == Failure::Write) throw EInOutError(101);
      Inner->WriteLine(line);
    }
    void Close() override {
      if (When == Failure::Close) throw std::runtime_error("The print job failed");
      Inner->Close();
    }

   private:
    std::unique_ptr<PrinterTextStream> Inner;
    Failure When;
  };
};

TEST(PrintTasks, AFailingPrinterIsReportedAndTheNextPrintStartsAfresh) {
  struct Case {
    FailingPlatform::Failure Failure;
    std::string Report;
  };
  const std::vector<Case> cases = {
      {FailingPlatform::Failure::Open, "No printer is available."},
      {FailingPlatform::Failure::Write, "I/O error 101."},
      {FailingPlatform::Failure::Close, "The print job failed."},
  };
  for (const Case& c : cases) {
    FixedClock clock(Day(2026, 6, 10));
    FailingPlatform ui;
    ToDoList list(ui, DateFormat({}, clock));
    list.FormCreate("/nonexistent-taskwell-test/Chores.todo", "/nonexistent-home");
    ui.Next = c.Failure;
    EXPECT_FALSE(list.Guarded([&] { list.PrintButtonClick(); }));
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_EQ(ui.Errors[0].Caption, "Chores");
    EXPECT_EQ(ui.Errors[0].Text, c.Report);

    EXPECT_TRUE(list.Guarded([&] { list.PrintButtonClick(); }));
    ASSERT_FALSE(ui.Jobs.empty());
    EXPECT_TRUE(ui.Jobs.back().Closed);
    EXPECT_EQ(ui.Jobs.back().Lines, ListTestAccess::ReportLines(list, {}));
    EXPECT_EQ(ui.Errors.size(), 1u);
  }
}

}  // namespace
}  // namespace taskwell
