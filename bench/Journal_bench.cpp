// Bringing the recovery journal up to date after an edit at 100,000 tasks. It runs a second after
// the typing pauses: the event loop renders what a save would write (target: 50 ms), and the
// atomic write with its flush runs beside it (measured whole here).
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "BenchTasks.h"
#include "list/RecoveryJournal.h"

namespace taskwell::bench {
namespace {

constexpr int kTasks = 100000;

void BM_KeepJournal(benchmark::State& state) {
  ListContext context;
  ToDoList list(context.Ui, context.Dates);
  ListTestAccess::SetTaskFileName(list, TaskFiles::Shared().PathOf(kTasks));
  ListTestAccess::InitTaskTable(list);
  std::string folder =
      (std::filesystem::temp_directory_path() / "taskwell-journal-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) state.SkipWithError("no temporary folder");
  const RecoveryJournal journal(folder, list.File().Name());
  int round = 0;
  for (auto _ : state) {
    list.TypeInCell(list.Layout().DescCol(), 1 + round % kTasks, "typed " + std::to_string(round));
    ++round;
    const std::string bytes = list.SaveBytes();
    if (bytes != list.File().BaseBytes() && state.range(0) == 1) journal.Write(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
  std::filesystem::remove_all(folder);
}
// 0: the event loop's part alone; 1: with the write beside it.
BENCHMARK(BM_KeepJournal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
