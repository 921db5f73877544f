#pragma once

#include <QString>
#include <QTranslator>
#include <functional>
#include <string>

#include "document/Message.h"

namespace taskwell {

// The program's texts and Qt's own in the user's language, beside the English originals.
class Translations {
 public:
  // Loads both for QLocale() and installs them into the running application.
  void Install();

  // A text of the plain core, which speaks English: a fixed text, or a message built at run time,
  // whose template is translated and then filled with its parts. Unknown texts stay as they are.
  // Values are read by `value` (the list's encoding); by default as UTF-8.
  using ValueReader = std::function<QString(const std::string&)>;
  static QString Translated(const Message& message, const ValueReader& value);
  static QString Translated(const Message& message);

  // A text answered before any application object exists: --help, a usage error.
  static QString TranslatedEarly(const Message& message);

 private:
  using Lookup = std::function<QString(const char*)>;
  static QString Filled(const Message& message, const ValueReader& value, const Lookup& lookup);

  QTranslator own_;
  QTranslator qt_;
};

}  // namespace taskwell
