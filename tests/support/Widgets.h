#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace taskwell::testing {

// A window's control, found by its object name as a user's tool would. A missing one fails the
// test with its name instead of crashing it.
template <typename T>
T* Child(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) throw std::logic_error(std::string("no control named ") + name);
  return child;
}

}  // namespace taskwell::testing
