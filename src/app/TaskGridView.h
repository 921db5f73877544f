#pragma once

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "app/TaskGridModel.h"
#include "list/ToDoList.h"

namespace taskwell {

// Runs one entry point into the task list as the window runs every handler: a failure goes to
// the default error report, and the window then mirrors what the handler may have changed. False
// when the handler failed.
using Dispatcher = std::function<bool(const std::function<void()>&)>;

// The list's file decides how its cells read; the grid's model is told no more than that.

// Every change of the current cell, by keyboard, mouse or program, passes through here first, so
// the table's cell-selection event runs before the move and can stop it.
class GridSelectionModel final : public QItemSelectionModel {
  Q_OBJECT

 public:
  GridSelectionModel(ToDoList& list, Dispatcher dispatch, QAbstractItemModel* model,
                     QObject* parent);
  void setCurrentIndex(const QModelIndex& index,
                       QItemSelectionModel::SelectionFlags command) override;
  // Shows the table's cursor without raising the event again.
  void FollowTable();

 signals:
  // A handler refused the move; the editor that was closed for it must come back.
  void MoveRefused();

 private:
  // The model's cell under the table's cursor.
  QModelIndex TableCursor() const;

  ToDoList& list_;
  Dispatcher dispatch_;
  bool following_ = false;
};

// The in-place editor writes each keystroke into the cell and hands key releases to the task list.
class GridEditDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  GridEditDelegate(ToDoList& list, Dispatcher dispatch, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
  // The editor most recently opened, until the view lets it go.
  QWidget* OpenEditor() const { return lastEditor_.data(); }

 signals:
  // Ctrl+Tab (forward) or Ctrl+Shift+Tab in the editor.
  void LeaveGrid(bool forward);

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  ToDoList& list_;
  Dispatcher dispatch_;
  mutable QPointer<QWidget> lastEditor_;
};

class TaskGridView final : public QTableView {
  Q_OBJECT

 public:
  // Every handler the grid raises runs through dispatch.
  TaskGridView(ToDoList& list, Dispatcher dispatch, QWidget* parent);

  TaskGridModel* GridModel() const { return model_; }
  // The table's column (grid) for a point in viewport coordinates; -1, -1 outside all cells.
  void HitTest(const QPoint& viewportPoint, int& col, int& row) const;
  // Opens the editor on the current cell, as the grid always shows one.
  void ShowEditor();
  int FullyVisibleRows(int gridHeight) const;
  // The keyboard goes to the next (or previous) control outside the grid.
  void LeaveGrid(bool forward);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void SetLook();
  void FollowModel();
  void ApplyWidths();
  void OnSectionResized(int section, int oldSize, int newSize);
  ToDoList& list_;
  Dispatcher dispatch_;
  TaskGridModel* model_;
  GridSelectionModel* selection_;
  GridEditDelegate* delegate_;
  bool applyingWidths_ = false;
  // Between a model's notice that rows will move and the notice that they have.
  bool rowsMoving_ = false;
};

}  // namespace taskwell
