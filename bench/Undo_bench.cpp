// Recording and taking back the list's steps from 1,000 to 100,000 tasks: a header sort and a
// Delete, each undone and redone. Undoing either must fit in one frame (16 ms) at 100,000 tasks.
#include "BenchTasks.h"

namespace taskwell::bench {
namespace {

// A click on a column's header and the paint after it, which ends the sort the click started.
void ClickHeader(ToDoList& list, int col) {
  list.GridMouseDown(col, 0);
  list.CellPainted();
}

// The sort a header click starts, by description and back by date, so that every round moves
// rows: the recorded step is the permutation.
void SortThenUndo(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  for (auto _ : state) {
    state.PauseTiming();
    ClickHeader(list, list.Layout().DescCol());
    state.ResumeTiming();
    list.Undo();
    state.PauseTiming();
    list.Redo();
    ClickHeader(list, 0);
    state.ResumeTiming();
  }
  state.counters["history_MB"] = static_cast<double>(list.History().Bytes()) / (1 << 20);
}
BENCHMARK(SortThenUndo)->Apply(UpToHundredThousand)->Unit(benchmark::kMillisecond);

void DeleteThenUndo(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  list.MoveCursor(0, Tasks(state) / 2);
  TimeAfterEach(
      state, [&] { list.DeleteButtonClick(); }, [&] { list.Undo(); });
}
BENCHMARK(DeleteThenUndo)->Apply(UpToHundredThousand)->Unit(benchmark::kMillisecond);

// Recording: the sort with its step, against the same sort in Handlers_bench.
void SortRecorded(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  int col = list.Layout().DescCol();
  for (auto _ : state) {
    list.GridMouseDown(col, 0);
    state.PauseTiming();
    list.CellPainted();
    col = col == 0 ? list.Layout().DescCol() : 0;
    state.ResumeTiming();
  }
}
BENCHMARK(SortRecorded)->Apply(UpToHundredThousand)->Unit(benchmark::kMillisecond);

void RedoSort(benchmark::State& state) {
  LoadedList loaded(Tasks(state));
  ToDoList& list = loaded.List;
  ClickHeader(list, list.Layout().DescCol());
  TimeAfterEach(
      state, [&] { list.Undo(); }, [&] { list.Redo(); });
}
BENCHMARK(RedoSort)->Apply(UpToHundredThousand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell::bench
