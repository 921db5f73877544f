#include "document/FieldsOfCells.h"

#include "document/CsvFile.h"
#include "document/NumberText.h"
#include "document/TableLayout.h"
#include "document/Text.h"

namespace taskwell {

const FieldsOfCells::DateField& FieldsOfCells::Date(std::string_view cell) {
  if (const DateField* known = dateFields_.Find(cell)) return *known;
  double date = 0;
  ReadsAsTableDate(cell, *dates_, date);
  DateField field{date != 0, date == 0 ? std::string() : dates_->FileDateText(date)};
  if (!dateFields_.CanKeep(cell)) return spareDate_ = std::move(field);
  return dateFields_.Keep(cell, std::move(field));
}

std::string_view FieldsOfCells::Priority(std::string_view cell) {
  return NumberField(cell, true, priorityFields_, sparePriority_);
}

std::string_view FieldsOfCells::Number(std::string_view cell) {
  return NumberField(cell, false, numberFields_, spareNumber_);
}

std::string_view FieldsOfCells::NumberField(std::string_view cell, bool zeroWritten,
                                            ShortTextMemo<std::string>& memo,
                                            std::string& spare) const {
  if (const std::string* known = memo.Find(cell)) return *known;
  const std::string_view text = TrimView(cell);
  const char decimal = dates_->Regional().DecimalSeparator;
  Fixed4 value = 0;
  if (!text.empty() && !TryTextToNumber(text, decimal, value)) value = 0;
  std::string field;
  if (value != 0 || (zeroWritten && text == "0")) field = CsvFile::NumberField(value, decimal);
  if (!memo.CanKeep(cell)) return spare = std::move(field);
  return memo.Keep(cell, std::move(field));
}

}  // namespace taskwell
