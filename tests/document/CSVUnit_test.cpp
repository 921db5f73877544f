#include "document/CSVUnit.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/TempFiles.h"

namespace taskwell {
namespace {

using testing::DataFile;
using testing::GermanSettings;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const FixedClock kJune2026(EncodeDate(2026, 6, 10) + 0.375);

// All fields of one line, read as the loader reads them.
std::vector<std::string> Fields(const std::string& line, int count) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.Line = line;
  std::vector<std::string> fields;
  for (int i = 0; i < count; ++i) fields.push_back(csv.ReadField());
  return fields;
}

TEST(CSVFields, QuotedAndUnquotedFields) {
  struct Case {
    std::string Line;
    std::vector<std::string> Fields;
  };
  const std::vector<Case> cases = {
      {R"("Date","Priority","SubPriority","Description")",
       {"Date", "Priority", "SubPriority", "Description", ""}},
      {R"(7/6/09,,2,"Call the bank")", {"7/6/09", "", "2", "Call the bank", ""}},
      {R"( "a, b" , c )", {"a, b", "c", ""}},
      {R"("  blanks inside  ",x)", {"blanks inside", "x"}},
      // Text after a closing quote is the next field.
      {R"("a"b,c)", {"a", "b", "c"}},
      {R"(ab"c,d)", {"ab\"c", "d"}},
      {R"(,,x)", {"", "", "x"}},
      {R"("He said ""hi"" twice")", {"He said \"hi\" twice", ""}},
      {R"("""quoted""")", {"\"quoted\"", ""}},
      // A single quote still ends the field, as in files written before quotes were doubled.
      {R"("Cut "here" rest)", {"Cut", "here\" rest", ""}},
      {R"("No closing quote, ever)", {"No closing quote, ever", ""}},
      {R"("")", {"", ""}},
      {"", {"", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(c.Line, static_cast<int>(c.Fields.size())), c.Fields) << c.Line;
  }
}

TEST(CSVFields, EmptyRestLeavesTheLineAlone) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.Line = " \t ";
  EXPECT_EQ(csv.ReadField(), "");
  EXPECT_EQ(csv.Line, " \t ");
}

TEST(CSVNumbers, EmptyIsZeroAndMarked) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.Line = R"(,2.50,0,abc)";
  EXPECT_EQ(csv.ReadNumber(), 0);
  EXPECT_TRUE(csv.LastFieldEmpty);
  EXPECT_EQ(csv.ReadNumber(), 25000);
  EXPECT_FALSE(csv.LastFieldEmpty);
  EXPECT_EQ(csv.ReadNumber(), 0);
  EXPECT_FALSE(csv.LastFieldEmpty);
  try {
    csv.ReadNumber();
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
}

TEST(CSVDates, SlashDashAndDayNumberFields) {
  struct Case {
    std::string Field;
    double Date;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"7/6/09", EncodeDate(2009, 7, 6)},
      {"7-6-2009", EncodeDate(2009, 7, 6)},
      {"149571", EncodeDate(2009, 7, 6)},
      {"149571.75", EncodeDate(2009, 7, 6) + 0.75},
      {"109571", 0},
      {"109572", 1},
      {"0", EncodeDate(1600, 1, 1)},
      {"3e5", 300000 - 109571},
  };
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  for (const Case& c : cases) {
    csv.Line = c.Field + ",next";
    EXPECT_DOUBLE_EQ(csv.ReadDate(), c.Date) << c.Field;
    EXPECT_EQ(csv.Line, "next");
  }
}

TEST(CSVDates, BadDateFieldsFailNamingTheText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"2009-07-06", "'2009/07/06' is not a valid date"},
      {"13/45/2026", "'13/45/2026' is not a valid date"},
      {"7/4/", "'7/4/' is not a valid date"},
      {"tomorrow", "'tomorrow' is not a valid floating point value"},
      // Day numbers outside the years 1 to 9999 are no dates.
      {"1e300", "'1e300' is not a valid date"},
      {"5000000", "'5000000' is not a valid date"},
      {"-700000", "'/700000' is not a valid date"},  // a dash is a separator
  };
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  for (const auto& [field, message] : cases) {
    csv.Line = field;
    try {
      csv.ReadDate();
      ADD_FAILURE() << field;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
}

TEST(CSVDates, DayMonthYearSettingsReadTheirOwnSeparator) {
  const DateFormat dates(GermanSettings(), kJune2026);
  TCSV csv(dates);
  const std::vector<std::pair<std::string, double>> cases = {
      {"04.07.2026", EncodeDate(2026, 7, 4)},         {"4.7.26", EncodeDate(2026, 7, 4)},
      {"4-7-2026", EncodeDate(2026, 7, 4)},           {"4/7/2026", EncodeDate(2026, 7, 4)},
      {"\"149571,5\"", EncodeDate(2009, 7, 6) + 0.5},
  };
  for (const auto& [field, date] : cases) {
    csv.Line = field;
    EXPECT_DOUBLE_EQ(csv.ReadDate(), date) << field;
  }
}

// The lines of a file as ReadLine hands them out.
std::vector<std::string> Lines(const std::string& path) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.OpenRead(path);
  std::vector<std::string> lines;
  while (!csv.AtEnd) {
    csv.ReadLine();
    lines.push_back(csv.Line);
  }
  csv.Close();
  return lines;
}

TEST(CSVLines, EveryLineEndReadsTheSame) {
  const std::string data = TASKWELL_TEST_DATA;
  const std::vector<std::string> expected = {
      R"("Date","Priority","SubPriority","Description")",
      R"(7/6/09,,2,"Call the bank")",
      R"(,3,,"Tidy the garage")",
  };
  for (const std::string name : {"crlf", "lf", "cr"}) {
    EXPECT_EQ(Lines(data + "/taskfile_" + name + ".todo"), expected) << name;
  }
  TempDir dir;
  const std::string mixed = dir.Path("mixed.todo");
  WriteBytes(mixed, "a\r\nb\nc\rd\r\r\ne");
  EXPECT_EQ(Lines(mixed), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  WriteBytes(mixed, "last\r");
  EXPECT_EQ(Lines(mixed), (std::vector<std::string>{"last"}));
}

TEST(CSVLines, CtrlZEndsTheFileAndAByteOrderMarkIsSkipped) {
  const std::string data = TASKWELL_TEST_DATA;
  EXPECT_EQ(Lines(data + "/taskfile_ctrlz.todo").size(), 2u);

  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.OpenRead(data + "/taskfile_bom.todo");
  EXPECT_TRUE(csv.HadBom);
  EXPECT_TRUE(csv.IsUtf8);
  csv.ReadLine();
  EXPECT_EQ(csv.ReadField(), "Date");
  csv.Close();

  csv.OpenRead(data + "/taskfile_latin1.todo");
  EXPECT_FALSE(csv.HadBom);
  EXPECT_FALSE(csv.IsUtf8);
  csv.Close();
}

TEST(CSVOpen, EmptyAndMissingFiles) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.OpenRead(std::string(TASKWELL_TEST_DATA) + "/taskfile_empty.todo");
  EXPECT_TRUE(csv.IsOpen);
  EXPECT_TRUE(csv.AtEnd);
  csv.Line = "kept";
  csv.ReadLine();
  EXPECT_EQ(csv.Line, "kept");
  EXPECT_NO_THROW(csv.Close());

  csv.OpenRead("/nonexistent-taskwell-test/missing.todo");
  EXPECT_FALSE(csv.IsOpen);
  EXPECT_TRUE(csv.AtEnd);
  try {
    csv.Close();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "I/O error 103");
  }
}

TEST(CSVWriting, BuildsCrLfLinesWithDoubledQuotes) {
  TempDir dir;
  const std::string path = dir.Path("out.todo");
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.OpenWrite(path);
  csv.WriteQuoted("Date");
  csv.WriteQuoted("Description");
  csv.EndLine();
  csv.WriteDate(EncodeDate(2009, 7, 6));
  csv.WriteField("");
  csv.WriteNumber(25000);
  csv.WriteNumber(-20000);
  csv.WriteQuoted("Say \"hi\", then go");
  csv.EndLine();
  csv.WriteDate(0);
  csv.WriteQuoted("");
  csv.EndLine();
  csv.Close();
  EXPECT_EQ(ReadBytes(path),
            "\"Date\",\"Description\"\r\n"
            "7/6/09,,2.5,-2,\"Say \"\"hi\"\", then go\"\r\n"
            ",\"\"\r\n");
}

TEST(CSVWriting, DecimalCommaNumbersAreQuotedAndReadBack) {
  TempDir dir;
  const std::string path = dir.Path("comma.todo");
  const DateFormat dates(GermanSettings(), kJune2026);
  TCSV csv(dates);
  csv.OpenWrite(path);
  csv.WriteDate(EncodeDate(2026, 7, 4));
  csv.WriteNumber(25000);
  csv.WriteNumber(30000);
  csv.WriteQuoted("x");
  csv.EndLine();
  csv.Close();
  EXPECT_EQ(ReadBytes(path), "04.07.2026,\"2,5\",3,\"x\"\r\n");

  csv.OpenRead(path);
  csv.ReadLine();
  EXPECT_DOUBLE_EQ(csv.ReadDate(), EncodeDate(2026, 7, 4));
  EXPECT_EQ(csv.ReadNumber(), 25000);
  EXPECT_EQ(csv.ReadNumber(), 30000);
  EXPECT_EQ(csv.ReadField(), "x");
  csv.Close();
}

TEST(CSVWriting, UncreatableFileFailsAtCloseAndWritesNothing) {
  const DateFormat dates({}, kJune2026);
  TCSV csv(dates);
  csv.OpenWrite("/nonexistent-taskwell-test/out.todo");
  EXPECT_FALSE(csv.IsOpen);
  csv.WriteQuoted("Date");
  csv.EndLine();
  try {
    csv.Close();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "I/O error 103");
  }
}

}  // namespace
}  // namespace taskwell
