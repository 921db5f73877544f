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
    : Ui(platform), Dates(dates), CSV(Dates) {
  Grid.TextWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 8; };
}

void ToDoList::AttachSelectHandler() {
  Grid.OnSelectCell = [this](int col, int row) { GridSelectCell(col, row); };
  SelectHooked = true;
}

void ToDoList::DetachSelectHandler() {
  Grid.OnSelectCell = nullptr;
  SelectHooked = false;
}

void ToDoList::InitTaskTable() {
  DetachSelectHandler();
  Grid.SetRowCount(1);
  Grid.SetColCount(4);
  DescCol = 3;
  HasProjCol = false;
  // A failed load still leaves a usable table; the failure is reported once it is built.
  std::exception_ptr loadFailure;
  std::error_code error;
  if (std::filesystem::exists(TaskFileName, error)) {
    try {
      LoadTaskFile();
    } catch (const EConvertError& e) {
      LoadWasPartial = true;
      loadFailure = std::make_exception_ptr(
          EConvertError(ErrorReportText(e.what()) +
                        " Loading stopped there, so the tasks after it are not in the list. "
                        "The first save keeps the whole original file as " +
                        BackupFileName() + "."));
    } catch (...) {
      LoadWasPartial = true;
      loadFailure = std::current_exception();
    }
  }
  if (Grid.RowCount() < 2) Grid.SetRowCount(2);
  Grid.SelectCell(0, 1);
  Grid.FixedRows = 1;
  Grid.SetCell(0, 0, "Date ");
  Grid.SetCell(1, 0, "Pri  ");
  Grid.SetCell(2, 0, "SubP ");
  Grid.SetCell(DescCol, 0, "Description ");
  Grid.SetColWidth(0, Grid.TextWidth("99/99/9999 "));
  Grid.SetColWidth(1, Grid.TextWidth("Pri  "));
  Grid.SetColWidth(2, Grid.TextWidth("SubP "));
  FitDescriptionWidth(false);
  if (HasProjCol) {
    Grid.SetCell(ColProj, 0, "Proj ");
    Grid.SetColWidth(ColProj, Grid.TextWidth("Proj "));
    Grid.SetColWidth(
        DescCol, std::max(kMinDescriptionWidth, Grid.ColWidth(DescCol) - Grid.ColWidth(ColProj)));
  }
  AttachSelectHandler();
  EditOldText = Grid.Cell(0, 1);
  if (loadFailure) std::rethrow_exception(loadFailure);
}

void ToDoList::FitDescriptionWidth(bool countProjectColumn) {
  int width = Ui.GridWidth() - Grid.ColWidth(0) - Grid.ColWidth(1) - Grid.ColWidth(2) - 30;
  if (HasProjCol && countProjectColumn) width -= Grid.ColWidth(ColProj);
  Grid.SetColWidth(DescCol, std::max(kMinDescriptionWidth, width));
}

void ToDoList::InsertTaskRow() {
  // The cursor row and every row below it move down by one; the cursor stays on the new blank row.
  const int row = Grid.Row();
  Grid.InsertEmptyRow(row);
  FollowInsertedRow(row);
  // Moving to column 0 may commit an edit, whose sort must not carry the new row away.
  SkipNextSort = true;
  Grid.SetCol(0);
  SkipNextSort = true;
  EditCursorCell();
  FitWindowToRows();
}

void ToDoList::FollowInsertedRow(int row) {
  if (EditRow >= row) ++EditRow;
}

void ToDoList::FollowDeletedRow(int row) {
  if (EditRow > row) {
    --EditRow;
  } else if (EditRow == row) {
    EditCursorCell();
  }
}

void ToDoList::EditCursorCell() {
  EditRow = Grid.Row();
  EditCol = Grid.Col();
  EditOldText = Grid.Cell(EditCol, EditRow);
}

bool ToDoList::Guarded(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const AlreadyReported&) {
    return false;
  } catch (const std::exception& e) {
    Ui.ShowError(ListTitle, ErrorReportText(e.what()));
    return false;
  }
}

}  // namespace taskwell
