#pragma once

#include <QApplication>

namespace taskwell::testing {

// Qt widgets need one application object; the tests of a program share it.
inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "taskwell-test";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

}  // namespace taskwell::testing
