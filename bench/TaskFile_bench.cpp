// Loading and saving a task file of 100,000 tasks. Targets: load 150 ms, save 100 ms.
#include <string>

#include "LoadYardstick.h"

namespace taskwell::bench {
namespace {

void BM_SaveTaskFile(benchmark::State& state) {
  ListContext context;
  ToDoList list(context.Ui, context.Dates);
  ListTestAccess::SetTaskFileName(list, TaskFiles::Shared().PathOf(kYardstickTasks));
  ListTestAccess::InitTaskTable(list);
  for (auto _ : state) list.SaveTaskFile();
  state.SetItemsProcessed(state.iterations() * kYardstickTasks);
}
BENCHMARK(BM_SaveTaskFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
