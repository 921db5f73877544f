// Loading and saving a task file of 100,000 tasks. Targets: load 150 ms, save 100 ms.
#include <memory>
#include <string>

#include "BenchTasks.h"

namespace taskwell::bench {
namespace {

constexpr int kTasks = 100000;

void BM_LoadTaskFile(benchmark::State& state) {
  TimeLoadTaskFile(state, kTasks);
}
BENCHMARK(BM_LoadTaskFile)->Unit(benchmark::kMillisecond);

void BM_SaveTaskFile(benchmark::State& state) {
  ListContext context;
  ToDoList list(context.Ui, context.Dates);
  ListTestAccess::SetTaskFileName(list, TaskFiles::Shared().PathOf(kTasks));
  ListTestAccess::InitTaskTable(list);
  for (auto _ : state) list.SaveTaskFile();
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_SaveTaskFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
