// The main window's own logic: file name and title, start-up, sizing and the shell buttons.
#include <algorithm>
#include <filesystem>

#include "list/ToDoList.h"

namespace taskwell {
namespace {

constexpr int kFileNotOpen = 103;

}  // namespace

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
  const ReplaceCheck check = CheckReplace(TaskFileName);
  if (!check.Refusal.empty()) throw EFileError(kFileNotOpen, check.Refusal);
  // Everything the save would do beyond writing the tasks, asked in one question.
  std::vector<std::string> notes;
  bool outsideChange = false;
  if (check.Exists && LoadWasPartial && !DiskStamp.Exists) {
    // Nothing was read, so the file cannot have changed "since": say what we know instead.
    notes.push_back(TaskFileName +
                    " could not be read when this list was opened, so the list does not show the "
                    "tasks in it.");
  } else if (ChangedOnDisk(TaskFileName, DiskStamp)) {
    outsideChange = true;
    notes.push_back(TaskFileName +
                    " has been changed by another program since this window read or saved it.");
  }
  const std::string backup = BackupFileName();
  std::error_code error;
  const bool replaceBackup =
      check.Exists && LoadWasPartial &&
      std::filesystem::exists(std::filesystem::symlink_status(backup, error));
  if (replaceBackup) {
    notes.push_back("Saving keeps the present file as " + backup +
                    ", in place of the earlier backup there.");
  } else if (check.Exists && LoadWasPartial && !notes.empty()) {
    notes.push_back("Saving keeps the present file as " + backup + ".");
  }
  if (check.OtherNames > 0) {
    notes.push_back(TaskFileName + " has " + std::to_string(check.OtherNames) +
                    (check.OtherNames == 1 ? " other name" : " other names") +
                    " (hard links). Saving gives this name a new file; the other names keep the "
                    "old tasks.");
  }
  if (!check.CannotKeep.empty()) {
    std::string lost;
    for (const std::string& property : check.CannotKeep) {
      if (!lost.empty()) lost += " and ";
      lost += property;
    }
    notes.push_back("Saving cannot keep " + lost + " of " + TaskFileName +
                    "; the new file will be yours.");
  }
  if (!notes.empty()) {
    std::string question;
    for (const std::string& note : notes) {
      if (!question.empty()) question += ' ';
      question += note;
    }
    question += notes.size() == 1 && outsideChange ? "\r\nOverwrite it with the tasks shown here?"
                                                   : "\r\nSave the tasks shown here?";
    if (!Ui.Confirm(question)) return false;
  }
  // The user agreed to give up the earlier backup; keeping it would block the save.
  if (replaceBackup) std::filesystem::remove(backup, error);
  return SaveTaskFile();
}

void ToDoList::CloseButtonClick() {
  if (SaveButtonClick()) Ui.CloseWindow();
}

void ToDoList::CloseNoSaveButtonClick() {
  Ui.CloseWindow();
}

}  // namespace taskwell
