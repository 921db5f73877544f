#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "document/Platform.h"
#include "document/Progress.h"
#include "plugins/QtPrinterTextStream.h"

class QPrinter;
class QWidget;

namespace taskwell {
class WorkProgress;
}

namespace taskwell {

// The print run the window starts. From the start the window keeps running its events and, past
// half a second, a progress dialog offers Cancel. It takes the listing's lines as they come (the
// list is not changed from the background meanwhile), and draws them at Close. A print file is
// drawn on a thread of its own; a printer, which belongs to the window's thread, on that thread in
// steps. A cancelled run leaves no print file behind and ends a printer's job unprinted.
class PrintJob final : public PrinterTextStream {
 public:
  // Throws std::runtime_error when the printer cannot begin the job. Progress shows over
  // `window`; with none, nothing shows and nothing can cancel.
  PrintJob(QPrinter& printer, const std::string& jobName, QWidget* window);
  ~PrintJob() override;
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  void WriteLine(std::string_view line) override;
  // Throws what drawing threw, or WorkCancelled.
  void Close() override;

 private:
  std::string_view Line(std::size_t index) const;
  void DrawHere();
  // The drawing thread: begins the file at once, then waits to be told to draw or to drop it.
  void Draw(std::promise<void>& begun);
  void DrawElsewhere();

  QPrinter& printer_;
  QtPrinterTextStream::PrintFile file_;
  // The printer's job, begun at once so that a printer that cannot start says so before the work.
  std::unique_ptr<QtPrinterTextStream> printerJob_;
  // Shown over the window when there is one.
  std::unique_ptr<WorkProgress> shown_;
  Progress progress_;
  // Every line, end to end, and where each ends.
  std::string text_;
  std::vector<std::size_t> ends_;
  // A print file's drawing: told true to draw what the lines hold, false to drop the file.
  std::thread drawer_;
  std::promise<bool> go_;
  bool told_ = false;
  std::atomic<std::size_t> drawn_{0};
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr failure_;
};

}  // namespace taskwell
