#include "grid/SortKey.h"

#include <algorithm>

#include "document/Calendar.h"
#include "document/Padding.h"
#include "document/Text.h"

namespace taskwell {
namespace {

constexpr int kKeyWidth = 5;

// "yyyymmdd". Dates beyond the calendar (a huge priority) are held at its ends so that the
// part keeps its eight digits and its order.
std::string DatePart(double date) {
  static const double kFirstDay = EncodeDate(1, 1, 1);
  static const double kLastDay = EncodeDate(9999, 12, 31);
  const CalendarDate day = DecodeDate(std::clamp(date, kFirstDay, kLastDay));
  std::string text(8, '0');
  int value = day.Year * 10000 + day.Month * 100 + day.Day;
  for (int i = 7; i >= 0; --i, value /= 10) text[static_cast<std::size_t>(i)] += value % 10;
  return text;
}

}  // namespace

double EffectiveDate(double rowDate, std::string_view priority, double now) {
  if (rowDate != 0) return rowDate;
  const std::string_view trimmed = TrimView(priority);
  std::int32_t days = 0;
  if (trimmed.empty() || !TryStrToInt(trimmed, days)) return 0;
  return DateOf(now) + days;
}

std::string SortKey(SortOrder order, double effectiveDate, std::string_view subPriority,
                    std::string_view project, std::string_view description) {
  std::string upper = UpperAscii(description);
  switch (order) {
    case SortOrder::ByDescription:
      return upper;
    case SortOrder::ByProject:
      return PadLeft(project, kKeyWidth) + upper;
    default:
      return DatePart(effectiveDate) + PadLeft(subPriority, kKeyWidth) + upper;
  }
}

}  // namespace taskwell
