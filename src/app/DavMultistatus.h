#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace taskwell {

// One <response> of a WebDAV multistatus: its href, its status (of the response, or of the
// properties found), and the properties by local name.
struct DavResource {
  QString Href;
  int Status = 0;
  QMap<QString, QString> Props;  // text; for href-valued properties the href inside
  bool IsCalendar = false;
  bool HoldsTodos = false;  // no component set named, or one with VTODO
};

// A multistatus answer: the resources and the sync-token. Nothing when it cannot be read.
struct DavMultistatus {
  QList<DavResource> Resources;
  QString SyncToken;

  static std::optional<DavMultistatus> Parse(const QByteArray& xml);
};

}  // namespace taskwell
