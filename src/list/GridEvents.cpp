#include "list/ToDoList.h"

namespace taskwell {
namespace {

constexpr int kEscapeKey = 27;

// The web address in a description, or else its first word: what a double click opens.
std::string LinkOf(std::string_view description) {
  if (const std::size_t http = description.find("http"); http != std::string_view::npos) {
    description.remove_prefix(http);
  }
  return std::string(description.substr(0, description.find(' ')));
}

}  // namespace

void ToDoList::GridKeyUp(int key) {
  if (key != kEscapeKey) return;
  // Only a task cell has an edit to take back; the header never does.
  if (EditRow <= 0 || EditRow >= Grid.RowCount() || EditCol < 0 || EditCol >= Grid.ColCount()) {
    return;
  }
  Grid.SetCell(EditCol, EditRow, EditOldText);
}

void ToDoList::GridMouseDown(int hitCol, int hitRow) {
  // No sort inside a running commit, and none by hand while every edit sorts anyway.
  if (!SelectHooked || AutoSort) return;
  if (hitRow != 0 || hitCol < 0) return;
  SortMode = hitCol == DescCol ? 2 : 1;
  SortTable();
}

void ToDoList::GridDblClick() {
  Ui.OpenDocument(LinkOf(Grid.Cell(DescCol, Grid.Row())));
}

}  // namespace taskwell
