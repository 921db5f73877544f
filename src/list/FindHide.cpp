#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::FindButtonClick(const std::string& findText) {
  if (!findText.empty()) {
    const std::string needle = UpperAscii(findText);
    auto matches = [&](int row) { return ContainsUpperAscii(Grid.Cell(DescCol, row), needle); };
    const int current = Grid.Row();
    if (Grid.Col() != DescCol && matches(current)) {
      Grid.SetCol(DescCol);
      Ui.FocusGrid();
      return;
    }
    // Downwards from the row after the cursor, then round from the first task.
    const int rows = Grid.RowCount();
    for (int step = 1; step < rows; ++step) {
      const int row = current + step < rows ? current + step : current + step - rows + 1;
      if (row == current) break;
      if (matches(row)) {
        // Row first, then column, each its own move, so the edit is committed on the way.
        Grid.SetRow(row);
        Grid.SetCol(DescCol);
        Ui.FocusGrid();
        return;
      }
    }
  }
  Ui.FocusGrid();
}

void ToDoList::HideButtonClick() {
  if (!HideSel && !HideUnSel) {
    HideSel = true;
    HideButtonCaption = "&Hide UnSel";
  } else if (HideSel) {
    HideSel = false;
    HideUnSel = true;
    HideButtonCaption = "&Hide None";
  } else {
    HideUnSel = false;
    HideButtonCaption = "&Hide Sel";
  }
}

}  // namespace taskwell
