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
  sort_.Mode = 1;
  buttons_.SortOrderCaption = SortCaption(1);
  buttons_.AutoSortCaption = "AutoSort on";
  sort_.Auto = false;
  hide_.Sel = false;
  hide_.UnSel = false;
  buttons_.HideCaption = "&Hide Sel";
  buttons_.SortVisible = false;
  sort_.PendingRow = 0;
  sort_.FollowSortedRow = true;
  dates_.TwoDigitYearWindow = 20;
  file_.SetName(firstArgument.empty() ? DefaultTaskFileName(home) : firstArgument);
  shown_.Title = ListTitleOf(file_.Name());
  InitTaskTable();
}

void ToDoList::FormShow() {
  ClampToWorkArea();
  FitWindowToRows();
  edit_.Row = table_.RowCount() > 1 ? 1 : 0;
  edit_.Col = 0;
  table_.SetRow(1);
  table_.SetCol(0);
  sort_.PendingRow = 0;
}

namespace {

// The window's top-left corner inside the work area, one pixel in.
void KeepTopLeftInside(const Rect& wa, Rect& b) {
  if (wa.Top >= b.Top) b.Top = wa.Top + 1;
  if (wa.Left >= b.Left) b.Left = wa.Left + 1;
}

// The window's right and bottom edges inside the work area (the bottom keeps 60 pixels free).
void KeepBottomRightInside(const Rect& wa, Rect& b) {
  if (wa.Left + wa.Width < b.Left + b.Width) b.Width = wa.Left + wa.Width - b.Left - 1;
  if (wa.Top + wa.Height < b.Top + b.Height) b.Height = wa.Top + wa.Height - b.Top - 60;
}

}  // namespace

void ToDoList::FormResize() {
  const Rect wa = ui_.WorkArea();
  Rect bounds = ui_.WindowBounds();
  if (wa.Top >= bounds.Top) {
    bounds.Top = wa.Top + 1;
    ui_.SetWindowBounds(bounds);
  }
  FitDescriptionWidth();
}

void ToDoList::ClampToWorkArea() {
  const Rect wa = ui_.WorkArea();
  Rect b = ui_.WindowBounds();
  KeepTopLeftInside(wa, b);
  KeepBottomRightInside(wa, b);
  ui_.SetWindowBounds(b);
}

void ToDoList::FitWindowToRows() {
  const int rh = TableLayout::RowHeight;
  const int n = table_.RowCount() - 1;
  Rect b = ui_.WindowBounds();
  Rect wa = ui_.WorkArea();
  KeepTopLeftInside(wa, b);
  // One row per pass: downwards while there is room, otherwise upwards, staying inside the
  // work area.
  while (ui_.FullyVisibleRows(b.Height) < n && (wa.Height > b.Top + b.Height + rh || rh < b.Top)) {
    wa = ui_.WorkArea();
    if (wa.Top + wa.Height + 1 > b.Top + b.Height + rh) {
      b.Height += rh;
    } else if (rh < b.Top && b.Top - rh > wa.Top) {
      b.Top -= rh;
      b.Height += rh;
    } else {
      break;
    }
  }
  KeepBottomRightInside(ui_.WorkArea(), b);
  ui_.SetWindowBounds(b);
  ui_.Repaint();
}

void ToDoList::AddButtonClick() {
  const StepScope step(*this, &ToDoList::CursorMark);
  InsertTaskRow();
  ui_.FocusGrid();
}

bool ToDoList::SaveButtonClick() {
  const ReplaceCheck check = CheckReplace(file_.Name());
  if (!check.Refusal.empty()) throw EFileError(kFileNotOpen, check.Refusal);
  // Everything the save would do beyond writing the tasks, asked in one question.
  std::vector<std::string> notes;
  bool outsideChange = false;
  std::optional<MergedFile> merge;
  if (check.Exists && file_.LoadWasPartial() && !file_.DiskStamp().Exists) {
    // Nothing was read, so the file cannot have changed "since": say what we know instead.
    notes.push_back(file_.Name() +
                    " could not be read when this list was opened, so the list does not show the "
                    "tasks in it.");
  } else if (!check.Exists && file_.DiskStamp().Exists) {
    notes.push_back(file_.Name() +
                    " has been deleted by another program since this window read or saved it.");
  } else if (std::string now; ChangedOnDisk(file_.Name(), file_.DiskStamp()) &&
                              ReadWholeFile(file_.Name(), now) && CutShortOnDisk(now)) {
    return SaveOverCutShort();
  } else if (ChangedOnDisk(file_.Name(), file_.DiskStamp()) && !(merge = PrepareMerge())) {
    // Asked only where a merge cannot be trusted.
    outsideChange = true;
    notes.push_back(file_.Name() +
                    " has been changed by another program since this window read or saved it.");
  }
  const std::string backup = file_.BackupName();
  std::error_code error;
  const bool replaceBackup =
      check.Exists && file_.LoadWasPartial() &&
      std::filesystem::exists(std::filesystem::symlink_status(backup, error));
  if (replaceBackup) {
    notes.push_back("Saving keeps the present file as " + backup +
                    ", in place of the earlier backup there.");
  } else if (check.Exists && file_.LoadWasPartial() && !notes.empty()) {
    notes.push_back("Saving keeps the present file as " + backup + ".");
  }
  if (check.OtherNames > 0) {
    notes.push_back(file_.Name() + " has " + std::to_string(check.OtherNames) +
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
    notes.push_back("Saving cannot keep " + lost + " of " + file_.Name() +
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
    if (!ui_.Confirm(question)) return false;
  }
  // The user agreed to give up the earlier backup; keeping it would block the save.
  if (replaceBackup) std::filesystem::remove(backup, error);
  if (merge) return SaveMerged(*merge);
  return SaveTaskFile();
}

bool ToDoList::SaveOverCutShort() {
  KeepBackup(file_.Name(), file_.BackupName());
  if (!SaveTaskFile()) return false;
  ui_.ShowMessageBox(shown_.Title, file_.Name() +
                                       " had been emptied or cut short elsewhere. The tasks shown "
                                       "here were saved; the file as it was is kept as " +
                                       file_.BackupName() + ".");
  return true;
}

void ToDoList::CloseButtonClick() {
  if (SaveButtonClick()) ui_.CloseWindow();
}

void ToDoList::CloseNoSaveButtonClick() {
  ui_.CloseWindow();
}

}  // namespace taskwell
