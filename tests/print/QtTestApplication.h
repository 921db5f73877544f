#pragma once

#include <gtest/gtest.h>

#include <QApplication>

namespace taskwell::testing {

// One QApplication for the whole test program, created before the first test.
class QtTestApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QApplication::instance() == nullptr) App = new QApplication(Argc, Argv);
  }
  void TearDown() override {
    delete App;
    App = nullptr;
  }

 private:
  inline static int Argc = 1;
  inline static char Arg0[] = "taskwell-test";
  inline static char* Argv[] = {Arg0, nullptr};
  QApplication* App = nullptr;
};

inline const auto* const QtTestApplicationRegistered =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

}  // namespace taskwell::testing
