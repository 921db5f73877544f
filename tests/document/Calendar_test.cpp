#include "document/Calendar.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/Errors.h"

namespace taskwell {
namespace {

// The hand-written civil-date arithmetic the calendar used before, kept as the oracle.
long long OracleDaysFromCivil(long long y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

CalendarDate OracleCivilFromDays(long long z) {
  z += 719468 - 25569;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0)), m, d};
}

int OracleDayOfWeek(long long days) {
  const long long w = ((days + 6) % 7 + 7) % 7;
  return static_cast<int>(w) + 1;
}

int OracleDaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

constexpr long long kFirstDay = -693593;      // 1 January 0001
constexpr long long kDayAfterLast = 2958466;  // 1 January 10000

TEST(Calendar, EveryDayInRangeAgreesWithTheOracleAndRoundTrips) {
  for (long long day = kFirstDay - 400; day < kDayAfterLast + 400; ++day) {
    const auto value = static_cast<double>(day);
    const CalendarDate date = DecodeDate(value);
    ASSERT_EQ(date, OracleCivilFromDays(day)) << day;
    ASSERT_EQ(DayOfWeek(value), OracleDayOfWeek(day)) << day;
    const bool inRange = day >= kFirstDay && day < kDayAfterLast;
    ASSERT_EQ(IsDateValueInRange(value), inRange) << day;
    double back = 0;
    ASSERT_EQ(TryEncodeDate(date.Year, date.Month, date.Day, back), inRange) << day;
    if (!inRange) continue;
    ASSERT_EQ(back, value);
    ASSERT_EQ(DaysInMonth(date.Year, date.Month), OracleDaysInMonth(date.Year, date.Month));
    ASSERT_EQ(IsLastDayOfMonth(value), date.Day == OracleDaysInMonth(date.Year, date.Month));
  }
}

TEST(Calendar, TimeOfDayIsDroppedTowardZero) {
  EXPECT_EQ(DecodeDate(-1.75), (CalendarDate{1899, 12, 29}));
  EXPECT_EQ(DecodeDate(0.99), (CalendarDate{1899, 12, 30}));
  EXPECT_EQ(DayOfWeek(-0.5), 7);
  EXPECT_EQ(DateOf(-1.75), -1);
  EXPECT_TRUE(IsDateValueInRange(kDayAfterLast - 0.5));
}

// Months added across every day of four leap cycles' worth of month ends, and out of the calendar.
TEST(Calendar, IncMonthAgreesWithTheOracle) {
  const auto oracle = [](const CalendarDate& date, int months) {
    const long long index = date.Year * 12LL + (date.Month - 1) + months;
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    const int day = std::min(date.Day, OracleDaysInMonth(year, month));
    return static_cast<double>(OracleDaysFromCivil(year, month, day));
  };
  for (const int start : {1, 1896, 2024, 9998}) {
    for (double value = EncodeDate(start, 1, 1); value < EncodeDate(start + 1, 12, 31); ++value) {
      for (const int months : {-1, 1, 2, 12, 13, 48, -25}) {
        const CalendarDate date = DecodeDate(value);
        const long long index = date.Year * 12LL + (date.Month - 1) + months;
        if (index < 12 || index >= 12LL * 10000) {
          EXPECT_THROW(IncMonth(value, months), EConvertError) << value << " + " << months;
        } else {
          ASSERT_EQ(IncMonth(value, months), oracle(date, months)) << value << " + " << months;
        }
      }
    }
  }
  EXPECT_THROW(IncMonth(EncodeDate(2026, 6, 10), 1'000'000'000), EConvertError);
  EXPECT_EQ(FirstDayOfMonth(EncodeDate(2024, 2, 17)), EncodeDate(2024, 2, 1));
  EXPECT_EQ(LastDayOfMonth(EncodeDate(2024, 2, 17)), EncodeDate(2024, 2, 29));
  EXPECT_THROW(FirstDayOfMonth(static_cast<double>(kDayAfterLast)), EConvertError);
}

}  // namespace
}  // namespace taskwell
