#include "document/Calendar.h"

#include <cmath>

#include "document/Errors.h"

namespace taskwell {
namespace {

// Days from 1 January 1970 in the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0)), m, d};
}

constexpr long long kEpochShift = 25569;   // 1899-12-30 lies 25569 days before 1970-01-01
constexpr double kFirstDay = -693593;      // 1 January 0001
constexpr double kDayAfterLast = 2958466;  // 1 January 10000

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool IsDateValueInRange(double value) {
  const double day = std::trunc(value);
  return day >= kFirstDay && day < kDayAfterLast;
}

bool TryEncodeDate(int year, int month, int day, double& value) {
  if (!IsValidDate(year, month, day)) return false;
  value = static_cast<double>(DaysFromCivil(year, month, day) + kEpochShift);
  return true;
}

double EncodeDate(int year, int month, int day) {
  double value = 0;
  if (!TryEncodeDate(year, month, day, value))
    throw EConvertError("Invalid argument to date encode");
  return value;
}

CalendarDate DecodeDate(double value) {
  return CivilFromDays(static_cast<long long>(std::trunc(value)) - kEpochShift);
}

int DayOfWeek(double value) {
  // 30 December 1899 was a Saturday.
  long long days = static_cast<long long>(std::trunc(value));
  long long w = (days + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

double DateOf(double value) {
  return std::trunc(value);
}

double IncMonth(double value, int months) {
  const CalendarDate date = DecodeDate(value);
  long long index = static_cast<long long>(date.Year) * 12 + (date.Month - 1) + months;
  const int year = static_cast<int>(index / 12);
  const int month = static_cast<int>(index % 12) + 1;
  const int day = date.Day < DaysInMonth(year, month) ? date.Day : DaysInMonth(year, month);
  return EncodeDate(year, month, day);
}

bool IsLastDayOfMonth(double value) {
  const CalendarDate date = DecodeDate(value);
  return date.Day == DaysInMonth(date.Year, date.Month);
}

double FirstDayOfMonth(double value) {
  const CalendarDate date = DecodeDate(value);
  return EncodeDate(date.Year, date.Month, 1);
}

double LastDayOfMonth(double value) {
  const CalendarDate date = DecodeDate(value);
  return EncodeDate(date.Year, date.Month, DaysInMonth(date.Year, date.Month));
}

}  // namespace taskwell
