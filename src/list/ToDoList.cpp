#include "list/ToDoList.h"

#include <algorithm>
#include <filesystem>

#include "document/Errors.h"
#include "list/EarlyLoad.h"

namespace taskwell {
ToDoList::ToDoList(Platform& platform, const DateFormat& dates)
    : ui_(platform), dates_(dates), file_(dates_, std::string()), window_(platform, table_) {
  table_.SetRecorder(&history_);
}

void ToDoList::TypeInCell(int col, int row, std::string_view bytes, bool needsUtf8) {
  if (needsUtf8) {
    // Turning the table to UTF-8 rewrites its cells, and the text typed may be read from one.
    const std::string typed(bytes);
    CellsToUtf8();
    table_.SetCell(col, row, typed);
    return;
  }
  table_.SetCell(col, row, bytes);
}

void ToDoList::MoveCursor(int col, int row) {
  table_.SelectCell(col, row);
}

void ToDoList::CellPainted() {
  table_.CellPainted();
}

void ToDoList::SetLayout(bool hasProjCol) {
  layout_ = TableLayout(hasProjCol);
  table_.SetColCount(layout_.ColCount());
}

void ToDoList::AttachSelectHandler() {
  table_.SetSelectHandler([this](int col, int row) { GridSelectCell(col, row); });
}

void ToDoList::DetachSelectHandler() {
  table_.ClearSelectHandler();
}

void ToDoList::ClearTaskTable() {
  DetachSelectHandler();
  // Steps recorded against other rows mean nothing in the table loaded now.
  history_.Clear();
  shown_.BaseRevision.reset();
  shown_.WrittenRevision.reset();
  table_.SetRowCount(1);
  SetLayout(false);
}

void ToDoList::InitTaskTable(const DiskBytes* from, EarlyLoad* early) {
  ClearTaskTable();
  // A failed load still leaves a usable table; the failure is reported once it is built.
  std::exception_ptr loadFailure;
  std::error_code error;
  const bool loads =
      from != nullptr || early != nullptr || std::filesystem::exists(file_.Name(), error);
  if (loads) {
    try {
      LoadTaskFile(from, early);
    } catch (const EConvertError& e) {
      file_.MarkPartial();
      loadFailure = std::make_exception_ptr(EConvertError(Message::Format(
          "%1 Loading stopped there, so the tasks after it are not in the list. The first save "
          "keeps the whole original file as %2.",
          ErrorReport(e.Shown()), file_.BackupName())));
    } catch (...) {
      file_.MarkPartial();
      loadFailure = std::current_exception();
    }
  }
  FinishTaskTable();
  if (loads && !loadFailure) shown_.BaseRevision = table_.ContentRevision();
  if (loadFailure) std::rethrow_exception(loadFailure);
}

void ToDoList::FinishTaskTable() {
  if (table_.RowCount() < 2) table_.SetRowCount(2);
  table_.SelectCell(0, 1);
  table_.SetFixedRows(1);
  for (int col = 0; col < layout_.ColCount(); ++col) {
    table_.SetCell(col, 0, std::string(layout_.Title(col)));
  }
  window_.SetStartingWidths(layout_);
  AttachSelectHandler();
  edit_.OldText = table_.Cell(0, 1);
}

void ToDoList::InsertTaskRow() {
  // The cursor row and every row below it move down by one; the cursor stays on the new blank row.
  const int row = table_.Row();
  table_.InsertEmptyRow(row);
  FollowInsertedRow(row);
  // Moving to column 0 may commit an edit, whose sort must not carry the new row away.
  sort_.SkipNext = true;
  table_.SetCol(0);
  sort_.SkipNext = true;
  EditCursorCell();
  window_.FitWindowToRows();
}

void ToDoList::FollowInsertedRow(int row) {
  if (edit_.Row >= row) ++edit_.Row;
}

void ToDoList::FollowDeletedRow(int row) {
  if (edit_.Row > row) {
    --edit_.Row;
  } else if (edit_.Row == row) {
    EditCursorCell();
  }
}

void ToDoList::EditCursorCell() {
  edit_.Row = table_.Row();
  edit_.Col = table_.Col();
  edit_.OldText = table_.Cell(edit_.Col, edit_.Row);
}

bool ToDoList::Guarded(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const Refusal& refusal) {
    ui_.ShowMessageBox(refusal.Caption(), refusal.Shown());
    return false;
  } catch (const std::exception& e) {
    ui_.ShowError(shown_.Title, ErrorReport(ShownText(e)));
    return false;
  }
}

std::string DefaultTaskFileName(const std::string& home) {
  return (home.empty() ? std::string(".") : home) + "/ToDo.ToDo";
}

std::string TaskFileNameOf(const std::string& argument, const std::string& home) {
  return argument.empty() ? DefaultTaskFileName(home) : argument;
}

std::string ListTitleOf(const std::string& taskFileName) {
  const std::size_t folderEnd = taskFileName.find_last_of("/\\:");
  std::string name =
      folderEnd == std::string::npos ? taskFileName : taskFileName.substr(folderEnd + 1);
  if (const std::size_t dot = name.find('.'); dot != std::string::npos) name.erase(dot);
  return name;
}

void ToDoList::FormCreate(const std::string& firstArgument, const std::string& home,
                          EarlyLoad* early) {
  sort_.Mode = SortOrder::ByDate;
  buttons_.SortOrderCaption = SortCaption(SortOrder::ByDate);
  buttons_.AutoSortCaption = "AutoSort on";
  sort_.Auto = false;
  hide_.Sel = false;
  hide_.UnSel = false;
  buttons_.HideCaption = "&Hide Sel";
  buttons_.SortVisible = false;
  sort_.PendingRow = 0;
  sort_.FollowSortedRow = true;
  dates_.TwoDigitYearWindow = 20;
  file_.SetName(TaskFileNameOf(firstArgument, home));
  shown_.Title = ListTitleOf(file_.Name());
  InitTaskTable(nullptr, early != nullptr && early->Reads(file_.Name(), dates_) ? early : nullptr);
}

void ToDoList::FormShow() {
  window_.ClampToWorkArea();
  window_.FitWindowToRows();
  edit_.Row = table_.RowCount() > 1 ? 1 : 0;
  edit_.Col = 0;
  table_.SetRow(1);
  table_.SetCol(0);
  sort_.PendingRow = 0;
}

void ToDoList::FormResize() {
  window_.FollowResize(layout_);
}

}  // namespace taskwell
