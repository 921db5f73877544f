#include "document/CsvFile.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "support/TempFiles.h"

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
  CsvFile csv(dates);
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
  CsvFile csv(dates);
  csv.Line = " \t ";
  EXPECT_EQ(csv.ReadField(), "");
  EXPECT_EQ(csv.Line, " \t ");
}

TEST(CSVNumbers, EmptyIsZeroAndMarked) {
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
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
      {"149571", EncodeDate(2009, 7, 6)},
      {"149571.75", EncodeDate(2009, 7, 6) + 0.75},
      {"109571", 0},
      {"109572", 1},
      {"0", EncodeDate(1600, 1, 1)},
      {"3e5", 300000 - 109571},
  };
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
  for (const Case& c : cases) {
    csv.Line = c.Field + ",next";
    EXPECT_DOUBLE_EQ(csv.ReadDate(), c.Date) << c.Field;
    EXPECT_EQ(csv.Line, "next");
  }
}

TEST(CSVDates, BadDateFieldsFailNamingTheText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      // Only the regional separator makes a date: a dash may come from a day-first region.
      {"7-6-2009", "'7-6-2009' is not a valid date"},
      {"2009-07-06", "'2009-07-06' is not a valid date"},
      {"13/45/2026", "'13/45/2026' is not a valid date"},
      {"7/4/", "'7/4/' is not a valid date"},
      {"tomorrow", "'tomorrow' is not a valid floating point value"},
      // Day numbers outside the years 1 to 9999 are no dates.
      {"1e300", "'1e300' is not a valid date"},
      {"5000000", "'5000000' is not a valid date"},
      {"-700000", "'-700000' is not a valid date"},  // a dash is a separator
  };
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
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

TEST(CSVDates, DayMonthYearSettingsReadTheirOwnSeparatorOnly) {
  const DateFormat dates(GermanSettings(), kJune2026);
  CsvFile csv(dates);
  const std::vector<std::pair<std::string, double>> cases = {
      {"04.07.2026", EncodeDate(2026, 7, 4)},
      {"4.7.26", EncodeDate(2026, 7, 4)},
      {"\"149571,5\"", EncodeDate(2009, 7, 6) + 0.5},
  };
  for (const auto& [field, date] : cases) {
    csv.Line = field;
    EXPECT_DOUBLE_EQ(csv.ReadDate(), date) << field;
  }
  // Written under other settings: read in this order they would land on another day.
  for (const std::string field : {"7/6/26", "4-7-2026", "2026-07-04"}) {
    csv.Line = field;
    EXPECT_THROW(csv.ReadDate(), EConvertError) << field;
  }
}

// The lines of a file as ReadLine hands them out.
std::vector<std::string> Lines(const std::string& path) {
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
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
  // A lone CR ends a line only in a file without any LF, such as an old Mac's.
  WriteBytes(mixed, "a\r\nb\nc\rd\r\r\ne\r");
  EXPECT_EQ(Lines(mixed), (std::vector<std::string>{"a", "b", "c\rd\r", "e"}));
  WriteBytes(mixed, "a\rb\r\rc");
  EXPECT_EQ(Lines(mixed), (std::vector<std::string>{"a", "b", "", "c"}));
  WriteBytes(mixed, "last\r");
  EXPECT_EQ(Lines(mixed), (std::vector<std::string>{"last"}));
}

TEST(CSVLines, CtrlZEndsTheFileQuietlyOnlyWhenNothingButBlanksFollow) {
  struct Case {
    std::string Bytes;
    std::vector<std::string> Lines;
    int CtrlZLine;
  };
  const std::vector<Case> cases = {
      {"h\r\nt\r\n\x1A", {"h", "t"}, 0},
      {"h\r\nt\r\n\x1A\x1A \r\n\t\x1A", {"h", "t"}, 0},
      {"h\r\nt\x1A", {"h", "t"}, 0},
      {"h\r\n\"a\x1A"
       "b\"\r\nc\r\n",
       {"h", "\"a"},
       2},
      {"h\r\nt\r\n\x1A\x1Ax", {"h", "t"}, 3},
      {"h\rt\r\x1A,1,,\"x\"", {"h", "t"}, 3},
  };
  TempDir dir;
  const std::string path = dir.Path("z.todo");
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
  for (const Case& c : cases) {
    WriteBytes(path, c.Bytes);
    EXPECT_EQ(Lines(path), c.Lines) << c.Bytes;
    csv.OpenRead(path);
    EXPECT_EQ(csv.CtrlZLine, c.CtrlZLine) << c.Bytes;
    csv.Close();
  }
}

TEST(CSVFields, DescriptionKeepsTheRestOfTheLineOrNamesWhatItCannot) {
  struct Case {
    std::string Line;
    std::string Description;
    std::string LeftOver;
  };
  const std::vector<Case> cases = {
      {"7/6/26,,2,Call Bob, Alice and Carol", "Call Bob, Alice and Carol", ""},
      {",1,,  Say \"hi\", then go  ", "Say \"hi\", then go", ""},
      {",1,,\"Buy paint\",\"white\"", "Buy paint", "\"white\""},
      {",4,,\"Cut \"here\" rest", "Cut", "here\" rest"},
      {",1,,\"a, b\" , ,", "a, b", ""},
      {",1,,\" padded \"", "padded", ""},
      {",1,,\"He said \"\"hi\"\"\"", "He said \"hi\"", ""},
      {",1,,\"No closing, ever", "No closing, ever", ""},
      // Control characters are content; only blanks are trimmed.
      {std::string(",1,,\"\0\"", 7), std::string(1, '\0'), ""},
      {",1,,\x01"
       "abc\x02",
       "\x01"
       "abc\x02",
       ""},
      {",1,,\"\x1F\t\"", "\x1F", ""},
      {",1,", "", ""},
  };
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
  for (const Case& c : cases) {
    csv.Line = c.Line;
    csv.ReadDate();
    csv.ReadNumber();
    csv.ReadNumber();
    EXPECT_EQ(csv.ReadDescription(), c.Description) << c.Line;
    EXPECT_EQ(csv.LeftOver, c.LeftOver) << c.Line;
  }
}

TEST(CSVLines, CtrlZEndsTheFileAndAByteOrderMarkIsSkipped) {
  const std::string data = TASKWELL_TEST_DATA;
  EXPECT_EQ(Lines(data + "/taskfile_ctrlz.todo").size(), 2u);

  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
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
  CsvFile csv(dates);
  csv.OpenRead(std::string(TASKWELL_TEST_DATA) + "/taskfile_empty.todo");
  EXPECT_TRUE(csv.IsOpen);
  EXPECT_TRUE(csv.AtEnd);
  csv.Line = "kept";
  csv.ReadLine();
  EXPECT_EQ(csv.Line, "kept");
  EXPECT_NO_THROW(csv.Close());

  try {
    csv.OpenRead("/nonexistent-taskwell-test/missing.todo");
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot read /nonexistent-taskwell-test/missing.todo: it does not exist");
  }
  EXPECT_FALSE(csv.IsOpen);
  EXPECT_TRUE(csv.AtEnd);
  EXPECT_THROW(csv.Close(), EInOutError);
}

TEST(CSVWriting, BuildsCrLfLinesWithDoubledQuotes) {
  TempDir dir;
  const std::string path = dir.Path("out.todo");
  const DateFormat dates({}, kJune2026);
  CsvFile csv(dates);
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
  CsvFile csv(dates);
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
  CsvFile csv(dates);
  csv.OpenWrite("/nonexistent-taskwell-test/out.todo");
  EXPECT_FALSE(csv.IsOpen);
  csv.WriteQuoted("Date");
  csv.EndLine();
  try {
    csv.Close();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot save /nonexistent-taskwell-test/out.todo: the folder "
                 "/nonexistent-taskwell-test does not exist");
  }
}

}  // namespace
}  // namespace taskwell
