#include "list/DueListing.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

// A desktop with no screen: the task list's messages become lines on stderr, and the window
// operations that loading touches answer with harmless values.
class ConsolePlatform final : public Platform {
 public:
  explicit ConsolePlatform(std::ostream& err) : Err(err) {}

  void ShowMessageBox(const std::string& caption, const std::string& message) override {
    Err << "taskwell: " << caption << ": " << message << '\n';
  }
  bool Confirm(const std::string&) override { return false; }
  void ShowError(const std::string&, const std::string& text) override {
    Err << "taskwell: " << text << '\n';
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
  std::ostream& Err;
};

}  // namespace

int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err) {
  // The window would start from an empty list here; a listing of nothing would hide a mistyped
  // name from a cron job.
  if (!std::ifstream(file, std::ios::binary)) {
    err << "taskwell: cannot read " << file << ": " << std::strerror(errno) << '\n';
    return 1;
  }
  ConsolePlatform console(err);
  ToDoList list(console, DateFormat(regional, clock));
  const bool loaded = list.Guarded([&] { list.FormCreate(file, ""); });
  PrintChoice choice;
  choice.PrintAll = false;
  choice.From = 0;
  choice.To = days;
  for (const std::string& line : list.ReportLines(choice)) {
    out << (list.TextIsUtf8() ? line : Cp1252ToUtf8(line)) << '\n';
  }
  out.flush();
  if (!out) {
    err << "taskwell: the listing could not be written\n";
    return 1;
  }
  return loaded ? 0 : 1;
}

}  // namespace taskwell
