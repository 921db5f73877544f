#include "app/DavTransport.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include "app/SyncText.h"

namespace taskwell {
namespace {

// True for localhost and for an address of this machine's loopback, IPv4, IPv6 or IPv4 in IPv6.
bool IsLoopback(const QString& host) {
  if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
  const QByteArray text = host.toLatin1();
  in_addr v4{};
  if (::inet_pton(AF_INET, text.constData(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  if (::inet_pton(AF_INET6, text.constData(), &v6) != 1) return false;
  if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
  return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
}

}  // namespace

QString DavReply::Reason() const {
  if (!Failure.isEmpty()) return Failure;
  if (Status == 401 || Status == 403)
    return synctext::tr("the server refused the user name or password (HTTP %1)").arg(Status);
  return synctext::tr("the server answered HTTP %1").arg(Status);
}

QString DavTransport::Refusal(const QUrl& url) {
  if (url.scheme() == QLatin1String("https")) return {};
  if (url.scheme() != QLatin1String("http"))
    return synctext::tr("%1 is no http or https address")
        .arg(url.toDisplayString(QUrl::RemoveUserInfo));
  if (IsLoopback(url.host())) return {};
  return synctext::tr("%1 is plain HTTP to another machine; use an https address")
      .arg(url.toDisplayString(QUrl::RemoveUserInfo));
}

}  // namespace taskwell
