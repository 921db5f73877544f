// Start-up of the whole window on a large task file, offscreen: from creating the main window
// (which loads the file) until it is shown, and the peak memory with every task in the grid.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchTasks.h"
#include "app/MainWindow.h"
#include "document/Calendar.h"

namespace {

std::string MakeTaskFile(int tasks) {
  std::string path = "/tmp/taskwell-startup-bench-" + std::to_string(::getpid()) + ".todo";
  std::ofstream out(path, std::ios::binary);
  out << "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";
  for (int i = 0; i < tasks; ++i) {
    const taskwell::CalendarDate d =
        taskwell::DecodeDate(taskwell::EncodeDate(2026, 1, 1) + i % 730);
    if (i % 5 == 0) {
      out << "," << (i % 9) << "," << (i % 7) << ",\"Undated task number " << i
          << ", with a comma\"\r\n";
    } else {
      out << d.Month << "/" << d.Day << "/" << d.Year % 100 << ",," << (i % 3) << ",\"Task " << i
          << " https://example.com/item/" << i << "\"\r\n";
    }
  }
  return path;
}

void BM_StartUntilShown(benchmark::State& state) {
  const std::string path = MakeTaskFile(static_cast<int>(state.range(0)));
  taskwell::SystemClock clock;
  for (auto _ : state) {
    taskwell::MainWindow form({}, clock, path, "/tmp");
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.List().Table().RowCount());
    state.PauseTiming();
    form.hide();
    state.ResumeTiming();
  }
  state.counters["peak_rss_MB"] = static_cast<double>(taskwell::bench::StatusKb("VmHWM:")) / 1024.0;
  std::remove(path.c_str());
}
// Growing sizes, so the peak (the process's high-water mark so far) belongs to the size it is
// reported with.
BENCHMARK(BM_StartUntilShown)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
