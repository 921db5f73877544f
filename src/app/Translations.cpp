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

QString Translations::Translated(const std::string& text) {
  return QCoreApplication::translate("taskwell", text.c_str());
}

QString Translations::TranslatedEarly(const std::string& text) {
  QTranslator translator;
  const QString translated =
      LoadOwn(translator) ? translator.translate("taskwell", text.c_str()) : QString();
  return translated.isEmpty() ? QString::fromStdString(text) : translated;
}

}  // namespace taskwell
