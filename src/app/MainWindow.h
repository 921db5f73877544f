#pragma once

#include <QDesktopServices>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

#include "app/TaskGridView.h"
#include "list/ToDoList.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace taskwell {

class EarlyLoad;
class MessageDialog;
class AboutDialog;
class PrintDialogPart;
class JournalKeeper;
class WindowSync;
struct SyncOutcome;

// The main window: the button panel above the task grid. It forwards every event to the task
// list's handlers and gives the task list the desktop it needs.
class MainWindow final : public QWidget, public Platform {
  Q_OBJECT

 public:
  // The list's file is loaded as the window is made, or taken from an early load that read it.
  MainWindow(const RegionalSettings& regional, const Clock& clock, const std::string& firstArgument,
             const std::string& home, EarlyLoad* early = nullptr);
  ~MainWindow() override;

  // The shared dialogs are created after the main window; they are handed over once they exist.
  void SetDialogs(MessageDialog* messageBox, AboutDialog* aboutBox);

  ToDoList& List() { return *tasks_; }
  // What hands an address to the desktop; false when nothing there opens it.
  using UrlOpener = std::function<bool(const QUrl&)>;
  void SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

  // Platform
  void ShowMessageBox(const std::string& caption, const std::string& message) override;
  bool Confirm(const std::string& message) override;
  void ShowError(const std::string& caption, const std::string& text) override;
  void ShowMessageBox(const std::string& caption, const Message& message) override;
  bool Confirm(const Message& message) override;
  void ShowError(const std::string& caption, const Message& text) override;
  void OpenDocument(const std::string& target) override;
  void FocusGrid() override;
  void Repaint() override;
  void CloseWindow() override;
  Rect WorkArea() override;
  Rect WindowBounds() override;
  void SetWindowBounds(const Rect& bounds) override;
  int GridWidth() override;
  int FullyVisibleRows(int windowHeight) override;
  bool ShowPrintDialog(PrintChoice& choice) override;
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override;
  std::unique_ptr<ShownWork> ShowWork(const char* label) override;

  // A list that ends unsaved is written to the discarded folder (also from a crash handler).
  // False when it had to be and could not.
  bool KeepDiscardedEdits();
  // Ends the program at once for a signal (the session ending, Ctrl+C): the unsaved list stays in
  // the recovery journal, and every open dialog ends with the window.
  void EndForSignal(int signal);
  // The exit code a signal asked for, or -1 while none came.
  int EndCode() const { return endCode_; }
  // Offers a recovery journal an earlier run left for this list.
  void OfferRecovery();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void BuildButtonPanel();
  // The print dialog, its plug-in loaded at the first Print; throws when that cannot be loaded.
  PrintDialogPart& PrintDialog();
  // Each button runs its handler, unless a refused cell edit stopped it on the way.
  void WireButtons();
  // Widens the buttons and labels to their text and sets the window's minimum width to what the
  // panel needs.
  void FitPanelToText();
  void WidenColumnsToText();
  QPushButton* MakeButton(const char* name, const char* caption, int left, int top, int width);
  void WireCommonKeys();
  // Ctrl+Z undoes (typed text first), Ctrl+Y and Ctrl+Shift+Z redo.
  void WireUndoKeys();
  // Escape in the Find box; true when the event is used up.
  bool FindEditKey(QEvent* event);
  void SetTabOrder();
  void FormCreate(const std::string& firstArgument, const std::string& home, EarlyLoad* early);
  // Reloads the list when its file changed on disk and settled (sync tools, other windows).
  void WatchTaskFile();
  // Merges the sync tools' conflict copies of the task file that are not merged yet.
  void MergeConflictCopies();
  // CalDAV sync, where the list has it: now (F5, and after the load), and around Save and Close.
  void SyncWithServer();
  void WireSyncActions();
  void SyncSetupClick();
  void SaveWithSync(bool close);
  void TakeSyncOutcome(const SyncOutcome& outcome);
  // The one way into the task list's handlers, for the buttons and the grid alike: runs a handler
  // under the default error report, then mirrors the captions it may change. False when the
  // handler failed.
  bool Run(const std::function<void()>& handler);
  void SyncButtons();
  void AnchorRightEdge();
  // The grid or its cell editor.
  bool InGrid(const QWidget* widget) const;
  void OnFocusChanged(QWidget* old, QWidget* now);
  // Commits the cell being edited as leaving the grid does; false when the commit was refused.
  bool CommitGridEdit();
  void AboutButtonClick();
  QString ToQt(const std::string& text) const;
  QString Translated(const Message& text) const;

  DateFormat dates_;
  std::unique_ptr<ToDoList> tasks_;
  // Made at the first Print, from its plug-in.
  std::unique_ptr<PrintDialogPart> printDialog_;
  UrlOpener opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  JournalKeeper* journal_ = nullptr;
  WindowSync* sync_ = nullptr;
  std::string home_;
  int endCode_ = -1;
  std::vector<std::string> refusedCopies_;
  MessageDialog* messageBox_ = nullptr;
  AboutDialog* aboutBox_ = nullptr;

  // Controls, named as in the layout; tests find them by these object names.
  QWidget* buttonPanel_ = nullptr;
  QWidget* gridPanel_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* incrementButton_ = nullptr;
  QPushButton* replicateButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QLineEdit* findEdit_ = nullptr;
  QPushButton* findButton_ = nullptr;
  QPushButton* sortOrderButton_ = nullptr;
  QPushButton* autoSortButton_ = nullptr;
  QPushButton* sortButton_ = nullptr;
  QPushButton* hideButton_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* messageLabel_ = nullptr;
  QPushButton* aboutButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QPushButton* closeNoSaveButton_ = nullptr;
  TaskGridView* grid_ = nullptr;

  bool created_ = false;
  bool shown_ = false;
  bool resizing_ = false;
  // The last commit on leaving the grid was refused; the button that took the focus waits.
  bool gridEditRefused_ = false;
};

}  // namespace taskwell
