#include "app/WindowSync.h"

#include <QTimer>

#include "app/SyncLogin.h"
#include "sync/SyncSettings.h"

namespace taskwell {

WindowSync::WindowSync(const DateFormat& dates, SyncPlaces places, const QString& url,
                       const std::string& home, QObject* parent)
    : QObject(parent),
      dates_(dates),
      places_(std::move(places)),
      url_(url),
      home_(QString::fromStdString(home)) {}

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
  running_->Start([this, then = std::move(then)](const SyncOutcome& outcome) {
    // The sync object is done with once its answer is handled, outside its own call.
    QTimer::singleShot(0, this, [this, then, outcome] {
      running_.reset();
      then(outcome);
      StartNext();
    });
  });
}

}  // namespace taskwell
