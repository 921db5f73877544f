// The --due listing: the printer's lines for the coming days, read without touching the file.
#include "list/DueListing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/FakePlatform.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::Day;

constexpr const char* kHeader = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";

struct Listing {
  int Status;
  std::string Out;
  std::string Err;
};

Listing ListDue(const std::string& file, int days, const RegionalSettings& regional = {}) {
  const FixedClock clock(Day(2026, 6, 10));
  std::ostringstream out;
  std::ostringstream err;
  const int status = PrintDueListing(file, days, regional, clock, out, err);
  return {status, out.str(), err.str()};
}

TEST(DueListing, PrintsTheRangeAsThePrinterWouldAndLeavesTheFileAlone) {
  testing::TempDir dir;
  const std::string file = dir.Path("week.list.todo");
  const std::string content = std::string(kHeader) +
                              "6/13/26,,,\"In three days\"\r\n6/9/26,,,\"Yesterday\"\r\n"
                              "7/10/26,,,\"In thirty days\"\r\n,5,2,\"Undated five\"\r\n"
                              ",9,,\"Undated nine\"\r\n";
  testing::WriteBytes(file, content);
  const Listing week = ListDue(file, 7);
  EXPECT_EQ(week.Status, 0);
  EXPECT_EQ(week.Err, "");
  EXPECT_EQ(week.Out,
            "week\n\n"
            "Date        Pri SubP Description \n"
            "---------- ---- ---- --------------------------------------------------\n"
            "06/13/2026  Sat      In three days\n"
            "06/09/2026  Tue      Yesterday\n"  // 09:00 rounds yesterday to day 0
            "              5    2 Undated five\n");
  EXPECT_NE(ListDue(file, 30).Out.find("In thirty days"), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(file), content);
  EXPECT_FALSE(std::filesystem::exists(file + ".bak"));
}

TEST(DueListing, FailuresAreNamedAndNotSuccess) {
  testing::TempDir dir;
  const Listing missing = ListDue(dir.Path("nothing.todo"), 7);
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Out, "");
  EXPECT_NE(missing.Err.find("nothing.todo"), std::string::npos);

  // A load that stops early still lists what it read, says why on stderr, and fails.
  const std::string broken = dir.Path("broken.todo");
  testing::WriteBytes(broken, std::string(kHeader) + "6/10/26,,,\"Today\"\r\nxx/yy,,,\"Bad\"\r\n");
  const Listing partial = ListDue(broken, 0);
  EXPECT_EQ(partial.Status, 1);
  EXPECT_NE(partial.Out.find("Today"), std::string::npos);
  EXPECT_NE(partial.Err.find("xx/yy"), std::string::npos);
}

TEST(DueListing, SingleByteFilesAreWrittenAsUtf8) {
  testing::TempDir dir;
  const std::string file = dir.Path("latin.todo");
  testing::WriteBytes(file, std::string(kHeader) + ",0,,\"Caf\xE9 \x80 5\"\r\n");
  EXPECT_NE(ListDue(file, 0).Out.find("Caf\xC3\xA9 \xE2\x82\xAC 5"), std::string::npos);
}

}  // namespace
}  // namespace taskwell
