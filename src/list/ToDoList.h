#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "document/CsvFile.h"
#include "document/DateText.h"
#include "document/Platform.h"
#include "document/SafeFile.h"
#include "document/TaskTable.h"

namespace taskwell {

// The task list behind the main window: the task table, the window's state and its handlers,
// with the desktop reached only through Platform. The Qt window forwards its events here, and
// tests drive the same handlers with a recording platform.
class ToDoList {
 public:
  static constexpr int ColDate = 0;
  static constexpr int ColPri = 1;
  static constexpr int ColSubPri = 2;
  static constexpr int ColProj = 3;

  ToDoList(Platform& platform, const DateFormat& dates);
  ToDoList(const ToDoList&) = delete;
  ToDoList& operator=(const ToDoList&) = delete;

  TaskTable Grid;
  Platform& Ui;
  DateFormat Dates;
  CsvFile CSV;

  // The window's state.
  std::string ListTitle;
  std::string TaskFileName;
  int EditRow = 0;
  int EditCol = 0;
  int PendingRow = 0;
  bool FollowSortedRow = true;
  std::string EditOldText;
  int SortMode = 1;
  std::array<std::string, 5> SortCaptions;  // used from 1 to 4
  bool HideSel = false;
  bool HideUnSel = false;
  int DescCol = 3;
  bool HasProjCol = false;
  bool SkipNextSort = false;
  bool AutoSort = false;
  bool SelectHooked = false;

  // Captions and visibility of the buttons that handlers change; the window mirrors them.
  std::string SortOrderButtonCaption;
  std::string AutoSortButtonCaption;
  std::string HideButtonCaption;
  bool SortButtonVisible = false;

  // The file as we last read or wrote it, to notice changes made by someone else.
  FileStamp DiskStamp;
  // Whether the loaded file was valid UTF-8 (else its bytes are single-byte text).
  bool TextIsUtf8 = true;
  // Whether the file is single-byte (Windows-1252) text. The table may hold UTF-8 all the same,
  // once a typed character needed it; saving then asks before the file becomes UTF-8.
  bool SingleByteFile = false;
  // A load that stopped early: the first save keeps the original as "<file>.bak".
  bool LoadWasPartial = false;

  // --- The table and its file.
  void InitTaskTable();
  void InsertTaskRow();
  void AttachSelectHandler();
  void DetachSelectHandler();
  // The Description column takes the rest of the grid; countProjectColumn false leaves the
  // project column out of the sum (its width is not set yet while the table is built).
  void FitDescriptionWidth(bool countProjectColumn = true);
  void LoadTaskFile();
  // False when the user declined to save a single-byte file as UTF-8; nothing was written.
  bool SaveTaskFile();
  // Re-encodes a single-byte table as UTF-8, so that a typed character it lacks can be kept.
  void CellsToUtf8();
  std::string BackupFileName() const { return TaskFileName + ".bak"; }

  // --- The window. FormCreate's remaining steps (maximize, clamp, resize) are the window's.
  static std::string DefaultTaskFileName(const std::string& home);
  static std::string ListTitleOf(const std::string& taskFileName);
  void FormCreate(const std::string& firstArgument, const std::string& home);
  void FormShow();
  void FormResize();
  void ClampToWorkArea();
  void FitWindowToRows();
  void AddButtonClick();
  // False when the save did not happen (the user kept an outside change, or it failed).
  bool SaveButtonClick();
  void CloseButtonClick();
  void CloseNoSaveButtonClick();

  // --- Dates and recurrence.
  void IncrementButtonClick();
  void ReplicateButtonClick();
  void DeleteTaskRow();
  void DeleteButtonClick();

  // --- Sorting, the cell edit commit and the grid's handlers.
  std::string BuildSortKey(int row) const;
  void SortTable();
  void GridDrawCell();
  void SortOrderButtonClick();
  void AutoSortButtonClick();
  void SortButtonClick();
  void GridSelectCell(int col, int row);
  // The task's date, when its date cell reads as one (the zero date does not).
  bool RowDate(int row, double& date) const;
  void GridExit();
  void CommitCellEdit();
  void GridKeyUp(int key);
  // The cell under the pointer, found by the view; -1, -1 outside all cells.
  void GridMouseDown(int hitCol, int hitRow);
  void GridDblClick();
  void FindButtonClick(const std::string& findText);
  void HideButtonClick();

  // --- Printing.
  std::vector<std::string> ReportLines(const PrintChoice& choice) const;
  void PrintTasks();
  void PrintButtonClick();
  PrintChoice LastPrintChoice;

  // Runs a handler as the window does: a failure is shown by the default error report and the
  // program carries on. True when the handler completed.
  bool Guarded(const std::function<void()>& handler);

 private:
  bool ReadsAsDate(std::string_view text, double& date) const;
  double CommittedDate(std::string_view typed) const;
  void CheckNumberText(const std::string& trimmed) const;
  // The edit position stays with its task when rows are inserted or deleted around it.
  void FollowInsertedRow(int row);
  void FollowDeletedRow(int row);
  // The edit position becomes the cursor cell as it reads now: nothing is pending there.
  void EditCursorCell();
};

}  // namespace taskwell
