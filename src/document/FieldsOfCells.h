#pragma once

#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/ShortTextIndex.h"

namespace taskwell {

// The fields a save writes for a task's date and number cells. A list repeats a few thousand
// dates and a handful of numbers, so each cell text's field is worked out once per save and
// looked up after that. A field given out is valid until the next call of its kind.
class FieldsOfCells {
 public:
  struct DateField {
    bool Dated = false;
    std::string Text;
  };

  explicit FieldsOfCells(const DateFormat& dates) : dates_(&dates) {}

  const DateField& Date(std::string_view cell);
  // An undated task's priority: 0 is a priority, and is written.
  std::string_view Priority(std::string_view cell);
  // A sub-priority or a project number: 0 is none, and is written as nothing.
  std::string_view Number(std::string_view cell);

 private:
  std::string_view NumberField(std::string_view cell, bool zeroWritten,
                               ShortTextMemo<std::string, true>& memo, std::string& spare) const;

  const DateFormat* dates_;
  // The fields lie in the tables beside their cells' texts: a lookup touches one place.
  ShortTextMemo<DateField, true> dateFields_;
  ShortTextMemo<std::string, true> priorityFields_;
  ShortTextMemo<std::string, true> numberFields_;
  // Where a field goes when too many texts are kept already to keep one more.
  DateField spareDate_;
  std::string sparePriority_;
  std::string spareNumber_;
};

}  // namespace taskwell
