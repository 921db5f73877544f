#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/Calendar.h"
#include "document/Clock.h"
#include "document/Regional.h"

namespace taskwell {

// What the short-date parser found: the completed date and its month and day as read.
struct ShortDate : CalendarDate {
  bool HadYear = false;
};

// Date texts under the user's regional settings and the current time.
class DateFormat {
 public:
  DateFormat(RegionalSettings regional, const Clock& clock);

  const RegionalSettings& Regional() const { return settings_; }
  double Now() const { return clock_->Now(); }
  int CurrentYear() const;

  // Holds the year CurrentYear gives while it lives. A load or a save asks for it once per date,
  // and each asking reads the local time from the system.
  class YearHold {
   public:
    explicit YearHold(const DateFormat& dates) : dates_(dates), before_(dates.heldYear_.Value) {
      dates_.heldYear_.Value = dates_.CurrentYear();
    }
    ~YearHold() { dates_.heldYear_.Value = before_; }
    YearHold(const YearHold&) = delete;
    YearHold& operator=(const YearHold&) = delete;

   private:
    const DateFormat& dates_;
    int before_;
  };

  // One- and two-digit years land in the hundred years that begin this many years before now.
  int TwoDigitYearWindow = 20;

  // "mm/dd/yyyy" with the regional separator; the empty text for the date value 0.
  std::string FormatDateText(double date) const;
  // The regional abbreviated weekday name.
  std::string WeekdayText(double date) const;
  // The regional short date form.
  std::string ShortDateText(double date) const;
  // The form written to the task file: the regional short date form, with the year in full where
  // a two-digit year would read back as another date (outside the two-digit-year window).
  std::string FileDateText(double date) const;

  // The short-date parser in a given field order; nothing when the text is not such a date.
  std::optional<ShortDate> ParseShortDateParts(std::string_view text, DateOrder order) const;
  // In the regional order.
  bool TryParseShortDate(std::string_view text, double& date) const;
  // Throws EConvertError "'<text>' is not a valid date".
  double ParseShortDate(std::string_view text) const;
  // The table's own date text is always month first, whatever the regional order.
  bool TryParseTableDate(std::string_view text, double& date) const;
  double ParseTableDate(std::string_view text) const;

 private:
  bool TryParseIn(std::string_view text, DateOrder order, double& date) const;
  std::string ShortDateTextIn(double date, bool fullYear) const;

  RegionalSettings settings_;
  const Clock* clock_;
  // 0 when no YearHold is alive. A copy of the format does not share the hold.
  struct HeldYear {
    int Value = 0;
    HeldYear() = default;
    HeldYear(const HeldYear& /*other*/) {}
    HeldYear& operator=(const HeldYear& /*other*/) { return *this; }
    ~HeldYear() = default;
  };
  mutable HeldYear heldYear_;
};

}  // namespace taskwell
