#include "list/WindowGeometry.h"

#include <algorithm>

namespace taskwell {

void WindowGeometry::SetTextMeasure(std::function<int(std::string_view)> measure) {
  table_.SetTextMeasure(std::move(measure));
}

void WindowGeometry::SetColumnWidth(int col, int width) {
  table_.SetColWidth(col, width);
}

namespace {

// The Description column never collapses, however narrow the window.
constexpr int kMinDescriptionWidth = 24;

// The window's top-left corner inside the work area, one pixel in.
void KeepTopLeftInside(const Rect& wa, Rect& b) {
  if (wa.Top >= b.Top) b.Top = wa.Top + 1;
  if (wa.Left >= b.Left) b.Left = wa.Left + 1;
}

// The window's right and bottom edges inside the work area (the bottom keeps 60 pixels free).
void KeepBottomRightInside(const Rect& wa, Rect& b) {
  if (wa.Left + wa.Width < b.Left + b.Width) b.Width = wa.Left + wa.Width - b.Left - 1;
  if (wa.Top + wa.Height < b.Top + b.Height) b.Height = wa.Top + wa.Height - b.Top - 60;
}

}  // namespace

void WindowGeometry::ClampToWorkArea() {
  const Rect wa = ui_.WorkArea();
  Rect b = ui_.WindowBounds();
  KeepTopLeftInside(wa, b);
  KeepBottomRightInside(wa, b);
  ui_.SetWindowBounds(b);
}

void WindowGeometry::FitWindowToRows() {
  const int rh = TableLayout::RowHeight;
  const int n = table_.RowCount() - 1;
  Rect b = ui_.WindowBounds();
  Rect wa = ui_.WorkArea();
  KeepTopLeftInside(wa, b);
  while (ui_.FullyVisibleRows(b.Height) < n && (wa.Height > b.Top + b.Height + rh || rh < b.Top)) {
    wa = ui_.WorkArea();
    if (wa.Top + wa.Height + 1 > b.Top + b.Height + rh) {
      b.Height += rh;
    } else if (rh < b.Top && b.Top - rh > wa.Top) {
      b.Top -= rh;
      b.Height += rh;
    } else {
      break;
    }
  }
  KeepBottomRightInside(ui_.WorkArea(), b);
  ui_.SetWindowBounds(b);
  ui_.Repaint();
}

void WindowGeometry::FollowResize(const TableLayout& layout) {
  const Rect wa = ui_.WorkArea();
  Rect bounds = ui_.WindowBounds();
  if (wa.Top >= bounds.Top) {
    bounds.Top = wa.Top + 1;
    ui_.SetWindowBounds(bounds);
  }
  FitDescriptionWidth(layout);
}

void WindowGeometry::SetStartingWidths(const TableLayout& layout) {
  table_.SetColWidth(TableLayout::ColDate, table_.TextWidth(TableLayout::DateWidthSample));
  table_.SetColWidth(TableLayout::ColPri, table_.TextWidth(TableLayout::PriTitle));
  table_.SetColWidth(TableLayout::ColSubPri, table_.TextWidth(TableLayout::SubPriTitle));
  FitDescriptionWidth(layout, false);
  if (layout.HasProjCol()) {
    table_.SetColWidth(TableLayout::ColProj, table_.TextWidth(TableLayout::ProjTitle));
    table_.SetColWidth(layout.DescCol(),
                       std::max(kMinDescriptionWidth, table_.ColWidth(layout.DescCol()) -
                                                          table_.ColWidth(TableLayout::ColProj)));
  }
}

void WindowGeometry::FitDescriptionWidth(const TableLayout& layout, bool countProjectColumn) {
  int width = ui_.GridWidth() - table_.ColWidth(0) - table_.ColWidth(1) - table_.ColWidth(2) - 30;
  if (layout.HasProjCol() && countProjectColumn) width -= table_.ColWidth(TableLayout::ColProj);
  table_.SetColWidth(layout.DescCol(), std::max(kMinDescriptionWidth, width));
}

}  // namespace taskwell
