#pragma once

#include <string>
#include <string_view>

namespace taskwell {

// A date as the other formats write it: year, month and day in digits, joined by `separator`
// ("20260610" for iCalendar with none, "2026-06-10" for todo.txt with "-").
std::string DateDigits(double date, std::string_view separator = {});
void AppendDateDigits(std::string& out, double date, std::string_view separator = {});
// Reads the same form from the start of `text`; anything after it is left for the caller (the
// time of an iCalendar date-time). False when it is not a date that exists.
bool ReadDateDigits(std::string_view text, std::string_view separator, double& date);

}  // namespace taskwell
