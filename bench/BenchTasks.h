#pragma once
// Task files and loaded task lists of any size, shared by the benchmark programs, so that every
// program measures the same everyday list and its growth from 1,000 to 1,000,000 tasks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "document/Calendar.h"
#include "list/ToDoList.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell::bench {

// A file as the program writes it: two tasks in three dated, the rest with priorities, some with
// sub-priorities, descriptions of everyday length with the odd comma and quote. The same count
// gives the same bytes.
inline std::string GenerateTaskFile(int tasks) {
  std::mt19937 random(100000);
  static const char* const kWords[] = {"call", "the",  "bank",   "tidy",       "garage", "buy",
                                       "milk", "and",  "bread,", "\"urgent\"", "send",   "report",
                                       "to",   "Anna", "review", "plan",       "for",    "Q3"};
  std::string bytes = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";
  bytes.reserve(static_cast<std::size_t>(tasks) * 48);
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

// One private folder per process holding one task file per size, removed at exit.
class TaskFiles {
 public:
  TaskFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "taskwell-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    Folder = pattern;
  }
  ~TaskFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  TaskFiles(const TaskFiles&) = delete;
  TaskFiles& operator=(const TaskFiles&) = delete;

  // The path of a file of `tasks` tasks, written on first use.
  const std::string& PathOf(int tasks) {
    auto found = Paths.find(tasks);
    if (found != Paths.end()) return found->second;
    const std::string path = Folder + "/Tasks" + std::to_string(tasks) + ".todo";
    std::ofstream(path, std::ios::binary) << GenerateTaskFile(tasks);
    return Paths.emplace(tasks, path).first->second;
  }
  // A fresh path in the folder, for saves that must not touch the shared files.
  std::string Scratch(const std::string& name) const { return Folder + "/" + name; }

  static TaskFiles& Shared() {
    static TaskFiles files;
    return files;
  }

 private:
  std::string Folder;
  std::map<int, std::string> Paths;
};

// What every measured task list is made with: a fixed clock, the C locale's regional settings and
// a desktop that answers everything.
struct ListContext {
  FixedClock Clock{EncodeDate(2026, 6, 10) + 0.375};
  DateFormat Dates{{}, Clock};
  testing::FakePlatform Ui;

  // Every question agreed to, and the whole window's height shows grid rows.
  ListContext() { Ui.ChromeHeight = 0; }
};

// A task list loaded from a file of `tasks` tasks, with the grid's handler attached as in the
// running window.
struct LoadedList : ListContext {
  explicit LoadedList(int tasks) : List(Ui, Dates) {
    List.FormCreate(TaskFiles::Shared().PathOf(tasks), "/nonexistent-home");
    if (List.Table().RowCount() != tasks + 1) std::abort();
    List.FormShow();
  }
  ToDoList List;
};

// LoadTaskFile of a file of `tasks` tasks into a new list: the yardstick other file work is
// measured against.
inline void TimeLoadTaskFile(benchmark::State& state, int tasks) {
  ListContext context;
  const std::string& path = TaskFiles::Shared().PathOf(tasks);
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ToDoList>(context.Ui, context.Dates);
    ListTestAccess::SetTaskFileName(*list, path);
    state.ResumeTiming();
    ListTestAccess::InitTaskTable(*list);
    state.PauseTiming();
    if (list->Table().RowCount() != tasks + 1) state.SkipWithError("tasks missing");
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * tasks);
}

// Each round runs `setUp` untimed, then times `timed`.
template <typename SetUp, typename Timed>
void TimeAfterEach(benchmark::State& state, SetUp setUp, Timed timed) {
  for (auto _ : state) {
    state.PauseTiming();
    setUp();
    state.ResumeTiming();
    timed();
  }
}

// The size a benchmark runs at, its first argument.
inline int Tasks(const benchmark::State& state) {
  return static_cast<int>(state.range(0));
}

// The row commands measured on the middle task, alone and through the window.
enum RowCommand { Add, Delete, Replicate, Increment, NoCommand };
// The command run untimed after each one to bring the row count back; Increment only changes a
// date, which may stay.
constexpr RowCommand kPutBack[] = {Delete, Replicate, Delete, NoCommand};

inline long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  }
  return 0;
}

inline double ResidentMb() {
  return static_cast<double>(StatusKb("VmRSS:")) / 1024.0;
}

// 1,000 to 100,000 tasks until the time is steady; 1,000,000 tasks a few times only, so that the
// whole run stays within minutes.
inline void UpToHundredThousand(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}
inline void Million(benchmark::internal::Benchmark* b) {
  b->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
}

}  // namespace taskwell::bench
