#include "document/Calendar.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "document/Errors.h"

namespace taskwell {
namespace {

namespace chrono = std::chrono;

constexpr chrono::sys_days kDayZero{chrono::year{1899} / chrono::December / 30};
constexpr chrono::year kFirstYear{1};
constexpr chrono::year kLastYear{9999};

constexpr double ValueOf(chrono::sys_days day) {
  return static_cast<double>((day - kDayZero).count());
}

constexpr double kFirstDay = ValueOf(kFirstYear / chrono::January / 1);
constexpr double kDayAfterLast = ValueOf((kLastYear + chrono::years{1}) / chrono::January / 1);

// The calendar day of a date value, its time of day dropped toward zero.
chrono::sys_days DayOf(double value) {
  return kDayZero + chrono::days{static_cast<long long>(std::trunc(value))};
}

chrono::year_month_day CivilOf(double value) {
  return chrono::year_month_day{DayOf(value)};
}

CalendarDate DateOfCivil(const chrono::year_month_day& civil) {
  return {static_cast<int>(civil.year()), static_cast<int>(static_cast<unsigned>(civil.month())),
          static_cast<int>(static_cast<unsigned>(civil.day()))};
}

[[noreturn]] void ThrowDateEncode() {
  throw EConvertError("Invalid argument to date encode");
}

// A day that chrono can name but that lies outside the years 1 to 9999 has no date value.
double EncodeCivil(const chrono::year_month_day& civil) {
  if (civil.year() < kFirstYear || civil.year() > kLastYear || !civil.ok()) ThrowDateEncode();
  return ValueOf(civil);
}

chrono::day LastDayOf(const chrono::year_month& month) {
  return (month / chrono::last).day();
}

chrono::year_month MonthOf(const chrono::year_month_day& civil) {
  return civil.year() / civil.month();
}

}  // namespace

bool IsLeapYear(int year) {
  return chrono::year{year}.is_leap();
}

int DaysInMonth(int year, int month) {
  const chrono::day last = LastDayOf(chrono::year{year} / month);
  return static_cast<int>(static_cast<unsigned>(last));
}

bool IsValidDate(int year, int month, int day) {
  // Checked as ints first: chrono's fields keep only the low bits of what they are given.
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool IsDateValueInRange(double value) {
  const double day = std::trunc(value);
  return day >= kFirstDay && day < kDayAfterLast;
}

bool TryEncodeDate(int year, int month, int day, double& value) {
  if (!IsValidDate(year, month, day)) return false;
  value = ValueOf(chrono::year{year} / month / day);
  return true;
}

double EncodeDate(int year, int month, int day) {
  double value = 0;
  if (!TryEncodeDate(year, month, day, value)) ThrowDateEncode();
  return value;
}

CalendarDate DecodeDate(double value) {
  return DateOfCivil(CivilOf(value));
}

int DayOfWeek(double value) {
  const chrono::weekday weekday{DayOf(value)};
  return static_cast<int>(weekday.c_encoding()) + 1;
}

double DateOf(double value) {
  return std::trunc(value);
}

double IncMonth(double value, int months) {
  // Further than the calendar reaches either way; chrono's year would wrap round instead.
  constexpr int kMonthsInCalendar = 12 * 10000;
  if (months > kMonthsInCalendar || months < -kMonthsInCalendar) ThrowDateEncode();
  const chrono::year_month_day date = CivilOf(value);
  const chrono::year_month target = MonthOf(date) + chrono::months{months};
  return EncodeCivil(target / std::min(date.day(), LastDayOf(target)));
}

bool IsLastDayOfMonth(double value) {
  const chrono::year_month_day date = CivilOf(value);
  return date.day() == LastDayOf(MonthOf(date));
}

double FirstDayOfMonth(double value) {
  const chrono::year_month_day date = CivilOf(value);
  return EncodeCivil(MonthOf(date) / 1);
}

double LastDayOfMonth(double value) {
  const chrono::year_month_day date = CivilOf(value);
  return EncodeCivil(MonthOf(date) / LastDayOf(MonthOf(date)));
}

}  // namespace taskwell
