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

// Old single-byte files are Windows-1252; a terminal wants UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes) {
  static constexpr std::array<char16_t, 32> kHigh = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else if (code < 0x800) {
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      text += static_cast<char>(0xE0 | (code >> 12));
      text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return text;
}

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
  list.Grid.TextWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 8; };
  const bool loaded = list.Guarded([&] { list.FormCreate(file, ""); });
  PrintChoice choice;
  choice.PrintAll = false;
  choice.From = 0;
  choice.To = days;
  for (const std::string& line : list.ReportLines(choice)) {
    out << (list.TextIsUtf8 ? line : Windows1252ToUtf8(line)) << '\n';
  }
  out.flush();
  if (!out) {
    err << "taskwell: the listing could not be written\n";
    return 1;
  }
  return loaded ? 0 : 1;
}

}  // namespace taskwell
