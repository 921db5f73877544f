#pragma once

#include <QWidget>
#include <memory>

#include "app/TaskGridView.h"
#include "list/ToDoList.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace taskwell {

class MessageDialog;
class AboutDialog;
class TaskPrintDialog;

// The main window: the button panel above the task grid. It forwards every event to the task
// list's handlers and gives the task list the desktop it needs.
class MainWindow final : public QWidget, public Platform {
  Q_OBJECT

 public:
  MainWindow(const RegionalSettings& regional, const Clock& clock, const std::string& firstArgument,
             const std::string& home);
  ~MainWindow() override;

  // The shared dialogs are created after the main window; they are handed over once they exist.
  void SetDialogs(MessageDialog* messageBox, AboutDialog* aboutBox);

  ToDoList& List() { return *Tasks; }

  // Controls, named as in the layout.
  QWidget* ButtonPanel;
  QWidget* GridPanel;
  QPushButton* AddButton;
  QPushButton* DeleteButton;
  QPushButton* IncrementButton;
  QPushButton* ReplicateButton;
  QPushButton* PrintButton;
  QPushButton* SaveButton;
  QLineEdit* FindEdit;
  QPushButton* FindButton;
  QPushButton* SortOrderButton;
  QPushButton* AutoSortButton;
  QPushButton* SortButton;
  QPushButton* HideButton;
  QLabel* Label1;
  QLabel* MessageLabel;
  QPushButton* AboutButton;
  QPushButton* CloseButton;
  QPushButton* CloseNoSaveButton;
  TaskGridView* Grid;

  // Platform
  void ShowMessageBox(const std::string& caption, const std::string& message) override;
  bool Confirm(const std::string& message) override;
  void ShowError(const std::string& caption, const std::string& text) override;
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

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void BuildButtonPanel();
  QPushButton* MakeButton(const char* name, const char* caption, int left, int top, int width);
  void WireCommonKeys();
  // Escape in the Find box; true when the event is used up.
  bool FindEditKey(QEvent* event);
  void SetTabOrder();
  void FormCreate(const std::string& firstArgument, const std::string& home);
  // Runs a handler under the default error report, then mirrors the captions it may change.
  void Run(const std::function<void()>& handler);
  void SyncButtons();
  void AnchorRightEdge();
  void OnFocusChanged(QWidget* old, QWidget* now);
  // Commits the cell being edited as leaving the grid does; false when the commit was refused.
  bool CommitGridEdit();
  void AboutButtonClick();
  QString ToQt(const std::string& text) const;

  DateFormat Dates;
  std::unique_ptr<ToDoList> Tasks;
  std::unique_ptr<TaskPrintDialog> PrintDialog;
  MessageDialog* MessageBox = nullptr;
  AboutDialog* AboutBox = nullptr;
  bool Created = false;
  bool Shown = false;
  bool Resizing = false;
  // The last commit on leaving the grid was refused; the button that took the focus waits.
  bool GridEditRefused = false;
};

}  // namespace taskwell
