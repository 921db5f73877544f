#include "app/CalDavSync.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <ctime>

#include "app/DavMultistatus.h"
#include "app/NetworkParts.h"
#include "app/SyncText.h"
#include "interchange/ImportedTasks.h"

namespace taskwell {
namespace {

constexpr int kMaxAttempts = 3;
constexpr int kFetchBatch = 500;

const QByteArray kXml = QByteArrayLiteral("application/xml; charset=utf-8");

QByteArray Escaped(const QString& text) {
  return text.toHtmlEscaped().toUtf8();
}

}  // namespace

CalDavSync::CalDavSync(const DateFormat& dates, Setup setup, QObject* parent)
    : QObject(parent), dates_(dates), setup_(std::move(setup)) {
  if (NetworkParts* parts = NetworkParts::Loaded(unreachable_))
    client_ = parts->Transport(setup_.User, setup_.Password, setup_.TimeoutMs);
}

void CalDavSync::Start(Done done) {
  done_ = std::move(done);
  if (!client_) return Fail(unreachable_);
  const QString refusal = DavTransport::Refusal(setup_.Collection);
  if (!refusal.isEmpty()) return Fail(refusal);
  Begin();
}

void CalDavSync::OffThread(const std::function<std::string()>& work,
                           const std::function<void()>& then) {
  pool_.start([this, work, then] {
    std::string failure;
    try {
      failure = work();
    } catch (const std::exception& error) {
      failure = error.what();
    }
    QMetaObject::invokeMethod(
        this,
        [this, failure, then] {
          if (!failure.empty()) return Fail(QString::fromStdString(failure));
          then();
        },
        Qt::QueuedConnection);
  });
}

// Reading the state and the list, the merge, and writing them back are work of tens of
// milliseconds at ten thousand tasks: they run beside the window's thread, which only waits. The
// list's own changes are planned while the server looks up its ctag, so that an unchanged
// collection needs no listing and a quiet sync costs little more than the server's answer.
void CalDavSync::Begin() {
  server_ = {};
  toFetch_.clear();
  newToken_.clear();
  newCTag_.clear();
  nextRequest_ = 0;
  localReady_ = false;
  ctagReady_ = false;
  plannedFor_ = setup_.Collection.path().toStdString();
  OffThread(
      [this, collection = plannedFor_] {
        state_ = SyncState::Load(setup_.StatePath);
        list_ = std::make_unique<SyncedList>(dates_, setup_.TaskFile);
        list_->Load();
        const SyncMerge merge(dates_, list_->HasProjCol(), std::time(nullptr));
        plan_ = merge.Plan(state_, list_->Tasks(), {}, collection);
        return std::string();
      },
      [this] {
        localReady_ = true;
        Decide();
      });
  CheckCTag();
}

void CalDavSync::Ask(const QByteArray& method, const QByteArray& depth, const QByteArray& body,
                     std::function<void(const DavMultistatus&)> use) {
  client_->Send(method, setup_.Collection, {{"Content-Type", kXml}, {"Depth", depth}}, body,
                [this, use = std::move(use)](const DavReply& reply) {
                  if (!reply.Ok()) return Fail(reply.Reason());
                  // A collection that moved within its server is asked at its new place from now
                  // on, so that the places of its items are those the listing names.
                  if (reply.Url.path() != setup_.Collection.path()) {
                    setup_.Collection.setScheme(reply.Url.scheme());
                    setup_.Collection.setPath(reply.Url.path());
                  }
                  const std::optional<DavMultistatus> answer = DavMultistatus::Parse(reply.Body);
                  if (!answer) return Fail(synctext::tr("the server's answer could not be read"));
                  use(*answer);
                });
}

QUrl CalDavSync::UrlOf(const std::string& href) const {
  return setup_.Collection.resolved(QUrl(QString::fromStdString(href)));
}

void CalDavSync::ListChanges(const QString& token) {
  const QByteArray body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection "
      "xmlns:d=\"DAV:\"><d:sync-token>" +
      Escaped(token) +
      "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
      "</d:sync-collection>";
  client_->Send("REPORT", setup_.Collection, {{"Content-Type", kXml}}, body,
                [this, token](const DavReply& reply) {
                  if (!reply.Failure.isEmpty() || reply.Status == 401) return Fail(reply.Reason());
                  // A token the server no longer knows, or no tokens at all.
                  if (!reply.Ok()) return token.isEmpty() ? ListAll() : ListChanges({});
                  const std::optional<DavMultistatus> answer = DavMultistatus::Parse(reply.Body);
                  if (!answer) return Fail(synctext::tr("the server's listing could not be read"));
                  newToken_ = answer->SyncToken;
                  TakeListing(answer->Resources, token.isEmpty());
                });
}

// The ctag is far cheaper for a server to answer than a sync-collection report, which may walk
// every item: while it stands as at the last sync, nothing changed there and no listing is asked.
void CalDavSync::CheckCTag() {
  const QByteArray body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" "
      "xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop><cs:getctag/></d:prop></d:propfind>";
  Ask("PROPFIND", "0", body, [this](const DavMultistatus& answer) {
    if (answer.Resources.isEmpty())
      return Fail(synctext::tr("the server's listing could not be read"));
    newCTag_ = answer.Resources.front().Props.value(QStringLiteral("getctag"));
    ctagReady_ = true;
    Decide();
  });
}

void CalDavSync::Decide() {
  if (!localReady_ || !ctagReady_) return;
  if (newCTag_.isEmpty() || newCTag_.toStdString() != state_.CTag)
    return ListChanges(QString::fromStdString(state_.Token));
  // New items were planned into the collection's old place: plan them again at its new one.
  if (plannedFor_ != setup_.Collection.path().toStdString()) return MergeSides();
  if (!plan_.Refused.empty()) return Fail(QString::fromStdString(plan_.Refused));
  SendNext();
}

void CalDavSync::ListAll() {
  const QByteArray body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/>"
      "</d:prop></d:propfind>";
  Ask("PROPFIND", "1", body,
      [this](const DavMultistatus& answer) { TakeListing(answer.Resources, true); });
}

// A whole listing names every item, so what it leaves out is gone; a list of changes names the
// removed ones.
void CalDavSync::TakeListing(const QList<DavResource>& resources, bool whole) {
  const QString collection = setup_.Collection.path();
  std::vector<std::string> listed;
  for (const DavResource& resource : resources) {
    const QString path = QUrl(resource.Href).path();
    if (path == collection || path.endsWith(QLatin1Char('/'))) continue;
    const std::string href = path.toStdString();
    if (resource.Status == 404) {
      server_.Removed.push_back(href);
      continue;
    }
    listed.push_back(href);
    const std::string etag = resource.Props.value(QStringLiteral("getetag")).toStdString();
    const SyncedItem* known = state_.FindHref(href);
    if (known == nullptr || known->ETag != etag || etag.empty()) toFetch_.append(path);
  }
  if (whole) {
    std::sort(listed.begin(), listed.end());
    for (const SyncedItem& item : state_.Items) {
      if (!std::binary_search(listed.begin(), listed.end(), item.Href))
        server_.Removed.push_back(item.Href);
    }
  }
  fetchTotal_ = toFetch_.size();
  FetchNext();
}

void CalDavSync::FetchNext() {
  if (Stopped()) return;
  if (fetchTotal_ > 0)
    Tell(0.5 * static_cast<double>(fetchTotal_ - toFetch_.size()) /
         static_cast<double>(fetchTotal_));
  if (toFetch_.isEmpty()) return MergeSides();
  QByteArray body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><c:calendar-multiget xmlns:d=\"DAV:\" "
      "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:getetag/><c:calendar-data/></d:prop>";
  const QStringList batch = toFetch_.mid(0, kFetchBatch);
  toFetch_ = toFetch_.mid(batch.size());
  for (const QString& href : batch) body += "<d:href>" + Escaped(href) + "</d:href>";
  body += "</c:calendar-multiget>";
  Ask("REPORT", "1", body, [this](const DavMultistatus& answer) {
    for (const DavResource& item : answer.Resources) {
      const std::string href = QUrl(item.Href).path().toStdString();
      const QString data = item.Props.value(QStringLiteral("calendar-data"));
      if (item.Status == 404) {
        server_.Removed.push_back(href);
      } else if (!data.isEmpty()) {
        server_.Changed.push_back(
            {href, item.Props.value(QStringLiteral("getetag")).toStdString(), data.toStdString()});
      }
    }
    FetchNext();
  });
}

void CalDavSync::MergeSides() {
  const std::string collection = setup_.Collection.path().toStdString();
  const std::string unreadable =
      synctext::tr("an item on the server could not be read: %1").toStdString();
  OffThread(
      [this, collection, unreadable] {
        const SyncMerge merge(dates_, list_->HasProjCol(), std::time(nullptr));
        try {
          plan_ = merge.Plan(state_, list_->Tasks(), server_, collection);
        } catch (const ImportError& error) {
          return QString::fromStdString(unreadable)
              .arg(QString::fromStdString(error.what()))
              .toStdString();
        }
        return plan_.Refused;
      },
      [this] { SendNext(); });
}

void CalDavSync::SendNext() {
  if (Stopped()) return;
  if (!plan_.Requests.empty())
    Tell(0.5 +
         0.5 * static_cast<double>(nextRequest_) / static_cast<double>(plan_.Requests.size()));
  if (nextRequest_ >= plan_.Requests.size()) return Finish();
  const SyncRequest& request = plan_.Requests[nextRequest_];
  DavTransport::Headers headers;
  QByteArray method = "PUT";
  if (request.What == SyncRequest::Kind::Create) {
    headers.emplace_back("If-None-Match", "*");
  } else {
    headers.emplace_back("If-Match", QByteArray::fromStdString(request.IfMatch));
  }
  if (request.What == SyncRequest::Kind::Delete) {
    method = "DELETE";
  } else {
    headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
  }
  client_->Send(method, UrlOf(request.Href), headers, QByteArray::fromStdString(request.Body),
                [this, request](const DavReply& reply) {
                  const bool goneAlready =
                      request.What == SyncRequest::Kind::Delete && reply.Status == 404;
                  if (reply.Failure.isEmpty() && reply.Status == 412 && ++attempts_ < kMaxAttempts)
                    return Begin();  // changed meanwhile: fetch it again, merge, retry
                  if (!reply.Ok() && !goneAlready) return Fail(reply.Reason());
                  Confirmed(request, reply.ETag);
                });
}

// The state is written before the next request goes out, beside the window's thread: at ten
// thousand items a write takes longer than a frame.
void CalDavSync::Confirmed(const SyncRequest& request, const QByteArray& etag) {
  if (request.What != SyncRequest::Kind::Delete) plan_.Next[request.Item].ETag = etag.toStdString();
  SyncedItem* known = state_.FindUid(request.Uid);
  if (request.What == SyncRequest::Kind::Delete) {
    std::erase_if(state_.Items, [&](const SyncedItem& item) { return item.Uid == request.Uid; });
  } else if (request.What == SyncRequest::Kind::Update && known != nullptr) {
    *known = plan_.Next[request.Item];
  } else {
    state_.Items.push_back(plan_.Next[request.Item]);
  }
  OffThread(
      [this] {
        state_.Save(setup_.StatePath);
        return std::string();
      },
      [this] {
        ++nextRequest_;
        SendNext();
      });
}

void CalDavSync::Finish() {
  const std::string token = newToken_.toStdString();
  const std::string ctag = newCTag_.toStdString();
  OffThread(
      [this, token, ctag] {
        list_->Write(plan_);
        SyncState next;
        next.Token = token.empty() ? state_.Token : token;
        next.CTag = ctag.empty() ? state_.CTag : ctag;
        next.Items = std::move(plan_.Next);
        // A quiet sync writes nothing: the state is flushed to disk only when it changed.
        if (!(next == state_)) next.Save(setup_.StatePath);
        state_ = std::move(next);
        return std::string();
      },
      [this] { Succeed(); });
}

void CalDavSync::Succeed() {
  SyncOutcome outcome;
  outcome.Ok = true;
  outcome.FileChanged = plan_.RowsChanged;
  outcome.Text = synctext::tr("%1 sent, %2 received, %3 merged")
                     .arg(plan_.Sent)
                     .arg(plan_.Received)
                     .arg(plan_.Merged);
  for (const std::string& note : plan_.Notes) outcome.Notes << QString::fromStdString(note);
  Report(outcome);
}

bool CalDavSync::Stopped() {
  if (!cancelled_) return false;
  SyncOutcome outcome;
  outcome.Cancelled = true;
  outcome.Text = synctext::tr("the sync was stopped");
  Report(outcome);
  return true;
}

void CalDavSync::Tell(double share) const {
  if (progressed_) progressed_(share);
}

void CalDavSync::Fail(const QString& reason) {
  SyncOutcome outcome;
  outcome.Text = reason;
  Report(outcome);
}

void CalDavSync::Report(const SyncOutcome& outcome) {
  Done done = std::move(done_);
  done_ = nullptr;
  if (done) done(outcome);
}

}  // namespace taskwell
