#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>

namespace taskwell {

// One answer of a CalDAV server, or why there was none.
struct DavReply {
  int Status = 0;   // 0 when no answer came
  QString Failure;  // a timeout, TLS, network or cut-short answer in words; empty otherwise
  QByteArray Body;
  QByteArray ETag;
  QUrl Url;  // where the answer came from, after any moves
  bool Ok() const { return Failure.isEmpty() && Status >= 200 && Status < 300; }
  // Why it is not Ok, in words for the user.
  QString Reason() const;
};

// HTTP for CalDAV: one request at a time, each answered through `done` on the caller's thread.
class DavTransport {
 public:
  using Headers = QList<QPair<QByteArray, QByteArray>>;
  using Done = std::function<void(const DavReply&)>;

  DavTransport() = default;
  virtual ~DavTransport() = default;
  DavTransport(const DavTransport&) = delete;
  DavTransport& operator=(const DavTransport&) = delete;

  // Why this address may not be used (plain HTTP to another machine), or empty.
  static QString Refusal(const QUrl& url);

  virtual void Send(const QByteArray& method, const QUrl& url, const Headers& headers,
                    const QByteArray& body, Done done) = 0;
  virtual int RequestCount() const = 0;
};

}  // namespace taskwell
