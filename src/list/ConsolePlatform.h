#pragma once

#include <ostream>
#include <string>

#include "document/NullPlatform.h"

namespace taskwell {

// A desktop with no screen, for the commands that need no window: the task list's messages
// become lines on stderr, and its questions are answered no.
class ConsolePlatform final : public NullPlatform {
 public:
  explicit ConsolePlatform(std::ostream& err) : err_(err) {}

  void ShowMessageBox(const std::string& caption, const std::string& message) override {
    err_ << "taskwell: " << caption << ": " << message << '\n';
  }
  void ShowError(const std::string&, const std::string& text) override {
    err_ << "taskwell: " << text << '\n';
  }
  bool Confirm(const std::string& question) override {
    err_ << "taskwell: " << question << " (answered no: there is no window to ask in)\n";
    return false;
  }

 private:
  std::ostream& err_;
};

}  // namespace taskwell
