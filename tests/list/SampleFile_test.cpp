// The shipped sample task file: it must load cleanly, save back byte for byte, and keep showing
// every feature that the manual points readers to.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "document/Calendar.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = fs::path(TASKWELL_TEST_DATA) / ".." / ".." / "examples" / "sample.todo";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SampleFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kSample)) << kSample;
    std::string pattern = (fs::temp_directory_path() / "taskwell-sample-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Folder = pattern;
    Copy = Folder / "sample.todo";
    fs::copy_file(kSample, Copy);
    ListTestAccess::SetTaskFileName(F.List, Copy.string());
    ASSERT_NO_THROW(ListTestAccess::InitTaskTable(F.List));
    ASSERT_TRUE(F.Ui.Errors.empty());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  bool AnyDescription(const std::function<bool(const std::string&)>& test) const {
    const auto all = F.Descriptions();
    return std::any_of(all.begin(), all.end(), test);
  }

  ListFixture F;  // 10 June 2026, so the sample's two-digit years land in this century
  fs::path Folder;
  fs::path Copy;
};

TEST_F(SampleFileTest, SavesBackTheSameBytes) {
  F.List.SaveTaskFile();
  EXPECT_EQ(ReadBytes(Copy), ReadBytes(kSample));
  EXPECT_FALSE(fs::exists(F.List.File().BackupName()));
}

TEST_F(SampleFileTest, LoadsIntoTheColumnsItMeans) {
  ASSERT_TRUE(F.List.Layout().HasProjCol());
  ASSERT_EQ(F.List.Layout().DescCol(), 4);
  struct Case {
    int Row;
    std::vector<std::string> Cells;
  };
  const std::vector<Case> cases = {
      {1, {"06/10/2026", "Wed", "1", "", "Order a 3\" hose clamp, two washers and wood glue"}},
      {2, {"06/10/2026", "Wed", "2.5", "", "Call the bank, ask about the new fees"}},
      {4, {"06/15/2026", "Mon", "1", "101", ":weekly Staff meeting, room 4"}},
      {8, {"07/01/2026", "Wed", "", "102", ":monthly::1FRI-2 Prepare the monthly report"}},
      {13, {"03/01/2027", "Mon", "", "", ":annual Renew the car insurance"}},
      {14, {"", "0", "", "", "Sort out the loft (priority 0 sorts as if due today)"}},
      {17, {"", "2", "2", "", "Book a table at Caf\xC3\xA9 Lumi\xC3\xA8re for Anna's birthday"}},
  };
  for (const Case& c : cases) EXPECT_EQ(F.RowCells(c.Row), c.Cells) << "row " << c.Row;
}

TEST_F(SampleFileTest, ShowsEveryFeature) {
  const auto repeats = [](const std::string& word) {
    return [word](const std::string& d) {
      return d.rfind(":" + word + " ", 0) == 0 || d.rfind(":" + word + ":", 0) == 0;
    };
  };
  const auto contains = [](const std::string& part) {
    return [part](const std::string& d) { return d.find(part) != std::string::npos; };
  };
  const struct {
    const char* Feature;
    std::function<bool(const std::string&)> Test;
  } descriptionFeatures[] = {
      {"daily", repeats("daily")},
      {"weekly", repeats("weekly")},
      {"biweekly", repeats("biweekly")},
      {"monthly", repeats("monthly")},
      {"bimonthly", repeats("bimonthly")},
      {"quarterly", repeats("quarterly")},
      {"semiannual", repeats("semiannual")},
      {"annual", repeats("annual")},
      {"end date", [](const std::string& d) { return d[0] == ':' && d.find(":12/31/") != d.npos; }},
      {"n-th weekday", contains("::2TUE ")},
      {"n-th weekday with offset", contains("::1FRI-2 ")},
      {"copy drops a leading dash", contains(" - ")},
      {"comma", contains(",")},
      {"double quote", contains("\"")},
      {"web address after a word",
       [](const std::string& d) { return d.find(" https://") != d.npos; }},
      {"document path first", [](const std::string& d) { return d[0] == '/'; }},
      {"non-ASCII text",
       [](const std::string& d) {
         return std::any_of(d.begin(), d.end(), [](char ch) { return ch & 0x80; });
       }},
  };
  for (const auto& feature : descriptionFeatures) {
    EXPECT_TRUE(AnyDescription(feature.Test)) << feature.Feature;
  }

  const auto anyCell = [this](int col, const std::function<bool(int row)>& test) {
    for (int r = 1; r < F.List.Table().RowCount(); ++r) {
      if (!F.List.Table().Cell(col, r).empty() && test(r)) return true;
    }
    return false;
  };
  const auto undated = [this](int r) { return F.List.Table().Cell(ToDoList::ColDate, r).empty(); };
  EXPECT_TRUE(anyCell(ToDoList::ColPri, undated)) << "undated task with a priority";
  EXPECT_TRUE(anyCell(ToDoList::ColSubPri, undated)) << "undated task with a sub-priority";
  EXPECT_TRUE(anyCell(ToDoList::ColSubPri, [&](int r) { return !undated(r); }))
      << "dated sub-priority";
  EXPECT_TRUE(anyCell(ToDoList::ColProj, [](int) { return true; })) << "project number";
}

// A pinned task must already sit on its pinned day, or the sample teaches the rule wrongly.
TEST_F(SampleFileTest, PinnedTasksSitOnTheirWeekday) {
  const std::string weekdays = "SUNMONTUEWEDTHUFRISAT";
  int pinned = 0;
  for (int r = 1; r < F.List.Table().RowCount(); ++r) {
    const std::string_view d = F.List.Table().Cell(F.List.Layout().DescCol(), r);
    if (d.rfind(':', 0) != 0) continue;
    // The header's third ":" field, if any, is the pinned day.
    const std::string header(d.substr(1, d.find(' ') - 1));
    const std::size_t second = header.find(':', header.find(':') + 1);
    if (header.find(':') == std::string::npos || second == std::string::npos) continue;
    const std::string rule = header.substr(second + 1);
    ++pinned;
    const int nth = rule[0] - '0';
    const int weekday = static_cast<int>(weekdays.find(rule.substr(1, 3))) / 3 + 1;
    const int offset = rule.size() > 4 ? std::stoi(rule.substr(4)) : 0;
    const double pinnedDay =
        F.Dates.ParseTableDate(F.List.Table().Cell(ToDoList::ColDate, r)) - offset;
    EXPECT_EQ(DayOfWeek(pinnedDay), weekday) << d;
    EXPECT_EQ((DecodeDate(pinnedDay).Day - 1) / 7 + 1, nth) << d;
  }
  EXPECT_EQ(pinned, 3);
}

TEST_F(SampleFileTest, EveryRepeatRuleIncrementsWithoutComplaint) {
  for (int r = 1; r < F.List.Table().RowCount(); ++r) {
    if (F.List.Table().Cell(F.List.Layout().DescCol(), r).rfind(':', 0) != 0) continue;
    F.List.MoveCursor(F.List.Table().Col(), r);
    F.List.Guarded([&] { F.List.IncrementButtonClick(); });
  }
  EXPECT_TRUE(F.Ui.Messages.empty())
      << F.Ui.Messages.front().Caption << ": " << F.Ui.Messages.front().Text;
  EXPECT_TRUE(F.Ui.Errors.empty());
}

}  // namespace
}  // namespace taskwell::testing
