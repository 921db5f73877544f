#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AboutDialog.h"
#include "app/MessageDialog.h"
#include "app/TaskPrintDialog.h"

namespace taskwell {
namespace {

// The layout was designed for an 820-pixel-wide client area; controls on the right keep their
// distance from the right edge.
constexpr int kDesignClientWidth = 820;
constexpr int kPanelHeight = 50;
const Rect kDesignBounds{401, 114, 828, 540};

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
                       const std::string& firstArgument, const std::string& home)
    : Dates(regional, clock), PrintDialog(std::make_unique<TaskPrintDialog>()) {
  setObjectName(QStringLiteral("ToDoForm"));
  setFont(WindowFont());
  Tasks = std::make_unique<ToDoList>(*this, Dates);
  BuildButtonPanel();
  GridPanel = new QWidget(this);
  GridPanel->setObjectName(QStringLiteral("GridPanel"));
  Grid = new TaskGridView(*Tasks, GridPanel);
  auto* gridLayout = new QVBoxLayout(GridPanel);
  gridLayout->setContentsMargins(0, 0, 0, 0);
  gridLayout->addWidget(Grid);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ButtonPanel);
  layout->addWidget(GridPanel, 1);
  SetTabOrder();
  setGeometry(kDesignBounds.Left, kDesignBounds.Top, kDesignBounds.Width, kDesignBounds.Height);

  const QFont gridFont = Grid->font();
  Tasks->SetTextMeasure([this, gridFont](std::string_view text) {
    return QFontMetrics(gridFont).horizontalAdvance(ToQt(std::string(text)));
  });
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::OnFocusChanged);
  FormCreate(firstArgument, home);
}

MainWindow::~MainWindow() {
  disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::OnFocusChanged);
  // The grid shows the task list, so it must go before the task list does.
  delete GridPanel;
}

QPushButton* MainWindow::MakeButton(const char* name, const char* caption, int left, int top,
                                    int width) {
  auto* button = new QPushButton(QString::fromLatin1(caption), ButtonPanel);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, width, 24);
  button->setAutoDefault(false);
  button->installEventFilter(this);
  return button;
}

void MainWindow::BuildButtonPanel() {
  ButtonPanel = new QWidget(this);
  ButtonPanel->setObjectName(QStringLiteral("ButtonPanel"));
  ButtonPanel->setFixedHeight(kPanelHeight);
  AddButton = MakeButton("AddButton", "&Add", 3, 0, 47);
  DeleteButton = MakeButton("DeleteButton", "&Delete", 3, 24, 47);
  IncrementButton = MakeButton("IncrementButton", "&Increment", 61, 0, 57);
  ReplicateButton = MakeButton("ReplicateButton", "&Replicate", 61, 24, 57);
  PrintButton = MakeButton("PrintButton", "&Print", 129, 0, 37);
  SaveButton = MakeButton("SaveButton", "&Save", 129, 24, 37);
  FindEdit = new QLineEdit(ButtonPanel);
  FindEdit->setObjectName(QStringLiteral("FindEdit"));
  FindEdit->setGeometry(177, 0, 80, 21);
  FindEdit->setPlaceholderText(QStringLiteral("Find"));
  FindEdit->setAccessibleName(QStringLiteral("Find"));
  FindEdit->installEventFilter(this);
  FindButton = MakeButton("FindButton", "&Find", 177, 24, 80);
  SortOrderButton = MakeButton("SortOrderButton", "Sorted by Date", 273, 0, 128);
  AutoSortButton = MakeButton("AutoSortButton", "AutoSort on", 273, 24, 64);
  SortButton = MakeButton("SortButton", "Sort Now", 337, 24, 64);
  HideButton = MakeButton("HideButton", "&Hide Sel", 408, 0, 33);
  for (QPushButton* hidden : {SortOrderButton, AutoSortButton, SortButton, HideButton})
    hidden->hide();
  Label1 = new QLabel(QStringLiteral("Click a Col Hdr to sort"), ButtonPanel);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(446, 10, 107, 13);
  MessageLabel = new QLabel(QStringLiteral("F2 to Edit a cell"), ButtonPanel);
  MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
  MessageLabel->setGeometry(446, 31, 81, 13);
  AboutButton = MakeButton("AboutButton", "Abou&t", 719, 0, 49);
  CloseButton = MakeButton("CloseButton", "&Close", 771, 0, 49);
  CloseNoSaveButton = MakeButton("CloseNoSaveButton", "Close-NoSave", 719, 24, 101);

  ToDoList& list = *Tasks;
  const auto wire = [this](QPushButton* button, const std::function<void()>& handler) {
    connect(button, &QPushButton::clicked, this, [this, handler] {
      // A cell edit that was refused on the way to this button keeps the button from acting.
      if (GridEditRefused) {
        GridEditRefused = false;
        FocusGrid();
        return;
      }
      Run(handler);
    });
  };
  wire(AddButton, [&list] { list.AddButtonClick(); });
  wire(DeleteButton, [&list] { list.DeleteButtonClick(); });
  wire(IncrementButton, [&list] { list.IncrementButtonClick(); });
  wire(ReplicateButton, [&list] { list.ReplicateButtonClick(); });
  wire(PrintButton, [&list] { list.PrintButtonClick(); });
  wire(SaveButton, [&list] { list.SaveButtonClick(); });
  wire(FindButton,
       [this, &list] { list.FindButtonClick(Grid->GridModel()->Encode(FindEdit->text())); });
  wire(SortOrderButton, [&list] { list.SortOrderButtonClick(); });
  wire(AutoSortButton, [&list] { list.AutoSortButtonClick(); });
  wire(SortButton, [&list] { list.SortButtonClick(); });
  wire(HideButton, [&list] { list.HideButtonClick(); });
  wire(AboutButton, [this] { AboutButtonClick(); });
  wire(CloseButton, [&list] { list.CloseButtonClick(); });
  wire(CloseNoSaveButton, [&list] { list.CloseNoSaveButtonClick(); });
  WireCommonKeys();
}

void MainWindow::WireCommonKeys() {
  // Ctrl+S and F3 reach their buttons as extra access keys, so they commit the cell being edited
  // exactly as Alt+S and Alt+F do.
  SaveButton->grabShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  FindButton->grabShortcut(QKeySequence(Qt::Key_F3));
  auto* findKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  findKey->setObjectName(QStringLiteral("FindShortcut"));
  connect(findKey, &QShortcut::activated, this, [this] {
    FindEdit->setFocus(Qt::ShortcutFocusReason);
    FindEdit->selectAll();
  });
  connect(FindEdit, &QLineEdit::returnPressed, FindButton, &QPushButton::click);
}

void MainWindow::SetTabOrder() {
  const QWidget* order[] = {AddButton,   DeleteButton,    IncrementButton,  PrintButton,
                            FindEdit,    FindButton,      SortOrderButton,  HideButton,
                            AboutButton, CloseButton,     AutoSortButton,   SortButton,
                            SaveButton,  ReplicateButton, CloseNoSaveButton};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
  QWidget::setTabOrder(CloseNoSaveButton, Grid);
}

void MainWindow::FormCreate(const std::string& firstArgument, const std::string& home) {
  // A failed load is reported, and the window still opens on the table it could build.
  const bool loaded = Tasks->Guarded([&] { Tasks->FormCreate(firstArgument, home); });
  const QString title = ToQt(Tasks->ListTitle());
  // The toolkit's application name stays the product's: the desktop matches windows to
  // taskwell.desktop by it. The list title shows in the caption, which is what the taskbar shows.
  setWindowTitle(QStringLiteral("Taskwell V3.4 - ") + title);
  SyncButtons();
  Created = true;
  if (!loaded) return;
  // The window opens at its design bounds kept inside the work area rather than maximized, so
  // that it can grow with the rows as it is shown.
  Tasks->Guarded([this] {
    Tasks->ClampToWorkArea();
    Tasks->FormResize();
  });
}

void MainWindow::SetDialogs(MessageDialog* messageBox, AboutDialog* aboutBox) {
  MessageBox = messageBox;
  AboutBox = aboutBox;
}

void MainWindow::Run(const std::function<void()>& handler) {
  Tasks->Guarded(handler);
  SyncButtons();
}

void MainWindow::SyncButtons() {
  SortOrderButton->setText(ToQt(Tasks->SortOrderButtonCaption()));
  AutoSortButton->setText(ToQt(Tasks->AutoSortButtonCaption()));
  HideButton->setText(ToQt(Tasks->HideButtonCaption()));
  SortButton->setVisible(Tasks->SortButtonVisible());
}

void MainWindow::AboutButtonClick() {
  if (AboutBox != nullptr) AboutBox->exec();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Shown) return;
  Shown = true;
  Run([this] { Tasks->FormShow(); });
  if (AboutBox != nullptr) {
    AboutBox->ProductName->setText(QStringLiteral("Taskwell"));
    AboutBox->Comments->setText(QString());
    AboutBox->Version->setText(QStringLiteral("V3.4"));
  }
  activateWindow();
  FocusGrid();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  AnchorRightEdge();
  if (Resizing || !Created) return;
  Resizing = true;
  Tasks->Guarded([this] { Tasks->FormResize(); });
  Resizing = false;
}

void MainWindow::AnchorRightEdge() {
  const int shift = ButtonPanel->width() - kDesignClientWidth;
  AboutButton->move(719 + shift, 0);
  CloseButton->move(771 + shift, 0);
  CloseNoSaveButton->move(719 + shift, 24);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing by the frame ends the program without saving, as Close-NoSave does.
  event->accept();
}

bool MainWindow::eventFilter(QObject* object, QEvent* event) {
  if (object == FindEdit) return FindEditKey(event) || QWidget::eventFilter(object, event);
  auto* button = qobject_cast<QPushButton*>(object);
  if (button == nullptr || event->type() != QEvent::Shortcut)
    return QWidget::eventFilter(object, event);
  // An access key presses the button but leaves the keyboard in the grid; the cell being edited
  // is committed first, as if the grid had been left.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && (focus == Grid || Grid->isAncestorOf(focus)) && !CommitGridEdit()) {
    return true;
  }
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
  GridEditRefused = !Tasks->Guarded([this] { Tasks->GridExit(); });
  SyncButtons();
  return !GridEditRefused;
}

void MainWindow::OnFocusChanged(QWidget* old, QWidget* now) {
  const auto inGrid = [this](const QWidget* widget) {
    return widget != nullptr && (widget == Grid || Grid->isAncestorOf(widget));
  };
  // Leaving the grid for another control of this window commits the cell being edited.
  if (inGrid(old) && now != nullptr && !inGrid(now) && now->window() == this && !CommitGridEdit()) {
    FocusGrid();
  }
}

QString MainWindow::ToQt(const std::string& text) const {
  return Grid->GridModel()->Decode(text);
}

// ---------------------------------------------------------------- Platform

void MainWindow::ShowMessageBox(const std::string& caption, const std::string& message) {
  if (MessageBox != nullptr) {
    MessageBox->ShowMessageBox(ToQt(caption), ToQt(message));
  } else {
    MessageDialog box(this);
    box.ShowMessageBox(ToQt(caption), ToQt(message));
  }
}

bool MainWindow::Confirm(const std::string& message) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), ToQt(message),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("ConfirmBox"));
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == yes;
}

void MainWindow::ShowError(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, ToQt(caption), ToQt(text), QMessageBox::Ok,
                  isVisible() ? this : nullptr);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

void MainWindow::OpenDocument(const std::string& target) {
  const QString text = ToQt(target);
  if (text.isEmpty()) return;
  // A web address goes as a URL; anything else is a local document for its default application.
  const QUrl url = text.startsWith(QStringLiteral("http"), Qt::CaseSensitive)
                       ? QUrl(text, QUrl::StrictMode)
                       : QUrl::fromLocalFile(text);
  if (url.isValid() && QDesktopServices::openUrl(url)) return;
  ShowMessageBox(Tasks->ListTitle(), "Could not open \"" + target + "\".");
}

void MainWindow::FocusGrid() {
  Grid->setFocus();
  Grid->ShowEditor();
}

void MainWindow::Repaint() {
  Grid->viewport()->update();
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
  const QRect wanted(bounds.Left, bounds.Top, std::max(bounds.Width, 200),
                     std::max(bounds.Height, 120));
  if (wanted != geometry()) setGeometry(wanted);
}

int MainWindow::GridWidth() {
  return width();
}

int MainWindow::FullyVisibleRows(int windowHeight) {
  return Grid->FullyVisibleRows(windowHeight - kPanelHeight);
}

bool MainWindow::ShowPrintDialog(PrintChoice& choice) {
  return PrintDialog->Exec(this, choice);
}

std::unique_ptr<PrinterTextStream> MainWindow::OpenPrinter(const std::string& jobName) {
  return PrintDialog->OpenStream(jobName);
}

}  // namespace taskwell
