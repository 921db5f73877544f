#pragma once

#include <QString>
#include <QTranslator>
#include <string>

namespace taskwell {

// The program's texts and Qt's own in the user's language, beside the English originals.
class Translations {
 public:
  // Loads both for QLocale() and installs them into the running application.
  void Install();

  // A text of the plain core, which speaks English; unknown texts stay as they are.
  static QString Translated(const std::string& text);

  // A text answered before any application object exists: --help, a usage error.
  static QString TranslatedEarly(const std::string& text);

 private:
  QTranslator own_;
  QTranslator qt_;
};

}  // namespace taskwell
