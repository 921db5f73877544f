#include "dates/RepeatRule.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"

namespace taskwell {
namespace {

struct RepeatStep {
  std::string_view Word;
  int Days;
  int Months;
  // A date on the last day of its month stays on the last day of the target month.
  bool KeepsMonthEnd;
};

// Repeat words are matched exactly, lower case only.
constexpr std::array<RepeatStep, 8> kRepeatSteps = {{
    {"daily", 1, 0, false},
    {"weekly", 7, 0, false},
    {"biweekly", 14, 0, false},
    {"monthly", 0, 1, true},
    {"bimonthly", 0, 2, true},
    {"quarterly", 0, 3, true},
    {"semiannual", 0, 6, false},
    {"annual", 0, 12, false},
}};

const RepeatStep* FindStep(std::string_view word) {
  for (const RepeatStep& step : kRepeatSteps) {
    if (step.Word == word) return &step;
  }
  return nullptr;
}

double Advance(double date, const RepeatStep& step) {
  if (step.Days != 0) return AddDays(date, step.Days);
  const bool wasMonthEnd = step.KeepsMonthEnd && IsLastDayOfMonth(date);
  const double moved = IncMonth(date, step.Months);
  return wasMonthEnd ? LastDayOfMonth(moved) : moved;
}

// The n-th weekday w of the month that `date` lies in; a fifth weekday the month lacks runs on
// into the next month.
double NthWeekdayOfMonth(double date, int n, int w) {
  const double first = FirstDayOfMonth(date);
  int shift = w - DayOfWeek(first);
  if (shift < 0) shift += 7;
  return AddDays(first, shift + 7 * (n - 1));
}

IncrementOutcome Stopped(std::string error) {
  IncrementOutcome outcome;
  outcome.Error = std::move(error);
  return outcome;
}

std::string_view Field(std::string_view text, std::size_t from, std::size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string_view();
}

// Presses of a day step over a gap of days, as one multiplication.
double SkipWholeSteps(double date, int stepDays, double today) {
  const double presses = std::ceil((today - date) / stepDays);
  return presses > 0 ? AddDays(date, presses * stepDays) : date;
}

}  // namespace

bool IsRepeatingEntry(std::string_view description) {
  return !description.empty() && description.front() == ':';
}

std::string WithoutRepeatHeader(std::string_view description) {
  if (!IsRepeatingEntry(description)) return std::string(description);
  const std::size_t blank = description.find(' ');
  if (blank == std::string_view::npos) return std::string(description);
  return std::string(description.substr(blank + 1));
}

std::string RepeatRule::Ordinal() const {
  return std::string(Field(Special, 0, 1));
}
std::string RepeatRule::Weekday() const {
  return UpperAscii(Field(Special, 1, 3));
}
std::string RepeatRule::DayOffset() const {
  return std::string(Field(Special, 4, 4));
}

RepeatRule ParseRepeatHeader(std::string_view description) {
  RepeatRule rule;
  if (!IsRepeatingEntry(description)) return rule;
  const std::size_t blank = description.find(' ');
  // Without a blank the whole description would be the rule; it counts as having none.
  if (blank == std::string_view::npos) return rule;
  std::string_view header = description.substr(1, blank - 1);
  std::string* fields[] = {&rule.Word, &rule.EndDate, &rule.Special};
  for (std::string* field : fields) {
    const std::size_t colon = header.find(':');
    *field = std::string(header.substr(0, colon));
    if (colon == std::string_view::npos) break;
    header.remove_prefix(colon + 1);
  }
  return rule;
}

int OrdinalNumber(std::string_view ordinal) {
  if (ordinal.empty()) return 0;
  const std::size_t at = OrdinalTable.find(ordinal);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int WeekdayNumber(std::string_view weekday) {
  if (weekday.empty()) return 0;
  const std::size_t at = WeekdayTable.find(weekday);
  return at == std::string_view::npos ? 0 : static_cast<int>(at + 1) / 3;
}

double AddDays(double date, double days) {
  static const double kFirst = EncodeDate(1, 1, 1);
  static const double kLast = EncodeDate(9999, 12, 31);
  const double result = date + days;
  if (result < kFirst || result > kLast) throw EConvertError("Invalid argument to date encode");
  return result;
}

IncrementOutcome NextOccurrence(double date, const RepeatRule& rule, const DateFormat& dates) {
  const bool special = !rule.Special.empty();
  const std::string offsetText = rule.DayOffset();
  std::int32_t offset = 0;
  double next = date;
  // Take a shifted task back onto its weekday first, so the weekday is what advances. A bad
  // offset is reported before anything else is looked at.
  if (special && !offsetText.empty()) {
    offset = StrToInt(offsetText);
    next = AddDays(next, -static_cast<double>(offset));
  }
  const RepeatStep* step = FindStep(rule.Word);
  if (step == nullptr) return Stopped("Increment needs weekly, monthly, or annual");
  next = Advance(next, *step);
  if (special) {
    const std::string weekday = rule.Weekday();
    if (weekday.size() != 3) return Stopped("Day must be 3-letter abbreviation");
    const int n = OrdinalNumber(rule.Ordinal());
    const int w = WeekdayNumber(weekday);
    if (n == 0 || w == 0) return Stopped("Invalid special increment, date not incremented");
    next = NthWeekdayOfMonth(next, n, w);
    if (!offsetText.empty()) next = AddDays(next, offset);
  }
  IncrementOutcome outcome;
  if (!rule.EndDate.empty()) {
    outcome.PastEnd = DateOf(next) > DateOf(dates.ParseTableDate(rule.EndDate));
  }
  outcome.Date = next;
  return outcome;
}

IncrementOutcome CatchUpOccurrence(double date, const RepeatRule& rule, const DateFormat& dates,
                                   double today) {
  today = DateOf(today);
  IncrementOutcome first = NextOccurrence(date, rule, dates);
  if (!first.Error.empty() || DateOf(date) >= today) return first;
  const bool hasEnd = !rule.EndDate.empty();
  const double end = hasEnd ? DateOf(dates.ParseTableDate(rule.EndDate)) : 0;
  if (hasEnd && end < today) {
    first.Date = date;
    first.PastEnd = true;
    first.KeptDate = true;
    return first;
  }
  const RepeatStep* step = FindStep(rule.Word);
  double at = first.Date;
  if (rule.Special.empty() && step->Days != 0) {
    at = SkipWholeSteps(at, step->Days, today);
  } else {
    // Month steps can lower the day for good (08/31, 02/28, 08/28), so they are taken one by
    // one: a loop over months, never over days. A rule that stops moving forward ends it.
    while (DateOf(at) < today) {
      const double next = NextOccurrence(at, rule, dates).Date;
      if (DateOf(next) <= DateOf(at)) break;
      at = next;
    }
  }
  IncrementOutcome outcome;
  outcome.Date = at;
  outcome.PastEnd = hasEnd && DateOf(at) > end;
  return outcome;
}

}  // namespace taskwell
