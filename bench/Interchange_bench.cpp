// Export and import of 100,000 tasks, each to stay within twice LoadTaskFile of the same list,
// which runs here too so that the three are compared within one run.
#include <memory>
#include <string>

#include "BenchTasks.h"
#include "list/TaskExchange.h"

namespace taskwell::bench {
namespace {

constexpr int kTasks = 100000;

void BM_LoadTaskFile(benchmark::State& state) {
  TimeLoadTaskFile(state, kTasks);
}
BENCHMARK(BM_LoadTaskFile)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_Export)
    ->Arg(static_cast<int>(ExchangeFormat::ICalendar))
    ->Arg(static_cast<int>(ExchangeFormat::TodoTxt))
    ->Unit(benchmark::kMillisecond);

// Reading the text and appending its tasks to an empty list as one undoable change.
void BM_Import(benchmark::State& state) {
  const auto format = static_cast<ExchangeFormat>(state.range(0));
  LoadedList loaded(kTasks);
  const std::string text = ExportText(ExportedTasks(loaded.List), format, loaded.Dates, 0);
  ListContext context;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ToDoList>(context.Ui, context.Dates);
    list->FormCreate("/nonexistent-folder/new.todo", "/nonexistent-home");
    state.ResumeTiming();
    ImportedTasks imported = ImportText(text, context.Dates);
    list->ImportTasks(std::move(imported.List));
    state.PauseTiming();
    if (list->Table().RowCount() != kTasks + 1) state.SkipWithError("tasks missing");
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_Import)
    ->Arg(static_cast<int>(ExchangeFormat::ICalendar))
    ->Arg(static_cast<int>(ExchangeFormat::TodoTxt))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
