#pragma once

#include <memory>
#include <string>

#include "document/Platform.h"

namespace taskwell::testing {

// A desktop for benchmarks and fuzzing: every request is answered and forgotten.
class QuietPlatform final : public Platform {
 public:
  void ShowMessageBox(const std::string&, const std::string&) override {}
  bool Confirm(const std::string&) override { return true; }
  void ShowError(const std::string&, const std::string&) override {}
  void OpenDocument(const std::string&) override {}
  void FocusGrid() override {}
  void Repaint() override {}
  void CloseWindow() override {}
  Rect WorkArea() override { return {0, 0, 1280, 1000}; }
  Rect WindowBounds() override { return {401, 114, 828, 540}; }
  void SetWindowBounds(const Rect&) override {}
  int GridWidth() override { return 800; }
  int FullyVisibleRows(int windowHeight) override { return windowHeight / 20; }
  bool ShowPrintDialog(PrintChoice&) override { return false; }
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string&) override { return nullptr; }
};

}  // namespace taskwell::testing
