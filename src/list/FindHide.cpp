#include <algorithm>

#include "document/Text.h"
#include "document/ToDoList.h"

namespace taskwell {
namespace {

char UpperByte(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether text contains upperNeedle, with only a to z folded to upper case.
bool ContainsUpper(std::string_view text, std::string_view upperNeedle) {
  return std::search(text.begin(), text.end(), upperNeedle.begin(), upperNeedle.end(),
                     [](char a, char b) { return UpperByte(a) == b; }) != text.end();
}

}  // namespace

void ToDoList::FindButtonClick(const std::string& findText) {
  if (!findText.empty()) {
    const std::string needle = UpperAscii(findText);
    auto matches = [&](int row) { return ContainsUpper(Grid.Cell(DescCol, row), needle); };
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
