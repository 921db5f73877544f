#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

#include "app/DavMultistatus.h"
#include "app/DavTransport.h"
#include "document/DateText.h"
#include "sync/SyncMerge.h"
#include "sync/SyncState.h"
#include "sync/SyncedList.h"

namespace taskwell {

// How a sync ended: the summary ("2 sent, 3 received, 1 merged") or the reason it failed, in
// which case neither side was changed beyond what the state already records.
struct SyncOutcome {
  bool Ok = false;
  QString Text;
  QStringList Notes;
  bool FileChanged = false;
  // Stopped by the user: nothing failed, and nothing needs saying.
  bool Cancelled = false;
};

// One two-way sync of a task file with its CalDAV collection, in small steps on the event loop:
// ask the collection's ctag, and only where it moved since the last sync list what changed
// (sync-collection, or a whole listing where the server has no tokens), fetch only those items,
// merge with the last sync as the base, send each change conditionally, write the list, and record
// the state after every confirmed request. A 412 starts over from the listing, a few times at most.
class CalDavSync final : public QObject {
  Q_OBJECT

 public:
  struct Setup {
    QUrl Collection;  // ends in "/"
    QString User;
    QString Password;
    std::string TaskFile;
    std::string StatePath;
    int TimeoutMs = 30000;
  };
  using Done = std::function<void(const SyncOutcome&)>;
  // How far the sync has come, from 0 to 1: the items fetched, then the changes sent.
  using Progressed = std::function<void(double share)>;

  CalDavSync(const DateFormat& dates, Setup setup, QObject* parent = nullptr);
  void Start(Done done);
  void OnProgress(Progressed progressed) { progressed_ = std::move(progressed); }
  // Stops at the next step: what was confirmed is recorded, as after a sync cut off midway.
  void Cancel() { cancelled_ = true; }
  int RequestCount() const { return client_ ? client_->RequestCount() : 0; }

 private:
  void Begin();
  void ListChanges(const QString& token);
  void CheckCTag();
  // Goes on once both the list's side and the ctag are in.
  void Decide();
  void ListAll();
  void TakeListing(const QList<DavResource>& resources, bool whole);
  void FetchNext();
  void MergeSides();
  void SendNext();
  void Confirmed(const SyncRequest& request, const QByteArray& etag);
  void Finish();
  void Succeed();
  // `work` runs on the pool; a failure it returns or throws ends the sync, else `then` follows on
  // this object's thread.
  void OffThread(const std::function<std::string()>& work, const std::function<void()>& then);
  void Fail(const QString& reason);
  // True, having ended the sync, when the user stopped it.
  bool Stopped();
  void Tell(double share) const;
  void Report(const SyncOutcome& outcome);
  QUrl UrlOf(const std::string& href) const;
  // A request to the collection whose multistatus answer goes to `use`; any other answer fails.
  void Ask(const QByteArray& method, const QByteArray& depth, const QByteArray& body,
           std::function<void(const DavMultistatus&)> use);

  // A copy of its own: the pool's work reads it while the window formats its dates.
  const DateFormat dates_;
  Setup setup_;
  // Null, with the reason in unreachable_, when the network part could not be loaded.
  std::unique_ptr<DavTransport> client_;
  QString unreachable_;
  Done done_;
  SyncState state_;
  std::unique_ptr<SyncedList> list_;
  ServerSide server_;
  QStringList toFetch_;
  QString newToken_;
  QString newCTag_;
  SyncPlan plan_;
  std::size_t nextRequest_ = 0;
  Progressed progressed_;
  bool cancelled_ = false;
  qsizetype fetchTotal_ = 0;
  int attempts_ = 0;
  bool localReady_ = false;
  bool ctagReady_ = false;
  std::string plannedFor_;  // the collection's path when the list's side was planned
  // Last, so that it is destroyed first: its destructor waits for work still running.
  QThreadPool pool_;
};

}  // namespace taskwell
