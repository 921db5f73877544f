#include "document/PlainTaskLine.h"

#include <array>
#include <optional>
#include <span>
#include <utility>

#include "document/CsvFile.h"
#include "document/NumberText.h"
#include "document/TableLayout.h"

namespace taskwell {
namespace {

// The text up to the next comma, which `rest` moves past. False without a comma, or for a field
// the field-by-field reader would trim or unquote: the plain fields hold printable ASCII only.
bool NextField(std::string_view& rest, std::string_view& field) {
  // The fields are a few bytes long: one pass looks for the comma and checks the bytes.
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == ',') {
      field = rest.substr(0, i);
      rest.remove_prefix(i + 1);
      return true;
    }
    if (c <= ' ' || c > '~' || c == '"') return false;
  }
  return false;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

PlainTaskLine::PlainTaskLine(const DateFormat& dates,
                             std::function<std::string(double)> weekdayCell, bool projectField,
                             int descCol)
    : dates_(&dates),
      weekdayCell_(std::move(weekdayCell)),
      projectField_(projectField),
      descCol_(descCol) {}

bool PlainTaskLine::Read(std::string_view line, TaskRows::Room& into) {
  std::string_view dateField;
  std::string_view priority;
  std::string_view subPriority;
  std::string_view project;
  if (!NextField(line, dateField) || !NextField(line, priority) || !NextField(line, subPriority))
    return false;
  if (projectField_ && !NextField(line, project)) return false;
  const DateCells* date = DateOf(dateField, into);
  if (date == nullptr) return false;
  std::array<Span, 5> cells{};
  cells[TableLayout::ColDate] = date->Text;
  // A dated task shows its weekday, but its priority field must still read as a number.
  if (!priority.empty()) {
    const NumberCells* number = NumberOf(priority, into);
    if (number == nullptr) return false;
    cells[TableLayout::ColPri] = number->Text;
  }
  if (date->Dated()) cells[TableLayout::ColPri] = date->Weekday;
  for (const auto& [field, col] : {std::pair{subPriority, std::size_t{TableLayout::ColSubPri}},
                                   std::pair{project, std::size_t{TableLayout::ColProj}}}) {
    if (field.empty()) continue;
    const NumberCells* number = NumberOf(field, into);
    if (number == nullptr) return false;
    if (!number->Zero) cells[col] = number->Text;
  }
  std::string_view description;
  if (!Description(line, description)) return false;
  const auto descCol = static_cast<std::size_t>(descCol_);
  into.push_back(std::span<const Span>(cells.data(), descCol + 1), descCol, description);
  return true;
}

// A field the field-by-field reader would refuse gives nothing here, and goes to that reader.
const PlainTaskLine::DateCells* PlainTaskLine::DateOf(std::string_view field,
                                                      TaskRows::Room& into) {
  return dateCells_.FindOrMake(field, [&]() -> std::optional<DateCells> {
    double date = 0;
    try {
      date = DateOfField(*dates_, field);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    DateCells cells;
    cells.Text = into.Keep(dates_->FormatDateText(date));
    if (cells.Dated()) cells.Weekday = into.Keep(weekdayCell_(date));
    return cells;
  });
}

const PlainTaskLine::NumberCells* PlainTaskLine::NumberOf(std::string_view field,
                                                          TaskRows::Room& into) {
  return numberCells_.FindOrMake(field, [&]() -> std::optional<NumberCells> {
    const char decimal = dates_->Regional().DecimalSeparator;
    Fixed4 value = 0;
    if (!TryTextToNumber(field, decimal, value)) return std::nullopt;
    return NumberCells{into.Keep(NumberText(value, decimal)), value == 0};
  });
}

// The description: the rest of the line, or a quoted text that is all of it, with no blanks to
// trim and nothing left over.
bool PlainTaskLine::Description(std::string_view rest, std::string_view& cell) {
  if (rest.empty()) return true;
  if (rest.front() != '"') {
    if (IsBlank(rest.front()) || IsBlank(rest.back())) return false;
    cell = rest;
    return true;
  }
  if (rest.size() < 2 || rest.back() != '"') return false;
  const std::string_view inner = rest.substr(1, rest.size() - 2);
  if (!inner.empty() && (IsBlank(inner.front()) || IsBlank(inner.back()))) return false;
  std::size_t quote = inner.find('"');
  if (quote == std::string_view::npos) {
    cell = inner;
    return true;
  }
  // Doubled quotes stand for one; a single one would end the text early.
  unquoted_.clear();
  std::size_t from = 0;
  for (; quote != std::string_view::npos; quote = inner.find('"', from)) {
    if (quote + 1 >= inner.size() || inner[quote + 1] != '"') return false;
    unquoted_.append(inner, from, quote + 1 - from);
    from = quote + 2;
  }
  unquoted_.append(inner, from);
  cell = unquoted_;
  return true;
}

}  // namespace taskwell
