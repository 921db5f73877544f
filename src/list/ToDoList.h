#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/DateText.h"
#include "document/LineMerge.h"
#include "document/Platform.h"
#include "document/Progress.h"
#include "document/SafeFile.h"
#include "document/TableLayout.h"
#include "document/TaskFile.h"
#include "document/TaskTable.h"
#include "grid/SortKey.h"
#include "interchange/TaskFields.h"
#include "list/FileSync.h"
#include "list/UndoHistory.h"
#include "list/WindowGeometry.h"

namespace taskwell {

class EarlyLoad;

// Where the cell being edited is, and what it held when the cursor arrived there.
struct EditPosition {
  int Row = 0;
  int Col = 0;
  std::string OldText;
};

// The order of the list and the cursor's way back to its task after a sort.
struct SortState {
  SortOrder Mode = SortOrder::ByDate;
  bool Auto = false;
  bool SkipNext = false;
  bool FollowSortedRow = true;
  int PendingRow = 0;  // where the cursor goes when the grid next paints; 0 for nowhere
};

// The rows' key groups as the last sort left them, while the table has changed in one task row
// at most since: sorting again then moves that row alone. Any other change drops them.
struct SortedRows {
  bool Valid = false;
  SortOrder Mode = SortOrder::ByDate;
  int DescCol = 0;
  double Day = 0;           // undated tasks sort by today
  int Changed = 0;          // the one task row changed since; 0 for none
  std::vector<int> Groups;  // per task row in table order: equal keys, equal numbers
  int NextGroup = 0;
  int ListenerId = 0;
};

struct HideState {
  bool Sel = false;
  bool UnSel = false;
};

// What the list shows of its file: the title, and the table's content revisions that tell
// whether it still shows what was last read or written.
struct ShownFile {
  std::string Title;
  // The table's content revision while it showed the base, whole, as a load or save left it.
  std::optional<std::uint64_t> BaseRevision;
  // The table's content revision when a save wrote the base: what a save writes is the base.
  std::optional<std::uint64_t> WrittenRevision;
};

// Captions and visibility of the buttons that handlers change; the window mirrors them.
struct ButtonState {
  std::string SortOrderCaption;
  std::string AutoSortCaption;
  std::string HideCaption;
  bool SortVisible = false;
};

// "Sorted by Date" and its kin: the sort order button's caption for a sort order.
std::string SortCaption(SortOrder order);

// The task file a window opens without a name: ToDo.ToDo in the home folder.
std::string DefaultTaskFileName(const std::string& home);
// The task file named on the command line, or the default one when none is.
std::string TaskFileNameOf(const std::string& argument, const std::string& home);
// The list's title: the task file's name without its folder and from its first dot on.
std::string ListTitleOf(const std::string& taskFileName);

// The task list behind the main window: the task table, the window's state and its handlers,
// with the desktop reached only through Platform. The Qt window forwards its events here, and
// tests drive the same handlers with a recording platform.
class ToDoList {
 public:
  static constexpr int ColDate = TableLayout::ColDate;
  static constexpr int ColPri = TableLayout::ColPri;
  static constexpr int ColSubPri = TableLayout::ColSubPri;
  static constexpr int ColProj = TableLayout::ColProj;

  ToDoList(Platform& platform, const DateFormat& dates);
  ToDoList(const ToDoList&) = delete;
  ToDoList& operator=(const ToDoList&) = delete;

  // --- What the window reads: the table the grid shows, and the state the handlers change.
  const TaskTable& Table() const { return table_; }
  const DateFormat& Dates() const { return dates_; }
  // The columns, and whether there is a project column (`DescCol()`, `HasProjCol()`).
  const TableLayout& Layout() const { return layout_; }
  // `EditRow`, `EditCol` and `EditOldText`.
  const EditPosition& Edit() const { return edit_; }
  // `SortMode`, `AutoSort`, `SkipNextSort`, `FollowSortedRow` and `PendingRow`.
  const SortState& Sorting() const { return sort_; }
  // `HideSel` and `HideUnSel`.
  const HideState& Hide() const { return hide_; }
  // The task file: its name, encoding, stamp and base.
  const TaskFile& File() const { return file_; }
  const std::string& ListTitle() const { return shown_.Title; }
  // The captions and visibility the window mirrors on its buttons.
  const ButtonState& Buttons() const { return buttons_; }
  const UndoHistory& History() const { return history_; }
  // The list in step with its file as changed elsewhere: reload, merge, journal.
  FileSync& Sync() { return sync_; }
  // The window's place, size and the widths that follow it.
  WindowGeometry& Geometry() { return window_; }

  // --- What the grid's view does to the table.
  // The in-place editor's text, every keystroke of it, as the cell's bytes; the one way typing
  // writes the table, so undo sees it. `needsUtf8` when the bytes are UTF-8 because the
  // single-byte table could not hold a typed character: the table turns to UTF-8 first.
  void TypeInCell(int col, int row, std::string_view bytes, bool needsUtf8 = false);
  // A key, click or the view moving the cursor: the cell-selection event runs first, and a
  // refusal it throws leaves the cursor where it was.
  void MoveCursor(int col, int row);
  // The grid painted a cell: the one-shot paint hook runs.
  void CellPainted();

  // --- The table and its file.
  // False when the user declined to save a single-byte file as UTF-8; nothing was written.
  // `rendered`, when given, is what FileBytes() returns now, already made.
  bool SaveTaskFile(std::string* rendered = nullptr);
  // The bytes a save would write now (single-byte descriptions when toSingleByte).
  std::string FileBytes(bool toSingleByte = false) const;
  // What a save would write now, in the file's own encoding where it still fits.
  std::string SaveBytes() const;
  // Appends another program's tasks as one undoable change; says what the list could not hold.
  // The rows are made before the list changes, so a progress listener's WorkCancelled leaves it
  // as it was.
  std::vector<Message> ImportTasks(TaskList imported, const Progress& progress = {});

  // --- The window. FormCreate's remaining steps (maximize, clamp, resize) are the window's.
  // What an early load read of the list's file is taken instead of reading it again.
  void FormCreate(const std::string& firstArgument, const std::string& home,
                  EarlyLoad* early = nullptr);
  void FormShow();
  void FormResize();
  void AddButtonClick();
  // False when the save did not happen (the user kept an outside change, or it failed).
  bool SaveButtonClick();
  void CloseButtonClick();
  void CloseNoSaveButtonClick();

  // --- Dates and recurrence.
  void IncrementButtonClick();
  // Shift+Alt+I: Increment pressed until the date is no longer in the past, as one change.
  void CatchUpButtonClick();
  void ReplicateButtonClick();
  void DeleteButtonClick();

  // --- Sorting and the grid's handlers.
  void SortOrderButtonClick();
  void AutoSortButtonClick();
  void SortButtonClick();
  void GridExit();
  void GridKeyUp(int key);
  // The cell under the pointer, found by the view; -1, -1 outside all cells.
  void GridMouseDown(int hitCol, int hitRow);
  void GridDblClick();
  void FindButtonClick(const std::string& findText);
  void HideButtonClick();
  void PrintButtonClick();

  // --- Undo and redo of the list's changes.
  // Ctrl+Z: text still being typed is taken back first, as Escape does; otherwise the newest
  // step. Afterwards the edit position is the cursor cell as it reads, so nothing is committed.
  void Undo();
  // Ctrl+Y: text still being typed is committed first, which ends the redo as any new change does.
  void Redo();

  // Runs a handler as the window does: a failure is shown by the default error report and the
  // program carries on. True when the handler completed.
  bool Guarded(const std::function<void()>& handler);

 private:
  friend struct ListTestAccess;  // tests set up state through one small helper
  friend class FileSync;         // reload and merge replace the table's rows

  // --- The design's routines behind the handlers.
  // Builds the table from the task file, or from bytes already read from it, or from what an
  // early load read of it, when given.
  void InitTaskTable(const DiskBytes* from = nullptr, EarlyLoad* early = nullptr);
  // Before a load: only the header row, no project column, no undo steps.
  void ClearTaskTable();
  // After a load: the header texts, the cursor on the first task and the starting widths.
  void FinishTaskTable();
  void InsertTaskRow();
  void AttachSelectHandler();
  void DetachSelectHandler();
  void LoadTaskFile(const DiskBytes* from = nullptr, EarlyLoad* early = nullptr);
  // Re-encodes a single-byte table as UTF-8, so that a typed character it lacks can be kept.
  void CellsToUtf8();
  void DeleteTaskRow();
  std::string BuildSortKey(int row) const;
  void SortTable();
  void GridDrawCell();
  void GridSelectCell(int col, int row);
  void CommitCellEdit();
  std::vector<std::string> ReportLines(const PrintChoice& choice) const;
  void PrintTasks();

  // Increment, once or until the date is no longer in the past.
  void MoveCursorDate(bool catchUp);
  // Sets the project column's presence, and the table's columns with it.
  void SetLayout(bool hasProjCol);
  double CommittedDate(std::string_view typed) const;
  void CheckNumberText(const std::string& trimmed) const;
  // The edit position stays with its task when rows are inserted or deleted around it.
  void FollowInsertedRow(int row);
  void FollowDeletedRow(int row);
  // What a save would do beyond writing the tasks, to be asked in one question first.
  struct SavePlan {
    std::vector<Message> Notes;
    bool OutsideChange = false;
    bool ReplaceBackup = false;
    // The file was emptied or cut short elsewhere: the list is saved, the file kept as backup.
    bool CutShort = false;
    std::optional<MergedFile> Merge;
  };
  SavePlan PlanSave(const ReplaceCheck& check);
  ReplaceCheck CheckReplaceAfterSwap() const;
  // Saves over a cut-short file, which is kept as the backup first.
  bool SaveOverCutShort();
  // Whether a save writes this row: a description of control characters alone is still a task.
  bool RowIsSaved(int row) const;
  // The rows a save writes, in order: one for each task line.
  std::vector<int> SavedRows() const;
  // The regional weekday name of a date in the table's own encoding.
  std::string WeekdayCell(double date) const;
  // Tells the user what a save could not carry over to the new file.
  void ReportNotKept(const std::vector<std::string>& notKept);
  // The edit position becomes the cursor cell as it reads now: nothing is pending there.
  void EditCursorCell();
  // The exchange order of the task rows (nothing when none moves), from the kept key groups when
  // only one row changed since the last sort; leaves the groups in the new order.
  std::vector<int> SortedOrder();
  // The table is in key order now; watch it for the next change.
  void KeepSortedRows();
  void SortedRowsTableChanged(TaskTable::Change change, int row);

  // Where the list stands for an undo step: the cursor (where a sort is taking it), or for a
  // commit the cell being committed.
  ListMark CursorMark() const;
  // Whether the cell being edited is a task cell whose text differs from EditOldText.
  bool EditPending() const;
  ListMark EditMark() const;
  // Puts the cursor and the sort state back as a step left them.
  void RestoreMark(const ListMark& from, const ListMark& to);
  // One undo step around a handler, closed however the handler ends.
  class StepScope {
   public:
    // A step abandoned by a failure with no more than keepOnlyIfMore changes is dropped.
    StepScope(ToDoList& list, ListMark (ToDoList::*mark)() const, std::size_t keepOnlyIfMore = 0);
    ~StepScope();
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

   private:
    ToDoList& list_;
    ListMark (ToDoList::*mark_)() const;
    std::size_t keepOnlyIfMore_;
    int exceptions_;
  };

  Platform& ui_;
  DateFormat dates_;
  TaskTable table_;
  TableLayout layout_;
  TaskFile file_;
  WindowGeometry window_;
  EditPosition edit_;
  SortState sort_;
  SortedRows sorted_;
  HideState hide_;
  ShownFile shown_;
  ButtonState buttons_;
  PrintChoice lastPrintChoice_;
  UndoHistory history_;
  FileSync sync_{*this};
  // A save now is the last before the window closes: the table's text stays where it lies.
  bool closing_ = false;
};

}  // namespace taskwell
