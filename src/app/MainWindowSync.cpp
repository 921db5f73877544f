#include <QAction>
#include <QApplication>
#include <QLabel>

#include "app/CalDavSync.h"
#include "app/JournalKeeper.h"
#include "app/MainWindow.h"
#include "app/SyncCommand.h"
#include "app/SyncLogin.h"
#include "app/SyncSetupDialog.h"
#include "app/TaskGridView.h"
#include "app/WindowSync.h"
#include "app/WorkProgress.h"
#include "list/ToDoList.h"
#include "sync/SyncSettings.h"

// The window's CalDAV sync: the actions, the setup dialog, and the syncs around Save and Close.
namespace taskwell {

void MainWindow::WireSyncActions() {
  const auto add = [this](const char* name, const QString& text, const QKeySequence& keys) {
    auto* action = new QAction(text, grid_);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    grid_->addAction(action);
    return action;
  };
  connect(add("SyncNowAction", QCoreApplication::translate("taskwell", "S&ync Now"),
              QKeySequence(Qt::Key_F5)),
          &QAction::triggered, this, [this] { SyncWithServer(); });
  connect(add("SyncSetupAction", QCoreApplication::translate("taskwell", "Sync Se&tup..."),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y)),
          &QAction::triggered, this, [this] { SyncSetupClick(); });
}

// The dialog's address is checked before it is kept, as --sync-setup checks it; the password
// goes to the keyring only.
void MainWindow::SyncSetupClick() {
  const SyncPlaces places = SyncPlaces::Of(tasks_->File().Name(), home_);
  std::optional<std::string> current;
  try {
    current = SyncSettings(places.ConfigHome).UrlFor(places.TaskFile);
  } catch (const std::exception&) {
  }
  SyncSetupDialog dialog(QUrl(QString::fromStdString(current.value_or(""))), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QUrl url = dialog.Url();
  QString problem = url.isEmpty() ? QString() : DavTransport::Refusal(url);
  if (problem.isEmpty() && !url.isEmpty()) {
    problem = CheckCollection(url, dialog.Password(), SyncTimeoutMs()).Told();
  }
  if (problem.isEmpty() && !url.isEmpty() &&
      !SyncLogin::Store(url, dialog.User(), dialog.Password(), problem))
    problem =
        QCoreApplication::translate(
            "taskwell", "The password could not be kept in the keyring (%1); put it in ~/.netrc")
            .arg(problem);
  if (!problem.isEmpty()) return ShowMessageBox(tasks_->ListTitle(), problem.toStdString());
  Run([&] { places.Remember(url.toString().toStdString()); });
  delete sync_;
  sync_ = WindowSync::ForList(dates_, tasks_->File().Name(), home_, this);
  SyncWithServer();
}

void MainWindow::SyncWithServer() {
  if (sync_ != nullptr)
    sync_->Run([this](const SyncOutcome& outcome) { TakeSyncOutcome(outcome); });
}

// The server's changes reach the file first, so the save merges them with the window's; the
// sync after it sends what the save wrote.
void MainWindow::SaveWithSync(bool close) {
  sync_->Run([this, close](const SyncOutcome& before) {
    TakeSyncOutcome(before);
    bool saved = false;
    Run([this, &saved] { saved = tasks_->SaveButtonClick(); });
    if (!saved) return;
    // A server that just failed is not asked again; the next sync carries what was saved.
    if (!before.Ok) {
      if (close) CloseWindow();
      return;
    }
    sync_->Run([this, close](const SyncOutcome& after) {
      TakeSyncOutcome(after);
      if (close) CloseWindow();
    });
  });
}

void MainWindow::TakeSyncOutcome(const SyncOutcome& outcome) {
  if (outcome.Cancelled) {
    // The user's own choice; the next sync goes on from what was confirmed.
    messageLabel_->setToolTip(outcome.Text);
    return;
  }
  if (!outcome.Ok) {
    ShowMessageBox(tasks_->ListTitle(),
                   QCoreApplication::translate("taskwell", "The sync with the server failed: %1")
                       .arg(outcome.Text)
                       .toStdString());
    return;
  }
  messageLabel_->setToolTip(outcome.Text);
  if (outcome.FileChanged && !WorkProgress::ListBusy()) {
    bool reloaded = false;
    Run([this, &reloaded] { reloaded = tasks_->Sync().FileChangedOnDisk(); });
    if (reloaded) journal_->RememberShared();
  }
  if (!outcome.Notes.isEmpty())
    ShowMessageBox(tasks_->ListTitle(), outcome.Notes.join(QLatin1Char('\n')).toStdString());
}

}  // namespace taskwell
