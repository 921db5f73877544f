#include "app/TaskGridModel.h"

#include <QCoreApplication>

#include <QFont>
#include <algorithm>
#include <cmath>
#include <utility>

#include "document/TableLayout.h"
#include "document/Text.h"
#include "grid/DueState.h"

namespace taskwell {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
// Checked at least this often, so a clock change or a suspended machine is caught up soon.
constexpr int kMaxDueCheckMs = 3600000;
// Past midnight by this much, so the check lands in the new day.
constexpr int kPastMidnightMs = 1000;

}  // namespace

TaskGridModel::TaskGridModel(ToDoList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), table_(list.Table()), dates_(list.Dates()) {
  rows_ = std::max(0, table_.RowCount() - 1);
  cols_ = table_.ColCount();
  listenerId_ = table_.AddChangeListener(
      [this](TaskTable::Change change, int col, int row) { OnTableChange(change, col, row); });
  SetPalette(QPalette());
  dueTimer_.setSingleShot(true);
  connect(&dueTimer_, &QTimer::timeout, this, &TaskGridModel::RefreshDueState);
  dueDay_ = std::floor(dates_.Now());
  ArmDueTimer();
}

TaskGridModel::~TaskGridModel() {
  table_.RemoveChangeListener(listenerId_);
}

int TaskGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TaskGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant TaskGridModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::ForegroundRole || role == Qt::FontRole) return DueLook(index, role);
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return Decode(table_.Cell(index.column(), TableRow(index)));
}

int TaskGridModel::TableRow(const QModelIndex& index) const {
  const int row = index.row() + 1;
  // While a row change is told, the view still counts the old rows but the table has moved on.
  if (pending_ == TaskTable::Change::RowRemoved && row >= pendingRow_)
    return row == pendingRow_ ? -1 : row - 1;
  if (pending_ == TaskTable::Change::RowInserted && row >= pendingRow_) return row + 1;
  if (pending_ == TaskTable::Change::Rows && row >= pendingRow_) return -1;
  if (pending_ == TaskTable::Change::RowsPermuted && row < static_cast<int>(newRow_.size()))
    return newRow_[static_cast<std::size_t>(row)];
  return row;
}

bool TaskGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int row = index.isValid() ? TableRow(index) : -1;
  // The editor of a row being removed hands its text back: the row is gone already.
  if (row < 0 || role != Qt::EditRole) return false;
  std::string cell;
  // A character the single-byte file lacks turns the table to UTF-8 rather than into a "?"; the
  // save asks before the file follows.
  const bool needsUtf8 = !ToCellBytes(value.toString(), cell);
  list_.TypeInCell(index.column(), row, cell, needsUtf8);
  return true;
}

Qt::ItemFlags TaskGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TaskGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  // The header texts carry the design's padding ("Pri  "); a screen reader says the bare name.
  const QString title = ShownTitle(Decode(table_.Cell(section, 0)));
  if (role == Qt::AccessibleTextRole) return title.trimmed();
  if (role != Qt::DisplayRole) return {};
  return title;
}

QString TaskGridModel::ShownTitle(const QString& title) {
  const QString name =
      QCoreApplication::translate("taskwell", title.trimmed().toUtf8().constData());
  return name + title.mid(title.trimmed().size());
}

QString TaskGridModel::Decode(std::string_view bytes) const {
  const auto size = static_cast<qsizetype>(bytes.size());
  if (list_.File().TextIsUtf8()) return QString::fromUtf8(bytes.data(), size);
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string TaskGridModel::Encode(const QString& text) const {
  std::string bytes;
  // A text with a character the single-byte table lacks stays UTF-8: it matches no cell there.
  ToCellBytes(text, bytes);
  return bytes;
}

bool TaskGridModel::ToCellBytes(const QString& text, std::string& bytes) const {
  bytes = text.toStdString();
  if (list_.File().TextIsUtf8()) return true;
  std::string single;
  if (!TryUtf8ToCp1252(bytes, single)) return false;
  bytes = std::move(single);
  return true;
}

QVariant TaskGridModel::DueLook(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const DueState state =
      DueStateOf(table_.Cell(TableLayout::ColDate, TableRow(index)), dates_, dates_.Now());
  if (role == Qt::ForegroundRole)
    return state == DueState::Overdue ? QVariant(overdue_) : QVariant();
  if (state != DueState::Today) return {};
  // Only the weight is set; the view's own font fills in the rest.
  QFont bold;
  bold.setBold(true);
  return bold;
}

void TaskGridModel::SetPalette(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Active, QPalette::Base);
  const Rgb colour = taskwell::OverdueColour({base.red(), base.green(), base.blue()});
  const QColor overdue(colour.R, colour.G, colour.B);
  if (overdue == overdue_) return;
  overdue_ = overdue;
  RepaintLook({Qt::ForegroundRole});
}

void TaskGridModel::RefreshDueState() {
  const double today = std::floor(dates_.Now());
  if (today != dueDay_) RepaintLook({Qt::ForegroundRole, Qt::FontRole});
  dueDay_ = today;
  ArmDueTimer();
}

void TaskGridModel::RepaintLook(const QList<int>& roles) {
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), roles);
}

int TaskGridModel::MillisecondsToNextDueCheck() const {
  const double now = dates_.Now();
  const double toMidnight = (std::floor(now) + 1 - now) * kMillisecondsPerDay;
  return static_cast<int>(std::min<double>(toMidnight + kPastMidnightMs, kMaxDueCheckMs));
}

void TaskGridModel::ArmDueTimer() {
  dueTimer_.start(MillisecondsToNextDueCheck());
}

void TaskGridModel::OnTableChange(TaskTable::Change change, int col, int row) {
  using Change = TaskTable::Change;
  switch (change) {
    case Change::Cell:
      CellChanged(col, row);
      return;
    case Change::RowCells:
      if (row >= 1 && row - 1 < rows_ && cols_ > 0)
        emit dataChanged(index(row - 1, 0), index(row - 1, cols_ - 1));
      return;
    case Change::Cursor:
      emit CursorMoved();
      return;
    case Change::Widths:
      emit WidthsChanged();
      return;
    case Change::RowInserted:
    case Change::RowRemoved:
    case Change::Rows:
      RowsChanged(change, row);
      return;
    case Change::RowsPermuted:
      RowsPermuted(table_.PermutedOrder());
      return;
    case Change::Columns:
    case Change::All:
      Reset();
      return;
  }
}

void TaskGridModel::CellChanged(int col, int row) {
  if (row == 0) {
    emit headerDataChanged(Qt::Horizontal, col, col);
    return;
  }
  if (row < 1 || row - 1 >= rows_ || col >= cols_) return;
  const QModelIndex cell = index(row - 1, col);
  emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
  // A new date can make the whole row overdue or due today.
  if (col == TableLayout::ColDate && cols_ > 1) {
    emit dataChanged(index(row - 1, 0), index(row - 1, cols_ - 1),
                     {Qt::ForegroundRole, Qt::FontRole});
  }
}

void TaskGridModel::RowsChanged(TaskTable::Change change, int row) {
  // The table has changed already; the model's own count still tells the view the old shape.
  pending_ = change;
  pendingRow_ = row;
  emit RowsAboutToMove();
  if (change == TaskTable::Change::RowInserted && row >= 1 && row - 1 <= rows_) {
    beginInsertRows({}, row - 1, row - 1);
    ++rows_;
    pending_.reset();
    endInsertRows();
  } else if (change == TaskTable::Change::RowRemoved && row >= 1 && row - 1 < rows_) {
    beginRemoveRows({}, row - 1, row - 1);
    --rows_;
    pending_.reset();
    endRemoveRows();
  } else if (change == TaskTable::Change::Rows && std::max(0, row - 1) > rows_) {
    beginInsertRows({}, rows_, row - 2);
    rows_ = row - 1;
    endInsertRows();
  } else if (change == TaskTable::Change::Rows && std::max(0, row - 1) < rows_) {
    beginRemoveRows({}, std::max(0, row - 1), rows_ - 1);
    rows_ = std::max(0, row - 1);
    endRemoveRows();
  }
  pending_.reset();
  emit RowsMoved();
}

void TaskGridModel::RowsPermuted(const std::vector<int>& order) {
  // Table row i is now the one that was at order[i]; row 0, the header, stays.
  if (static_cast<int>(order.size()) != rows_ + 1) {
    Reset();
    return;
  }
  newRow_.assign(order.size(), 0);
  for (std::size_t i = 0; i < order.size(); ++i)
    newRow_[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
  pending_ = TaskTable::Change::RowsPermuted;
  emit RowsAboutToMove();
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before)
    after.push_back(index(newRow_[static_cast<std::size_t>(old.row()) + 1] - 1, old.column()));
  changePersistentIndexList(before, after);
  pending_.reset();
  newRow_ = std::vector<int>();  // and its memory, a row's worth of ints
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  emit RowsMoved();
}

void TaskGridModel::Reset() {
  resetting_ = true;
  beginResetModel();
  rows_ = std::max(0, table_.RowCount() - 1);
  cols_ = table_.ColCount();
  endResetModel();
  emit TableReset();
  resetting_ = false;
}

}  // namespace taskwell
