// Undo and redo: the steps the handlers open, and taking them back.
#include <algorithm>
#include <exception>

#include "list/ToDoList.h"

namespace taskwell {

ToDoList::StepScope::StepScope(ToDoList& list, ListMark (ToDoList::*mark)() const,
                               std::size_t keepOnlyIfMore)
    : list_(list),
      mark_(mark),
      keepOnlyIfMore_(keepOnlyIfMore),
      exceptions_(std::uncaught_exceptions()) {
  list_.history_.BeginStep((list_.*mark_)());
}

ToDoList::StepScope::~StepScope() {
  const ListMark after = (list_.*mark_)();
  if (std::uncaught_exceptions() > exceptions_) {
    list_.history_.AbandonStep(after, keepOnlyIfMore_);
  } else {
    list_.history_.EndStep(after);
  }
}

ListMark ToDoList::CursorMark() const {
  // A sort leaves the cursor's way to its task pending until the grid paints.
  const int row = sort_.PendingRow != 0 ? sort_.PendingRow : table_.Row();
  return {row, table_.Col(), sort_.Mode, sort_.SkipNext};
}

ListMark ToDoList::EditMark() const {
  return {edit_.Row, edit_.Col, sort_.Mode, sort_.SkipNext};
}

void ToDoList::Undo() {
  // Never in the middle of a handler's own step (a key that arrives inside a message box).
  if (history_.InStep()) return;
  // Text still being typed is the newest change: it goes first, as Escape takes it back.
  if (EditPending()) {
    GridKeyUp(kEscapeKey);
    return;
  }
  if (const auto move = history_.Undo(table_)) RestoreMark(move->From, move->To);
}

void ToDoList::Redo() {
  if (history_.InStep()) return;
  // What was typed is kept: committed, it is a new change, and a new change ends the redo.
  if (EditPending()) GridExit();
  if (const auto move = history_.Redo(table_)) RestoreMark(move->From, move->To);
}

void ToDoList::RestoreMark(const ListMark& from, const ListMark& to) {
  // The cursor goes back without a commit: nothing was typed into what the undo wrote.
  const bool wasHooked = table_.HasSelectHandler();
  DetachSelectHandler();
  const int lastRow = table_.RowCount() - 1;
  const int row = std::clamp(to.Row, std::min(1, lastRow), std::max(lastRow, 0));
  const int col = std::clamp(to.Col, 0, std::max(table_.ColCount() - 1, 0));
  table_.SelectCell(col, row);
  // Only what the step itself changed: a sort order chosen since then stays.
  if (from.SortMode != to.SortMode) {
    sort_.Mode = to.SortMode;
    buttons_.SortOrderCaption = SortCaption(sort_.Mode);
  }
  if (from.SkipNextSort != to.SkipNextSort) sort_.SkipNext = to.SkipNextSort;
  sort_.PendingRow = 0;
  sort_.FollowSortedRow = true;
  EditCursorCell();
  if (wasHooked) AttachSelectHandler();
  window_.FitWindowToRows();
}

}  // namespace taskwell
