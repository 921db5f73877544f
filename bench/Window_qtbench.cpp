// The same commands through the real window, offscreen, from 1,000 to 1,000,000 tasks: what the
// grid's model and view add to the task list's own work (model resets, layout, the first paint
// afterwards), and Close+save with the window torn down. Each timed step ends once the events it
// posted, the paint among them, have run.
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <filesystem>
#include <memory>

#include "BenchTasks.h"
#include "app/MainWindow.h"

namespace taskwell::bench {
namespace {

using Window = MainWindow;

// Runs what the last step posted: the layout, the paint, and the restore the paint schedules.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// A shown window on a private copy of the task file, so that saving leaves the shared file alone.
struct ShownWindow {
  explicit ShownWindow(int tasks) {
    std::filesystem::copy_file(TaskFiles::Shared().PathOf(tasks), Path,
                               std::filesystem::copy_options::overwrite_existing);
    Form = std::make_unique<Window>(RegionalSettings{}, Clock, Path, "/nonexistent-home");
    Form->show();
    Settle();
  }
  // The window's controls, found by their object names.
  QPushButton* Button(const char* name) const {
    return Form->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QTableView* Grid() const { return Form->findChild<QTableView*>(QStringLiteral("Grid")); }
  QAbstractItemModel& Model() const { return *Grid()->model(); }
  void MoveTo(int row, int col) const { Grid()->setCurrentIndex(Model().index(row - 1, col)); }
  // A left press in the middle of a column's header, as the mouse gives it.
  void ClickHeader(int col) const {
    QHeaderView* header = Grid()->horizontalHeader();
    const QPointF at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2.0,
                     header->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, header->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &press);
  }
  FixedClock Clock{EncodeDate(2026, 6, 10) + 0.375};
  std::string Path = TaskFiles::Shared().Scratch("Window.todo");
  std::unique_ptr<Window> Form;
};

void WindowHeaderSort(benchmark::State& state) {
  const ShownWindow window(Tasks(state));
  for (auto _ : state) {
    state.PauseTiming();
    window.ClickHeader(ToDoList::ColDate);
    Settle();
    state.ResumeTiming();
    window.ClickHeader(window.Form->List().Layout().DescCol());
    Settle();
  }
  if (window.Form->List().Sorting().Mode != SortOrder::ByDescription)
    state.SkipWithError("the header click did not sort");
}
BENCHMARK(WindowHeaderSort)->Apply(UpToHundredThousand);
BENCHMARK(WindowHeaderSort)->Apply(Million);

// A description typed into the grid, then the cursor moves on with AutoSort on.
void WindowCommitWithAutoSort(benchmark::State& state) {
  const ShownWindow window(Tasks(state));
  ToDoList& list = window.Form->List();
  window.Button("AutoSortButton")->click();
  list.Guarded([&] { ListTestAccess::SortTable(list); });
  Settle();
  if (!list.Sorting().Auto) state.SkipWithError("AutoSort stayed off");
  static const char* const kTexts[] = {"AAA first of all", "mmm in the middle", "zzz at the end"};
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const int row = 1 + (round * 7919) % Tasks(state);
    window.MoveTo(row, list.Layout().DescCol());
    Settle();
    window.Model().setData(window.Model().index(row - 1, list.Layout().DescCol()),
                           QString(QString::fromUtf8(kTexts[round % 3]) + QString::number(round)),
                           Qt::EditRole);
    ++round;
    state.ResumeTiming();
    window.MoveTo(list.Table().Row(), ToDoList::ColSubPri);
    Settle();
  }
}
BENCHMARK(WindowCommitWithAutoSort)->Apply(UpToHundredThousand);
BENCHMARK(WindowCommitWithAutoSort)->Apply(Million);

// A button press on the middle task; what it added or removed is put back untimed.
void WindowRowCommand(benchmark::State& state) {
  static const char* const kButtons[] = {"AddButton", "DeleteButton", "ReplicateButton",
                                         "IncrementButton"};
  const ShownWindow window(Tasks(state));
  Window& form = *window.Form;
  window.MoveTo(Tasks(state) / 2, 0);
  Settle();
  const auto press = [&window](RowCommand command) {
    window.Button(kButtons[command])->click();
    Settle();
  };
  const auto command = static_cast<RowCommand>(state.range(1));
  for (auto _ : state) {
    press(command);
    state.PauseTiming();
    if (kPutBack[command] != NoCommand) press(kPutBack[command]);
    state.ResumeTiming();
  }
  if (form.List().Table().RowCount() != Tasks(state) + 1) state.SkipWithError("rows not put back");
}
BENCHMARK(WindowRowCommand)
    ->ArgNames({"tasks", "command"})
    ->ArgsProduct({{1000, 100000}, {Add, Delete, Replicate, Increment}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WindowRowCommand)
    ->ArgNames({"tasks", "command"})
    ->ArgsProduct({{1000000}, {Add, Delete, Replicate, Increment}})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Close: the save, the window closing and everything it owns freed.
void WindowCloseAndSave(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<ShownWindow>(Tasks(state));
    state.ResumeTiming();
    window->Button("CloseButton")->click();
    Settle();
    if (window->Form->isVisible()) state.SkipWithError("the window stayed open");
    window.reset();
  }
}
BENCHMARK(WindowCloseAndSave)->Apply(UpToHundredThousand);
BENCHMARK(WindowCloseAndSave)->Apply(Million);

}  // namespace
}  // namespace taskwell::bench
