#include "app/TaskGridModel.h"

#include <algorithm>

namespace taskwell {

TaskGridModel::TaskGridModel(ToDoList& list, QObject* parent)
    : QAbstractTableModel(parent), List(list) {
  Rows = std::max(0, List.Grid.RowCount() - 1);
  Cols = List.Grid.ColCount();
  List.Grid.OnChange = [this](TaskTable::Change change, int col, int row) {
    OnTableChange(change, col, row);
  };
}

TaskGridModel::~TaskGridModel() {
  List.Grid.OnChange = nullptr;
}

int TaskGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Rows;
}

int TaskGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Cols;
}

QVariant TaskGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return Decode(List.Grid.Cell(index.column(), index.row() + 1));
}

bool TaskGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  List.Grid.SetCell(index.column(), index.row() + 1, Encode(value.toString()));
  return true;
}

Qt::ItemFlags TaskGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TaskGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return Decode(List.Grid.Cell(section, 0));
}

QString TaskGridModel::Decode(const std::string& bytes) const {
  const auto size = static_cast<qsizetype>(bytes.size());
  return List.TextIsUtf8 ? QString::fromUtf8(bytes.data(), size)
                         : QString::fromLatin1(bytes.data(), size);
}

std::string TaskGridModel::Encode(const QString& text) const {
  const QByteArray bytes = List.TextIsUtf8 ? text.toUtf8() : text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TaskGridModel::OnTableChange(TaskTable::Change change, int col, int row) {
  switch (change) {
    case TaskTable::Change::Cell:
      if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
      } else if (row - 1 < Rows && col < Cols) {
        const QModelIndex cell = index(row - 1, col);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
      }
      break;
    case TaskTable::Change::Cursor:
      emit CursorMoved();
      break;
    case TaskTable::Change::Widths:
      emit WidthsChanged();
      break;
    case TaskTable::Change::Rows:
    case TaskTable::Change::Columns:
    case TaskTable::Change::All:
      Resetting = true;
      beginResetModel();
      Rows = std::max(0, List.Grid.RowCount() - 1);
      Cols = List.Grid.ColCount();
      endResetModel();
      emit TableReset();
      Resetting = false;
      break;
  }
}

}  // namespace taskwell
