// The task list's own work, without a window, from 1,000 to 1,000,000 tasks: load and save, the
// sort a header click starts, a commit with AutoSort on, the row commands and the report lines.
// The window's share of the same commands is measured in Window_qtbench.
#include <algorithm>
#include <string>

#include "BenchTasks.h"

namespace taskwell::bench {
namespace {

void LoadTaskFile(benchmark::State& state) {
  ListContext context;
  const std::string& path = TaskFiles::Shared().PathOf(Tasks(state));
  double tableMb = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ToDoList>(context.Ui, context.Dates);
    ListTestAccess::SetTaskFileName(*list, path);
    const double before = ResidentMb();
    state.ResumeTiming();
    ListTestAccess::InitTaskTable(*list);
    state.PauseTiming();
    tableMb = std::max(tableMb, ResidentMb() - before);
    if (list->Table().RowCount() != Tasks(state) + 1) state.SkipWithError("tasks missing");
    state.ResumeTiming();
    // Freeing the table is part of every reload and of leaving the program.
    list.reset();
  }
  state.counters["table_MB"] = tableMb;
  state.SetItemsProcessed(state.iterations() * Tasks(state));
}
BENCHMARK(LoadTaskFile)->Apply(UpToHundredThousand);
BENCHMARK(LoadTaskFile)->Apply(Million);

// The floor LoadTaskFile is held against: the same file read whole and its lines counted.
void ReadAndCountLines(benchmark::State& state) {
  const std::string& path = TaskFiles::Shared().PathOf(Tasks(state));
  for (auto _ : state) {
    std::string bytes(std::filesystem::file_size(path), '\0');
    std::ifstream(path, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
    if (lines < Tasks(state)) state.SkipWithError("lines missing");
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * Tasks(state));
}
BENCHMARK(ReadAndCountLines)->Apply(Million);

void SaveTaskFile(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ListTestAccess::SetTaskFileName(loaded.List, TaskFiles::Shared().Scratch("Saved.todo"));
  for (auto _ : state) loaded.List.SaveTaskFile();
  state.SetItemsProcessed(state.iterations() * Tasks(state));
}
BENCHMARK(SaveTaskFile)->Apply(UpToHundredThousand);
BENCHMARK(SaveTaskFile)->Apply(Million);

// The same save after a header click has sorted every row by description.
void SaveTaskFileAfterSort(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ListTestAccess::SetTaskFileName(loaded.List, TaskFiles::Shared().Scratch("Saved.todo"));
  loaded.List.GridMouseDown(loaded.List.Layout().DescCol(), 0);
  if (loaded.List.Sorting().Mode != SortOrder::ByDescription)
    state.SkipWithError("the header click did not sort");
  for (auto _ : state) loaded.List.SaveTaskFile();
  state.SetItemsProcessed(state.iterations() * Tasks(state));
}
BENCHMARK(SaveTaskFileAfterSort)->Apply(UpToHundredThousand);
BENCHMARK(SaveTaskFileAfterSort)->Apply(Million);

// A click on the Description header of a list sorted by date: every row moves.
void HeaderSortByDescription(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  TimeAfterEach(
      state, [&] { list.GridMouseDown(ToDoList::ColDate, 0); },
      [&] { list.GridMouseDown(list.Layout().DescCol(), 0); });
  if (list.Sorting().Mode != SortOrder::ByDescription)
    state.SkipWithError("the header click did not sort");
}
BENCHMARK(HeaderSortByDescription)->Apply(UpToHundredThousand);
BENCHMARK(HeaderSortByDescription)->Apply(Million);

// A description typed into a task of a sorted list, then the cell is left with AutoSort on:
// the commit, the sort and the cursor following its task when the grid paints. Arg 1 leaves by
// moving to the next cell, arg 0 by leaving the grid.
void CommitWithAutoSort(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  const bool byMove = state.range(1) != 0;
  list.AutoSortButtonClick();
  ListTestAccess::SortTable(list);
  list.CellPainted();
  static const char* const kTexts[] = {"AAA first of all", "mmm in the middle", "zzz at the end"};
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const int row = 1 + (round * 7919) % Tasks(state);
    list.MoveCursor(list.Layout().DescCol(), row);
    list.TypeInCell(list.Layout().DescCol(), row, kTexts[round % 3] + std::to_string(round));
    ++round;
    state.ResumeTiming();
    if (byMove) {
      list.MoveCursor(ToDoList::ColSubPri, list.Table().Row());
    } else {
      list.GridExit();
    }
    list.CellPainted();
  }
}
BENCHMARK(CommitWithAutoSort)
    ->ArgNames({"tasks", "move"})
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CommitWithAutoSort)
    ->ArgNames({"tasks", "move"})
    ->Args({1000000, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void Run(ToDoList& list, RowCommand command) {
  static constexpr void (ToDoList::*kHandlers[])() = {
      &ToDoList::AddButtonClick, &ToDoList::DeleteButtonClick, &ToDoList::ReplicateButtonClick,
      &ToDoList::IncrementButtonClick};
  (list.*kHandlers[command])();
}

// One row command on the middle task; the row it adds or removes is put back untimed.
void RowCommandOnLargeList(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  const auto command = static_cast<RowCommand>(state.range(1));
  list.MoveCursor(0, Tasks(state) / 2);
  for (auto _ : state) {
    Run(list, command);
    state.PauseTiming();
    if (kPutBack[command] != NoCommand) Run(list, kPutBack[command]);
    state.ResumeTiming();
  }
  if (list.Table().RowCount() != Tasks(state) + 1) state.SkipWithError("rows not put back");
}
BENCHMARK(RowCommandOnLargeList)
    ->ArgNames({"tasks", "command"})
    ->ArgsProduct({{1000, 100000, 1000000}, {Add, Delete, Replicate, Increment}})
    ->Unit(benchmark::kMicrosecond);

// The lines a printout of everything is made of.
void ReportLines(benchmark::State& state) {
  const LoadedList loaded(Tasks(state));
  std::size_t lines = 0;
  for (auto _ : state) lines = ListTestAccess::ReportLines(loaded.List, PrintChoice{}).size();
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(ReportLines)->Apply(UpToHundredThousand);
BENCHMARK(ReportLines)->Apply(Million);

}  // namespace
}  // namespace taskwell::bench

BENCHMARK_MAIN();
