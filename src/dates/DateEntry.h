#pragma once

#include <string_view>

#include "document/DateText.h"
#include "document/Platform.h"

namespace taskwell {

// 1 to 12 for a text whose first three letters name a month (the later month wins a tie), else 0.
int MonthFromName(std::string_view text, const RegionalSettings& regional);

// The date a typed text stands for, completed against monthStart (the first day of the current
// month); 0 when it matches no form. A month-and-day text the parser rejects shows "Invalid Date"
// through the message box; impossible dates throw EConvertError.
double ParseDateText(std::string_view text, double monthStart, const DateFormat& dates,
                     Platform& ui);

}  // namespace taskwell
