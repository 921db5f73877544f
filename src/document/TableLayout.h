#pragma once

#include <string_view>

#include "document/DateText.h"
#include "document/TaskTable.h"

namespace taskwell {

// Where each field of a task sits in the table, and the table's own fixed texts, in one place.
// The project column exists only in lists that have one, and the description follows it.
class TableLayout {
 public:
  static constexpr int ColDate = 0;
  static constexpr int ColPri = 1;
  static constexpr int ColSubPri = 2;
  static constexpr int ColProj = 3;
  static constexpr int RowHeight = 20;

  static constexpr std::string_view DateTitle = "Date ";
  static constexpr std::string_view PriTitle = "Pri  ";
  static constexpr std::string_view SubPriTitle = "SubP ";
  static constexpr std::string_view ProjTitle = "Proj ";
  static constexpr std::string_view DescTitle = "Description ";
  // The widest text the date column is sized for.
  static constexpr std::string_view DateWidthSample = "99/99/9999 ";

  explicit TableLayout(bool hasProjCol = false) : hasProject_(hasProjCol) {}

  bool HasProjCol() const { return hasProject_; }
  int DescCol() const { return hasProject_ ? 4 : 3; }
  int ColCount() const { return DescCol() + 1; }
  // The header text of a column.
  std::string_view Title(int col) const;

 private:
  bool hasProject_;
};

// Whether a date cell's text is a date: the table's own month-first text, blanks around it
// allowed. The zero date is how an undated task used to be written, so it is no date.
bool ReadsAsTableDate(std::string_view text, const DateFormat& dates, double& date);
// The same for the date cell of a row: the one rule that saving, sorting, printing, the commit
// and Increment all follow.
bool ReadRowDate(const TaskTable& table, int row, const DateFormat& dates, double& date);

}  // namespace taskwell
