// The main window's own logic: file name and title, start-up, sizing and the shell buttons.
#include <algorithm>

#include "document/ToDoList.h"

namespace taskwell {

std::string ToDoList::DefaultTaskFileName(const std::string& home) {
  return (home.empty() ? std::string(".") : home) + "/ToDo.ToDo";
}

std::string ToDoList::ListTitleOf(const std::string& taskFileName) {
  const std::size_t folderEnd = taskFileName.find_last_of("/\\:");
  std::string name =
      folderEnd == std::string::npos ? taskFileName : taskFileName.substr(folderEnd + 1);
  if (const std::size_t dot = name.find('.'); dot != std::string::npos) name.erase(dot);
  return name;
}

void ToDoList::FormCreate(const std::string& firstArgument, const std::string& home) {
  SortCaptions = {"", "Sorted by Date", "Sorted by Desc", "Sorted by Proj", ""};
  SortMode = 1;
  SortOrderButtonCaption = SortCaptions[1];
  AutoSortButtonCaption = "AutoSort on";
  AutoSort = false;
  HideSel = false;
  HideUnSel = false;
  HideButtonCaption = "&Hide Sel";
  SortButtonVisible = false;
  PendingRow = 0;
  FollowSortedRow = true;
  Dates.TwoDigitYearWindow = 20;
  TaskFileName = firstArgument.empty() ? DefaultTaskFileName(home) : firstArgument;
  ListTitle = ListTitleOf(TaskFileName);
  InitTaskTable();
}

void ToDoList::FormShow() {
  ClampToWorkArea();
  FitWindowToRows();
  EditRow = Grid.RowCount() > 1 ? 1 : 0;
  EditCol = 0;
  Grid.SetRow(1);
  Grid.SetCol(0);
  PendingRow = 0;
}

void ToDoList::FormResize() {
  const Rect wa = Ui.WorkArea();
  Rect bounds = Ui.WindowBounds();
  if (wa.Top >= bounds.Top) {
    bounds.Top = wa.Top + 1;
    Ui.SetWindowBounds(bounds);
  }
  FitDescriptionWidth();
}

void ToDoList::ClampToWorkArea() {
  const Rect wa = Ui.WorkArea();
  Rect b = Ui.WindowBounds();
  if (wa.Top >= b.Top) b.Top = wa.Top + 1;
  if (wa.Left >= b.Left) b.Left = wa.Left + 1;
  if (wa.Left + wa.Width < b.Left + b.Width) b.Width = wa.Left + wa.Width - b.Left - 1;
  if (wa.Top + wa.Height < b.Top + b.Height) b.Height = wa.Top + wa.Height - b.Top - 60;
  Ui.SetWindowBounds(b);
}

void ToDoList::FitWindowToRows() {
  const int rh = Grid.DefaultRowHeight;
  const int n = Grid.RowCount() - 1;
  Rect b = Ui.WindowBounds();
  Rect wa = Ui.WorkArea();
  if (wa.Top >= b.Top) b.Top = wa.Top + 1;
  if (wa.Left >= b.Left) b.Left = wa.Left + 1;
  // One row per pass: downwards while there is room, otherwise upwards, staying inside the
  // work area.
  while (Ui.FullyVisibleRows(b.Height) < n && (wa.Height > b.Top + b.Height + rh || rh < b.Top)) {
    wa = Ui.WorkArea();
    if (wa.Top + wa.Height + 1 > b.Top + b.Height + rh) {
      b.Height += rh;
    } else if (rh < b.Top && b.Top - rh > wa.Top) {
      b.Top -= rh;
      b.Height += rh;
    } else {
      break;
    }
  }
  wa = Ui.WorkArea();
  if (wa.Left + wa.Width < b.Left + b.Width) b.Width = wa.Left + wa.Width - b.Left - 1;
  if (wa.Top + wa.Height < b.Top + b.Height) b.Height = wa.Top + wa.Height - b.Top - 60;
  Ui.SetWindowBounds(b);
  Ui.Repaint();
}

void ToDoList::AddButtonClick() {
  InsertTaskRow();
  Ui.FocusGrid();
}

bool ToDoList::SaveButtonClick() {
  if (ChangedOnDisk(TaskFileName, DiskStamp) &&
      !Ui.Confirm(TaskFileName +
                  " has been changed by another program since this window read or saved it.\r\n"
                  "Overwrite it with the tasks shown here?")) {
    return false;
  }
  return SaveTaskFile();
}

void ToDoList::CloseButtonClick() {
  if (SaveButtonClick()) Ui.CloseWindow();
}

void ToDoList::CloseNoSaveButtonClick() {
  Ui.CloseWindow();
}

}  // namespace taskwell
