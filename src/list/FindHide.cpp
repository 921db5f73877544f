#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::FindButtonClick(const std::string& findText) {
  if (!findText.empty()) {
    const std::string needle = UpperAscii(findText);
    auto matches = [&](int row) {
      return ContainsUpperAscii(table_.Cell(layout_.DescCol(), row), needle);
    };
    const int current = table_.Row();
    if (table_.Col() != layout_.DescCol() && matches(current)) {
      table_.SetCol(layout_.DescCol());
      ui_.FocusGrid();
      return;
    }
    // Downwards from the row after the cursor, then round from the first task.
    const int rows = table_.RowCount();
    for (int step = 1; step < rows; ++step) {
      const int row = current + step < rows ? current + step : current + step - rows + 1;
      if (row == current) break;
      if (matches(row)) {
        // Row first, then column, each its own move, so the edit is committed on the way.
        table_.SetRow(row);
        table_.SetCol(layout_.DescCol());
        ui_.FocusGrid();
        return;
      }
    }
  }
  ui_.FocusGrid();
}

void ToDoList::HideButtonClick() {
  if (!hide_.Sel && !hide_.UnSel) {
    hide_.Sel = true;
    buttons_.HideCaption = "&Hide UnSel";
  } else if (hide_.Sel) {
    hide_.Sel = false;
    hide_.UnSel = true;
    buttons_.HideCaption = "&Hide None";
  } else {
    hide_.UnSel = false;
    buttons_.HideCaption = "&Hide Sel";
  }
}

}  // namespace taskwell
