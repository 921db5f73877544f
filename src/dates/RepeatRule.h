#pragma once

#include <string>
#include <string_view>

#include "document/DateText.h"

namespace taskwell {

// A special increment's ordinal and weekday are found by their position in these texts.
inline constexpr std::string_view OrdinalTable = "12345";
inline constexpr std::string_view WeekdayTable = "  SUNMONTUEWEDTHUFRISAT";

// A description that starts with ":" is a repeating entry.
bool IsRepeatingEntry(std::string_view description);

// The description with a repeating entry's leading rule and the blank after it removed; other
// descriptions, and a rule with no blank after it, are returned unchanged.
std::string WithoutRepeatHeader(std::string_view description);

// The rule written at the head of a repeating entry: ":word[:end date[:special]]" up to the first
// blank. Missing fields are empty.
struct RepeatRule {
  std::string Word;
  std::string EndDate;
  std::string Special;

  // The special increment is cut by position: character 1 is the ordinal, 2 to 4 the weekday
  // (upper-cased), 5 to 8 the day offset.
  std::string Ordinal() const;
  std::string Weekday() const;
  std::string DayOffset() const;
};

RepeatRule ParseRepeatHeader(std::string_view description);

// 1 to 5, or 0 when the ordinal is not in OrdinalTable.
int OrdinalNumber(std::string_view ordinal);
// 1 = Sunday to 7 = Saturday, or 0 when the three letters are not in WeekdayTable.
int WeekdayNumber(std::string_view weekday);

// Where one increment of a repeating entry lands, or why it stopped.
struct IncrementOutcome {
  double Date = 0;
  // The text shown under "Increment Error" when the increment stopped; empty when it went on.
  std::string Error;
  // The new date lies after the rule's end date; it is stored all the same.
  bool PastEnd = false;
  // The end date had passed already: the date stays as it was.
  bool KeptDate = false;
};

// Applies the rule to a date. A day offset that is not a whole number and an end date that is
// not a date throw EConvertError, as does a date that would leave the years 1 to 9999.
IncrementOutcome NextOccurrence(double date, const RepeatRule& rule, const DateFormat& dates);

// Where pressing Increment until the date is no longer before `today` lands (at least one press),
// worked out without a press per day. The outcome carries the first press's stop, once; an end
// date before today stops the catch-up with PastEnd and KeptDate set. A rule that stops
// moving the date forward ends the presses where it stalls.
IncrementOutcome CatchUpOccurrence(double date, const RepeatRule& rule, const DateFormat& dates,
                                   double today);

// Adds days to a date, refusing to leave the calendar the date texts can show.
double AddDays(double date, double days);

}  // namespace taskwell
