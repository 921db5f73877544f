#pragma once

// Date values count days since 30 December 1899; the fraction is the time of day.

namespace taskwell {

struct CalendarDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  bool operator==(const CalendarDate&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Whether a date value lies within the years 1 to 9999.
bool IsDateValueInRange(double value);
// False when the day does not exist (years 1 to 9999 only).
bool TryEncodeDate(int year, int month, int day, double& value);
// Throws EConvertError "Invalid argument to date encode" for a day that does not exist.
double EncodeDate(int year, int month, int day);

// The calendar day of a date value (its time of day is dropped toward zero).
CalendarDate DecodeDate(double value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double value);
// The whole day of a date value, time of day removed.
double DateOf(double value);
// Adds calendar months, lowering the day where the target month is shorter.
double IncMonth(double value, int months);
bool IsLastDayOfMonth(double value);
double FirstDayOfMonth(double value);
double LastDayOfMonth(double value);

}  // namespace taskwell
