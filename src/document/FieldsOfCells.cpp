#include "document/FieldsOfCells.h"

#include <optional>

#include "document/CsvFile.h"
#include "document/NumberText.h"
#include "document/TableLayout.h"
#include "document/Text.h"

namespace taskwell {

const FieldsOfCells::DateField& FieldsOfCells::Date(std::string_view cell) {
  const auto make = [&]() -> std::optional<DateField> {
    double date = 0;
    ReadsAsTableDate(cell, *dates_, date);
    return DateField{date != 0, CsvFile::DateField(*dates_, date)};
  };
  if (const DateField* field = dateFields_.FindOrMake(cell, make)) return *field;
  return spareDate_ = *make();
}

std::string_view FieldsOfCells::Priority(std::string_view cell) {
  return NumberField(cell, true, priorityFields_, sparePriority_);
}

std::string_view FieldsOfCells::Number(std::string_view cell) {
  return NumberField(cell, false, numberFields_, spareNumber_);
}

std::string_view FieldsOfCells::NumberField(std::string_view cell, bool zeroWritten,
                                            ShortTextMemo<std::string, true>& memo,
                                            std::string& spare) const {
  const auto make = [&]() -> std::optional<std::string> {
    const std::string_view text = TrimView(cell);
    const char decimal = dates_->Regional().DecimalSeparator;
    Fixed4 value = 0;
    if (!text.empty() && !TryTextToNumber(text, decimal, value)) value = 0;
    if (value == 0 && !(zeroWritten && text == "0")) return std::string();
    return CsvFile::NumberField(value, decimal);
  };
  if (const std::string* field = memo.FindOrMake(cell, make)) return *field;
  return spare = *make();
}

}  // namespace taskwell
