#include "print/Report.h"

#include <cmath>

#include "document/Padding.h"
#include "document/TableLayout.h"
#include "document/Text.h"

namespace taskwell {
namespace {

constexpr std::size_t DateWidth = 10;
constexpr std::size_t NumberWidth = 4;
constexpr std::size_t DescriptionRuleWidth = 50;

}  // namespace

void AppendReportTaskLine(std::string& line, std::string_view date, std::string_view pri,
                          std::string_view subPri, const std::string_view* proj,
                          std::string_view description) {
  AppendPadRight(line, date, DateWidth);
  line += ' ';
  AppendPadLeft(line, pri, NumberWidth);
  line += ' ';
  AppendPadLeft(line, subPri, NumberWidth);
  line += ' ';
  if (proj != nullptr) {
    AppendPadLeft(line, *proj, NumberWidth);
    line += ' ';
  }
  line.append(description);
}

std::string ReportTaskLine(std::string_view date, std::string_view pri, std::string_view subPri,
                           const std::string_view* proj, std::string_view description) {
  std::string line;
  AppendReportTaskLine(line, date, pri, subPri, proj, description);
  return line;
}

// The table's own column titles, trimmed where they are right-aligned.
std::string ReportHeading(bool hasProjCol) {
  const std::string_view proj = TrimView(TableLayout::ProjTitle);
  return ReportTaskLine(TableLayout::DateTitle, TrimView(TableLayout::PriTitle),
                        TrimView(TableLayout::SubPriTitle), hasProjCol ? &proj : nullptr,
                        TableLayout::DescTitle);
}

std::string ReportRule(bool hasProjCol) {
  const std::string number = PadRightWith("", NumberWidth, '-') + ' ';
  std::string line = PadRightWith("", DateWidth, '-') + ' ' + number + number;
  if (hasProjCol) line += number;
  return line + PadRightWith("", DescriptionRuleWidth, '-');
}

int DaysOrPriority(double rowDate, std::string_view priority, double now) {
  if (rowDate != 0) return static_cast<int>(std::trunc(rowDate - now + 0.5));
  const std::string_view trimmed = TrimView(priority);
  return trimmed.empty() ? 0 : StrToIntOrZero(trimmed);
}

}  // namespace taskwell
