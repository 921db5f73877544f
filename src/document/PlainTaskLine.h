#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/ShortTextIndex.h"
#include "document/TaskRows.h"

namespace taskwell {

// Reads the common task line, the form a save writes (plain date and number fields, then the
// description), straight from its bytes, into the very cells the field-by-field reader gives it.
// Any other line is left to that reader. A list repeats a few thousand dates and a handful of
// numbers, so each field's cells are worked out once per text, their text kept once in the rows,
// and every task with that field names the same text. One reader fills the rooms of one TaskRows.
class PlainTaskLine {
 public:
  // weekdayCell: the priority cell of a task dated `date`, as the list's encoding holds it.
  PlainTaskLine(const DateFormat& dates, std::function<std::string(double)> weekdayCell,
                bool projectField, int descCol);

  // Adds the task of `line` to `into`, or returns false when the line needs the field-by-field
  // reader (an error in it included, which that reader then reports).
  bool Read(std::string_view line, TaskRows::Room& into);

 private:
  using Span = RowView::Span;
  // An undated task's date cell is empty, a dated one's never.
  struct DateCells {
    Span Text{};
    Span Weekday{};
    bool Dated() const { return Text.Size() != 0; }
  };
  struct NumberCells {
    Span Text{};
    bool Zero = false;
  };
  const DateCells* DateOf(std::string_view field, TaskRows::Room& into);
  const NumberCells* NumberOf(std::string_view field, TaskRows::Room& into);
  bool Description(std::string_view rest, std::string_view& cell);

  const DateFormat* dates_;
  std::function<std::string(double)> weekdayCell_;
  bool projectField_;
  int descCol_;
  // Each is read once a line and used at once: their cells lie in the table.
  ShortTextMemo<DateCells, true> dateCells_;
  ShortTextMemo<NumberCells, true> numberCells_;
  std::string unquoted_;
};

}  // namespace taskwell
