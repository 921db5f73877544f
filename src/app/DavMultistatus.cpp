#include "app/DavMultistatus.h"

#include <QXmlStreamReader>

namespace taskwell {
namespace {

int StatusCode(const QString& line) {
  // "HTTP/1.1 404 Not Found"
  const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  return words.size() >= 2 ? words.at(1).toInt() : 0;
}

// A <propstat>: its properties count only when its status is 2xx.
void ReadPropstat(QXmlStreamReader& xml, DavResource& resource) {
  DavResource found;
  int status = 0;
  QString property;
  bool hasComponents = false;
  while (xml.readNextStartElement()) {
    if (xml.name() == QLatin1String("status")) {
      status = StatusCode(xml.readElementText());
    } else if (xml.name() == QLatin1String("prop")) {
      while (xml.readNextStartElement()) {
        property = xml.name().toString();
        QString text;
        while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != property) {
          if (xml.atEnd()) return;
          if (xml.isCharacters()) text += xml.text();
          if (xml.isStartElement() && xml.name() == QLatin1String("calendar"))
            found.IsCalendar = true;
          if (xml.isStartElement() && xml.name() == QLatin1String("comp")) {
            hasComponents = true;
            if (xml.attributes().value(QLatin1String("name")) == QLatin1String("VTODO"))
              found.HoldsTodos = true;
          }
        }
        found.Props.insert(property, text.trimmed());
      }
    } else {
      xml.skipCurrentElement();
    }
  }
  if (status < 200 || status >= 300) return;
  if (!hasComponents) found.HoldsTodos = true;
  resource.Status = status;
  resource.IsCalendar = resource.IsCalendar || found.IsCalendar;
  if (found.Props.contains(QStringLiteral("supported-calendar-component-set")))
    resource.HoldsTodos = found.HoldsTodos;
  for (auto it = found.Props.cbegin(); it != found.Props.cend(); ++it)
    resource.Props.insert(it.key(), it.value());
}

}  // namespace

std::optional<DavMultistatus> DavMultistatus::Parse(const QByteArray& xml) {
  QXmlStreamReader reader(xml);
  DavMultistatus result;
  if (!reader.readNextStartElement() || reader.name() != QLatin1String("multistatus"))
    return std::nullopt;
  while (reader.readNextStartElement()) {
    if (reader.name() == QLatin1String("sync-token")) {
      result.SyncToken = reader.readElementText().trimmed();
    } else if (reader.name() == QLatin1String("response")) {
      DavResource resource;
      resource.HoldsTodos = true;
      while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("href")) {
          resource.Href = reader.readElementText().trimmed();
        } else if (reader.name() == QLatin1String("status")) {
          resource.Status = StatusCode(reader.readElementText());
        } else if (reader.name() == QLatin1String("propstat")) {
          ReadPropstat(reader, resource);
        } else {
          reader.skipCurrentElement();
        }
      }
      result.Resources.append(resource);
    } else {
      reader.skipCurrentElement();
    }
  }
  if (reader.hasError()) return std::nullopt;
  return result;
}

}  // namespace taskwell
