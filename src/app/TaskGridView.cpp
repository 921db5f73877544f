#include "app/TaskGridView.h"

#include <QCoreApplication>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <utility>

#include "document/TableLayout.h"

namespace taskwell {
namespace {

constexpr int kRowHeight = TableLayout::RowHeight;

int VirtualKey(const QKeyEvent* event) {
  return event->key() == Qt::Key_Escape ? kEscapeKey : event->key() & 0xFF;
}

}  // namespace

// ---------------------------------------------------------------- selection

GridSelectionModel::GridSelectionModel(ToDoList& list, Dispatcher dispatch,
                                       QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent), list_(list), dispatch_(std::move(dispatch)) {}

void GridSelectionModel::setCurrentIndex(const QModelIndex& index,
                                         QItemSelectionModel::SelectionFlags command) {
  if (following_ || !index.isValid()) {
    QItemSelectionModel::setCurrentIndex(index, command);
    return;
  }
  if (static_cast<const TaskGridModel*>(model())->IsResetting()) return;
  const int col = index.column();
  const int row = index.row() + 1;
  if (col != list_.Table().Col() || row != list_.Table().Row()) {
    // The table raises the cell-selection event; a failing handler keeps the cursor where it is.
    if (!dispatch_([&] { list_.MoveCursor(col, row); })) {
      FollowTable();
      emit MoveRefused();
      return;
    }
  }
  following_ = true;
  QItemSelectionModel::setCurrentIndex(TableCursor(), command);
  following_ = false;
}

QModelIndex GridSelectionModel::TableCursor() const {
  return model()->index(list_.Table().Row() - 1, list_.Table().Col());
}

void GridSelectionModel::FollowTable() {
  const QModelIndex target = TableCursor();
  if (!target.isValid()) return;
  following_ = true;
  if (currentIndex() != target) {
    QItemSelectionModel::setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
  }
  following_ = false;
}

// ---------------------------------------------------------------- editor

GridEditDelegate::GridEditDelegate(ToDoList& list, Dispatcher dispatch, QObject* parent)
    : QStyledItemDelegate(parent), list_(list), dispatch_(std::move(dispatch)) {}

QWidget* GridEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setObjectName(QStringLiteral("GridEditor"));
  // Named after its column, so a screen reader says where the typing goes.
  editor->setAccessibleName(
      index.model()->headerData(index.column(), Qt::Horizontal, Qt::AccessibleTextRole).toString());
  // Every keystroke lands in the cell, so handlers always read what the user typed.
  auto* model = const_cast<QAbstractItemModel*>(index.model());
  const QPersistentModelIndex cell(index);
  connect(editor, &QLineEdit::textEdited, editor, [model, cell](const QString& text) {
    if (cell.isValid()) model->setData(cell, text, Qt::EditRole);
  });
  editor->installEventFilter(const_cast<GridEditDelegate*>(this));
  lastEditor_ = editor;
  return editor;
}

void GridEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor == lastEditor_) lastEditor_.clear();
  QStyledItemDelegate::destroyEditor(editor, index);
}

void GridEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = qobject_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  // Leave the editor alone when it already shows the cell, so the caret stays put while typing.
  if (line != nullptr && line->text() != text) line->setText(text);
}

void GridEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor))
    model->setData(index, line->text(), Qt::EditRole);
}

namespace {

// The list's undo keys: the cell editor must leave them to the window, or its own undo would
// change the cell behind the list's back.
bool IsListUndoKey(const QKeyEvent* key) {
  const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  return (key->key() == Qt::Key_Z &&
          (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))) ||
         (key->key() == Qt::Key_Y && mods == Qt::ControlModifier);
}

}  // namespace

bool GridEditDelegate::eventFilter(QObject* object, QEvent* event) {
  // Tab moves between cells; Ctrl+Tab and Ctrl+Shift+Tab lead out of the grid, as in every Qt
  // control that uses Tab itself.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        (key->modifiers() & Qt::ControlModifier) != 0) {
      emit LeaveGrid(key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) == 0);
      return true;
    }
  }
  if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      IsListUndoKey(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    return true;  // Escape restores the cell on release; the editor stays open
  }
  if (event->type() == QEvent::KeyRelease) {
    const int key = VirtualKey(static_cast<QKeyEvent*>(event));
    dispatch_([&] { list_.GridKeyUp(key); });
    return false;
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    dispatch_([&] { list_.GridDblClick(); });
    return true;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

// ---------------------------------------------------------------- view

TaskGridView::TaskGridView(ToDoList& list, Dispatcher dispatch, QWidget* parent)
    : QTableView(parent),
      list_(list),
      dispatch_(std::move(dispatch)),
      model_(new TaskGridModel(list, this)) {
  setObjectName(QStringLiteral("Grid"));
  setAccessibleName(QCoreApplication::translate("taskwell", "Tasks"));
  setModel(model_);
  selection_ = new GridSelectionModel(list, dispatch_, model_, this);
  QItemSelectionModel* old = selectionModel();
  setSelectionModel(selection_);
  delete old;
  delegate_ = new GridEditDelegate(list, dispatch_, this);
  setItemDelegate(delegate_);

  SetLook();
  FollowModel();
  model_->SetPalette(palette());
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TaskGridView::OnSectionResized);
  ApplyWidths();
}

// The grid's fixed look: its font, fixed row heights, a header that only resizes, and editing
// in place that follows the cursor.
void TaskGridView::SetLook() {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(12);
  setFont(font);
  horizontalHeader()->setFont(font);
  viewport()->setCursor(Qt::IBeamCursor);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setFixedHeight(kRowHeight + 2);
  horizontalHeader()->viewport()->installEventFilter(this);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
  setWordWrap(false);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

// Changes the table tells through the model move the view's cursor and its editor with them.
void TaskGridView::FollowModel() {
  connect(model_, &TaskGridModel::CursorMoved, this, [this] {
    selection_->FollowTable();
    ShowEditor();
  });
  // The editor holds nothing the cell lacks (every keystroke is in it), so it is closed rather
  // than carried along while rows move. The grid keeps the keyboard meanwhile: an editor hidden
  // while it has the focus would hand it on like a Tab and move the cursor.
  connect(model_, &TaskGridModel::RowsAboutToMove, this, [this] {
    QWidget* editor = delegate_->OpenEditor();
    if (editor == nullptr) return;
    rowsMoving_ = true;
    if (editor->hasFocus()) setFocus(Qt::OtherFocusReason);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  });
  // A row change moved the view's current cell with its row; the table's cursor says where it is.
  connect(model_, &TaskGridModel::RowsMoved, this, [this] {
    rowsMoving_ = false;
    selection_->FollowTable();
    ShowEditor();
  });
  // A reset forgets the widths and the current cell.
  connect(model_, &TaskGridModel::TableReset, this, [this] {
    ApplyWidths();
    selection_->FollowTable();
    ShowEditor();
  });
  connect(delegate_, &GridEditDelegate::LeaveGrid, this, &TaskGridView::LeaveGrid);
  connect(selection_, &GridSelectionModel::MoveRefused, this, &TaskGridView::ShowEditor,
          Qt::QueuedConnection);
  connect(model_, &TaskGridModel::WidthsChanged, this, &TaskGridView::ApplyWidths);
}

void TaskGridView::LeaveGrid(bool forward) {
  QWidget* next = this;
  do {
    next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
  } while (next != this && (isAncestorOf(next) || (next->focusPolicy() & Qt::TabFocus) == 0 ||
                            !next->isVisibleTo(window()) || !next->isEnabled()));
  if (next != this) next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void TaskGridView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
      (event->modifiers() & Qt::ControlModifier) != 0) {
    LeaveGrid(event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier) == 0);
    return;
  }
  QTableView::keyPressEvent(event);
}

void TaskGridView::ApplyWidths() {
  applyingWidths_ = true;
  for (int c = 0; c < model_->columnCount(); ++c) {
    if (horizontalHeader()->sectionSize(c) != list_.Table().ColWidth(c)) {
      horizontalHeader()->resizeSection(c, list_.Table().ColWidth(c));
    }
  }
  applyingWidths_ = false;
}

void TaskGridView::OnSectionResized(int section, int, int newSize) {
  if (!applyingWidths_) dispatch_([&] { list_.Geometry().SetColumnWidth(section, newSize); });
}

void TaskGridView::ShowEditor() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  if (state() != QAbstractItemView::EditingState) {
    edit(current);
    return;
  }
  // An editor opened while the grid was hidden must still be shown and take the keyboard.
  if (QWidget* editor = delegate_->OpenEditor(); editor != nullptr && hasFocus() && isVisible()) {
    editor->show();
    editor->setFocus();
  }
}

void TaskGridView::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  // The keyboard belongs to the cell editor whenever the grid has it. The grid also gets the
  // focus back for a moment while it swaps editors on a cursor move: the new editor follows by
  // itself then, and opening one at once would announce the old cell again.
  if (rowsMoving_) return;
  if (event->reason() != Qt::OtherFocusReason) {
    ShowEditor();
    return;
  }
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) ShowEditor();
  });
}

void TaskGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  // Enter closes the editor without moving; the grid always shows one, so it comes back while
  // the grid keeps the keyboard (not when the focus went to another control).
  if (hint != QAbstractItemDelegate::EditNextItem &&
      hint != QAbstractItemDelegate::EditPreviousItem) {
    QTimer::singleShot(0, this, [this] {
      if (hasFocus()) ShowEditor();
    });
  }
}

void TaskGridView::HitTest(const QPoint& viewportPoint, int& col, int& row) const {
  const QModelIndex index = indexAt(viewportPoint);
  col = index.isValid() ? index.column() : -1;
  row = index.isValid() ? index.row() + 1 : -1;
}

int TaskGridView::FullyVisibleRows(int gridHeight) const {
  int height = gridHeight - 2 * frameWidth() - horizontalHeader()->height();
  if (horizontalScrollBar()->isVisible()) height -= horizontalScrollBar()->height();
  return height > 0 ? height / kRowHeight : 0;
}

void TaskGridView::mousePressEvent(QMouseEvent* event) {
  int col = -1;
  int row = -1;
  HitTest(event->position().toPoint(), col, row);
  QTableView::mousePressEvent(event);
  dispatch_([&] { list_.GridMouseDown(col, row); });
}

void TaskGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  dispatch_([&] { list_.GridDblClick(); });
}

void TaskGridView::keyReleaseEvent(QKeyEvent* event) {
  const int key = VirtualKey(event);
  dispatch_([&] { list_.GridKeyUp(key); });
  QTableView::keyReleaseEvent(event);
}

void TaskGridView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
    model_->SetPalette(palette());
  }
}

bool TaskGridView::viewportEvent(QEvent* event) {
  const bool handled = QTableView::viewportEvent(event);
  // The restore hook after a sort runs once the grid has painted.
  if (event->type() == QEvent::Paint && list_.Table().HasDrawHook()) {
    QTimer::singleShot(0, this, [this] { dispatch_([this] { list_.CellPainted(); }); });
  }
  return handled;
}

bool TaskGridView::eventFilter(QObject* object, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
  if (object != horizontalHeader()->viewport() || (!press && !doubleClick)) {
    return QTableView::eventFilter(object, event);
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const int x = mouse->position().toPoint().x();
  QHeaderView* header = horizontalHeader();
  const int col = header->logicalIndexAt(x);
  // A press on the border between two headers starts a column resize instead.
  const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
  if (col >= 0 && mouse->button() == Qt::LeftButton) {
    const int left = header->sectionViewportPosition(col);
    const int right = left + header->sectionSize(col);
    if ((col > 0 && x - left < grip) || right - x <= grip) return false;
  }
  dispatch_([&] { list_.GridMouseDown(col, col >= 0 ? 0 : -1); });
  if (doubleClick) dispatch_([&] { list_.GridDblClick(); });
  return true;
}

}  // namespace taskwell
