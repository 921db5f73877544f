#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"
#include "list/EarlyLoad.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::DataFile;
using testing::Day;
using testing::DropToNobody;
using testing::GermanSettings;
using testing::ListFixture;
using testing::ReadBytes;
using testing::RunInChild;
using testing::TempDir;
using testing::WriteBytes;

using Rows = std::vector<std::vector<std::string>>;

const std::string kHeader = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";
const std::string kProjectHeader =
    "\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Description\"\r\n";

// A task list whose task file lives in a private folder.
struct FileFixture {
  explicit FileFixture(RegionalSettings regional = {}) : F(Day(2026, 6, 10), std::move(regional)) {
    ListTestAccess::SetTaskFileName(F.List, Path);
  }

  // Builds the table from the file as it is, read on the list's thread or, when Early, first on
  // a thread of its own as the program reads a large list.
  void Init() {
    if (!Early) return ListTestAccess::InitTaskTable(F.List);
    EarlyLoad early(F.Dates, Path, 0);
    F.List.FormCreate(Path, "", &early);
  }
  // The text of the load's failure, or "".
  std::string Load() {
    try {
      Init();
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }
  std::string Load(const std::string& bytes) {
    WriteBytes(Path, bytes);
    return Load();
  }
  std::string Save() {
    F.List.SaveTaskFile();
    return ReadBytes(Path);
  }
  Rows Table() const { return F.Rows(); }

  TempDir Dir;
  std::string Path = Dir.Path("List.todo");
  ListFixture F;
  bool Early = false;
};

// The tables of what a load gives hold whether the file is read early or not.
class TaskFileLoads : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(ReadEarlyOrNot, TaskFileLoads, ::testing::Bool());

TEST_P(TaskFileLoads, FixturesGiveTheirTables) {
  struct Case {
    std::string Fixture;
    Rows Table;
    bool Project = false;
    std::string Report{};  // part of the load's report; none when empty
  };
  const Rows example = {{"07/06/2009", "Mon", "2", "Call the bank"},
                        {"", "3", "", "Tidy the garage"}};
  const std::vector<Case> cases = {
      {"crlf", example},
      {"lf", example},
      {"cr", example},
      {"empty", {{"", "", "", ""}}},
      {"header_only", {{"", "", "", ""}}},
      {"quoted",
       {{"07/06/2009", "Mon", "2", "Call, then write"},
        {"", "3", "", "He said \"hi\" twice"},
        {"", "4", "", "Cut"}},
       false,
       "has text after its description that the list cannot show: here\" rest"},
      {"unterminated_quote", {{"", "3", "", "No closing quote, ever"}, {"", "", "", "Next task"}}},
      {"ctrlz",
       {{"07/06/2009", "Mon", "2", "Call the bank"}},
       false,
       "goes on after a Ctrl+Z character in line 3."},
      {"ctrlz_end", example},
      {"lone_cr", {{"", "3", "", "first\rsecond"}, example[0], example[1]}},
      {"surplus_fields",
       {{"07/06/2026", "Mon", "2", "Call Bob, Alice and Carol"},
        {"", "1", "", "Buy paint"},
        {"", "2", "", "Walk"}},
       false,
       "Line 3 of"},
      {"project_marker",
       {{"07/06/2009", "Mon", "2", "", "Call the bank"}, {"", "3", "", "", "Tidy the garage"}},
       true},
      {"project_header",
       {{"07/06/2009", "Mon", "2", "12", "Call the bank"}, {"", "3", "", "", "Tidy the garage"}},
       true},
      // Missing fields read as empty, an empty line is an empty row; extra ones are reported.
      {"fields",
       {{"07/06/2009", "Mon", "", ""}, {"", "1", "2", "Extra"}, {"", "", "", ""}},
       false,
       "cannot show: x,y."},
      {"day_numbers",
       {{"07/06/2009", "Mon", "", "Day number"},
        {"07/06/2009", "Mon", "", "With a fraction"},
        {"", "5", "", "Zero date"}}},
      {"latin1", {{"", "1", "", "Caf\xE9 au lait"}}},
      {"bom", {{"", "1", "", "Caf\xC3\xA9 cr\xC3\xA8me"}}},
  };
  for (const Case& c : cases) {
    FileFixture f;
    f.Early = GetParam();
    const std::string report = f.Load(DataFile("taskfile_" + c.Fixture + ".todo"));
    if (c.Report.empty()) {
      EXPECT_EQ(report, "") << c.Fixture;
    } else {
      EXPECT_NE(report.find(c.Report), std::string::npos) << report;
      EXPECT_NE(report.find(f.Path + ".bak."), std::string::npos) << report;
    }
    EXPECT_EQ(f.Table(), c.Table) << c.Fixture;
    EXPECT_EQ(f.F.List.File().LoadWasPartial(), !c.Report.empty()) << c.Fixture;
    EXPECT_EQ(f.F.List.Layout().HasProjCol(), c.Project) << c.Fixture;
    EXPECT_EQ(f.F.List.Layout().DescCol(), c.Project ? 4 : 3) << c.Fixture;
  }
}

TEST(TaskFileLoad, PriorityCellFollowsTheDateAndTheField) {
  FileFixture f;
  f.Load(kHeader +
         ",0,,\"a\"\r\n,0.0,0,\"b\"\r\n,,2.50,\"c\"\r\n7/4/26,5,,\"d\"\r\n,-1.5,-2,\"e\"\r\n");
  EXPECT_EQ(f.Table(), (Rows{{"", "0", "", "a"},
                             {"", "0", "", "b"},
                             {"", "", "2.5", "c"},
                             {"07/04/2026", "Sat", "", "d"},
                             {"", "-1.5", "-2", "e"}}));
}

TEST(TaskFileSave, WritesTheFileForm) {
  struct Case {
    std::string Name;
    Rows Table;
    std::string Lines;  // after the header
  };
  const std::vector<Case> cases = {
      {"example",
       {{"07/06/2009", "Mon", "2", "Call the bank"},
        {"", "3", "", "Tidy the garage"},
        {"07/08/2009", "Wed", "", ""}},
       "7/6/09,,2,\"Call the bank\"\r\n,3,,\"Tidy the garage\"\r\n"},
      {"priority of a dated task", {{"07/06/2009", "5", "", "x"}}, "7/6/09,,,\"x\"\r\n"},
      {"priority zero", {{"", "0", "0", "x"}}, ",0,,\"x\"\r\n"},
      {"priority zero trimmed", {{"", " 0 ", "", "x"}}, ",0,,\"x\"\r\n"},
      {"priority 0.0", {{"", "0.0", "", "x"}}, ",,,\"x\"\r\n"},
      {"priority 00", {{"", "00", "", "x"}}, ",,,\"x\"\r\n"},
      {"numbers", {{"", "2.50", "2.50", "x"}}, ",2.5,2.5,\"x\"\r\n"},
      {"not numbers", {{"", "abc", "abc", "x"}}, ",,,\"x\"\r\n"},
      {"comma in description", {{"", "", "", "Buy nails, screws"}}, ",,,\"Buy nails, screws\"\r\n"},
      {"blanks kept", {{"", "", "", "  padded  "}}, ",,,\"  padded  \"\r\n"},
      {"blank description", {{"07/06/2009", "Mon", "", " \t "}}, ""},
      {"control characters are content", {{"", "1", "", " \x01 "}}, ",1,,\" \x01 \"\r\n"},
      {"undated priority of an unreadable date", {{"15 Jan", "3", "", "x"}}, ",3,,\"x\"\r\n"},
      {"zero date", {{"12/30/1899", "Sat", "", "x"}}, ",,,\"x\"\r\n"},
  };
  Rows all;
  std::string allLines;
  for (const Case& c : cases) {
    FileFixture f;
    f.F.SetRows(c.Table);
    EXPECT_EQ(f.Save(), kHeader + c.Lines) << c.Name;
    all.insert(all.end(), c.Table.begin(), c.Table.end());
    allLines += c.Lines;
  }
  // All in one list, twice over: a cell text met before, in its own column or another, still
  // gives its own column's field.
  const Rows once = all;
  all.insert(all.end(), once.begin(), once.end());
  FileFixture together;
  together.F.SetRows(all);
  EXPECT_EQ(together.Save(), kHeader + allLines + allLines);
  FileFixture f;
  f.F.SetRows({{"", "1", "", "7", "x"}, {"", "", "", "0", "y"}}, true);
  EXPECT_EQ(f.Save(), kProjectHeader + ",1,,7,\"x\"\r\n,,,,\"y\"\r\n");
}

TEST(TaskFileRoundTrip, WhatIsSavedLoadsBack) {
  FileFixture f;
  f.F.SetRows({{"07/06/2009", "5", "", "  Call, the bank  "}, {"", "3", "1.25", "Tidy"}});
  f.Save();
  EXPECT_EQ(f.Load(), "");
  // Blanks around a description do not survive; the weekday comes back in place of 5.
  EXPECT_EQ(f.Table(),
            (Rows{{"07/06/2009", "Mon", "", "Call, the bank"}, {"", "3", "1.25", "Tidy"}}));
}

TEST(TaskFileRoundTrip, ExtraEmptyLineAndProjectMarkerSettleOnTheNextSave) {
  FileFixture f;
  f.Load(DataFile("taskfile_fields.todo"));
  // The empty row goes, and so does the first task, which has no description.
  EXPECT_EQ(f.Save(), kHeader + ",1,2,\"Extra\"\r\n");
  FileFixture g;
  g.Load(DataFile("taskfile_project_marker.todo"));
  EXPECT_EQ(g.Save(),
            kProjectHeader + "7/6/09,,2,,\"Call the bank\"\r\n,3,,,\"Tidy the garage\"\r\n");
}

TEST(TaskFileRoundTrip, DatesOutsideTheTwoDigitWindowKeepTheirYear) {
  FileFixture f;
  const Rows table = {{"02/29/2000", "Tue", "", "leap day a century apart from a common year"},
                      {"07/06/2005", "Wed", "", "a year before the window"},
                      {"01/01/2105", "Thu", "", "last year of the window"},
                      {"01/01/0050", "Sat", "", "first century"}};
  f.F.SetRows(table);
  EXPECT_EQ(f.Save(), kHeader +
                          "2/29/2000,,,\"leap day a century apart from a common year\"\r\n"
                          "7/6/2005,,,\"a year before the window\"\r\n"
                          "1/1/05,,,\"last year of the window\"\r\n"
                          "1/1/0050,,,\"first century\"\r\n");
  EXPECT_EQ(f.Load(), "");
  EXPECT_EQ(f.Table(), table);
}

TEST(TaskFileRoundTrip, DateFieldsInOtherForms) {
  // A dash may come from a day-first region: no date unless the region writes dashes itself.
  for (const std::string field : {"7-6-2009", "2009-07-06"}) {
    FileFixture f;
    const std::string failure =
        f.Load(kHeader + ",1,,\"before\"\r\n" + field + ",,,\"a\"\r\n,2,,\"after\"\r\n");
    EXPECT_EQ(failure.rfind("'" + field + "' is not a valid date.", 0), 0u) << failure;
    EXPECT_EQ(f.Table(), (Rows{{"", "1", "", "before"}, {"", "", "", ""}}));
  }
}

// --- Faults of the classic program that this one mends.

TEST(TaskFileQuotes, DoubleQuoteInADescriptionSurvives) {
  FileFixture f;
  f.F.SetRows({{"", "", "", "Say \"hi\" to \"Bob\""}, {"", "", "", "\"quoted\""}});
  EXPECT_EQ(f.Save(),
            kHeader + ",,,\"Say \"\"hi\"\" to \"\"Bob\"\"\"\r\n,,,\"\"\"quoted\"\"\"\r\n");
  f.Load();
  EXPECT_EQ(f.F.Column(3), (std::vector<std::string>{"Say \"hi\" to \"Bob\"", "\"quoted\""}));
}

TEST(TaskFilePartialLoad, OriginalIsKeptAsBackupBeforeTheFirstOverwrite) {
  FileFixture f;
  const std::string original = DataFile("taskfile_broken_fields.todo");
  const std::string failure = f.Load(original);
  EXPECT_NE(failure.find("'abc' is not a valid floating point value."), std::string::npos);
  EXPECT_NE(failure.find(f.Path + ".bak"), std::string::npos) << failure;
  // Rows read before the bad field stay.
  EXPECT_EQ(f.Table(), (Rows{{"07/06/2009", "Mon", "2", "Call the bank"}, {"", "", "", ""}}));
  EXPECT_FALSE(std::filesystem::exists(f.Path + ".bak")) << "nothing is written before a save";

  f.Save();
  EXPECT_EQ(ReadBytes(f.Path + ".bak"), original);
  EXPECT_EQ(ReadBytes(f.Path), kHeader + "7/6/09,,2,\"Call the bank\"\r\n");
  // Later saves leave the backup alone.
  f.F.List.TypeInCell(3, 1, "Changed");
  f.Save();
  EXPECT_EQ(ReadBytes(f.Path + ".bak"), original);
}

TEST(TaskFilePartialLoad, BackupOfALinkedFileHoldsTheOriginalBytes) {
  FileFixture f;
  const std::string original = DataFile("taskfile_broken_fields.todo");
  const std::string real = f.Dir.Path("real.todo");
  WriteBytes(real, original);
  std::filesystem::create_symlink(real, f.Path);
  EXPECT_NE(f.Load(), "");
  f.Save();
  EXPECT_EQ(ReadBytes(f.Path + ".bak"), original);
  EXPECT_TRUE(std::filesystem::is_symlink(f.Path));
  EXPECT_EQ(ReadBytes(real), kHeader + "7/6/09,,2,\"Call the bank\"\r\n");
}

TEST(TaskFileRegional, DecimalCommaIsQuotedAndReadBack) {
  FileFixture f(GermanSettings());
  f.F.SetRows({{"", "2,5", "1,25", "x"}, {"", "3", "", "y"}});
  EXPECT_EQ(f.Save(), kHeader + ",\"2,5\",\"1,25\",\"x\"\r\n,3,,\"y\"\r\n");
  EXPECT_EQ(f.Load(), "");
  EXPECT_EQ(f.Table(), (Rows{{"", "2,5", "1,25", "x"}, {"", "3", "", "y"}}));
}

TEST(TaskFileRegional, TableDatesAreMonthFirstUnderDayMonthYearSettings) {
  RegionalSettings german = GermanSettings();
  german.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  FileFixture f(german);
  // 4 July and 25 December; read day-first, the first would be 7 April and the second no date.
  f.F.SetRows({{"07.04.2026", "Sa", "", "x"}, {"12.25.2026", "Fr", "", "y"}});
  EXPECT_EQ(f.Save(), kHeader + "04.07.2026,,,\"x\"\r\n25.12.2026,,,\"y\"\r\n");
  EXPECT_EQ(f.Load(), "");
  EXPECT_EQ(f.Table(), (Rows{{"07.04.2026", "Sa", "", "x"}, {"12.25.2026", "Fr", "", "y"}}));
}

// Only a file worth the thread is read early, and what was read is taken only by a list of that
// file read by the same date rules.
TEST(EarlyLoad, ReadsOnlyALargeEnoughFileForTheSameList) {
  FileFixture f;
  WriteBytes(f.Path, DataFile("taskfile_crlf.todo"));
  const std::string folder = f.Dir.Path("folder");
  std::filesystem::create_directory(folder);
  const std::uintmax_t size = std::filesystem::file_size(f.Path);
  DateFormat otherYears = f.F.Dates;
  otherYears.TwoDigitYearWindow = 50;
  struct Case {
    std::string Name;
    std::uintmax_t FromSize;
    std::string Asked;
    const DateFormat* Dates;
    bool Reads;
  };
  for (const Case& c : std::vector<Case>{{f.Path, size, f.Path, &f.F.Dates, true},
                                         {f.Path, size + 1, f.Path, &f.F.Dates, false},
                                         {folder, 0, folder, &f.F.Dates, false},
                                         {f.Path, 0, f.Dir.Path("other.todo"), &f.F.Dates, false},
                                         {f.Path, 0, f.Path, &otherYears, false}}) {
    EarlyLoad early(f.F.Dates, c.Name, c.FromSize);
    EXPECT_EQ(early.Reads(c.Asked, *c.Dates), c.Reads) << c.Name << " " << c.FromSize;
  }
}

TEST_P(TaskFileLoads, UntouchedFilesSaveByteForByte) {
  struct Case {
    std::string Fixture;
    bool Utf8;
  };
  for (const Case& c : std::vector<Case>{{"crlf", true}, {"latin1", false}, {"bom", true}}) {
    FileFixture f;
    f.Early = GetParam();
    const std::string original = DataFile("taskfile_" + c.Fixture + ".todo");
    EXPECT_EQ(f.Load(original), "");
    EXPECT_EQ(f.F.List.File().TextIsUtf8(), c.Utf8) << c.Fixture;
    EXPECT_FALSE(f.F.List.Sync().HasUnsavedChanges()) << c.Fixture;
    EXPECT_EQ(f.Save(), original) << c.Fixture;
  }
  FileFixture f;
  f.Load(DataFile("taskfile_lf.todo"));
  EXPECT_EQ(f.Save(), DataFile("taskfile_crlf.todo"));
}

TEST_P(TaskFileLoads, AFailedLoadLeavesAUsableTableAndTheFailureComesAfter) {
  struct Case {
    std::string Name;
    std::string Bytes;  // empty: a folder stands where the file should be
    std::string Failure;
    bool Project;
  };
  const std::vector<Case> cases = {
      {"bad field", DataFile("taskfile_broken_fields.todo"),
       "'abc' is not a valid floating point value.", false},
      {"bad first date", kHeader + "99/99/99,,,\"x\"\r\n", "'99/99/99' is not a valid date.",
       false},
      {"marker then a bad field", "PROJECT\r\n" + kHeader + ",x,,\"y\"\r\n",
       "'x' is not a valid floating point value.", true},
      {"unreadable", "", "Cannot read ", false},
  };
  for (const Case& c : cases) {
    FileFixture f;
    f.Early = GetParam();
    if (c.Bytes.empty()) {
      std::filesystem::create_directory(f.Path);
    } else {
      WriteBytes(f.Path, c.Bytes);
    }
    ASSERT_FALSE(f.F.List.Guarded([&] { f.Init(); })) << c.Name;
    const ToDoList& list = f.F.List;
    ASSERT_EQ(f.F.Ui.Errors.size(), 1u) << c.Name;
    EXPECT_EQ(f.F.Ui.Errors[0].Text.rfind(c.Failure, 0), 0u) << f.F.Ui.Errors[0].Text;
    EXPECT_EQ(f.F.Ui.Errors[0].Caption, "List");
    EXPECT_EQ(list.Layout().HasProjCol(), c.Project) << c.Name;
    EXPECT_EQ(list.Table().ColCount(), c.Project ? 5 : 4) << c.Name;
    EXPECT_EQ(f.F.RowCells(0),
              c.Project
                  ? (std::vector<std::string>{"Date ", "Pri  ", "SubP ", "Proj ", "Description "})
                  : (std::vector<std::string>{"Date ", "Pri  ", "SubP ", "Description "}))
        << c.Name;
    EXPECT_GE(list.Table().RowCount(), 2) << c.Name;
    EXPECT_EQ(list.Table().Row(), 1);
    EXPECT_EQ(list.Table().Col(), 0);
    EXPECT_EQ(list.Table().FixedRows(), 1);
    EXPECT_TRUE(list.Table().HasSelectHandler());
    EXPECT_TRUE(list.Table().HasSelectHandler());
    for (int col = 0; col < list.Table().ColCount(); ++col)
      EXPECT_GT(list.Table().ColWidth(col), 0) << c.Name;
  }
}

// --- Saving never damages the file it replaces.

// Loads the example, changes a task and tries to save where saving must fail; the old file stays
// as it was and the table keeps the change.
void ExpectFailedSaveKeepsEverything(FileFixture& f, const std::function<void()>& breakIt,
                                     const std::string& failure) {
  const std::string original = DataFile("taskfile_crlf.todo");
  ASSERT_EQ(f.Load(original), "");
  f.F.List.TypeInCell(3, 2, "Changed");
  breakIt();
  const int code = RunInChild([&] {
    if (!DropToNobody()) return 2;
    try {
      f.F.List.SaveTaskFile();
    } catch (const EInOutError& e) {
      return std::string(e.what()) == failure ? 0 : 3;
    }
    return 4;
  });
  EXPECT_EQ(code, 0) << failure;
  EXPECT_EQ(f.F.List.Table().Cell(3, 2), "Changed");
  if (std::filesystem::exists(f.Path)) {
    EXPECT_EQ(ReadBytes(f.Path), original);
  }
}

TEST(TaskFileSafeSave, FailuresLeaveTheOldFileAndTheTable) {
  {
    FileFixture f;
    ::chmod(f.Dir.Root.c_str(), 0755);
    ExpectFailedSaveKeepsEverything(
        f,
        [&] {
          ::chmod(f.Path.c_str(), 0666);
          ::chmod(f.Dir.Root.c_str(), 0555);
        },
        "Cannot save " + f.Path + ": permission denied");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Dir.Root), {}), 1);
  }
  {
    FileFixture f;
    ExpectFailedSaveKeepsEverything(
        f, [&] { std::filesystem::remove_all(f.Dir.Root); },
        "Cannot save " + f.Path + ": the folder " + f.Dir.Root.string() + " does not exist");
    std::filesystem::create_directory(f.Dir.Root);
  }
}

TEST(TaskFileSafeSave, FullDiskLeavesTheOldFile) {
  FileFixture f;
  const std::string original = DataFile("taskfile_crlf.todo");
  ASSERT_EQ(f.Load(original), "");
  ListTestAccess::Table(f.F.List).SetRowCount(200);
  for (int r = 1; r < f.F.List.Table().RowCount(); ++r) f.F.List.TypeInCell(3, r, "A longer task");
  const int code = RunInChild([&] {
    const struct rlimit limit { 64, 64 };
    ::signal(SIGXFSZ, SIG_IGN);
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    try {
      f.F.List.SaveTaskFile();
    } catch (const EInOutError& e) {
      return std::string(e.what()) == "Cannot save " + f.Path + ": the file is too large" ? 0 : 3;
    }
    return 4;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(f.Path), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Dir.Root), {}), 1)
      << "no temporary file is left behind";
}

TEST(TaskFileSafeSave, RunningOutOfMemoryNamesTheFileAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow memory needs more room than any limit leaves";
#endif
  FileFixture f;
  const std::string original = DataFile("taskfile_crlf.todo");
  ASSERT_EQ(f.Load(original), "");
  ListTestAccess::Table(f.F.List).SetRowCount(20000);
  for (int r = 1; r < f.F.List.Table().RowCount(); ++r)
    f.F.List.TypeInCell(3, r, std::string(100, 'x'));
  const int code = RunInChild([&] {
    // Room for what is there now, not for the 2 MB a save would build.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const auto bytes = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE) + (1 << 20));
    const struct rlimit limit { bytes, bytes };
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return 2;
    try {
      f.F.List.SaveTaskFile();
    } catch (const EInOutError& e) {
      const std::string text = e.what();
      return text.starts_with("Cannot save " + f.Path +
                              ": there is not enough memory. Nothing "
                              "was written")
                 ? 0
                 : 3;
    }
    return 4;
  });
  if (code == 4) GTEST_SKIP() << "the save found room after all";
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(f.Path), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Dir.Root), {}), 1);
}

TEST(TaskFileSafeSave, PermissionsAndLinksSurvive) {
  FileFixture f;
  const std::string real = f.Dir.Path("real.todo");
  WriteBytes(real, DataFile("taskfile_crlf.todo"));
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink("real.todo", f.Path);
  ASSERT_EQ(f.Load(), "");
  f.F.List.TypeInCell(3, 2, "Changed");
  f.F.List.SaveTaskFile();
  EXPECT_TRUE(std::filesystem::is_symlink(f.Path));
  EXPECT_EQ(ReadBytes(real), kHeader + "7/6/09,,2,\"Call the bank\"\r\n,3,,\"Changed\"\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// --- Someone else changed the file.

TEST(TaskFileOutsideChange, SaveAsksBeforeOverwriting) {
  FileFixture f;
  ASSERT_EQ(f.Load(DataFile("taskfile_crlf.todo")), "");
  EXPECT_TRUE(f.F.List.SaveButtonClick());
  EXPECT_TRUE(f.F.Ui.Confirms.empty()) << "our own save is no outside change";
  EXPECT_TRUE(f.F.List.SaveButtonClick());
  EXPECT_TRUE(f.F.Ui.Confirms.empty());

  // A project column there only: the lines cannot be merged.
  const std::string theirs = kProjectHeader + ",1,,4,\"Written elsewhere\"\r\n";
  WriteBytes(f.Path, theirs);
  f.F.Ui.ConfirmAnswers = {false};
  EXPECT_FALSE(f.F.List.SaveButtonClick());
  EXPECT_EQ(f.F.Ui.Confirms.size(), 1u);
  EXPECT_EQ(ReadBytes(f.Path), theirs);

  f.F.List.CloseButtonClick();  // answered Yes by default
  EXPECT_EQ(f.F.Ui.Confirms.size(), 2u);
  EXPECT_EQ(ReadBytes(f.Path), DataFile("taskfile_crlf.todo"));
  EXPECT_EQ(f.F.Ui.CloseCount, 1);
}

TEST(TaskFileOutsideChange, SameSizeChangeIsNoticedAndATouchIsNot) {
  FileFixture f;
  const std::string original = DataFile("taskfile_crlf.todo");
  ASSERT_EQ(f.Load(original), "");
  const auto setTime = [&](long seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, f.Path.c_str(), times, 0);
  };
  setTime(1000000000);  // touched, content unchanged
  EXPECT_TRUE(f.F.List.SaveButtonClick());
  EXPECT_TRUE(f.F.Ui.Confirms.empty());

  std::string same = original;
  same[same.find("bank")] = 'B';
  WriteBytes(f.Path, same);
  setTime(1000000001);
  // Noticed, and merged: nothing here changed, so their edit is kept (placed after the line
  // before it there; the first line has none, so it goes last).
  EXPECT_TRUE(f.F.List.SaveButtonClick());
  EXPECT_TRUE(f.F.Ui.Confirms.empty());
  EXPECT_EQ(f.F.Ui.Messages.size(), 1u);
  EXPECT_EQ(ReadBytes(f.Path),
            kHeader + ",3,,\"Tidy the garage\"\r\n7/6/09,,2,\"Call the Bank\"\r\n");
}

// --- Whatever the table holds, a saved file loads back to the same file.

std::string RandomDescription(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "a", "Z", "7",  " ", ",", "\"", "\"\"", "'", "Caf\xC3\xA9", "\xE9", "\xE2\x82\xAC",
      "$", ";", "x,y"};
  std::string text;
  const int count = static_cast<int>(random() % 8);
  for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
  // Blanks around a description are not kept by the reader.
  return std::string(TrimView(text));
}

std::string RandomNumberCell(std::mt19937& random, char decimal) {
  switch (random() % 6) {
    case 0:
      return "";
    case 1:
      return "0";
    case 2:
      return "abc";
    case 3:
      return NumberText(static_cast<Fixed4>(random() % 2000000) - 1000000, decimal);
    case 4:
      return std::to_string(random() % 100);
    default:
      return " 0.0 ";
  }
}

TEST(TaskFileRoundTrip, RandomTablesSaveLoadAndSaveToTheSameBytes) {
  std::mt19937 random(610);
  for (int round = 0; round < 200; ++round) {
    const bool german = round % 3 == 2;
    FileFixture f(german ? GermanSettings() : RegionalSettings{});
    const char decimal = german ? ',' : '.';
    const bool project = round % 4 == 1;
    Rows rows;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      std::vector<std::string> row;
      const auto kind = random() % 4;
      if (kind == 0) {
        row.push_back("");
      } else if (kind == 3) {
        row.push_back("15 Jan");
      } else {
        const int year = 1 + static_cast<int>(random() % 9999);
        const int month = 1 + static_cast<int>(random() % 12);
        const int day = 1 + static_cast<int>(random() % DaysInMonth(year, month));
        row.push_back(f.F.Dates.FormatDateText(EncodeDate(year, month, day)));
      }
      row.push_back(RandomNumberCell(random, decimal));
      row.push_back(RandomNumberCell(random, decimal));
      if (project) row.push_back(RandomNumberCell(random, decimal));
      row.push_back(RandomDescription(random));
      rows.push_back(row);
    }
    f.F.SetRows(rows, project);
    const std::string first = f.Save();
    ASSERT_EQ(f.Load(), "") << first;
    ASSERT_EQ(f.Save(), first) << "round " << round;
  }
}

// Lines in the form a save writes are read straight from their bytes, a long list's second half
// on a thread of its own. A blank before every line sends each one field by field instead: both
// must give the same table and the same report, whatever the lines hold and wherever a bad one
// stops the load.
TEST(TaskFileLoad, PlainLinesReadAsFieldByFieldDoes) {
  const std::vector<std::string> dates = {"",      "7/6/26", "12/31/99",  "07/06/2026",
                                          "45000", "1/1/1",  "12/31/2049"};
  const std::vector<std::string> numbers = {"", "3", "12", "0", "07", "1.5", "-2", "00"};
  const std::vector<std::string> descriptions = {"\"Call the bank\"",
                                                 "\"He said \"\"hi\"\"\"",
                                                 "unquoted, with a comma",
                                                 "",
                                                 "\" padded \"",
                                                 "\"\"",
                                                 "\"cut\" off",
                                                 "\"Caf\xC3\xA9\"",
                                                 "\"tab\tinside\"",
                                                 "\"ends in \"\"\"",
                                                 "\"lone \" quote\"",
                                                 "\"\"\"\""};
  std::mt19937 random(31);
  const auto pick = [&](const std::vector<std::string>& from, bool odd) {
    return from[odd ? random() % from.size() : random() % 3];
  };
  struct Case {
    int Tasks;
    int OddInHundred;     // lines that are not in the saved form, of a hundred
    std::string BadLine;  // put this many quarters of the way down, when not empty
    int BadQuarter = 3;   // or, at -1, the last line the first half holds is made bad
    std::string LineEnd = "\r\n";
  };
  for (const Case& c : std::vector<Case>{{40, 30, ""},
                                         {30000, 0, ""},
                                         {30000, 2, ""},
                                         {30000, 0, "2/30/26,,,\"No such day\""},
                                         {30000, 1, ",x,,\"No number\""},
                                         {30000, 1, ",x,,\"No number\"", 1},
                                         {30000, 2, "", 0, "\r"},
                                         {30000, 0, "x", -1}}) {
    for (const bool project : {false, true}) {
      std::string header = project ? kProjectHeader : kHeader;
      header.replace(header.size() - 2, 2, c.LineEnd);
      std::vector<std::string> lines;
      std::size_t bytes = header.size();
      for (int i = 0; i < c.Tasks; ++i) {
        const bool odd = static_cast<int>(random() % 100) < c.OddInHundred;
        lines.push_back(pick(dates, odd) + "," + pick(numbers, odd) + "," + pick(numbers, odd) +
                        "," + (project ? pick(numbers, odd) + "," : "") + pick(descriptions, odd));
        bytes += lines.back().size() + c.LineEnd.size();
      }
      // The line the middle byte is in is the last the first half reads; an x before its date
      // keeps its length.
      std::size_t bad = static_cast<std::size_t>(c.Tasks * std::max(c.BadQuarter, 0) / 4);
      for (std::size_t i = 0, at = header.size(); c.BadQuarter < 0; ++i) {
        at += lines[i].size() + c.LineEnd.size();
        if (at > header.size() + (bytes - header.size()) / 2) {
          bad = i;
          break;
        }
      }
      if (c.BadQuarter < 0) lines[bad][0] = 'x';
      if (!c.BadLine.empty() && c.BadQuarter >= 0) lines[bad] = c.BadLine;
      std::string plain = header;
      std::string blanked = header;
      for (const std::string& line : lines) {
        plain += line + c.LineEnd;
        blanked += " " + line + c.LineEnd;
      }
      FileFixture f;
      const std::string report = f.Load(plain);
      const Rows table = f.Table();
      EXPECT_EQ(f.Load(blanked), report) << c.Tasks << " tasks, " << c.OddInHundred << "% odd";
      EXPECT_EQ(f.Table(), table) << c.Tasks << " tasks, " << c.OddInHundred << "% odd";
      // A bad line stops the load with a word, kept as far as it was read, in either half.
      const std::size_t kept = c.BadLine.empty() ? lines.size() : bad + 1;
      EXPECT_EQ(table.size(), kept) << report;
      EXPECT_EQ(report.find("Loading stopped there") != std::string::npos, !c.BadLine.empty());
    }
  }
}

// --- Nothing a file holds disappears without a word.

TEST(TaskFileLostText, ReportedLoadsKeepTheOriginalAtTheFirstSave) {
  struct Case {
    std::string Name;
    std::string Bytes;
    std::string Report;
    Rows Table;
    RegionalSettings Regional;
  };
  const std::vector<Case> cases = {
      {"Ctrl+Z inside a description",
       kHeader + ",1,,\"a\x1A"
                 "b\"\r\n,2,,\"after\"\r\n",
       "Ctrl\\+Z character in line 2\\. Loading stopped there",
       {{"", "1", "", "a"}},
       {}},
      {"fields after a quoted description",
       kHeader + ",1,,\"Buy paint\",\"white\"\r\n,2,,\"x\",\r\n,3,,\"y\"z\r\n",
       "Line 2 of .* \"white\". 1 more lines do too.",
       {{"", "1", "", "Buy paint"}, {"", "2", "", "x"}, {"", "3", "", "y"}},
       {}},
      {"month-first date under day-first settings",
       kHeader + ",1,,\"a\"\r\n7/6/26,,,\"b\"\r\n,3,,\"c\"\r\n",
       "'7/6/26' is not a valid date. Loading stopped there",
       {{"", "1", "", "a"}, {"", "", "", ""}},
       GermanSettings()},
      {"a NUL byte as the whole date field",
       kHeader + ",1,,\"a\"\r\n" + std::string(1, '\0') + ",,,\"b\"\r\n",
       "'\\\\x00' is not a valid date. Loading stopped there",
       {{"", "1", "", "a"}, {"", "", "", ""}},
       {}},
  };
  for (const Case& c : cases) {
    FileFixture f(c.Regional);
    const std::string report = f.Load(c.Bytes);
    EXPECT_TRUE(std::regex_search(report, std::regex(c.Report))) << report;
    EXPECT_NE(report.find(f.Path + ".bak."), std::string::npos) << report;
    EXPECT_EQ(f.Table(), c.Table) << c.Name;
    const std::string saved = f.Save();
    EXPECT_EQ(ReadBytes(f.Path + ".bak"), c.Bytes) << c.Name;
    EXPECT_EQ(f.Load(), "") << c.Name << ": what the program wrote is whole";
    EXPECT_EQ(f.Save(), saved) << c.Name;
  }
}

TEST(TaskFileLostText, WhatTheListCanHoldLoadsWithoutAReportAndRoundTrips) {
  static constexpr char kControlsOnly[] = ",5,,\"\0\"\r\n,6,,\x01\r\n";
  struct Case {
    std::string Name;
    std::string Bytes;
    Rows Table;
  };
  const std::vector<Case> cases = {
      {"Ctrl+Z and blanks at the end",
       kHeader + ",1,,\"a\"\r\n\x1A\r\n \x1A",
       {{"", "1", "", "a"}}},
      {"lone CR inside quotes",
       kHeader + ",3,,\"first\rsecond\"\r\n,1,,\"b\"\r\n,2,,c\r\n",
       {{"", "3", "", "first\rsecond"}, {"", "1", "", "b"}, {"", "2", "", "c"}}},
      {"lone CR in an LF file",
       kHeader + ",3,,a\rb\n,1,,\"c\"\n",
       {{"", "3", "", "a\rb"}, {"", "1", "", "c"}}},
      {"unquoted description with commas",
       kHeader + "7/6/26,,2,Call Bob, Alice and Carol\r\n,1,,x, \"y\" ,z\r\n",
       {{"07/06/2026", "Mon", "2", "Call Bob, Alice and Carol"}, {"", "1", "", "x, \"y\" ,z"}}},
      {"empty fields after a description", kHeader + ",1,,\"a\",,\r\n", {{"", "1", "", "a"}}},
      {"control characters only",
       kHeader + std::string(kControlsOnly, sizeof kControlsOnly - 1),
       {{"", "5", "", std::string(1, '\0')}, {"", "6", "", "\x01"}}},
  };
  for (const Case& c : cases) {
    FileFixture f;
    EXPECT_EQ(f.Load(c.Bytes), "") << c.Name;
    EXPECT_EQ(f.Table(), c.Table) << c.Name;
    const std::string saved = f.Save();
    EXPECT_FALSE(std::filesystem::exists(f.Path + ".bak")) << c.Name;
    EXPECT_EQ(f.Load(), "") << c.Name;
    EXPECT_EQ(f.Table(), c.Table) << c.Name;
    EXPECT_EQ(f.Save(), saved) << c.Name;
  }
}

// A single-byte list in which "Caf\xE9" stands, with the typed description `typed` (UTF-8), as
// the grid leaves the table when a typed character needs UTF-8.
void TypeIntoSingleByteList(FileFixture& f, const std::string& typed) {
  ASSERT_EQ(f.Load(DataFile("taskfile_latin1.todo")), "");
  ASSERT_FALSE(f.F.List.File().TextIsUtf8());
  ListTestAccess::CellsToUtf8(f.F.List);
  EXPECT_EQ(f.F.List.Table().Cell(3, 1), "Caf\xC3\xA9 au lait");
  ListTestAccess::Table(f.F.List).SetRowCount(3);
  f.F.List.TypeInCell(3, 2, typed);
}

TEST(TaskFileSingleByte, TypedCharactersAreWrittenInWindows1252OrAsUtf8AfterAYes) {
  const std::string dashQuotes =
      "5\xE2\x82\xAC \xE2\x80\x93 \xE2\x80\x9C"
      "best\xE2\x80\x9D";
  {
    // All of them exist in Windows-1252: no question, the file stays single-byte.
    FileFixture f;
    TypeIntoSingleByteList(f, dashQuotes);
    EXPECT_TRUE(f.F.List.SaveButtonClick());
    EXPECT_TRUE(f.F.Ui.Confirms.empty());
    EXPECT_EQ(ReadBytes(f.Path), kHeader +
                                     ",1,,\"Caf\xE9 au lait\"\r\n,,,\"5\x80 \x96 \x93"
                                     "best\x94\"\r\n");
  }
  const std::string arrow = "a \xE2\x86\x92 b \xF0\x9F\x98\x80 \xE2\x86\x92";
  FileFixture f;
  TypeIntoSingleByteList(f, arrow);
  const std::string original = ReadBytes(f.Path);
  // No: nothing is written, the window stays open, and the table keeps every character.
  f.F.Ui.ConfirmAnswers = {false};
  f.F.List.CloseButtonClick();
  ASSERT_EQ(f.F.Ui.Confirms.size(), 1u);
  EXPECT_NE(f.F.Ui.Confirms[0].find("Windows-1252"), std::string::npos);
  EXPECT_NE(f.F.Ui.Confirms[0].find(": \xE2\x86\x92\xF0\x9F\x98\x80\r\n"), std::string::npos)
      << f.F.Ui.Confirms[0];
  EXPECT_EQ(f.F.Ui.CloseCount, 0);
  EXPECT_EQ(ReadBytes(f.Path), original);
  EXPECT_EQ(f.F.List.Table().Cell(3, 2), arrow);
  // Yes: the file becomes UTF-8 and loads back as it was shown.
  EXPECT_TRUE(f.F.List.SaveButtonClick());
  EXPECT_EQ(ReadBytes(f.Path), kHeader + ",1,,\"Caf\xC3\xA9 au lait\"\r\n,,,\"" + arrow + "\"\r\n");
  EXPECT_EQ(f.Load(), "");
  EXPECT_TRUE(f.F.List.File().TextIsUtf8());
  EXPECT_EQ(f.F.List.Table().Cell(3, 2), arrow);
}

// The regional settings of a real locale, as the program reads them at start-up.
RegionalSettings LocaleSettings(const std::string& name) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const bool found = std::setlocale(LC_ALL, name.c_str()) != nullptr;
  const RegionalSettings settings = RegionalSettings::FromSystemLocale();
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_TRUE(found) << name << " is missing (package locales-all)";
  return settings;
}

TEST(TaskFileRegional, OwnFilesReloadUnchangedAndForeignDatesAreNotReRead) {
  struct Case {
    std::string Locale;
    bool RefusesMonthFirstSlashes;  // a file written under the C locale
  };
  const std::vector<Case> cases = {{"C", false},
                                   {"de_DE.UTF-8", true},
                                   {"fr_FR.UTF-8", false},  // same separator: cannot be told
                                   {"en_GB.UTF-8", false},
                                   {"sv_SE.UTF-8", true}};
  for (const Case& c : cases) {
    FileFixture f(LocaleSettings(c.Locale));
    const DateFormat& dates = f.F.Dates;
    Rows table;
    for (const double date : {Day(2026, 7, 6), Day(2026, 12, 25), Day(2005, 1, 31),
                              Day(2109, 2, 28), Day(1999, 11, 2)}) {
      table.push_back(
          {dates.FormatDateText(date), dates.WeekdayText(date), "", "task " + c.Locale});
    }
    table.push_back({"", std::string{'2', dates.Regional().DecimalSeparator, '5'}, "1", "undated"});
    f.F.SetRows(table);
    const std::string saved = f.Save();
    ASSERT_EQ(f.Load(), "") << c.Locale << "\n" << saved;
    EXPECT_EQ(f.Table(), table) << c.Locale;
    EXPECT_EQ(f.Save(), saved) << c.Locale;

    const std::string foreign = kHeader + "7/6/26,,,\"a\"\r\n";
    const std::string report = f.Load(foreign);
    EXPECT_EQ(report.find("'7/6/26' is not a valid date."),
              c.RefusesMonthFirstSlashes ? 0 : std::string::npos)
        << c.Locale << ": " << report;
  }
}

}  // namespace
}  // namespace taskwell

namespace taskwell {
namespace {

// What a save would write is measured against the bytes last read or written.
// After a save the descriptions are named where the saved bytes hold them as written, so that the
// bytes of the load can go; the ones written otherwise (with their quotes doubled) are copied. Two
// saves in a row, with edits between them, keep every text.
TEST(TaskFileSave, DescriptionsMoveIntoTheSavedBytes) {
  FileFixture file;
  ASSERT_EQ(
      file.Load(kHeader + "7/6/26,,2,\"Call Bob\"\r\n,1,,\"Say \"\"hi\"\"\"\r\n,,,a \"b\" c\r\n" +
                ",2,,\"Plain\"\r\n"),
      "");
  const auto inBase = [&](int row) {
    const std::string& base = file.F.List.File().BaseBytes();
    const std::string_view cell = file.F.List.Table().Rows()[static_cast<std::size_t>(row)][3];
    return cell.data() >= base.data() && cell.data() + cell.size() <= base.data() + base.size();
  };
  for (int round = 0; round < 2; ++round) {
    const Rows before = file.Table();
    file.Save();
    EXPECT_EQ(file.Table(), before);
    EXPECT_TRUE(inBase(1));
    EXPECT_FALSE(inBase(2) || inBase(3));
    EXPECT_EQ(inBase(4), round == 0);
    file.F.List.TypeInCell(3, 4, "Plain, edited");
  }
}

TEST(UnsavedChanges, FollowEditsAndSaves) {
  FileFixture file;
  ASSERT_EQ(file.Load(kHeader + "7/6/26,,2,\"Call Bob\"\r\n,1,,\"Plain\"\r\n"), "");
  EXPECT_FALSE(file.F.List.Sync().HasUnsavedChanges());
  EXPECT_EQ(file.F.List.FileBytes(), file.F.List.File().BaseBytes());
  file.F.List.TypeInCell(3, 2, "Plain, edited");
  EXPECT_TRUE(file.F.List.Sync().HasUnsavedChanges());
  file.Save();
  EXPECT_FALSE(file.F.List.Sync().HasUnsavedChanges());
  EXPECT_EQ(ReadBytes(file.Path), file.F.List.File().BaseBytes());
}

}  // namespace
}  // namespace taskwell

namespace taskwell {
namespace {

// A file made by hand without the header line keeps its first task in the backup, with a word.
TEST(HeaderLine, AMissingHeaderIsReportedAndKept) {
  FileFixture file;
  const std::string original = "7/6/26,,2,\"Call Bob\"\r\n,1,,\"Plain\"\r\n";
  const std::string error = file.Load(original);
  EXPECT_NE(error.find("is not the header line"), std::string::npos) << error;
  EXPECT_NE(error.find("Call Bob"), std::string::npos) << error;
  file.Save();
  EXPECT_EQ(ReadBytes(file.Path + ".bak"), original);
  // A file the program wrote always starts with its header: no report.
  EXPECT_EQ(file.Load(ReadBytes(file.Path)), "");
}

}  // namespace
}  // namespace taskwell

namespace taskwell {
namespace {

// Weekday names come from the locale as UTF-8; a single-byte list shows them in its own encoding,
// or becomes UTF-8 when its encoding lacks them, never garbled.
TEST(SingleByteFile, WeekdayNamesAreShownInTheListsEncoding) {
  struct Case {
    const char* Locale;
    std::string Date;  // 13 June 2026, a Saturday, in the locale's short form
    std::string Weekday;
    bool BecomesUtf8;
  };
  for (const Case& c : {Case{"sv_SE.UTF-8", "2026-06-13", "l\xF6r", false},
                        Case{"ru_RU.UTF-8", "13.06.2026", "\xD0\xA1\xD0\xB1", true}}) {
    FileFixture file(testing::LocaleSettings(c.Locale));
    ASSERT_EQ(file.Load(kHeader + c.Date + ",,,\"Caf\xE9\"\r\n"), "") << c.Locale;
    EXPECT_EQ(file.F.List.Table().Cell(ToDoList::ColPri, 1), c.Weekday) << c.Locale;
    EXPECT_EQ(file.F.List.File().TextIsUtf8(), c.BecomesUtf8) << c.Locale;
    EXPECT_EQ(file.F.List.Table().Cell(3, 1), c.BecomesUtf8 ? "Caf\xC3\xA9" : "Caf\xE9");
    // Either way the file is written back as it was.
    EXPECT_EQ(file.Save(), kHeader + c.Date + ",,,\"Caf\xE9\"\r\n") << c.Locale;
  }
}

}  // namespace
}  // namespace taskwell
