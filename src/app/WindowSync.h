#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/CalDavSync.h"
#include "app/SyncCommand.h"
#include "document/DateText.h"

class QProgressDialog;

namespace taskwell {

// The window's side of CalDAV sync: one sync at a time on the event loop, so the window keeps
// painting while the server answers; a sync that runs past half a second shows its progress
// beside the window, with Cancel. The file is what it syncs; the window then takes in the
// file's changes as it takes in any change made elsewhere.
class WindowSync final : public QObject {
  Q_OBJECT

 public:
  using Then = std::function<void(const SyncOutcome&)>;

  WindowSync(const DateFormat& dates, SyncPlaces places, const QString& url,
             const std::string& home, QObject* parent);
  // The sync of the list, when one was set up for it; null otherwise.
  static WindowSync* ForList(const DateFormat& dates, const std::string& taskFile,
                             const std::string& home, QObject* parent);

  // Runs one sync and then `then`; a sync asked for while one runs follows it.
  void Run(Then then);
  bool Running() const { return running_ != nullptr; }

 private:
  void StartNext();
  void ShowProgress();

  const DateFormat& dates_;
  SyncPlaces places_;
  QUrl url_;
  QString home_;
  std::unique_ptr<CalDavSync> running_;
  std::vector<Then> waiting_;
  QTimer showProgress_;
  QPointer<QProgressDialog> progress_;
  double share_ = 0;
};

}  // namespace taskwell
