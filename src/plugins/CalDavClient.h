#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class QNetworkReply;
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

// HTTP for CalDAV through Qt Network: one request at a time, each with a timeout, certificates
// checked, plain HTTP only to this machine, the login sent with each request. A move to another
// place on the same server is followed with the same method and body (Qt would turn a PROPFIND
// into a GET after a 301); a move to another server, or from https to http, is refused.
class CalDavClient final : public QObject {
  Q_OBJECT

 public:
  using Headers = QList<QPair<QByteArray, QByteArray>>;
  using Done = std::function<void(const DavReply&)>;

  CalDavClient(const QString& user, const QString& password, int timeoutMs,
               QObject* parent = nullptr);

  // Why this address may not be used (plain HTTP to another machine), or empty.
  static QString Refusal(const QUrl& url);

  void Send(const QByteArray& method, const QUrl& url, const Headers& headers,
            const QByteArray& body, Done done);
  int RequestCount() const { return requests_; }

 private:
  void Send(const QByteArray& method, const QUrl& url, const Headers& headers,
            const QByteArray& body, Done done, int moves);
  // The place a move answer points to, or an empty URL with the reason in `answer`.
  static QUrl MovedTo(const QNetworkReply& reply, int moves, DavReply& answer);
  static DavReply AnswerOf(QNetworkReply& reply, const QString& tlsProblem);

  QNetworkAccessManager network_;
  QByteArray authorization_;
  int timeoutMs_;
  int requests_ = 0;
};

}  // namespace taskwell
