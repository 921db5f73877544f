#pragma once

#include <string_view>

#include "document/DateText.h"

namespace taskwell {

// 1 to 12 for a text whose first three letters name a month, else 0. Where several names share
// those letters, the one that matches more of the typed letters wins; a tie goes to the later
// month.
int MonthFromName(std::string_view text, const RegionalSettings& regional);

// The date a typed text stands for, completed against monthStart (the first day of the current
// month); 0 when it matches no form, which the caller reports. Impossible dates throw
// EConvertError.
double ParseDateText(std::string_view text, double monthStart, const DateFormat& dates);

}  // namespace taskwell
