#include "list/ToDoList.h"

namespace taskwell {
namespace {

// The web address in a description, or else its first word: what a double click opens.
std::string LinkOf(std::string_view description) {
  if (const std::size_t http = description.find("http"); http != std::string_view::npos) {
    description.remove_prefix(http);
  }
  return std::string(description.substr(0, description.find(' ')));
}

}  // namespace

void ToDoList::GridKeyUp(int key) {
  // Only a task cell has an edit to take back; the header never does.
  if (key != kEscapeKey || !EditPending()) return;
  table_.SetCell(edit_.Col, edit_.Row, edit_.OldText);
}

void ToDoList::GridMouseDown(int hitCol, int hitRow) {
  // No sort inside a running commit, and none by hand while every edit sorts anyway.
  if (!SelectHooked() || sort_.Auto) return;
  if (hitRow != 0 || hitCol < 0) return;
  const StepScope step(*this, &ToDoList::CursorMark);
  sort_.Mode = hitCol == layout_.DescCol() ? SortOrder::ByDescription : SortOrder::ByDate;
  SortTable();
}

void ToDoList::GridDblClick() {
  ui_.OpenDocument(LinkOf(table_.Cell(layout_.DescCol(), table_.Row())));
}

}  // namespace taskwell
