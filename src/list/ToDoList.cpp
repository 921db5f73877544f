#include "list/ToDoList.h"

#include <algorithm>
#include <filesystem>

#include "document/Errors.h"

namespace taskwell {
namespace {

// The Description column never collapses, however narrow the window.
constexpr int kMinDescriptionWidth = 24;

}  // namespace

ToDoList::ToDoList(Platform& platform, const DateFormat& dates)
    : ui_(platform), dates_(dates), file_(dates_, std::string()) {
  table_.SetRecorder(&history_);
}

void ToDoList::SetTextMeasure(std::function<int(std::string_view)> measure) {
  table_.SetTextMeasure(std::move(measure));
}

void ToDoList::SetColumnWidth(int col, int width) {
  table_.SetColWidth(col, width);
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

void ToDoList::InitTaskTable(const DiskBytes* from) {
  ClearTaskTable();
  // A failed load still leaves a usable table; the failure is reported once it is built.
  std::exception_ptr loadFailure;
  std::error_code error;
  const bool loads = from != nullptr || std::filesystem::exists(file_.Name(), error);
  if (loads) {
    try {
      LoadTaskFile(from);
    } catch (const EConvertError& e) {
      file_.MarkPartial();
      loadFailure = std::make_exception_ptr(
          EConvertError(ErrorReportText(e.what()) +
                        " Loading stopped there, so the tasks after it are not in the list. "
                        "The first save keeps the whole original file as " +
                        file_.BackupName() + "."));
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
  table_.SetColWidth(ColDate, table_.TextWidth(TableLayout::DateWidthSample));
  table_.SetColWidth(ColPri, table_.TextWidth(TableLayout::PriTitle));
  table_.SetColWidth(ColSubPri, table_.TextWidth(TableLayout::SubPriTitle));
  FitDescriptionWidth(false);
  if (layout_.HasProjCol()) {
    table_.SetColWidth(ColProj, table_.TextWidth(TableLayout::ProjTitle));
    table_.SetColWidth(layout_.DescCol(),
                       std::max(kMinDescriptionWidth,
                                table_.ColWidth(layout_.DescCol()) - table_.ColWidth(ColProj)));
  }
  AttachSelectHandler();
  edit_.OldText = table_.Cell(0, 1);
}

void ToDoList::FitDescriptionWidth(bool countProjectColumn) {
  int width = ui_.GridWidth() - table_.ColWidth(0) - table_.ColWidth(1) - table_.ColWidth(2) - 30;
  if (layout_.HasProjCol() && countProjectColumn) width -= table_.ColWidth(ColProj);
  table_.SetColWidth(layout_.DescCol(), std::max(kMinDescriptionWidth, width));
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
  FitWindowToRows();
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
  } catch (const AlreadyReported&) {
    return false;
  } catch (const std::exception& e) {
    ui_.ShowError(shown_.Title, ErrorReportText(e.what()));
    return false;
  }
}

}  // namespace taskwell
