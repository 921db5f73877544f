#include <cmath>
#include <utility>

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

// Hands each line of the printout to write in turn, so that printing a long list never holds
// all of its lines at once.
template <typename Write>
void EachReportLine(const ToDoList& list, const PrintChoice& choice, Write write) {
  write(list.ListTitle);
  write(std::string());
  write(Heading(list.HasProjCol));
  write(Rule(list.HasProjCol));
  const TaskTable& grid = list.Grid;
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!choice.PrintAll) {
      const int v = DaysOrPriority(list, row);
      if (v < choice.From || v > choice.To) continue;
    }
    const std::string_view proj =
        list.HasProjCol ? std::string_view(grid.Cell(ToDoList::ColProj, row)) : "";
    write(FixedColumns(grid.Cell(ToDoList::ColDate, row), grid.Cell(ToDoList::ColPri, row),
                       grid.Cell(ToDoList::ColSubPri, row), list.HasProjCol ? &proj : nullptr,
                       grid.Cell(list.DescCol, row)));
  }
}

}  // namespace

std::vector<std::string> ToDoList::ReportLines(const PrintChoice& choice) const {
  std::vector<std::string> lines;
  EachReportLine(*this, choice, [&](std::string line) { lines.push_back(std::move(line)); });
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
  std::unique_ptr<PrinterTextStream> stream = Ui.OpenPrinter(ListTitle);
  EachReportLine(*this, choice, [&](const std::string& line) { stream->WriteLine(line); });
  stream->Close();
}

void ToDoList::PrintButtonClick() {
  PrintTasks();
}

}  // namespace taskwell
