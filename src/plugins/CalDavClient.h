#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

#include "app/DavTransport.h"

class QNetworkReply;

namespace taskwell {

// HTTP for CalDAV through Qt Network: one request at a time, each with a timeout, certificates
// checked, plain HTTP only to this machine, the login sent with each request. A move to another
// place on the same server is followed with the same method and body (Qt would turn a PROPFIND
// into a GET after a 301); a move to another server, or from https to http, is refused.
class CalDavClient final : public QObject, public DavTransport {
  Q_OBJECT

 public:
  CalDavClient(const QString& user, const QString& password, int timeoutMs,
               QObject* parent = nullptr);

  void Send(const QByteArray& method, const QUrl& url, const Headers& headers,
            const QByteArray& body, Done done) override;
  int RequestCount() const override { return requests_; }

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
