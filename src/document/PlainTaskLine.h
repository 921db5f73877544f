#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/ShortTextIndex.h"

namespace taskwell {

// Reads the common task line, the form a save writes (plain date and number fields, then the
// description), straight from its bytes, into the very cells the field-by-field reader gives it.
// Any other line is left to that reader. A list repeats a few thousand dates and a handful of
// numbers, so each field's cells are worked out once per text and looked up after that.
class PlainTaskLine {
 public:
  // weekdayCell: the priority cell of a task dated `date`, as the list's encoding holds it.
  PlainTaskLine(const DateFormat& dates, std::function<std::string(double)> weekdayCell,
                bool projectField, int descCol);

  // The cells of `line`, in column order, or false when the line needs the field-by-field
  // reader (an error in it included, which that reader then reports). The cells are valid
  // until the next call, and as long as the line's bytes.
  bool Read(std::string_view line, std::array<std::string_view, 5>& cells);
  // How many cells Read fills.
  std::size_t CellCount() const { return static_cast<std::size_t>(descCol_) + 1; }

 private:
  struct DateCells {
    double Date = 0;
    std::string Text;
    std::string Weekday;
  };
  struct NumberCells {
    std::string Text;
    bool Zero = false;
  };
  const DateCells* DateOf(std::string_view field);
  const NumberCells* NumberOf(std::string_view field);
  bool Description(std::string_view rest, std::string_view& cell);

  const DateFormat* dates_;
  std::function<std::string(double)> weekdayCell_;
  bool projectField_;
  int descCol_;
  ShortTextMemo<DateCells> dateCells_;
  ShortTextMemo<NumberCells> numberCells_;
  std::string unquoted_;
};

}  // namespace taskwell
