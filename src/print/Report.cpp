#include <cmath>

#include "document/Text.h"
#include "document/ToDoList.h"
#include "print/Utility.h"

namespace taskwell {
namespace {

constexpr std::size_t DateWidth = 10;
constexpr std::size_t NumberWidth = 4;
constexpr std::size_t DescriptionRuleWidth = 50;

// One fixed-column line: date, priority, sub-priority and, when present, project, each with a
// blank after it, then the description. Filling only adds: a long cell pushes the rest right.
std::string FixedColumns(std::string_view date, std::string_view pri, std::string_view subPri,
                         const std::string_view* proj, std::string_view description) {
  std::string line = PadRight(date, DateWidth) + ' ';
  line += PadLeft(pri, NumberWidth) + ' ';
  line += PadLeft(subPri, NumberWidth) + ' ';
  if (proj != nullptr) line += PadLeft(*proj, NumberWidth) + ' ';
  return line.append(description);
}

// The table's own column titles, trimmed where they are right-aligned.
std::string Heading(bool hasProjCol) {
  const std::string_view proj = TrimView("Proj ");
  return FixedColumns("Date ", TrimView("Pri  "), TrimView("SubP "), hasProjCol ? &proj : nullptr,
                      "Description ");
}

std::string Rule(bool hasProjCol) {
  const std::string number = PadRightWith("", NumberWidth, '-') + ' ';
  std::string line = PadRightWith("", DateWidth, '-') + ' ' + number + number;
  if (hasProjCol) line += number;
  return line + PadRightWith("", DescriptionRuleWidth, '-');
}

// Whole days from now to the date: half a day is added and the fraction cut toward zero, so the
// result depends on the time of day.
int DayDistance(double date, double now) {
  return static_cast<int>(std::trunc(date - now + 0.5));
}

// What a page range is compared with: the day distance of a dated row, else its priority as a
// whole number (0 when empty or not a number). A date that does not parse, or the zero date,
// leaves the row undated.
int DaysOrPriority(const ToDoList& list, int row) {
  double date = 0;
  const std::string_view dateText = TrimView(list.Grid.Cell(ToDoList::ColDate, row));
  if (!dateText.empty() && list.Dates.TryParseTableDate(dateText, date) && date != 0) {
    return DayDistance(date, list.Dates.Now());
  }
  const std::string_view priText = TrimView(list.Grid.Cell(ToDoList::ColPri, row));
  return priText.empty() ? 0 : StrToIntOrZero(priText);
}

}  // namespace

std::vector<std::string> ToDoList::ReportLines(const PrintChoice& choice) const {
  std::vector<std::string> lines{ListTitle, "", Heading(HasProjCol), Rule(HasProjCol)};
  for (int row = 1; row < Grid.RowCount(); ++row) {
    if (!choice.PrintAll) {
      const int v = DaysOrPriority(*this, row);
      if (v < choice.From || v > choice.To) continue;
    }
    const std::string_view proj = HasProjCol ? std::string_view(Grid.Cell(ColProj, row)) : "";
    lines.push_back(FixedColumns(Grid.Cell(ColDate, row), Grid.Cell(ColPri, row),
                                 Grid.Cell(ColSubPri, row), HasProjCol ? &proj : nullptr,
                                 Grid.Cell(DescCol, row)));
  }
  return lines;
}

void ToDoList::PrintTasks() {
  // The page range stands for a window of days, so it starts from nothing every time; the
  // everything-or-range choice is kept from the last confirmed run.
  LastPrintChoice.From = 0;
  LastPrintChoice.To = 0;
  PrintChoice choice = LastPrintChoice;
  if (!Ui.ShowPrintDialog(choice)) return;
  LastPrintChoice = choice;
  const std::vector<std::string> lines = ReportLines(choice);
  std::unique_ptr<PrinterTextStream> stream = Ui.OpenPrinter(ListTitle);
  for (const std::string& line : lines) stream->WriteLine(line);
  stream->Close();
}

void ToDoList::PrintButtonClick() {
  PrintTasks();
}

}  // namespace taskwell
