#pragma once

#include <libical/ical.h>

namespace taskwell {

// The few libical routines the iCalendar reader needs for time zones and recurrence rules,
// opened when a date or rule first needs them: most starts import nothing, and a start that
// links libical pays for its relocations and pages all the same.
struct IcalLibrary {
  decltype(&icalparser_parse_string) ParseString = nullptr;
  decltype(&icalcomponent_free) FreeComponent = nullptr;
  decltype(&icalcomponent_get_timezone) ComponentZone = nullptr;
  decltype(&icaltimezone_get_builtin_timezone) BuiltinZone = nullptr;
  decltype(&icaltimezone_get_utc_timezone) UtcZone = nullptr;
  decltype(&icalrecurrencetype_from_string) RecurrenceOf = nullptr;
  decltype(&icaltime_from_string) TimeOf = nullptr;
  decltype(&icaltime_is_null_time) IsNullTime = nullptr;
  decltype(&icaltime_is_valid_time) IsValidTime = nullptr;
  decltype(&icaltime_as_timet_with_zone) SecondsOf = nullptr;

  // Opened on the first call, with its errors made not fatal; throws std::runtime_error naming
  // the library when it cannot be opened.
  static const IcalLibrary& Get();
};

}  // namespace taskwell
