// What a sync costs on the window's thread at 10,000 tasks: reading the last sync's state, and
// the merge of a quiet sync and of one with a change on each side. Each should stay near a frame.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "document/Clock.h"
#include "sync/CalendarItem.h"
#include "sync/SyncMerge.h"

namespace taskwell {
namespace {

constexpr int kTasks = 10000;

struct SyncSide {
  FixedClock Clock{46183.0};
  DateFormat Dates{RegionalSettings{}, Clock};
  SyncState Base;
  std::vector<TaskFields> Mine;

  SyncSide() {
    for (int i = 0; i < kTasks; ++i) {
      TaskFields task;
      task.Priority = 10000;
      task.Description = "Task number " + std::to_string(i) + " with a few words";
      const std::string uid = "u" + std::to_string(i);
      Base.Items.push_back({uid, "/c/" + uid + ".ics", "\"e\"", SyncKey(task),
                            CalendarItem::Create(task, uid, false, Dates, 0)});
      Mine.push_back(std::move(task));
    }
  }
};

void QuietMerge(benchmark::State& state) {
  const SyncSide side;
  const SyncMerge merge(side.Dates, false, 0);
  for (auto _ : state) benchmark::DoNotOptimize(merge.Plan(side.Base, side.Mine, {}, "/c/"));
}
BENCHMARK(QuietMerge)->Unit(benchmark::kMillisecond);

void OneChangeEachSide(benchmark::State& state) {
  SyncSide side;
  side.Mine[10].Description += " edited here";
  TaskFields theirs = side.Mine[20];
  theirs.Description += " edited there";
  const ServerSide server{
      {{"/c/u20.ics", "\"f\"", CalendarItem::Create(theirs, "u20", false, side.Dates, 0)}}, {}};
  const SyncMerge merge(side.Dates, false, 0);
  for (auto _ : state) benchmark::DoNotOptimize(merge.Plan(side.Base, side.Mine, server, "/c/"));
}
BENCHMARK(OneChangeEachSide)->Unit(benchmark::kMillisecond);

void LoadState(benchmark::State& state) {
  const SyncSide side;
  const std::string folder = std::filesystem::temp_directory_path() / "taskwell-sync-bench";
  const std::string path = SyncState::PathFor(folder, "/bench/list.todo");
  side.Base.Save(path);
  for (auto _ : state) benchmark::DoNotOptimize(SyncState::Load(path));
  std::filesystem::remove_all(folder);
}
BENCHMARK(LoadState)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell
