// Loading and saving a task file of 100,000 tasks. Targets: load 150 ms, save 100 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "document/Calendar.h"
#include "list/ToDoList.h"
#include "support/ListTestAccess.h"
#include "support/QuietPlatform.h"

namespace taskwell {
namespace {

constexpr int kTasks = 100000;

using testing::QuietPlatform;

// A file as the program writes it: two tasks in three dated, the rest with priorities, some with
// sub-priorities, descriptions of everyday length with the odd comma and quote.
std::string GenerateTaskFile(int tasks) {
  std::mt19937 random(100000);
  static const char* const kWords[] = {"call", "the",  "bank",   "tidy",       "garage", "buy",
                                       "milk", "and",  "bread,", "\"urgent\"", "send",   "report",
                                       "to",   "Anna", "review", "plan",       "for",    "Q3"};
  std::string bytes = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";
  for (int i = 0; i < tasks; ++i) {
    if (random() % 3 != 0) {
      bytes += std::to_string(1 + random() % 12);
      bytes += '/';
      bytes += std::to_string(1 + random() % 28);
      bytes += '/';
      bytes += std::to_string(10 + random() % 40);
      bytes += ",,";
    } else {
      bytes += ',';
      bytes += std::to_string(random() % 10);
      bytes += ',';
    }
    if (random() % 2 == 0) bytes += std::to_string(random() % 100);
    bytes += ",\"";
    const int words = 3 + static_cast<int>(random() % 6);
    for (int w = 0; w < words; ++w) {
      if (w > 0) bytes += ' ';
      const std::string word = kWords[random() % std::size(kWords)];
      bytes += word == "\"urgent\"" ? "\"\"urgent\"\"" : word;
    }
    bytes += "\"\r\n";
  }
  return bytes;
}

struct TaskFileSetup {
  TaskFileSetup() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "taskwell-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    Folder = pattern;
    Path = Folder + "/Big.todo";
    std::ofstream(Path, std::ios::binary) << GenerateTaskFile(kTasks);
  }
  ~TaskFileSetup() { std::filesystem::remove_all(Folder); }
  std::string Folder;
  std::string Path;
  FixedClock Clock{EncodeDate(2026, 6, 10) + 0.375};
  DateFormat Dates{{}, Clock};
  QuietPlatform Ui;
};

TaskFileSetup& Setup() {
  static TaskFileSetup setup;
  return setup;
}

void BM_LoadTaskFile(benchmark::State& state) {
  TaskFileSetup& setup = Setup();
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ToDoList>(setup.Ui, setup.Dates);
    ListTestAccess::SetTaskFileName(*list, setup.Path);
    state.ResumeTiming();
    list->InitTaskTable();
    state.PauseTiming();
    if (list->Table().RowCount() != kTasks + 1) state.SkipWithError("tasks missing");
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_LoadTaskFile)->Unit(benchmark::kMillisecond);

void BM_SaveTaskFile(benchmark::State& state) {
  TaskFileSetup& setup = Setup();
  ToDoList list(setup.Ui, setup.Dates);
  ListTestAccess::SetTaskFileName(list, setup.Path);
  list.InitTaskTable();
  for (auto _ : state) list.SaveTaskFile();
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_SaveTaskFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell
