#pragma once

#include <gtest/gtest.h>

#include <QApplication>

namespace taskwell::testing {

// Qt widgets need one application object; the tests of a program share it.
inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "taskwell-test";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

// Every test program that includes this has the application before its first test.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureApplication(); }
};

inline const auto* const QtApplicationRegistered =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace taskwell::testing
