#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPalette>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/DateText.h"
#include "document/TaskTable.h"
#include "list/ToDoList.h"

namespace taskwell {

// Shows the list's task table to Qt: the table's row 0 is the horizontal header, its task rows are
// the model's rows. Every edit goes into the table through the list's one typing entry point. The
// cells' bytes read as UTF-8, or as single-byte (Windows-1252) text that turns to UTF-8 as a whole
// once a typed character needs it.
class TaskGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TaskGridModel(ToDoList& list, QObject* parent = nullptr);
  ~TaskGridModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Cell bytes to screen text and back, by the file's encoding.
  QString Decode(std::string_view bytes) const;
  // A header text in the user's language, keeping the design's trailing padding ("Pri  ").
  static QString ShownTitle(const QString& title);
  std::string Encode(const QString& text) const;

  // The overdue colour is chosen against the view's own palette, so it reads in dark themes too.
  void SetPalette(const QPalette& palette);
  QColor OverdueColour() const { return overdue_; }
  // Overdue and due-today rows follow the clock: whole days are checked again at least hourly
  // and at midnight, and the rows are repainted when the day has changed.
  void RefreshDueState();
  int MillisecondsToNextDueCheck() const;

  // While the table is laid out anew (a load, reload, merge or large undo), the view's own moves of
  // its current cell (it picks the first cell when it takes the focus) are not the user's and must
  // not reach the table.
  bool IsResetting() const { return resetting_; }

 signals:
  void CursorMoved();
  void WidthsChanged();
  void TableReset();
  // Rows are about to be inserted, removed or reordered.
  void RowsAboutToMove();
  // Rows were inserted, removed or reordered; the view's current cell moved with its row.
  void RowsMoved();

 private:
  void OnTableChange(TaskTable::Change change, int col, int row);
  // The table row a model index shows; -1 for a row the table has dropped already.
  int TableRow(const QModelIndex& index) const;
  void CellChanged(int col, int row);
  void RowsChanged(TaskTable::Change change, int row);
  void RowsPermuted(const std::vector<int>& order);
  void Reset();
  // Screen text as the table's cells hold it; false when the single-byte table cannot hold it,
  // and the bytes are then UTF-8.
  bool ToCellBytes(const QString& text, std::string& bytes) const;
  QVariant DueLook(const QModelIndex& index, int role) const;
  // Every cell's look (colour, weight) may have changed.
  void RepaintLook(const QList<int>& roles);
  void ArmDueTimer();
  ToDoList& list_;
  const TaskTable& table_;
  const DateFormat& dates_;
  QColor overdue_;
  QTimer dueTimer_;
  double dueDay_ = 0;
  int rows_ = 0;
  int cols_ = 0;
  bool resetting_ = false;
  // The row change being told, between begin and end.
  std::optional<TaskTable::Change> pending_;
  int pendingRow_ = 0;
  // While a new order is told: where each table row went.
  std::vector<int> newRow_;
  int listenerId_ = 0;
};

}  // namespace taskwell
