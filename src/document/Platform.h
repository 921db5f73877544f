#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "document/Message.h"
#include "document/Progress.h"

namespace taskwell {

// The key code the grid's key-release handler takes for Escape.
constexpr int kEscapeKey = 27;

struct Rect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const Rect&) const = default;
};

// What the print dialog hands back: everything, or the "pages" From to To (a window of days).
struct PrintChoice {
  bool PrintAll = true;
  int From = 0;
  int To = 0;
};

// A print job that takes whole lines; it wraps and breaks pages itself.
class PrinterTextStream {
 public:
  virtual ~PrinterTextStream() = default;
  virtual void WriteLine(std::string_view line) = 0;
  // Ends the job. Failures of the printing service throw.
  virtual void Close() = 0;
};

// Long work under way that the user can watch: past half a second, its progress shows with Cancel.
class ShownWork {
 public:
  virtual ~ShownWork() = default;
  // What the work is told; once the user cancels, its next step throws WorkCancelled.
  virtual Progress Of() const = 0;
};

// The operations the task list needs from the desktop. The Qt window implements them; tests use a
// recording fake.
class Platform {
 public:
  virtual ~Platform() = default;

  // The program's own modal message dialog.
  virtual void ShowMessageBox(const std::string& caption, const std::string& message) = 0;
  // The standard confirmation dialog: caption "Confirm", a question icon, "&Yes" and "Cancel".
  // True for Yes.
  virtual bool Confirm(const std::string& message) = 0;
  // The default error report: a critical message box with the list title as caption.
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;

  // The same with a text built at run time, which a window shows in the user's language; other
  // platforms show the English text.
  virtual void ShowMessageBox(const std::string& caption, const Message& message) {
    ShowMessageBox(caption, message.English());
  }
  virtual bool Confirm(const Message& message) { return Confirm(message.English()); }
  virtual void ShowError(const std::string& caption, const Message& text) {
    ShowError(caption, text.English());
  }
  // A literal is a fixed text.
  void ShowMessageBox(const std::string& caption, const char* message) {
    ShowMessageBox(caption, std::string(message));
  }
  bool Confirm(const char* message) { return Confirm(std::string(message)); }
  void ShowError(const std::string& caption, const char* text) {
    ShowError(caption, std::string(text));
  }
  // Opens a web address or a document with the desktop's default application, never through a
  // shell.
  virtual void OpenDocument(const std::string& target) = 0;
  virtual void FocusGrid() = 0;
  virtual void Repaint() = 0;
  virtual void CloseWindow() = 0;

  // The work area of the primary screen, read afresh each time.
  virtual Rect WorkArea() = 0;
  virtual Rect WindowBounds() = 0;
  virtual void SetWindowBounds(const Rect& bounds) = 0;
  // The grid's own width in pixels, borders included.
  virtual int GridWidth() = 0;
  // How many task rows the grid shows completely when the window is this high.
  virtual int FullyVisibleRows(int windowHeight) = 0;

  // Shows the print dialog with the given choice preset; false when cancelled.
  virtual bool ShowPrintDialog(PrintChoice& choice) = 0;
  // Begins a print job on the chosen printer.
  virtual std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) = 0;
  // Shows the progress of long work over the window while the result lives; `label`, in
  // English, says what runs. Null where nothing can show it: the work then runs to its end.
  virtual std::unique_ptr<ShownWork> ShowWork(const char* label) {
    (void)label;
    return nullptr;
  }
};

}  // namespace taskwell
