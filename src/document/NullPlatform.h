#pragma once

#include <memory>
#include <string>

#include "document/Platform.h"

namespace taskwell {

// A desktop nobody sees, for lists that are only read or printed without a window: messages go
// nowhere, questions are declined, and the window reports a plain fixed size. Derive to send some
// requests elsewhere.
class NullPlatform : public Platform {
 public:
  void ShowMessageBox(const std::string&, const std::string&) override {}
  bool Confirm(const std::string&) override { return false; }
  void ShowError(const std::string&, const std::string&) override {}
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
};

}  // namespace taskwell
