#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "document/Platform.h"

namespace taskwell::fuzzing {

// Stops the run in a way libFuzzer records as a crash, with the input that caused it.
[[noreturn]] inline void Fail() {
  __builtin_trap();
}
inline void Require(bool condition) {
  if (!condition) Fail();
}

// A desktop that only records the message boxes; nothing else may be asked of it here.
class FuzzPlatform final : public Platform {
 public:
  struct Message {
    std::string Caption;
    std::string Text;
  };
  std::vector<Message> Messages;

  void ShowMessageBox(const std::string& caption, const std::string& message) override {
    Messages.push_back({caption, message});
  }
  bool Confirm(const std::string&) override { return true; }
  void ShowError(const std::string&, const std::string&) override {}
  void OpenDocument(const std::string&) override { Fail(); }
  void FocusGrid() override {}
  void Repaint() override {}
  void CloseWindow() override { Fail(); }
  Rect WorkArea() override { return {0, 0, 1280, 1000}; }
  Rect WindowBounds() override { return {0, 0, 800, 600}; }
  void SetWindowBounds(const Rect&) override {}
  int GridWidth() override { return 800; }
  int FullyVisibleRows(int) override { return 20; }
  bool ShowPrintDialog(PrintChoice&) override { Fail(); }
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string&) override { Fail(); }
};

}  // namespace taskwell::fuzzing
