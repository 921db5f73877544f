// Printing to a PDF file through the real printer stream, offscreen: whole task lists of growing
// size, and one very long description, which must wrap in time linear in its length. The memory a
// printout adds is read per benchmark, so that memory growing with the pages shows up.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "BenchTasks.h"
#include "document/Calendar.h"
#include "document/Clock.h"
#include "document/DateText.h"
#include "list/ToDoList.h"
#include "plugins/TaskPrintDialog.h"
#include "print/TextLayout.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell {
namespace {

// Memory a printout takes on top of what the process held before it: the peak is restarted
// from the current size, and what the peak then grows by is reported.
class PrintMemory {
 public:
  PrintMemory() : Before(bench::StatusKb("VmRSS:")) {
    std::ofstream("/proc/self/clear_refs") << "5";
  }
  double AddedMb() const {
    return static_cast<double>(bench::StatusKb("VmHWM:") - Before) / 1024.0;
  }

 private:
  long Before;
};

const std::string& PdfPath() {
  static const std::string path =
      "/tmp/taskwell-print-bench-" + std::to_string(::getpid()) + ".pdf";
  return path;
}

// The fake desktop, confirming the print dialog, whose printer writes the PDF file.
class PdfDesktop final : public testing::FakePlatform {
 public:
  explicit PdfDesktop(TaskPrintDialog& dialog) : Dialog(dialog) {
    Bounds = {0, 0, 800, 600};
    ChromeHeight = 0;
  }
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override {
    return Dialog.OpenStream(jobName);
  }

 private:
  TaskPrintDialog& Dialog;
};

struct PdfJob {
  PdfJob() {
    Dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
    Dialog.Printer().setOutputFileName(QString::fromStdString(PdfPath()));
  }
  ~PdfJob() { std::remove(PdfPath().c_str()); }
  PdfJob(const PdfJob&) = delete;
  PdfJob& operator=(const PdfJob&) = delete;
  TaskPrintDialog Dialog;
};

void FillTasks(ToDoList& list, int tasks) {
  ListTestAccess::Table(list).SetRowCount(tasks + 1);
  for (int row = 1; row <= tasks; ++row) {
    const double day = EncodeDate(2026, 1, 1) + row % 730;
    list.TypeInCell(0, row, row % 5 == 0 ? "" : list.Dates().FormatDateText(day));
    list.TypeInCell(1, row, row % 5 == 0 ? std::to_string(row % 9) : list.Dates().WeekdayText(day));
    list.TypeInCell(2, row, std::to_string(row % 3));
    list.TypeInCell(3, row, "Task " + std::to_string(row) + " call the office about the invoice");
  }
}

void PrintTasksToPdf(benchmark::State& state) {
  const int tasks = static_cast<int>(state.range(0));
  PdfJob job;
  PdfDesktop ui(job.Dialog);
  FixedClock clock(EncodeDate(2026, 6, 10) + 0.375);
  ToDoList list(ui, DateFormat({}, clock));
  list.FormCreate("/nonexistent-taskwell-bench/Chores.todo", "/nonexistent-home");
  FillTasks(list, tasks);
  const PrintMemory memory;
  for (auto _ : state) list.PrintButtonClick();
  if (!ui.Errors.empty()) state.SkipWithError(ui.Errors.front().Text.c_str());
  state.counters["print_MB"] = memory.AddedMb();
}
BENCHMARK(PrintTasksToPdf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What the window sees while a long print runs: how soon it repaints after the print begins,
// the longest stretch in which its thread runs no event, and whether the progress dialog showed.
class WindowWatch final : public QObject {
 public:
  explicit WindowWatch(QWidget& window) : Window(window) {
    Window.installEventFilter(this);
    QObject::connect(&Ticker, &QTimer::timeout, [this] { Tick(); });
    Ticker.start(1);
  }
  void Begin() {
    Clock.start();
    LastTick = 0;
    FirstPaint = -1;
    Window.update();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && FirstPaint < 0 && Clock.isValid())
      FirstPaint = static_cast<double>(Clock.nsecsElapsed()) / 1e6;
    return QObject::eventFilter(watched, event);
  }
  void Tick() {
    if (!Clock.isValid()) return;
    const double now = static_cast<double>(Clock.nsecsElapsed()) / 1e6;
    LongestPause = std::max(LongestPause, now - LastTick);
    LastTick = now;
    if (Window.findChild<QProgressDialog*>() != nullptr) ProgressShown = true;
  }

  QWidget& Window;
  QTimer Ticker;
  QElapsedTimer Clock;
  double LastTick = 0;
  double FirstPaint = -1;
  double WorstFirstPaint = 0;
  double LongestPause = 0;
  bool ProgressShown = false;
};

void PrintBesideTheWindow(benchmark::State& state) {
  QWidget window;
  window.resize(400, 300);
  window.show();
  TaskPrintDialog dialog(&window);
  dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
  dialog.Printer().setOutputFileName(QString::fromStdString(PdfPath()));
  PdfDesktop ui(dialog);
  FixedClock clock(EncodeDate(2026, 6, 10) + 0.375);
  ToDoList list(ui, DateFormat({}, clock));
  list.FormCreate("/nonexistent-taskwell-bench/Chores.todo", "/nonexistent-home");
  FillTasks(list, static_cast<int>(state.range(0)));
  WindowWatch watch(window);
  for (auto _ : state) {
    watch.Begin();
    list.PrintButtonClick();
    watch.WorstFirstPaint = std::max(watch.WorstFirstPaint, watch.FirstPaint);
  }
  std::remove(PdfPath().c_str());
  if (!ui.Errors.empty()) state.SkipWithError(ui.Errors.front().Text.c_str());
  state.counters["first_repaint_ms"] = watch.WorstFirstPaint;
  state.counters["longest_pause_ms"] = watch.LongestPause;
  state.counters["progress_shown"] = watch.ProgressShown ? 1 : 0;
}
BENCHMARK(PrintBesideTheWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Words of varying length with a few non-ASCII characters, so that breaks fall everywhere.
std::string LongDescription(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) {
    text += std::string(static_cast<std::size_t>(1 + i % 11), static_cast<char>('a' + i % 26));
    text += i % 7 == 0 ? "é " : " ";
  }
  return text;
}

void PrintLongDescriptionToPdf(benchmark::State& state) {
  const std::string line = LongDescription(static_cast<std::size_t>(state.range(0)));
  PdfJob job;
  const PrintMemory memory;
  for (auto _ : state) {
    std::unique_ptr<PrinterTextStream> stream = job.Dialog.OpenStream("Bench");
    stream->WriteLine(line);
    stream->Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  state.counters["print_MB"] = memory.AddedMb();
}
BENCHMARK(PrintLongDescriptionToPdf)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The wrap alone, with a fixed-pitch measure: the time per byte must not grow with the length.
void WrapLongLine(benchmark::State& state) {
  const std::string line = LongDescription(static_cast<std::size_t>(state.range(0)));
  const TextMetrics metrics{120, 120, 120};
  for (auto _ : state) {
    TextLayout layout(9000, 12000, metrics,
                      [](std::string_view text) { return 120 * static_cast<int>(text.size()); });
    benchmark::DoNotOptimize(layout.WriteLine(line));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(WrapLongLine)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell
