#pragma once

#include <functional>
#include <string_view>

#include "document/Platform.h"
#include "document/TableLayout.h"
#include "document/TaskTable.h"

namespace taskwell {

// The window's place and size on the screen, and the column widths that follow the grid's width.
// The work area is read afresh each time, since screens come and go.
class WindowGeometry {
 public:
  WindowGeometry(Platform& ui, TaskTable& table) : ui_(ui), table_(table) {}

  // The grid's font, measured by whoever draws it.
  void SetTextMeasure(std::function<int(std::string_view)> measure);
  // A column width the user set by dragging the grid's header.
  void SetColumnWidth(int col, int width);
  // The window inside the work area: its top-left corner one pixel in, its right edge inside and
  // its bottom 60 pixels above the bottom of the work area.
  void ClampToWorkArea();
  // Grows the window a row at a time until every task row shows (downwards while there is room,
  // otherwise upwards), staying inside the work area.
  void FitWindowToRows();
  // After the user moved or sized the window: its top back inside the work area, and the
  // Description column refitted.
  void FollowResize(const TableLayout& layout);
  // The starting widths: the date, priority and sub-priority columns sized to their texts, the
  // project column to its title, and the Description column the rest.
  void SetStartingWidths(const TableLayout& layout);
  // The Description column takes the rest of the grid; countProjectColumn false leaves the
  // project column out of the sum (its width is not set yet while the table is built).
  void FitDescriptionWidth(const TableLayout& layout, bool countProjectColumn = true);

 private:
  Platform& ui_;
  TaskTable& table_;
};

}  // namespace taskwell
