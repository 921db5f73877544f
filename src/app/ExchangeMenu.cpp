#include "app/ExchangeMenu.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QWidget>
#include <ctime>

#include "document/Platform.h"
#include "list/TaskExchange.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

const QString kIcsFilter = QStringLiteral("iCalendar (*.ics)");
const QString kTodoFilter = QStringLiteral("todo.txt (*.txt)");

// The folder of the task file, where other lists of the user's are most likely to be.
QString ListFolder(const ToDoList& list) {
  const QString file = QFile::decodeName(list.File().Name().c_str());
  const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
  return slash > 0 ? file.left(slash) : QString();
}

}  // namespace

ExchangeMenu::ExchangeMenu(ToDoList& list, Platform& ui, QWidget& grid, Runner run,
                           std::function<bool()> commit)
    : QObject(&grid),
      list_(list),
      ui_(ui),
      grid_(grid),
      run_(std::move(run)),
      commit_(std::move(commit)) {
  grid_.setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(
      AddAction("ImportAction", tr("&Import..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)),
      &QAction::triggered, this, &ExchangeMenu::ImportClick);
  connect(
      AddAction("ExportAction", tr("&Export..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)),
      &QAction::triggered, this, &ExchangeMenu::ExportClick);
}

QAction* ExchangeMenu::AddAction(const char* name, const QString& text, const QKeySequence& keys) {
  auto* action = new QAction(text, &grid_);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(keys);
  // The keys work wherever the focus is in the window, not only in the grid.
  action->setShortcutContext(Qt::WindowShortcut);
  grid_.addAction(action);
  return action;
}

void ExchangeMenu::ImportClick() {
  // The cell being typed in is committed before rows are added after it.
  if (!commit_()) return;
  const QString path =
      QFileDialog::getOpenFileName(grid_.window(), tr("Import Tasks"), ListFolder(list_),
                                   tr("iCalendar or todo.txt (*.ics *.txt);;All files (*)"),
                                   nullptr, QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) ImportFrom(path);
}

void ExchangeMenu::ImportFrom(const QString& path) {
  run_([&] {
    Message report;
    try {
      const WorkProgress progress(*grid_.window(), tr("Importing tasks..."), tr("Cancel"),
                                  progressAfter_);
      report = ImportFileIntoList(list_, QFile::encodeName(path).toStdString(), progress.Of());
    } catch (const WorkCancelled&) {
      return;
    }
    ui_.ShowMessageBox("Import", report);
  });
}

void ExchangeMenu::ExportClick() {
  // What is being typed belongs to the list that is exported.
  if (!commit_()) return;
  QString filter = kIcsFilter;
  QString path = QFileDialog::getSaveFileName(grid_.window(), tr("Export Tasks"), ListFolder(list_),
                                              kIcsFilter + QStringLiteral(";;") + kTodoFilter,
                                              &filter, QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".ics")) && !path.endsWith(QStringLiteral(".txt")))
    path += filter == kTodoFilter ? QStringLiteral(".txt") : QStringLiteral(".ics");
  ExportTo(path);
}

void ExchangeMenu::ExportTo(const QString& path) {
  run_([&] {
    try {
      const WorkProgress progress(*grid_.window(), tr("Exporting tasks..."), tr("Cancel"),
                                  progressAfter_);
      ExportListToFile(list_, QFile::encodeName(path).toStdString(), std::time(nullptr),
                       progress.Of());
    } catch (const WorkCancelled&) {
      // The writer has dropped what it wrote.
    }
  });
}

}  // namespace taskwell
