#include "app/MainWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include <map>
#include <stdexcept>
#include <vector>

#include "app/AboutDialog.h"
#include "app/AfterFirstPaint.h"
#include "app/DiscardedCopy.h"
#include "app/ExchangeMenu.h"
#include "app/FileWatcher.h"
#include "app/JournalKeeper.h"
#include "app/MessageDialog.h"
#include "app/PrintDialogPart.h"
#include "app/Translations.h"
#include "app/WindowSync.h"
#include "app/WorkProgress.h"
#include "document/Version.h"
#include "list/ConflictCopies.h"
#include "list/LastKnownCopy.h"

namespace taskwell {
namespace {

// The window is a frame to a screen reader, as every application's main window is; a plain
// widget would be a "filler".
QAccessibleInterface* FrameAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("taskwell::MainWindow") && object != nullptr &&
      object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

// The layout was designed for an 820-pixel-wide client area; controls on the right keep their
// distance from the right edge.
constexpr int kDesignClientWidth = 820;
constexpr int kPanelHeight = 50;
// The design's left edges of the controls that keep their distance from the right edge.
constexpr int kAboutLeft = 719;
constexpr int kCloseLeft = 771;
// Where the design's labels end, so the gap to the right-hand buttons is kept.
constexpr int kLabelsRight = 553;
const Rect kDesignBounds{401, 114, 828, 540};
// What a button needs beside its caption's text: its frame and a little air.
constexpr int kCaptionPadding = 8;

// The room a button's caption takes; the captions are translated, so each button also keeps the
// room its English caption takes in its design width, which a translation is measured against.
constexpr const char* kDesignRoom = "designRoom";

int CaptionWidth(const QPushButton& button, QString caption) {
  caption.remove(u'&');
  return button.fontMetrics().horizontalAdvance(caption) + kCaptionPadding;
}

QFont WindowFont() {
  QFont font;
  // The classic dialog font is rarely installed; Liberation Sans keeps the captions inside their
  // small buttons better than the usual fallback.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(11);
  return font;
}

}  // namespace

MainWindow::MainWindow(const RegionalSettings& regional, const Clock& clock,
                       const std::string& firstArgument, const std::string& home, EarlyLoad* early)
    : dates_(regional, clock) {
  setObjectName(QStringLiteral("ToDoForm"));
  setFont(WindowFont());
  tasks_ = std::make_unique<ToDoList>(*this, dates_);
  BuildButtonPanel();
  gridPanel_ = new QWidget(this);
  gridPanel_->setObjectName(QStringLiteral("GridPanel"));
  grid_ = new TaskGridView(
      *tasks_, [this](const std::function<void()>& handler) { return Run(handler); }, gridPanel_);
  auto* gridLayout = new QVBoxLayout(gridPanel_);
  gridLayout->setContentsMargins(0, 0, 0, 0);
  gridLayout->addWidget(grid_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(buttonPanel_);
  layout->addWidget(gridPanel_, 1);
  new ExchangeMenu(
      *tasks_, *this, *grid_, [this](const std::function<void()>& handler) { return Run(handler); },
      [this] { return !InGrid(QApplication::focusWidget()) || CommitGridEdit(); });
  WireSyncActions();
  SetTabOrder();
  setGeometry(kDesignBounds.Left, kDesignBounds.Top, kDesignBounds.Width, kDesignBounds.Height);

  // The grid's font is resolved once, not at every measurement. The header columns are as wide
  // as their texts in the user's language.
  tasks_->Geometry().SetTextMeasure(
      [this, metrics = QFontMetrics(grid_->font())](std::string_view text) {
        return metrics.horizontalAdvance(TaskGridModel::ShownTitle(ToQt(std::string(text))));
      });
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::OnFocusChanged);
  static const bool frameRole = [] {
    QAccessible::installFactory(FrameAccessible);
    return true;
  }();
  (void)frameRole;
  FormCreate(firstArgument, home, early);
}

MainWindow::~MainWindow() {
  disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::OnFocusChanged);
  // The grid shows the task list, so it must go before the task list does.
  delete gridPanel_;
}

QPushButton* MainWindow::MakeButton(const char* name, const char* caption, int left, int top,
                                    int width) {
  auto* button = new QPushButton(QCoreApplication::translate("taskwell", caption), buttonPanel_);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, width, 24);
  button->setProperty(kDesignRoom,
                      std::max(width, CaptionWidth(*button, QString::fromLatin1(caption))));
  button->setAutoDefault(false);
  button->installEventFilter(this);
  return button;
}

void MainWindow::BuildButtonPanel() {
  buttonPanel_ = new QWidget(this);
  buttonPanel_->setObjectName(QStringLiteral("ButtonPanel"));
  buttonPanel_->setFixedHeight(kPanelHeight);
  addButton_ = MakeButton("AddButton", "&Add", 3, 0, 47);
  deleteButton_ = MakeButton("DeleteButton", "&Delete", 3, 24, 47);
  incrementButton_ = MakeButton("IncrementButton", "&Increment", 61, 0, 57);
  replicateButton_ = MakeButton("ReplicateButton", "&Replicate", 61, 24, 57);
  printButton_ = MakeButton("PrintButton", "&Print", 129, 0, 37);
  saveButton_ = MakeButton("SaveButton", "&Save", 129, 24, 37);
  findEdit_ = new QLineEdit(buttonPanel_);
  findEdit_->setObjectName(QStringLiteral("FindEdit"));
  findEdit_->setGeometry(177, 0, 80, 21);
  findEdit_->setPlaceholderText(QCoreApplication::translate("taskwell", "Find"));
  findEdit_->setAccessibleName(findEdit_->placeholderText());
  findEdit_->installEventFilter(this);
  findButton_ = MakeButton("FindButton", "&Find", 177, 24, 80);
  sortOrderButton_ = MakeButton("SortOrderButton", "Sorted by Date", 273, 0, 128);
  autoSortButton_ = MakeButton("AutoSortButton", "AutoSort on", 273, 24, 64);
  sortButton_ = MakeButton("SortButton", "Sort Now", 337, 24, 64);
  hideButton_ = MakeButton("HideButton", "&Hide Sel", 408, 0, 33);
  for (QPushButton* hidden : {sortOrderButton_, autoSortButton_, sortButton_, hideButton_})
    hidden->hide();
  label1_ =
      new QLabel(QCoreApplication::translate("taskwell", "Click a Col Hdr to sort"), buttonPanel_);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(446, 10, 107, 13);
  messageLabel_ =
      new QLabel(QCoreApplication::translate("taskwell", "F2 to Edit a cell"), buttonPanel_);
  messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
  messageLabel_->setGeometry(446, 31, 81, 13);
  aboutButton_ = MakeButton("AboutButton", "Abou&t", kAboutLeft, 0, 49);
  closeButton_ = MakeButton("CloseButton", "&Close", kCloseLeft, 0, 49);
  closeNoSaveButton_ = MakeButton("CloseNoSaveButton", "Close-NoSave", kAboutLeft, 24, 101);
  FitPanelToText();
  WireButtons();
  WireCommonKeys();
  WireUndoKeys();
}

void MainWindow::WireButtons() {
  ToDoList& list = *tasks_;
  const auto wire = [this](QPushButton* button, const std::function<void()>& handler) {
    connect(button, &QPushButton::clicked, this, [this, handler] {
      // A cell edit that was refused on the way to this button keeps the button from acting.
      if (gridEditRefused_) {
        gridEditRefused_ = false;
        FocusGrid();
        return;
      }
      Run(handler);
    });
  };
  wire(addButton_, [&list] { list.AddButtonClick(); });
  wire(deleteButton_, [&list] { list.DeleteButtonClick(); });
  // Shift with the button (a click, or Shift+Alt+I) catches a task up to today in one step.
  wire(incrementButton_, [&list] {
    if (QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)) {
      list.CatchUpButtonClick();
    } else {
      list.IncrementButtonClick();
    }
  });
  wire(replicateButton_, [&list] { list.ReplicateButtonClick(); });
  wire(printButton_, [&list] { list.PrintButtonClick(); });
  wire(saveButton_, [this, &list] {
    if (sync_ != nullptr) return SaveWithSync(false);
    list.SaveButtonClick();
  });
  wire(findButton_,
       [this, &list] { list.FindButtonClick(grid_->GridModel()->Encode(findEdit_->text())); });
  wire(sortOrderButton_, [&list] { list.SortOrderButtonClick(); });
  wire(autoSortButton_, [&list] { list.AutoSortButtonClick(); });
  wire(sortButton_, [&list] { list.SortButtonClick(); });
  wire(hideButton_, [&list] { list.HideButtonClick(); });
  wire(aboutButton_, [this] { AboutButtonClick(); });
  wire(closeButton_, [this, &list] {
    if (sync_ != nullptr) return SaveWithSync(true);
    list.CloseButtonClick();
  });
  wire(closeNoSaveButton_, [&list] { list.CloseNoSaveButtonClick(); });
}

void MainWindow::WireUndoKeys() {
  // Not through the commit-first path: Ctrl+Z must see text still being typed, to take it back.
  // Redo commits that text itself.
  auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  undoKey->setObjectName(QStringLiteral("UndoShortcut"));
  connect(undoKey, &QShortcut::activated, this, [this] { Run([this] { tasks_->Undo(); }); });
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
    auto* redoKey = new QShortcut(keys, this);
    redoKey->setObjectName(QStringLiteral("RedoShortcut"));
    connect(redoKey, &QShortcut::activated, this, [this] { Run([this] { tasks_->Redo(); }); });
  }
}

void MainWindow::WireCommonKeys() {
  // Ctrl+S and F3 reach their buttons as extra access keys, so they commit the cell being edited
  // exactly as Alt+S and Alt+F do.
  saveButton_->grabShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  findButton_->grabShortcut(QKeySequence(Qt::Key_F3));
  incrementButton_->grabShortcut(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_I));
  auto* findKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  findKey->setObjectName(QStringLiteral("FindShortcut"));
  connect(findKey, &QShortcut::activated, this, [this] {
    findEdit_->setFocus(Qt::ShortcutFocusReason);
    findEdit_->selectAll();
  });
  connect(findEdit_, &QLineEdit::returnPressed, findButton_, &QPushButton::click);
}

void MainWindow::SetTabOrder() {
  QWidget* const order[] = {addButton_,   deleteButton_,    incrementButton_,  printButton_,
                            findEdit_,    findButton_,      sortOrderButton_,  hideButton_,
                            aboutButton_, closeButton_,     autoSortButton_,   sortButton_,
                            saveButton_,  replicateButton_, closeNoSaveButton_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(order[i], order[i + 1]);
  }
  QWidget::setTabOrder(closeNoSaveButton_, grid_);
}

void MainWindow::FormCreate(const std::string& firstArgument, const std::string& home,
                            EarlyLoad* early) {
  // A failed load is reported, and the window still opens on the table it could build.
  const bool loaded = Run([&] { tasks_->FormCreate(firstArgument, home, early); });
  const QString title = ToQt(tasks_->ListTitle());
  // The toolkit's application name stays the product's: the desktop matches windows to
  // taskwell.desktop by it. The list title shows in the caption, which is what the taskbar shows.
  setWindowTitle(QStringLiteral("Taskwell V") + QString::fromLatin1(kVersion) +
                 QStringLiteral(" - ") + title);
  created_ = true;
  journal_ = new JournalKeeper(
      *tasks_, RecoveryJournal::StateFolder(),
      [this](const Message& failure) { ShowError(tasks_->ListTitle(), failure); }, this);
  WatchTaskFile();
  if (!loaded) return;
  home_ = home;
  sync_ = WindowSync::ForList(dates_, tasks_->File().Name(), home, this);
  SyncWithServer();
  // The window opens at its design bounds kept inside the work area rather than maximized, so
  // that it can grow with the rows as it is shown.
  Run([this] {
    tasks_->Geometry().ClampToWorkArea();
    tasks_->FormResize();
  });
}

void MainWindow::WatchTaskFile() {
  auto* watcher = new FileWatcher(QFile::decodeName(tasks_->File().Name().c_str()), this);
  connect(watcher, &FileWatcher::Settled, this, [this] {
    // Not under a question or message the user has not answered yet; the save merges instead.
    if (WorkProgress::ListBusy()) return;
    MergeConflictCopies();
    bool reloaded = false;
    Run([this, &reloaded] { reloaded = tasks_->Sync().FileChangedOnDisk(); });
    if (reloaded) journal_->RememberShared();
  });
}

void MainWindow::MergeConflictCopies() {
  std::vector<std::string> copies;
  for (std::string& copy : FindConflictCopies(tasks_->File().Name())) {
    const auto& merged = journal_->MergedCopies();
    if (std::find(merged.begin(), merged.end(), copy) == merged.end() &&
        std::find(refusedCopies_.begin(), refusedCopies_.end(), copy) == refusedCopies_.end())
      copies.push_back(std::move(copy));
  }
  if (copies.empty()) return;
  Run([&] {
    const ConflictMerge merge =
        taskwell::MergeConflictCopies(*tasks_, copies, journal_->SharedBase());
    journal_->AddMergedCopies(merge.Merged);
    // A copy that could not be merged is named once, not at every change of the folder.
    refusedCopies_.insert(refusedCopies_.end(), merge.Refused.begin(), merge.Refused.end());
    if (!merge.Report.Empty()) ShowMessageBox(tasks_->ListTitle(), merge.Report);
  });
}

void MainWindow::SetDialogs(MessageDialog* messageBox, AboutDialog* aboutBox) {
  messageBox_ = messageBox;
  aboutBox_ = aboutBox;
}

bool MainWindow::Run(const std::function<void()>& handler) {
  const bool completed = tasks_->Guarded(handler);
  SyncButtons();
  return completed;
}

void MainWindow::SyncButtons() {
  sortOrderButton_->setText(Translated(tasks_->Buttons().SortOrderCaption));
  autoSortButton_->setText(Translated(tasks_->Buttons().AutoSortCaption));
  hideButton_->setText(Translated(tasks_->Buttons().HideCaption));
  sortButton_->setVisible(tasks_->Buttons().SortVisible);
}

void MainWindow::AboutButtonClick() {
  if (aboutBox_ != nullptr) aboutBox_->exec();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Run([this] { tasks_->FormShow(); });
  if (aboutBox_ != nullptr) {
    aboutBox_->SetTexts(QStringLiteral("Taskwell"), QString(),
                        QStringLiteral("V") + QString::fromLatin1(kVersion));
  }
  activateWindow();
  FocusGrid();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  AnchorRightEdge();
  if (resizing_ || !created_) return;
  resizing_ = true;
  Run([this] { tasks_->FormResize(); });
  resizing_ = false;
}

void MainWindow::WidenColumnsToText() {
  // The controls that share a left edge are a column. A column keeps its design width unless a
  // translated caption needs more room than the English one; the columns to its right move along.
  std::map<int, std::vector<QWidget*>> columns;
  for (QWidget* control : buttonPanel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control != aboutButton_ && control != closeButton_ && control != closeNoSaveButton_)
      columns[control->x()].push_back(control);
  }
  int shift = 0;
  for (const auto& [left, controls] : columns) {
    int extra = 0;
    for (const QWidget* control : controls) {
      if (const auto* button = qobject_cast<const QPushButton*>(control))
        extra = std::max(
            extra, CaptionWidth(*button, button->text()) - button->property(kDesignRoom).toInt());
    }
    for (QWidget* control : controls) {
      const bool widens = extra > 0 && qobject_cast<QLabel*>(control) == nullptr;
      control->setGeometry(control->x() + shift, control->y(),
                           control->width() + (widens ? extra : 0), control->height());
    }
    shift += extra;
  }
}

void MainWindow::FitPanelToText() {
  WidenColumnsToText();
  // The labels keep their design width unless the font, the scale or a translation needs more.
  int left = 0;
  for (QWidget* control : buttonPanel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control == aboutButton_ || control == closeButton_ || control == closeNoSaveButton_)
      continue;
    if (auto* label = qobject_cast<QLabel*>(control))
      label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    if (!control->isHidden()) left = std::max(left, control->geometry().right() + 1);
  }
  // The window is never narrower than the panel: the right-hand buttons stay clear of the rest.
  const int gap = kAboutLeft - kLabelsRight;
  setMinimumWidth(left + gap + (kDesignClientWidth - kAboutLeft));
}

void MainWindow::AnchorRightEdge() {
  const int shift = buttonPanel_->width() - kDesignClientWidth;
  aboutButton_->move(kAboutLeft + shift, 0);
  closeButton_->move(kCloseLeft + shift, 0);
  closeNoSaveButton_->move(kAboutLeft + shift, 24);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing by the frame ends the program without saving, as Close-NoSave does; the unsaved list
  // goes aside. Should that fail, the user decides; the journal stays until then.
  if (!KeepDiscardedEdits() &&
      !Confirm(Message::Format("The unsaved changes to %1 could not be kept aside in "
                               "%2.\r\nClose without saving them?",
                               tasks_->ListTitle(), DiscardedFolder()))) {
    event->ignore();
    return;
  }
  if (journal_ != nullptr) journal_->Remove();
  event->accept();
}

void MainWindow::EndForSignal(int signal) {
  if (journal_ != nullptr) journal_->KeepNow(true);
  // Every event loop ends, a dialog's too, and no new one starts: nothing outlives the window.
  endCode_ = 128 + signal;
  QCoreApplication::exit(endCode_);
}

void MainWindow::OfferRecovery() {
  if (journal_ == nullptr) return;
  const bool journalFound = journal_->Journal().Find().has_value();
  journal_->OfferFound(this, DiscardedFolder());
  // An emptied file is no new truth: the last known copy's tasks are offered, and kept as the
  // base until the user has decided.
  bool restored = false;
  if (!journalFound)
    Run([&] { restored = OfferLastKnownCopy(*tasks_, *this, journal_->Journal()); });
  // What the file holds now is shared, unless the sync tool left copies that say otherwise. At a
  // million tasks, checking the copy already kept reads as much again as the load did: the window
  // shows itself first.
  if (!restored && FindConflictCopies(tasks_->File().Name()).empty() && !journal_->Journal().Find())
    AfterFirstPaint::Run(*grid_->viewport(), [this] { journal_->RememberShared(); });
  MergeConflictCopies();
}

bool MainWindow::KeepDiscardedEdits() {
  // The task file stays as it is; what would have been saved goes aside, without a word.
  try {
    if (!tasks_->Sync().HasUnsavedChanges()) return true;
    return !KeepDiscardedCopy(DiscardedFolder(), tasks_->ListTitle(), tasks_->FileBytes(),
                              std::time(nullptr))
                .empty();
  } catch (const std::exception&) {
    return false;
  }
}

bool MainWindow::eventFilter(QObject* object, QEvent* event) {
  if (object == findEdit_) return FindEditKey(event) || QWidget::eventFilter(object, event);
  auto* button = qobject_cast<QPushButton*>(object);
  if (button == nullptr || event->type() != QEvent::Shortcut)
    return QWidget::eventFilter(object, event);
  // An access key presses the button but leaves the keyboard in the grid; the cell being edited
  // is committed first, as if the grid had been left.
  if (InGrid(QApplication::focusWidget()) && !CommitGridEdit()) return true;
  if (button->isEnabled() && button->isVisible()) button->click();
  return true;
}

bool MainWindow::FindEditKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
  // Back to the grid on the release, and both halves kept from the grid: there an Escape release
  // takes back the cell's edit, which must not happen for a key meant for this box.
  if (event->type() == QEvent::KeyRelease) FocusGrid();
  return true;
}

bool MainWindow::CommitGridEdit() {
  // A refused edit keeps the cursor on its cell with the text as typed; the action that asked
  // for the commit does not run.
  gridEditRefused_ = !Run([this] { tasks_->GridExit(); });
  return !gridEditRefused_;
}

bool MainWindow::InGrid(const QWidget* widget) const {
  return widget != nullptr && (widget == grid_ || grid_->isAncestorOf(widget));
}

void MainWindow::OnFocusChanged(QWidget* old, QWidget* now) {
  // Leaving the grid for another control of this window commits the cell being edited.
  if (InGrid(old) && now != nullptr && !InGrid(now) && now->window() == this && !CommitGridEdit()) {
    FocusGrid();
  }
}

QString MainWindow::ToQt(const std::string& text) const {
  return grid_->GridModel()->Decode(text);
}

QString MainWindow::Translated(const Message& text) const {
  // The core's texts are English and ASCII; values and what has no translation keep the list's
  // encoding.
  return Translations::Translated(text, [this](const std::string& value) { return ToQt(value); });
}

// ---------------------------------------------------------------- Platform

void MainWindow::ShowMessageBox(const std::string& caption, const std::string& message) {
  ShowMessageBox(caption, Message(message));
}

bool MainWindow::Confirm(const std::string& message) {
  return Confirm(Message(message));
}

void MainWindow::ShowError(const std::string& caption, const std::string& text) {
  ShowError(caption, Message(text));
}

void MainWindow::ShowMessageBox(const std::string& caption, const Message& message) {
  if (messageBox_ != nullptr) {
    messageBox_->ShowMessageBox(Translated(caption), Translated(message));
  } else {
    MessageDialog box(this);
    box.ShowMessageBox(Translated(caption), Translated(message));
  }
}

bool MainWindow::Confirm(const Message& message) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::translate("taskwell", "Confirm"),
                  Translated(message), QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("ConfirmBox"));
  QPushButton* yes =
      box.addButton(QCoreApplication::translate("taskwell", "&Yes"), QMessageBox::YesRole);
  QPushButton* cancel =
      box.addButton(QCoreApplication::translate("taskwell", "Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == yes;
}

void MainWindow::ShowError(const std::string& caption, const Message& text) {
  QMessageBox box(QMessageBox::Critical, Translated(caption), Translated(text), QMessageBox::Ok,
                  isVisible() ? this : nullptr);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

void MainWindow::OpenDocument(const std::string& target) {
  const QString text = ToQt(target);
  if (text.isEmpty()) return;
  // The list hands over an address, or an absolute path for the desktop's default application.
  const QUrl url =
      text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::StrictMode);
  if (!url.isValid()) {
    ShowMessageBox(tasks_->ListTitle(),
                   Message::Format("Could not open \"%1\": it is not a valid address.", target));
  } else if (!opener_(url)) {
    ShowMessageBox(
        tasks_->ListTitle(),
        Message::Format("Could not open \"%1\": no program on this desktop opens it.", target));
  }
}

void MainWindow::FocusGrid() {
  grid_->setFocus();
  grid_->ShowEditor();
}

void MainWindow::Repaint() {
  grid_->viewport()->update();
  update();
}

void MainWindow::CloseWindow() {
  close();
}

Rect MainWindow::WorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
  return {area.left(), area.top(), area.width(), area.height()};
}

Rect MainWindow::WindowBounds() {
  const QRect bounds = geometry();
  return {bounds.left(), bounds.top(), bounds.width(), bounds.height()};
}

void MainWindow::SetWindowBounds(const Rect& bounds) {
  // A window cut to the work area's right edge below what its panel needs (a large scale) keeps
  // that edge and moves left instead, as far as the work area goes.
  const int width = std::max({bounds.Width, 200, minimumWidth()});
  const int left =
      std::max(bounds.Left - (width - bounds.Width), std::min(bounds.Left, WorkArea().Left));
  const QRect wanted(left, bounds.Top, width, std::max(bounds.Height, 120));
  if (wanted != geometry()) setGeometry(wanted);
}

int MainWindow::GridWidth() {
  return width();
}

int MainWindow::FullyVisibleRows(int windowHeight) {
  return grid_->FullyVisibleRows(windowHeight - kPanelHeight);
}

PrintDialogPart& MainWindow::PrintDialog() {
  if (!printDialog_) {
    QString problem;
    printDialog_ = PrintDialogPart::Make(this, problem);
    if (!printDialog_) throw std::runtime_error(problem.toStdString());
  }
  return *printDialog_;
}

bool MainWindow::ShowPrintDialog(PrintChoice& choice) {
  return PrintDialog().Exec(this, choice);
}

std::unique_ptr<PrinterTextStream> MainWindow::OpenPrinter(const std::string& jobName) {
  return PrintDialog().OpenStream(jobName);
}

std::unique_ptr<ShownWork> MainWindow::ShowWork(const char* label) {
  return std::make_unique<WorkProgress>(*this, QCoreApplication::translate("taskwell", label),
                                        QCoreApplication::translate("taskwell", "Cancel"));
}

}  // namespace taskwell
