#pragma once

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include "app/TaskGridModel.h"
#include "list/ToDoList.h"

namespace taskwell {

// Every change of the current cell, by keyboard, mouse or program, passes through here first, so
// the table's cell-selection event runs before the move and can stop it.
class GridSelectionModel final : public QItemSelectionModel {
  Q_OBJECT

 public:
  GridSelectionModel(ToDoList& list, QAbstractItemModel* model, QObject* parent);
  void setCurrentIndex(const QModelIndex& index,
                       QItemSelectionModel::SelectionFlags command) override;
  // Shows the table's cursor without raising the event again.
  void FollowTable();

 signals:
  // A handler refused the move; the editor that was closed for it must come back.
  void MoveRefused();

 private:
  ToDoList& List;
  bool Following = false;
};

// The in-place editor writes each keystroke into the cell and hands key releases to the task list.
class GridEditDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  GridEditDelegate(ToDoList& list, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  // The editor most recently opened, while it exists.
  QWidget* OpenEditor() const { return LastEditor.data(); }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  ToDoList& List;
  mutable QPointer<QWidget> LastEditor;
};

class TaskGridView final : public QTableView {
  Q_OBJECT

 public:
  TaskGridView(ToDoList& list, QWidget* parent);

  TaskGridModel* GridModel() const { return Model; }
  // The table's column (grid) for a point in viewport coordinates; -1, -1 outside all cells.
  void HitTest(const QPoint& viewportPoint, int& col, int& row) const;
  // Opens the editor on the current cell, as the grid always shows one.
  void ShowEditor();
  int FullyVisibleRows(int gridHeight) const;

 signals:
  void HandlerFailed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void ApplyWidths();
  void OnSectionResized(int section, int oldSize, int newSize);
  ToDoList& List;
  TaskGridModel* Model;
  GridSelectionModel* Selection;
  GridEditDelegate* Delegate;
  bool ApplyingWidths = false;
};

}  // namespace taskwell
