#include "plugins/CalDavClient.h"

#include "app/SyncText.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <memory>

namespace taskwell {

CalDavClient::CalDavClient(const QString& user, const QString& password, int timeoutMs,
                           QObject* parent)
    : QObject(parent), timeoutMs_(timeoutMs) {
  if (!user.isEmpty()) {
    authorization_ = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
  }
  network_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

QUrl CalDavClient::MovedTo(const QNetworkReply& reply, int moves, DavReply& answer) {
  constexpr int kMaxMoves = 5;
  const QUrl from = reply.url();
  QUrl to = from.resolved(QUrl::fromEncoded(reply.rawHeader("Location")));
  if (!to.isValid() || to == from || moves >= kMaxMoves) {
    answer.Failure = synctext::tr("%1 moves the request in a circle").arg(from.host());
  } else if (to.host() != from.host() || to.port() != from.port() ||
             (from.scheme() == QLatin1String("https") && to.scheme() != from.scheme())) {
    answer.Failure =
        synctext::tr("%1 sends the request on to %2, which is not followed; set up that address")
            .arg(from.host(), to.toDisplayString(QUrl::RemoveUserInfo));
  } else {
    return to;
  }
  return {};
}

void CalDavClient::Send(const QByteArray& method, const QUrl& url, const Headers& headers,
                        const QByteArray& body, Done done) {
  Send(method, url, headers, body, std::move(done), 0);
}

void CalDavClient::Send(const QByteArray& method, const QUrl& url, const Headers& headers,
                        const QByteArray& body, Done done, int moves) {
  QUrl target = url;
  target.setUserInfo({});
  QNetworkRequest request(target);
  request.setTransferTimeout(timeoutMs_);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  if (!authorization_.isEmpty()) request.setRawHeader("Authorization", authorization_);
  for (const auto& [name, value] : headers) request.setRawHeader(name, value);
  ++requests_;
  QNetworkReply* reply = network_.sendCustomRequest(request, method, body);
  auto tlsProblem = std::make_shared<QString>();
  connect(reply, &QNetworkReply::sslErrors, reply,
          [reply, tlsProblem](const QList<QSslError>& errors) {
            QStringList reasons;
            for (const QSslError& error : errors) reasons << error.errorString();
            *tlsProblem = synctext::tr("the certificate of %1 is refused: %2")
                              .arg(reply->url().host(), reasons.join(QStringLiteral("; ")));
          });
  connect(reply, &QNetworkReply::finished, this,
          [this, reply, tlsProblem, method, headers, body, moves, done = std::move(done)] {
            reply->deleteLater();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const bool moved = (status >= 301 && status <= 303) || status == 307 || status == 308;
            if (!moved || !tlsProblem->isEmpty()) return done(AnswerOf(*reply, *tlsProblem));
            DavReply answer;
            answer.Status = status;
            answer.Url = reply->url();
            const QUrl to = MovedTo(*reply, moves, answer);
            if (to.isValid()) return Send(method, to, headers, body, done, moves + 1);
            done(answer);
          });
}

DavReply CalDavClient::AnswerOf(QNetworkReply& reply, const QString& tlsProblem) {
  DavReply answer;
  answer.Status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  answer.Url = reply.url();
  if (reply.isOpen()) answer.Body = reply.readAll();
  answer.ETag = reply.rawHeader("ETag");
  const QNetworkReply::NetworkError error = reply.error();
  const bool httpError = error >= QNetworkReply::ContentAccessDenied &&
                         error <= QNetworkReply::UnknownServerError && answer.Status != 0;
  if (!tlsProblem.isEmpty()) {
    answer.Failure = tlsProblem;
  } else if (error == QNetworkReply::OperationCanceledError ||
             error == QNetworkReply::TimeoutError) {
    answer.Failure = synctext::tr("%1 did not answer in time").arg(reply.url().host());
  } else if (error != QNetworkReply::NoError && !httpError) {
    answer.Failure = reply.url().host() + QStringLiteral(": ") + reply.errorString();
  }
  const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
  if (answer.Failure.isEmpty() && length.isValid() && length.toLongLong() != answer.Body.size())
    answer.Failure = synctext::tr("the answer of %1 was cut short").arg(reply.url().host());
  return answer;
}

}  // namespace taskwell
