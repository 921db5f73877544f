// The printed listing: which rows a print run takes, and the run itself.
#include "document/TableLayout.h"
#include "list/ToDoList.h"
#include "print/Report.h"

namespace taskwell {
namespace {

// Hands each line of the printout to write in turn, so that printing a long list never holds
// all of its lines at once.
template <typename Write>
void EachReportLine(const ToDoList& list, const PrintChoice& choice, Write write) {
  write(list.ListTitle());
  write(std::string());
  write(ReportHeading(list.HasProjCol()));
  write(ReportRule(list.HasProjCol()));
  const TaskTable& grid = list.Table();
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!choice.PrintAll) {
      double date = 0;
      ReadRowDate(grid, row, list.Dates(), date);
      const int v = DaysOrPriority(date, grid.Cell(TableLayout::ColPri, row), list.Dates().Now());
      if (v < choice.From || v > choice.To) continue;
    }
    const std::string_view proj =
        list.HasProjCol() ? std::string_view(grid.Cell(ToDoList::ColProj, row)) : "";
    write(ReportTaskLine(grid.Cell(ToDoList::ColDate, row), grid.Cell(ToDoList::ColPri, row),
                         grid.Cell(ToDoList::ColSubPri, row), list.HasProjCol() ? &proj : nullptr,
                         grid.Cell(list.DescCol(), row)));
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
  lastPrintChoice_.From = 0;
  lastPrintChoice_.To = 0;
  PrintChoice choice = lastPrintChoice_;
  if (!ui_.ShowPrintDialog(choice)) return;
  lastPrintChoice_ = choice;
  std::unique_ptr<PrinterTextStream> stream = ui_.OpenPrinter(file_.Title);
  EachReportLine(*this, choice, [&](const std::string& line) { stream->WriteLine(line); });
  stream->Close();
}

void ToDoList::PrintButtonClick() {
  PrintTasks();
}

}  // namespace taskwell
