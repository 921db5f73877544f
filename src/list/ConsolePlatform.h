#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "document/Platform.h"

namespace taskwell {

// A desktop with no screen, for the commands that need no window: the task list's messages
// become lines on stderr, its questions are answered no, and the window reports a plain fixed
// size.
class ConsolePlatform final : public Platform {
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

  void OpenDocument(const std::string&) override {}
  void FocusGrid() override {}
  void Repaint() override {}
  void CloseWindow() override {}
  Rect WorkArea() override { return {0, 0, 1280, 1024}; }
  Rect WindowBounds() override { return {0, 0, 828, 540}; }
  void SetWindowBounds(const Rect&) override {}
  int GridWidth() override { return 828; }
  int FullyVisibleRows(int) override { return 0; }
  bool ShowPrintDialog(PrintChoice&) override { return false; }
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string&) override { return nullptr; }

 private:
  std::ostream& err_;
};

}  // namespace taskwell
