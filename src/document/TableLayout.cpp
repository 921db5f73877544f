#include "document/TableLayout.h"

#include "document/Text.h"

namespace taskwell {

std::string_view TableLayout::Title(int col) const {
  switch (col) {
    case ColDate:
      return DateTitle;
    case ColPri:
      return PriTitle;
    case ColSubPri:
      return SubPriTitle;
    default:
      return col == DescCol() ? DescTitle : ProjTitle;
  }
}

bool ReadsAsTableDate(std::string_view text, const DateFormat& dates, double& date) {
  date = 0;
  const std::string_view trimmed = TrimView(text);
  return !trimmed.empty() && dates.TryParseTableDate(trimmed, date) && date != 0;
}

bool ReadRowDate(const TaskTable& table, int row, const DateFormat& dates, double& date) {
  return ReadsAsTableDate(table.Cell(TableLayout::ColDate, row), dates, date);
}

}  // namespace taskwell
