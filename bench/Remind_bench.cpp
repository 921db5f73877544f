// What --remind does before it speaks to the bus: read a list of 100,000 tasks headlessly and
// work out the reminder. Target: within the window's start-up at that size, 100 ms.
#include <sstream>

#include "BenchTasks.h"
#include "list/HeadlessList.h"
#include "list/Reminder.h"

namespace taskwell::bench {
namespace {

void BM_RemindReading(benchmark::State& state) {
  const ListContext context;
  const std::string& path = TaskFiles::Shared().PathOf(Tasks(state));
  for (auto _ : state) {
    std::ostringstream err;
    HeadlessList list({}, context.Clock, path);
    if (list.Load(err) != HeadlessList::Loaded::Whole) state.SkipWithError("not loaded");
    const Reminder reminder =
        ReminderOf(list.Title(), list.Rows(), list.Dates(), list.File().TextIsUtf8());
    benchmark::DoNotOptimize(reminder.Summary);
  }
  state.SetItemsProcessed(state.iterations() * Tasks(state));
}
BENCHMARK(BM_RemindReading)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
