// Reload after a change made elsewhere, and the merge at Save, at 100,000 tasks: both should stay
// within the time of a start-up's load.
#include <filesystem>

#include "BenchTasks.h"

namespace taskwell {
namespace {

constexpr int kTasks = 100000;

void WriteByRename(const std::string& path, const std::string& bytes) {
  std::ofstream(path + ".tmp", std::ios::binary) << bytes;
  std::filesystem::rename(path + ".tmp", path);
}

struct SyncSetup {
  bench::TaskFiles& Files = bench::TaskFiles::Shared();
  std::string Base = bench::GenerateTaskFile(kTasks);
  // The same list with one task added at the end, as another machine would leave it.
  std::string Theirs = Base + ",3,,\"added elsewhere\"\r\n";
};

void BM_ReloadChangedFile(benchmark::State& state) {
  SyncSetup setup;
  const std::string path = setup.Files.Scratch("reload.todo");
  WriteByRename(path, setup.Base);
  bench::ListContext context;
  ToDoList list(context.Ui, context.Dates);
  list.FormCreate(path, "/nonexistent-home");
  list.FormShow();
  bool added = false;
  for (auto _ : state) {
    state.PauseTiming();
    added = !added;
    WriteByRename(path, added ? setup.Theirs : setup.Base);
    state.ResumeTiming();
    if (!list.Sync().FileChangedOnDisk()) state.SkipWithError("not reloaded");
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ReloadChangedFile)->Unit(benchmark::kMillisecond);

void BM_MergeAtSave(benchmark::State& state) {
  SyncSetup setup;
  const std::string path = setup.Files.Scratch("merge.todo");
  bench::ListContext context;
  for (auto _ : state) {
    state.PauseTiming();
    WriteByRename(path, setup.Base);
    auto list = std::make_unique<ToDoList>(context.Ui, context.Dates);
    list->FormCreate(path, "/nonexistent-home");
    list->FormShow();
    list->TypeInCell(list->Layout().DescCol(), kTasks / 2, "edited here");
    WriteByRename(path, setup.Theirs);
    state.ResumeTiming();
    if (!list->SaveButtonClick()) state.SkipWithError("not saved");
    state.PauseTiming();
    if (list->Table().RowCount() != kTasks + 2) state.SkipWithError("merge lost a task");
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_MergeAtSave)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell
