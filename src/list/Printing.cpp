// The printed listing: which rows a print run takes, and the run itself.
#include "document/Progress.h"
#include "document/TableLayout.h"
#include "list/DueListing.h"
#include "list/ToDoList.h"
#include "print/Report.h"

namespace taskwell {
namespace {

// Hands each line of the printout to write in turn.
template <typename Write>
void EachReportLine(const std::string& title, const TaskRows& rows, bool hasProjCol,
                    const DateFormat& dates, const PrintChoice& choice, Write write) {
  write(title);
  write(std::string());
  write(ReportHeading(hasProjCol));
  write(ReportRule(hasProjCol));
  const TableLayout layout(hasProjCol);
  std::string line;
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const RowView cells = rows[row];
    if (!choice.PrintAll) {
      double date = 0;
      ReadsAsTableDate(cells[TableLayout::ColDate], dates, date);
      const int v = DaysOrPriority(date, cells[TableLayout::ColPri], dates.Now());
      if (v < choice.From || v > choice.To) continue;
    }
    const std::string_view proj = hasProjCol ? std::string_view(cells[TableLayout::ColProj]) : "";
    line.clear();
    AppendReportTaskLine(line, cells[TableLayout::ColDate], cells[TableLayout::ColPri],
                         cells[TableLayout::ColSubPri], hasProjCol ? &proj : nullptr,
                         cells[static_cast<std::size_t>(layout.DescCol())]);
    write(line);
  }
}

}  // namespace

std::vector<std::string> ListingLines(const std::string& title, const LoadedRows& list,
                                      const DateFormat& dates, const PrintChoice& choice) {
  std::vector<std::string> lines;
  EachReportLine(title, list.Rows, list.HasProjCol, dates, choice,
                 [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

std::vector<std::string> ToDoList::ReportLines(const PrintChoice& choice) const {
  std::vector<std::string> lines;
  EachReportLine(shown_.Title, table_.Rows(), layout_.HasProjCol(), dates_, choice,
                 [&](const std::string& line) { lines.push_back(line); });
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
  std::unique_ptr<PrinterTextStream> stream = ui_.OpenPrinter(shown_.Title);
  try {
    EachReportLine(shown_.Title, table_.Rows(), layout_.HasProjCol(), dates_, choice,
                   [&](const std::string& line) { stream->WriteLine(line); });
    stream->Close();
  } catch (const WorkCancelled&) {
    // The user stopped it; the printer's job and any print file are dropped with the stream.
  }
}

void ToDoList::PrintButtonClick() {
  PrintTasks();
}

}  // namespace taskwell
