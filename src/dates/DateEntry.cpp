#include "dates/DateEntry.h"

namespace taskwell {

int MonthFromName(std::string_view, const RegionalSettings&) { return 0; }

double ParseDateText(std::string_view, double, const DateFormat&, Platform&) { return 0; }

}  // namespace taskwell
