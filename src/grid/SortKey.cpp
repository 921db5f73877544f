#include "grid/SortKey.h"

#include <algorithm>
#include <array>

#include "document/Calendar.h"
#include "document/Text.h"

namespace taskwell {
namespace {

constexpr std::size_t kKeyWidth = 5;

// "yyyymmdd". Dates beyond the calendar (a huge priority) are held at its ends so that the
// part keeps its eight digits and its order.
void AppendDatePart(std::string& out, double date) {
  static const double kFirstDay = EncodeDate(1, 1, 1);
  static const double kLastDay = EncodeDate(9999, 12, 31);
  const CalendarDate day = DecodeDate(std::clamp(date, kFirstDay, kLastDay));
  std::array<char, 8> text{};
  int value = day.Year * 10000 + day.Month * 100 + day.Day;
  for (int i = 7; i >= 0; --i, value /= 10)
    text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  out.append(text.data(), text.size());
}

void AppendRightAligned(std::string& out, std::string_view text) {
  const std::size_t count = CharCount(text);
  if (count < kKeyWidth) out.append(kKeyWidth - count, ' ');
  out.append(text);
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
  std::string key;
  AppendSortKey(key, order, effectiveDate, subPriority, project, description);
  return key;
}

void AppendSortKey(std::string& out, SortOrder order, double effectiveDate,
                   std::string_view subPriority, std::string_view project,
                   std::string_view description) {
  AppendSortKeyHead(out, order, effectiveDate, subPriority, project);
  const std::size_t start = out.size();
  out.append(description);
  for (std::size_t i = start; i < out.size(); ++i) out[i] = UpperAscii(out[i]);
}

void AppendSortKeyHead(std::string& out, SortOrder order, double effectiveDate,
                       std::string_view subPriority, std::string_view project) {
  switch (order) {
    case SortOrder::ByDescription:
      break;
    case SortOrder::ByProject:
      AppendRightAligned(out, project);
      break;
    default:
      AppendDatePart(out, effectiveDate);
      AppendRightAligned(out, subPriority);
  }
}

}  // namespace taskwell
