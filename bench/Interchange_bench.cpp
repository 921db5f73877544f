// Export and import of 100,000 tasks, each to stay within twice LoadTaskFile of the same list,
// which runs here too so that they are compared within one run: in the window (from the table
// to the text, and from the text onto the table as one undoable change) and as the commands
// --export and --import, which read and write the task file itself.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "LoadYardstick.h"
#include "list/TaskExchange.h"

namespace taskwell::bench {
namespace {

constexpr int kTasks = kYardstickTasks;

// iCalendar (0) and todo.txt (1).
void BothFormats(benchmark::internal::Benchmark* b) {
  b->Arg(static_cast<int>(ExchangeFormat::ICalendar))
      ->Arg(static_cast<int>(ExchangeFormat::TodoTxt))
      ->Unit(benchmark::kMillisecond);
}

void BM_Export(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  LoadedList loaded(kTasks);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = ExportText(ExportedTasks(loaded.List), format, loaded.Dates, 0);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_Export)->Apply(BothFormats);

std::string ExportedText(ExchangeFormat format) {
  LoadedList loaded(kTasks);
  return ExportText(ExportedTasks(loaded.List), format, loaded.Dates, 0);
}

// Reading the text and appending its tasks to an empty list as one undoable change.
void BM_Import(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  const std::string text = ExportedText(format);
  ListContext context;
  std::unique_ptr<ToDoList> list;
  TimeAfterEach(
      state,
      [&] {
        if (list && list->Table().RowCount() != kTasks + 1) state.SkipWithError("tasks missing");
        list = std::make_unique<ToDoList>(context.Ui, context.Dates);
        list->FormCreate("/nonexistent-folder/new.todo", "/nonexistent-home");
      },
      [&] { list->ImportTasks(ImportText(text, context.Dates).List); });
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_Import)->Apply(BothFormats);

// --export: the task file read and written out in the other format.
void BM_ExportCommand(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  const ListContext context;
  const std::string& file = TaskFiles::Shared().PathOf(kTasks);
  std::ostringstream err;
  for (auto _ : state) {
    std::ostringstream out;
    if (ExportTaskFile(file, format, {}, context.Clock, 0, out, err) != 0)
      state.SkipWithError("export failed");
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ExportCommand)->Apply(BothFormats);

// --import into a new task file: the text read, the file written through the atomic save.
void BM_ImportCommand(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  const ListContext context;
  const std::string source = TaskFiles::Shared().Scratch("import.txt");
  const std::string target = TaskFiles::Shared().Scratch("imported.todo");
  std::ofstream(source, std::ios::binary) << ExportedText(format);
  std::ostringstream out;
  std::ostringstream err;
  TimeAfterEach(
      state, [&] { std::remove(target.c_str()); },
      [&] {
        if (ImportIntoTaskFile(source, target, {}, context.Clock, out, err) != 0)
          state.SkipWithError("import failed");
      });
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ImportCommand)->Apply(BothFormats);

}  // namespace
}  // namespace taskwell::bench
