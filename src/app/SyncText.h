#pragma once

#include <QCoreApplication>
#include <QString>

namespace taskwell::synctext {

// A sync message in the user's language. Named apart from QObject::tr, whose context is the
// class's own.
inline QString tr(const char* text) {
  return QCoreApplication::translate("taskwell", text);
}

}  // namespace taskwell::synctext
