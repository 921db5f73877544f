#include "app/WindowSync.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include "app/SyncLogin.h"
#include "sync/SyncSettings.h"

namespace taskwell {

WindowSync::WindowSync(const DateFormat& dates, SyncPlaces places, const QString& url,
                       const std::string& home, QObject* parent)
    : QObject(parent),
      dates_(dates),
      places_(std::move(places)),
      url_(url),
      home_(QString::fromStdString(home)) {
  showProgress_.setSingleShot(true);
  showProgress_.setInterval(500);
  connect(&showProgress_, &QTimer::timeout, this, &WindowSync::ShowProgress);
}

WindowSync* WindowSync::ForList(const DateFormat& dates, const std::string& taskFile,
                                const std::string& home, QObject* parent) {
  SyncPlaces places = SyncPlaces::Of(taskFile, home);
  std::optional<std::string> url;
  try {
    url = SyncSettings(places.ConfigHome).UrlFor(places.TaskFile);
  } catch (const std::exception&) {
    return nullptr;  // an unreadable setting is reported by --sync; the window works without
  }
  if (!url) return nullptr;
  return new WindowSync(dates, std::move(places), QString::fromStdString(*url), home, parent);
}

void WindowSync::Run(Then then) {
  waiting_.push_back(std::move(then));
  if (running_ == nullptr) StartNext();
}

void WindowSync::StartNext() {
  if (waiting_.empty()) return;
  Then then = std::move(waiting_.front());
  waiting_.erase(waiting_.begin());
  QString password;
  QString problem;
  if (!SyncLogin::Find(url_, home_, password, problem)) {
    SyncOutcome outcome;
    outcome.Text = problem;
    then(outcome);
    return StartNext();
  }
  running_ = std::make_unique<CalDavSync>(
      dates_, CalDavSync::Setup{url_, SyncLogin::UserOf(url_), password, places_.TaskFile,
                                places_.StatePath(), SyncTimeoutMs()});
  share_ = 0;
  running_->OnProgress([this](double share) {
    share_ = share;
    if (!progress_.isNull()) progress_->setValue(static_cast<int>(share * 1000));
  });
  showProgress_.start();
  running_->Start([this, then = std::move(then)](const SyncOutcome& outcome) {
    // The sync object is done with once its answer is handled, outside its own call.
    QTimer::singleShot(0, this, [this, then, outcome] {
      showProgress_.stop();
      delete progress_.data();
      running_.reset();
      then(outcome);
      StartNext();
    });
  });
}

// Not modal: the window stays in use while the server answers.
void WindowSync::ShowProgress() {
  auto* window = qobject_cast<QWidget*>(parent());
  if (running_ == nullptr || window == nullptr) return;
  progress_ =
      new QProgressDialog(QCoreApplication::translate("taskwell", "Syncing with the server..."),
                          QCoreApplication::translate("taskwell", "Cancel"), 0, 1000, window);
  progress_->setObjectName(QStringLiteral("SyncProgress"));
  progress_->setWindowTitle(window->windowTitle());
  progress_->setWindowModality(Qt::NonModal);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  progress_->setMinimumDuration(0);
  progress_->setValue(static_cast<int>(share_ * 1000));
  connect(progress_, &QProgressDialog::canceled, this, [this] {
    if (running_ != nullptr) running_->Cancel();
  });
  progress_->show();
}

}  // namespace taskwell
