#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

// Resources of a static library must be initialised by name, outside any namespace.
static void InitTranslationResource() {
  Q_INIT_RESOURCE(taskwell_translations);
}

namespace taskwell {
namespace {

bool LoadOwn(QTranslator& translator) {
  InitTranslationResource();
  return translator.load(QLocale(), QStringLiteral("taskwell"), QStringLiteral("_"),
                         QStringLiteral(":/taskwell/i18n"));
}

}  // namespace

void Translations::Install() {
  if (qt_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_);
  }
  if (LoadOwn(own_)) QCoreApplication::installTranslator(&own_);
}

QString Translations::Filled(const Message& message, const ValueReader& value,
                             const Lookup& lookup) {
  const std::string& pattern = message.Template();
  if (message.IsValue()) return value(pattern);
  // What has no translation keeps the list's encoding, as a value would.
  QString translated = lookup(pattern.c_str());
  if (translated.isEmpty() || translated == QString::fromUtf8(pattern.c_str())) {
    translated = value(pattern);
  }
  if (message.Parts().empty()) return translated;
  std::vector<QString> parts;
  parts.reserve(message.Parts().size());
  for (const Message& part : message.Parts()) parts.push_back(Filled(part, value, lookup));
  return FillPlaceholders<QString, QStringView>(translated, parts);
}

QString Translations::Translated(const Message& message, const ValueReader& value) {
  return Filled(message, value,
                [](const char* text) { return QCoreApplication::translate("taskwell", text); });
}

QString Translations::Translated(const Message& message) {
  return Translated(message, [](const std::string& text) { return QString::fromStdString(text); });
}

QString Translations::TranslatedEarly(const Message& message) {
  QTranslator translator;
  const bool loaded = LoadOwn(translator);
  return Filled(
      message, [](const std::string& text) { return QString::fromLocal8Bit(text.c_str()); },
      [&](const char* text) {
        return loaded ? translator.translate("taskwell", text) : QString::fromUtf8(text);
      });
}

}  // namespace taskwell
