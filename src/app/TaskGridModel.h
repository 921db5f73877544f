#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPalette>
#include <QTimer>

#include "list/ToDoList.h"

namespace taskwell {

// Shows the task table to Qt: the table's row 0 is the horizontal header, its task rows are the
// model's rows. Every edit goes straight into the table's cells.
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
  QString Decode(const std::string& bytes) const;
  std::string Encode(const QString& text) const;

  // The overdue colour is chosen against the view's own palette, so it reads in dark themes too.
  void SetPalette(const QPalette& palette);
  QColor OverdueColour() const { return Overdue; }
  // Overdue and due-today rows follow the clock: whole days are checked again at least hourly
  // and at midnight, and the rows are repainted when the day has changed.
  void RefreshDueState();
  int MillisecondsToNextDueCheck() const;

  // While the table is being laid out anew, the view's own moves of its current cell (it picks
  // the first cell when it takes the focus) are not the user's and must not reach the table.
  bool IsResetting() const { return Resetting; }

 signals:
  void CursorMoved();
  void WidthsChanged();
  void TableReset();

 private:
  void OnTableChange(TaskTable::Change change, int col, int row);
  QVariant DueLook(const QModelIndex& index, int role) const;
  void ArmDueTimer();
  ToDoList& List;
  QColor Overdue;
  QTimer DueTimer;
  double DueDay = 0;
  int Rows = 0;
  int Cols = 0;
  bool Resetting = false;
  int ListenerId = 0;
};

}  // namespace taskwell
