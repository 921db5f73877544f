#include "document/NumberText.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "document/Errors.h"

namespace taskwell {
namespace {

constexpr Fixed4 kMax = std::numeric_limits<Fixed4>::max();
constexpr Fixed4 kMin = std::numeric_limits<Fixed4>::min();

struct ReadCase {
  std::string Text;
  std::optional<Fixed4> Value;  // in ten-thousandths; nothing: not a number
};

void ExpectReads(const std::vector<ReadCase>& cases, char separator) {
  for (const ReadCase& c : cases) {
    Fixed4 value = -999;
    const bool ok = TryTextToNumber(c.Text, separator, value);
    EXPECT_EQ(ok, c.Value.has_value()) << "'" << c.Text << "'";
    if (ok && c.Value) {
      EXPECT_EQ(value, *c.Value) << "'" << c.Text << "'";
    }
  }
}

TEST(NumberReading, RoundsToFourFractionalDigitsTiesToEven) {
  ExpectReads(
      {
          {"3", 30000},
          {"-2", -20000},
          {"2.5", 25000},
          {"2.50", 25000},
          {"0.0625", 625},
          {"0.00005", 0},  // tie, 0 is even
          {"0.00015", 2},  // tie, up to even
          {"0.00025", 2},  // tie, down to even
          {"0.00035", 4},
          {"0.000050001", 1},
          {"0.00004999", 0},
          {"0.000005", 0},
          {"-0.00015", -2},
          {"-0.00001", 0},
          {"1.99995", 20000},
          {"00", 0},
          {"0.0", 0},
          {"-0", 0},
          {"5.", 50000},
          {".5", 5000},
          {" +3 ", 30000},
          {"922337203685477.5807", kMax},
          {"-922337203685477.5807", -kMax},
          {"922337203685477.5808", std::nullopt},
          {"922337203685477.58074", kMax},
          {"922337203685477.58075", std::nullopt},  // rounds beyond the range
          {"99999999999999999999", std::nullopt},
      },
      '.');
}

TEST(NumberReading, TakesAnExponent) {
  ExpectReads(
      {
          {"1e2", 1000000},
          {"1E-4", 1},
          {"2.5e-1", 2500},
          {"25E+1", 2500000},
          {"1e-5", 0},
          {"1e-100000", 0},
          {"0e999999", 0},
          {"1e15", std::nullopt},
          {"1e999999", std::nullopt},
          {"1e", std::nullopt},
          {"1e+", std::nullopt},
          {"e5", std::nullopt},
      },
      '.');
}

TEST(NumberReading, RejectsEverythingElse) {
  ExpectReads({{"", std::nullopt},
               {" ", std::nullopt},
               {"abc", std::nullopt},
               {"1,5", std::nullopt},
               {"1.2.3", std::nullopt},
               {"1 2", std::nullopt},
               {"--1", std::nullopt},
               {"+", std::nullopt},
               {".", std::nullopt},
               {"0x10", std::nullopt},
               {"$10", std::nullopt},
               {"\t1", std::nullopt},
               {"1\t", std::nullopt}},
              '.');
  try {
    TextToNumber("abc", '.');
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
}

TEST(NumberReading, UsesTheRegionalDecimalSeparator) {
  ExpectReads({{"2,5", 25000}, {"-0,0625", -625}, {"2.5", std::nullopt}, {"1,2,3", std::nullopt}},
              ',');
}

TEST(NumberWriting, GivesTheShortestForm) {
  const std::vector<std::pair<Fixed4, std::string>> cases = {
      {30000, "3"},
      {-20000, "-2"},
      {25000, "2.5"},
      {625, "0.0625"},
      {0, "0"},
      {-5000, "-0.5"},
      {1, "0.0001"},
      {-1, "-0.0001"},
      {100000, "10"},
      {123456789, "12345.6789"},
      {kMax, "922337203685477.5807"},
      {kMin, "-922337203685477.5808"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value, '.'), text);
  EXPECT_EQ(NumberText(25000, ','), "2,5");
  EXPECT_EQ(NumberText(30000, ','), "3");
}

TEST(NumberWriting, ReadsBackToTheSameValue) {
  std::mt19937_64 random(20260610);
  for (int i = 0; i < 5000; ++i) {
    const int digits = static_cast<int>(random() % 18) + 1;
    Fixed4 value = static_cast<Fixed4>(random() % 1000000000000000000ULL);
    for (int d = digits; d < 18; ++d) value /= 10;
    if (random() % 2) value = -value;
    for (char separator : {'.', ','}) {
      Fixed4 back = 0;
      ASSERT_TRUE(TryTextToNumber(NumberText(value, separator), separator, back)) << value;
      EXPECT_EQ(back, value);
    }
  }
}

TEST(DayNumberReading, KeepsFullPrecision) {
  EXPECT_DOUBLE_EQ(TextToDouble("149571.75", '.'), 149571.75);
  EXPECT_DOUBLE_EQ(TextToDouble("149571,75", ','), 149571.75);
  EXPECT_DOUBLE_EQ(TextToDouble(" -1.5e3 ", '.'), -1500);
  EXPECT_DOUBLE_EQ(TextToDouble("0.123456789", '.'), 0.123456789);
  double value = 0;
  EXPECT_FALSE(TryTextToDouble("1e999999", '.', value));
  EXPECT_FALSE(TryTextToDouble("12x", '.', value));
  EXPECT_THROW(TextToDouble("7.6.9", '.'), EConvertError);
}

}  // namespace
}  // namespace taskwell
