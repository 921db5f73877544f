#include "list/TaskExchange.h"

#include <unistd.h>

#include <optional>
#include <ostream>

#include "document/Errors.h"
#include "document/SafeFile.h"
#include "document/Text.h"
#include "list/LastKnownCopy.h"
#include "list/RecoveryJournal.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

// A list deleted elsewhere is not made again from the import alone: its last known copy holds
// tasks the new file would silently lack. The window asks about them at its next start.
bool MayCreate(const std::string& file, const DateFormat& dates, std::ostream& err) {
  const RecoveryJournal journal(RecoveryJournal::StateFolder(), file);
  const std::optional<std::string> known = journal.Shared();
  const int tasks = known ? TasksInCopy(dates, file, *known) : 0;
  if (tasks == 0) return true;
  err << "taskwell: "
      << Message::Format(
             "%1 is missing, but Taskwell's last known copy of it holds %2 (%3). "
             "Nothing was imported: open the list in the window to restore them, "
             "or restore the file.",
             file, TaskCount(tasks), journal.SharedPath())
             .English()
      << '\n';
  return false;
}

// The file to import, read as its format; nullopt, with the reason on `err`, when it cannot be.
std::optional<ImportedTasks> ReadImport(const std::string& path, const DateFormat& dates,
                                        std::ostream& err) {
  std::string text;
  Message failure;
  if (!ReadWholeFile(path, text, nullptr, &failure)) {
    err << "taskwell: " << failure.English() << '\n';
    return std::nullopt;
  }
  try {
    return ImportText(text, dates);
  } catch (const ImportError& error) {
    err << "taskwell: " << path << ", " << error.what() << "; nothing was imported\n";
    return std::nullopt;
  }
}

// The one place that reads a task file for the commands without a window. A file that does not
// load whole is refused: what it would export or save could not be all of it.
bool LoadWhole(TaskFile& file, LoadedRows& rows, std::ostream& err) {
  try {
    file.Load(rows);
    return true;
  } catch (const std::exception& e) {
    err << "taskwell: " << ErrorReportText(e.what()) << '\n';
  }
  if (file.LoadWasPartial())
    err << "taskwell: " << file.Name() << " was not read whole; nothing was done\n";
  return false;
}

// A single-byte file stays single-byte: only while every description fits is it written.
bool FitsEncoding(const TaskFile& file, const TaskRows& rows, bool hasProjCol, std::ostream& err) {
  if (!file.SingleByte()) return true;
  std::string missing;
  if (TaskFile::DescriptionsFitCp1252(rows, TableLayout(hasProjCol).DescCol(), &missing))
    return true;
  err << "taskwell: " << file.Name()
      << " is stored in the single-byte Windows-1252 encoding, which cannot hold some characters"
      << " of the imported tasks" << (missing.empty() ? "" : ": " + missing)
      << "; nothing was imported. Save the list as UTF-8 in the window first.\n";
  return false;
}

bool SaveRows(TaskFile& file, const LoadedRows& loaded, std::ostream& err) {
  try {
    std::string lost;
    for (const std::string& property : file.Save(file.SaveBytes(loaded.Rows, loaded.HasProjCol)))
      lost += (lost.empty() ? "" : ", ") + property;
    if (!lost.empty())
      err << "taskwell: the new " << file.Name() << " could not keep " << lost << '\n';
    return true;
  } catch (const EIncompleteFlush& e) {
    // The file holds the new tasks; only their surviving a power cut is in doubt.
    err << "taskwell: " << ErrorReportText(e.what()) << '\n';
    return true;
  } catch (const std::exception& e) {
    err << "taskwell: " << ErrorReportText(e.what()) << '\n'
        << "taskwell: " << file.Name() << " was left as it was\n";
    return false;
  }
}

}  // namespace

TaskList ExportedTasks(const ToDoList& list) {
  return TasksOfRows(list.Table().Rows(), list.Layout().HasProjCol(), list.File().TextIsUtf8(),
                     list.Dates());
}

bool ProjColAfterImport(const TaskRows& rows, bool hasProjCol, const TaskList& imported) {
  if (hasProjCol || !imported.HasProjCol) return hasProjCol;
  const int descCol = TableLayout(hasProjCol).DescCol();
  for (std::size_t row = 1; row < rows.size(); ++row) {
    if (TaskFile::IsSavedRow(rows[row], descCol)) return false;
  }
  return true;
}

TaskRows RowsOfTasks(TaskList&& tasks, const TableLayout& layout, const DateFormat& dates,
                     std::vector<Message>& notKept, const Progress& progress) {
  TaskRows rows;
  rows.reserve(tasks.Tasks.size());
  for (std::size_t i = 0; i < tasks.Tasks.size(); ++i) {
    progress.Step(i, tasks.Tasks.size());
    TaskFields& task = tasks.Tasks[i];
    if (task.Project != 0 && !layout.HasProjCol()) {
      notKept.push_back(Message::Format("\"%1\": project %2 (the list has no project column)",
                                        task.Description, NumberText(task.Project, '.')));
    }
    rows.push_back(std::move(task).Cells(layout, dates));
  }
  return rows;
}

namespace {

// Lines joined in halves, so that a report of many thousand lines nests only a few levels deep.
Message JoinLines(const std::vector<Message>& lines, std::size_t from, std::size_t to) {
  if (to - from == 1) return lines[from];
  const std::size_t middle = from + (to - from) / 2;
  return Message::Format("%1\n%2", JoinLines(lines, from, middle), JoinLines(lines, middle, to));
}

}  // namespace

Message ImportReport(const ImportedTasks& imported, std::size_t added,
                     const std::vector<Message>& notKept, const std::string& file) {
  const int tasks = static_cast<int>(added);
  const int completed = imported.Completed;
  std::vector<Message> lines{
      completed == 0
          ? Message::Format("Imported %1 into %2.", TaskCount(tasks), file)
          : Message::Format("Imported %1 into %2; %3 left out.", TaskCount(tasks), file,
                            completed == 1
                                ? Message("1 completed or cancelled task")
                                : Message::Format("%1 completed or cancelled tasks", completed))};
  lines.insert(lines.end(), imported.NotKept.begin(), imported.NotKept.end());
  lines.insert(lines.end(), notKept.begin(), notKept.end());
  lines.emplace_back(Message::Value(""));  // every line ends in a line break
  return JoinLines(lines, 0, lines.size());
}

void ExportListToFile(const ToDoList& list, const std::string& path, std::int64_t stamp,
                      const Progress& progress) {
  const ExchangeFormat format =
      path.ends_with(".ics") ? ExchangeFormat::ICalendar : ExchangeFormat::TodoTxt;
  // The tasks are taken from the table before anything else can run, so that the table may
  // change while the text is written.
  const TaskList tasks = ExportedTasks(list);
  AtomicFileWriter writer;
  writer.Open(path);
  // A cancel or a failure leaves the writer here, which drops its temporary file.
  writer.AppendTaken(ExportText(tasks, format, list.Dates(), stamp, progress));
  // Without an open file the writer throws the reason it could not open one.
  writer.Commit();
}

Message ImportFileIntoList(ToDoList& list, const std::string& path, const Progress& progress) {
  std::string text;
  Message failure;
  if (!ReadWholeFile(path, text, nullptr, &failure)) throw MessageError(failure);
  ImportedTasks imported;
  try {
    imported = ImportText(text, list.Dates(), progress.Part(0, 0.8));
  } catch (const ImportError& error) {
    throw std::runtime_error(path + ", " + error.what() + "; nothing was imported");
  }
  const std::size_t added = imported.List.Tasks.size();
  const std::vector<Message> notKept =
      list.ImportTasks(std::move(imported.List), progress.Part(0.8, 1));
  return ImportReport(imported, added, notKept, list.ListTitle());
}

int ExportTaskFile(const std::string& file, ExchangeFormat format, const RegionalSettings& regional,
                   const Clock& clock, std::int64_t stamp, std::ostream& out, std::ostream& err) {
  const DateFormat dates(regional, clock);
  TaskFile taskFile(dates, file);
  LoadedRows loaded;
  if (!LoadWhole(taskFile, loaded, err)) return 1;
  out << ExportText(TasksOfRows(loaded.Rows, loaded.HasProjCol, taskFile.TextIsUtf8(), dates),
                    format, dates, stamp);
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
  const DateFormat dates(regional, clock);
  std::optional<ImportedTasks> imported = ReadImport(path, dates, err);
  if (!imported) return 1;
  TaskFile taskFile(dates, file);
  LoadedRows loaded;
  // A list that does not exist yet is made by the import.
  const bool exists = access(file.c_str(), F_OK) == 0;
  if (exists ? !LoadWhole(taskFile, loaded, err) : !MayCreate(file, dates, err)) return 1;
  if (ProjColAfterImport(loaded.Rows, loaded.HasProjCol, imported->List)) {
    // None of the rows is a task, so none is lost.
    loaded.Rows.resize(1);
    loaded.HasProjCol = true;
  }
  const std::size_t added = imported->List.Tasks.size();
  std::vector<Message> notKept;
  TaskRows rows =
      RowsOfTasks(std::move(imported->List), TableLayout(loaded.HasProjCol), dates, notKept);
  // The imported rows are UTF-8, so the file's rows become UTF-8 too.
  taskFile.RowsToUtf8(loaded.Rows);
  loaded.Rows.Append(std::move(rows));
  if (!FitsEncoding(taskFile, loaded.Rows, loaded.HasProjCol, err)) return 1;
  if (!SaveRows(taskFile, loaded, err)) return 1;
  out << ImportReport(*imported, added, notKept, file).English() << std::flush;
  return 0;
}

std::vector<Message> ToDoList::ImportTasks(TaskList imported, const Progress& progress) {
  std::vector<Message> notKept;
  if (imported.Tasks.empty()) return notKept;
  const bool projCol = ProjColAfterImport(table_.Rows(), layout_.HasProjCol(), imported);
  TaskRows rows = RowsOfTasks(std::move(imported), TableLayout(projCol), dates_, notKept, progress);
  // Whatever ran while the rows were made may have changed the list: they follow it.
  if (projCol != layout_.HasProjCol() && !SavedRows().empty()) {
    TaskRows moved;
    moved.reserve(rows.size());
    for (const RowView cells : rows)
      moved.push_back(TaskFile::CellsInLayout(cells, projCol, layout_.HasProjCol()));
    rows = std::move(moved);
  } else if (projCol != layout_.HasProjCol()) {
    SetLayout(true);
    FinishTaskTable();
  }
  // A single-byte table holds UTF-8 from here; a save writes it single-byte again if it fits.
  CellsToUtf8();
  const StepScope step(*this, &ToDoList::CursorMark);
  // The blank row an empty list shows is filled first.
  const auto blank = [&](int r) {
    for (int col = 0; col < table_.ColCount(); ++col) {
      if (!table_.Cell(col, r).empty()) return false;
    }
    return true;
  };
  if (table_.RowCount() == 2 && blank(1)) {
    for (int col = 0; col < table_.ColCount(); ++col)
      table_.SetCell(col, 1, rows.front().at(static_cast<std::size_t>(col)));
    rows.Erase(0);
  }
  // One change of the row count, which an undo takes back without a copy of the rows.
  table_.AppendRows(std::move(rows));
  EditCursorCell();
  window_.FitWindowToRows();
  ui_.Repaint();
  return notKept;
}

}  // namespace taskwell
