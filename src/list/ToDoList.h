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
#include "list/UndoHistory.h"
#include "list/WindowGeometry.h"

namespace taskwell {

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

struct MergeSides;
struct LoadedFile;
struct OurLines;
struct SideRow;

// A merge of the file as changed elsewhere with this list: the rows to show and save, and what it
// took from each side.
struct MergedFile {
  std::vector<std::vector<std::string>> Rows;  // the header row first
  std::string Bytes;                           // the rows as a save writes them
  LineMergeResult Result;
  DiskBytes Theirs;  // the file as read, the base of any later change
  bool ChangedElsewhere = false;
};

// Captions and visibility of the buttons that handlers change; the window mirrors them.
struct ButtonState {
  std::string SortOrderCaption;
  std::string AutoSortCaption;
  std::string HideCaption;
  bool SortVisible = false;
};

// No header line, or not even one whole line: what a partial write or a truncation leaves.
bool LooksCutShort(std::string_view bytes);

// "Sorted by Date" and its kin: the sort order button's caption for a sort order.
std::string SortCaption(SortOrder order);

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

  // The table the grid shows. The view writes typed text into its cells and moves its cursor;
  // everything else changes it through the handlers.
  TaskTable& Table() { return table_; }
  const TaskTable& Table() const { return table_; }
  const DateFormat& Dates() const { return dates_; }
  const TableLayout& Layout() const { return layout_; }

  // The state, read-only; the handlers change it.
  const EditPosition& Edit() const { return edit_; }
  int EditRow() const { return edit_.Row; }
  int EditCol() const { return edit_.Col; }
  const std::string& EditOldText() const { return edit_.OldText; }
  const SortState& Sorting() const { return sort_; }
  SortOrder SortMode() const { return sort_.Mode; }
  bool AutoSort() const { return sort_.Auto; }
  bool SkipNextSort() const { return sort_.SkipNext; }
  bool FollowSortedRow() const { return sort_.FollowSortedRow; }
  int PendingRow() const { return sort_.PendingRow; }
  bool HideSel() const { return hide_.Sel; }
  bool HideUnSel() const { return hide_.UnSel; }
  int DescCol() const { return layout_.DescCol(); }
  bool HasProjCol() const { return layout_.HasProjCol(); }
  // Whether the cell-selection handler is attached: asked of the table, never kept twice.
  bool SelectHooked() const { return table_.HasSelectHandler(); }
  // The task file: its name, encoding, stamp and base.
  const TaskFile& File() const { return file_; }
  const std::string& ListTitle() const { return shown_.Title; }
  const ButtonState& Buttons() const { return buttons_; }
  const std::string& SortOrderButtonCaption() const { return buttons_.SortOrderCaption; }
  const std::string& AutoSortButtonCaption() const { return buttons_.AutoSortCaption; }
  const std::string& HideButtonCaption() const { return buttons_.HideCaption; }
  bool SortButtonVisible() const { return buttons_.SortVisible; }
  const PrintChoice& LastPrintChoice() const { return lastPrintChoice_; }

  // The grid's font, measured by whoever draws it.
  void SetTextMeasure(std::function<int(std::string_view)> measure);
  // A column width the user set by dragging the grid's header.
  void SetColumnWidth(int col, int width);

  // --- The table and its file.
  // Builds the table from the task file, or from bytes already read from it when given.
  void InitTaskTable(const DiskBytes* from = nullptr);
  // Before a load: only the header row, no project column, no undo steps.
  void ClearTaskTable();
  // After a load: the header texts, the cursor on the first task and the starting widths.
  void FinishTaskTable();
  void InsertTaskRow();
  void AttachSelectHandler();
  void DetachSelectHandler();
  void LoadTaskFile(const DiskBytes* from = nullptr);
  // False when the user declined to save a single-byte file as UTF-8; nothing was written.
  // `rendered`, when given, is what FileBytes() returns now, already made.
  bool SaveTaskFile(std::string* rendered = nullptr);
  // The bytes a save would write now (single-byte descriptions when toSingleByte).
  std::string FileBytes(bool toSingleByte = false) const;
  // What a save would write now, in the file's own encoding where it still fits.
  std::string SaveBytes() const;
  // Whether a save would write anything other than what was last read or written.
  bool HasUnsavedChanges() const;
  // Re-encodes a single-byte table as UTF-8, so that a typed character it lacks can be kept.
  void CellsToUtf8();

  // Appends another program's tasks as one undoable change; says what the list could not hold.
  // The rows are made before the list changes, so a progress listener's WorkCancelled leaves it
  // as it was.
  std::vector<std::string> ImportTasks(TaskList imported, const Progress& progress = {});

  // --- Changes made to the file elsewhere.
  // The file settled after a change: a list with nothing unsaved reloads it. A file that would load
  // only partly is not loaded, and the user is told once per change. True when it reloaded.
  bool FileChangedOnDisk();
  // Merges another version of the list (a sync tool's conflict copy, or the file itself) into the
  // table by the three-way rules, with `sharedBase` as the state both sides started from. For the
  // file itself, its bytes become the base of the next save. Nothing when it cannot be merged.
  std::optional<LineMergeResult> MergeFromCopy(DiskBytes theirs, const std::string& sharedBase,
                                               bool isTheFile);
  // Shows the list a recovery journal kept, as one undoable change; the file stays as it is.
  void RestoreJournal(const std::string& bytes);
  // The table's content revision when a save last wrote what it shows.
  std::optional<std::uint64_t> WrittenRevision() const { return shown_.WrittenRevision; }
  // Shows the file as loaded again, keeping the cursor on its task, the sort mode and the
  // column widths; `loaded` is left empty.
  void ReloadTaskFile(TaskFile& loadedFile, LoadedRows& loaded);

  // --- The window. FormCreate's remaining steps (maximize, clamp, resize) are the window's.
  static std::string DefaultTaskFileName(const std::string& home);
  static std::string ListTitleOf(const std::string& taskFileName);
  void FormCreate(const std::string& firstArgument, const std::string& home);
  void FormShow();
  void FormResize();
  // The window's place, size and the widths that follow it.
  WindowGeometry& Geometry() { return window_; }
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

  // --- Undo and redo of the list's changes.
  // Ctrl+Z: text still being typed is taken back first, as Escape does; otherwise the newest
  // step. Afterwards the edit position is the cursor cell as it reads, so nothing is committed.
  void Undo();
  // Ctrl+Y: text still being typed is committed first, which ends the redo as any new change does.
  void Redo();
  const UndoHistory& History() const { return history_; }

  // Runs a handler as the window does: a failure is shown by the default error report and the
  // program carries on. True when the handler completed.
  bool Guarded(const std::function<void()>& handler);

 private:
  friend struct ListTestAccess;  // tests set up state through one small helper

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
    std::vector<std::string> Notes;
    bool OutsideChange = false;
    bool ReplaceBackup = false;
    // The file was emptied or cut short elsewhere: the list is saved, the file kept as backup.
    bool CutShort = false;
    std::optional<MergedFile> Merge;
  };
  SavePlan PlanSave(const ReplaceCheck& check);
  // The save's merge with a change made elsewhere, where one can be trusted.
  std::optional<MergedFile> PrepareMerge();
  std::optional<MergedFile> PrepareMergeWith(DiskBytes theirs);
  // Whether the file, as another program left it, lost what the list holds: emptied, shorter
  // than its header, or without one, while the list has tasks.
  bool CutShortOnDisk(const std::string& theirs) const;
  // Saves over a cut-short file, which is kept as the backup first.
  bool SaveOverCutShort();
  // The lines of the three sides: each side loaded whole and written again, or, for files in
  // this list's own form, only the lines that are not already ours. False where the sides cannot
  // be compared.
  bool LoadMergeSides(const std::string& theirBytes, MergeSides& sides);
  bool QuickMergeSides(const std::string& theirBytes, MergeSides& sides);
  // One side read line by line: a line that is one of ours is taken as it is, the others are
  // loaded together. False where the side is not in this list's own form.
  bool ReadQuickSide(const OurLines& ours, const std::string& bytes, MergeSides& sides,
                     std::vector<std::string_view>& lines, std::vector<int>& ids,
                     std::vector<SideRow>* rows);
  bool RenderMine(MergeSides& sides) const;
  // Shows the merge, saves it and says what it did. False when the save did not happen.
  bool SaveMerged(MergedFile& merged);
  // The table becomes these rows (the header row first), as after a load, keeping the cursor on
  // its task, the sort mode and the column widths.
  void ReplaceRowsKeepingView(std::vector<std::vector<std::string>> rows, bool hasProjCol);
  // Whether a save writes this row: a description of control characters alone is still a task.
  bool RowIsSaved(int row) const;
  // The rows a save writes, in order: one for each task line.
  std::vector<int> SavedRows() const;
  // The regional weekday name of a date in the table's own encoding.
  std::string WeekdayCell(double date) const;
  // Whether the table shows the base unchanged: what a save would write equals the base, or the
  // base as it loads, however another program wrote it.
  bool ShowsBaseAsLoaded();
  // The bytes loaded by this list's rules; null, with the reason, when they do not load whole.
  std::unique_ptr<LoadedFile> LoadedCopy(const DiskBytes& bytes, std::string& failure) const;
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
  // The content of the changed file a reload last refused to load partly, so it is told once.
  std::optional<std::uint64_t> partialReloadTold_;
  // What a save would have written right after the base was loaded, for the base of this hash.
  std::optional<std::string> baseAsLoaded_;
  std::uint64_t baseAsLoadedHash_ = 0;
  UndoHistory history_;
};

}  // namespace taskwell
