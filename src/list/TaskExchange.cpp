#include "list/TaskExchange.h"

#include <unistd.h>

#include <algorithm>
#include <ostream>

#include "document/SafeFile.h"
#include "document/TaskFile.h"
#include "document/Text.h"
#include "list/ConsolePlatform.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

// The one place that reads a task file for the commands without a window. A file that does not
// load whole is refused: what it would export or save could not be all of it.
bool LoadWhole(ToDoList& list, const std::string& file, bool mayBeMissing, std::ostream& err) {
  std::string bytes;
  Message failure;
  if (!mayBeMissing || access(file.c_str(), F_OK) == 0) {
    if (!ReadWholeFile(file, bytes, nullptr, &failure)) {
      err << "taskwell: " << failure.English() << '\n';
      return false;
    }
  }
  if (!list.Guarded([&] { list.FormCreate(file, ""); })) return false;
  if (list.File().LoadWasPartial()) {
    err << "taskwell: " << file << " was not read whole; nothing was done\n";
    return false;
  }
  return true;
}

std::string Plural(std::size_t count, const std::string& one) {
  return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

}  // namespace

TaskList ExportedTasks(const ToDoList& list) {
  TaskList tasks;
  tasks.HasProjCol = list.Layout().HasProjCol();
  const TaskTable& table = list.Table();
  const bool utf8 = list.File().TextIsUtf8();
  tasks.Tasks.reserve(static_cast<std::size_t>(table.RowCount()));
  std::vector<std::string> cells(static_cast<std::size_t>(table.ColCount()));
  for (int row = 1; row < table.RowCount(); ++row) {
    // The rows a save writes, and no other.
    if (!TaskFile::IsSavedRow(table.RowCells(row), list.Layout().DescCol())) continue;
    for (int col = 0; col < table.ColCount(); ++col) {
      const std::string& cell = table.Cell(col, row);
      cells[static_cast<std::size_t>(col)] = utf8 ? cell : Cp1252ToUtf8(cell);
    }
    tasks.Tasks.push_back(TaskFields::FromCells(cells, list.Layout(), list.Dates()));
  }
  return tasks;
}

std::string ImportReport(const ImportedTasks& imported, std::size_t added,
                         const std::vector<std::string>& notKept, const std::string& file) {
  std::string report = "Imported " + Plural(added, "task") + " into " + file;
  if (imported.Completed > 0)
    report += "; " +
              Plural(static_cast<std::size_t>(imported.Completed), "completed or cancelled task") +
              " left out";
  report += ".\n";
  for (const std::string& line : imported.NotKept) report += line + "\n";
  for (const std::string& line : notKept) report += line + "\n";
  return report;
}

void ExportListToFile(const ToDoList& list, const std::string& path, std::int64_t stamp) {
  const ExchangeFormat format =
      path.ends_with(".ics") ? ExchangeFormat::ICalendar : ExchangeFormat::TodoTxt;
  AtomicFileWriter writer;
  writer.Open(path);
  writer.Append(ExportText(ExportedTasks(list), format, list.Dates(), stamp));
  // Without an open file the writer throws the reason it could not open one.
  writer.Commit();
}

std::string ImportFileIntoList(ToDoList& list, const std::string& path) {
  std::string text;
  Message failure;
  if (!ReadWholeFile(path, text, nullptr, &failure)) throw MessageError(failure);
  ImportedTasks imported;
  try {
    imported = ImportText(text, list.Dates());
  } catch (const ImportError& error) {
    throw std::runtime_error(path + ", " + error.what() + "; nothing was imported");
  }
  const std::vector<std::string> notKept = list.ImportTasks(imported.List);
  return ImportReport(imported, imported.List.Tasks.size(), notKept, list.ListTitle());
}

int ExportTaskFile(const std::string& file, ExchangeFormat format, const RegionalSettings& regional,
                   const Clock& clock, std::int64_t stamp, std::ostream& out, std::ostream& err) {
  ConsolePlatform console(err);
  ToDoList list(console, DateFormat(regional, clock));
  if (!LoadWhole(list, file, false, err)) return 1;
  out << ExportText(ExportedTasks(list), format, list.Dates(), stamp);
  out.flush();
  if (!out) {
    err << "taskwell: the export could not be written\n";
    return 1;
  }
  return 0;
}

int ImportIntoTaskFile(const std::string& path, const std::string& file,
                       const RegionalSettings& regional, const Clock& clock, std::ostream& out,
                       std::ostream& err) {
  std::string text;
  Message failure;
  if (!ReadWholeFile(path, text, nullptr, &failure)) {
    err << "taskwell: " << failure.English() << '\n';
    return 1;
  }
  ConsolePlatform console(err);
  ToDoList list(console, DateFormat(regional, clock));
  ImportedTasks imported;
  try {
    imported = ImportText(text, list.Dates());
  } catch (const ImportError& error) {
    err << "taskwell: " << path << ", " << error.what() << "; nothing was imported\n";
    return 1;
  }
  if (!LoadWhole(list, file, true, err)) return 1;
  const std::vector<std::string> notKept = list.ImportTasks(imported.List);
  bool saved = false;
  list.Guarded([&] { saved = list.SaveTaskFile(); });
  if (!saved) {
    err << "taskwell: " << file << " was left as it was\n";
    return 1;
  }
  out << ImportReport(imported, imported.List.Tasks.size(), notKept, file) << std::flush;
  return 0;
}

std::vector<std::string> ToDoList::ImportTasks(const TaskList& imported) {
  std::vector<std::string> notKept;
  if (imported.Tasks.empty()) return notKept;
  // A list that has no task yet takes the project column of what it imports.
  if (imported.HasProjCol && !layout_.HasProjCol() && SavedRows().empty()) {
    SetLayout(true);
    FinishTaskTable();
  }
  // A single-byte table holds UTF-8 from here; a save writes it single-byte again if it fits.
  CellsToUtf8();
  const StepScope step(*this, &ToDoList::CursorMark);
  int row = table_.RowCount();
  // The blank row an empty list shows is filled first.
  const auto blank = [&](int r) {
    for (int col = 0; col < table_.ColCount(); ++col) {
      if (!table_.Cell(col, r).empty()) return false;
    }
    return true;
  };
  if (row == 2 && blank(1)) row = 1;
  table_.SetRowCount(row + static_cast<int>(imported.Tasks.size()));
  for (const TaskFields& task : imported.Tasks) {
    if (task.Project != 0 && !layout_.HasProjCol()) {
      notKept.push_back("\"" + task.Description + "\": project " + NumberText(task.Project, '.') +
                        " (the list has no project column)");
    }
    std::vector<std::string> cells = task.Cells(layout_, dates_);
    for (int col = 0; col < layout_.ColCount(); ++col)
      table_.SetCell(col, row, std::move(cells[static_cast<std::size_t>(col)]));
    ++row;
  }
  EditCursorCell();
  window_.FitWindowToRows();
  ui_.Repaint();
  return notKept;
}

}  // namespace taskwell
