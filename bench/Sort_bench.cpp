// Sorting the task table: the fast sort against the quadratic exchange procedure it replaces.
#include <random>

#include "BenchTasks.h"
#include "support/ReferenceSort.h"

namespace taskwell {
namespace {

enum Shape { Realistic = 0, HeavyDuplicates = 1 };

using Rows = std::vector<std::vector<std::string>>;

// Realistic: dates spread over two years, some undated tasks with a priority, sub-priorities
// and distinct descriptions. Heavy duplicates: every other row has one and the same key, the
// rows between have distinct smaller keys.
Rows MakeRows(Shape shape, int count, const DateFormat& dates) {
  std::mt19937 random(static_cast<unsigned>(count) * 2 + static_cast<unsigned>(shape));
  const double first = EncodeDate(2026, 1, 1);
  Rows rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (shape == HeavyDuplicates) {
      if (i % 2 == 0) {
        rows.push_back({"12/31/2027", "Fri", "", "same task"});
      } else {
        const double day = first + (i / 2) % 700;
        rows.push_back(
            {dates.FormatDateText(day), dates.WeekdayText(day), "", "task " + std::to_string(i)});
      }
      continue;
    }
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    const std::string sub = kind < 3 ? std::to_string(kind + 1) : "";
    const std::string desc = "task " + std::to_string(random() % 1000000) + " call the office";
    if (kind == 9) {
      rows.push_back({"", std::to_string(random() % 30), sub, desc});
    } else {
      const double day = first + static_cast<double>(random() % 730);
      rows.push_back({dates.FormatDateText(day), dates.WeekdayText(day), sub, desc});
    }
  }
  return rows;
}

struct Table : bench::ListContext {
  explicit Table(int count, Shape shape) : List(Ui, Dates) {
    Source = MakeRows(shape, count, Dates);
    ListTestAccess::Table(List).SetColCount(4);
    Fill();
  }
  void Fill() {
    ListTestAccess::Table(List).SetRowCount(1);
    ListTestAccess::Table(List).SetRowCount(static_cast<int>(Source.size()) + 1);
    for (std::size_t r = 0; r < Source.size(); ++r) {
      for (std::size_t c = 0; c < 4; ++c) {
        List.TypeInCell(static_cast<int>(c), static_cast<int>(r) + 1, Source[r][c]);
      }
    }
    ListTestAccess::SetPendingRow(List, 0);
  }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (int r = 1; r < List.Table().RowCount(); ++r)
      keys.push_back(ListTestAccess::BuildSortKey(List, r));
    return keys;
  }
  ToDoList List;
  Rows Source;
};

void SortTable(benchmark::State& state) {
  Table table(static_cast<int>(state.range(1)), static_cast<Shape>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    table.Fill();
    state.ResumeTiming();
    ListTestAccess::SortTable(table.List);
  }
}
BENCHMARK(SortTable)
    ->ArgNames({"dups", "rows"})
    ->ArgsProduct({{Realistic, HeavyDuplicates}, {1000, 10000, 100000}})
    ->Unit(benchmark::kMillisecond);

// The exchange procedure on the keys alone: a lower bound for the original routine, which also
// copies three whole rows per exchange.
void ReferenceExchangeOnKeys(benchmark::State& state) {
  const Table table(static_cast<int>(state.range(1)), static_cast<Shape>(state.range(0)));
  const std::vector<std::string> keys = table.Keys();
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceExchangeSort(keys, 0));
}
BENCHMARK(ReferenceExchangeOnKeys)
    ->ArgNames({"dups", "rows"})
    ->ArgsProduct({{Realistic, HeavyDuplicates}, {1000, 10000}})
    ->Unit(benchmark::kMillisecond);

// The original routine on the grid, whole-row exchanges included.
void ReferenceSortTable(benchmark::State& state) {
  Table table(static_cast<int>(state.range(1)), static_cast<Shape>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    table.Fill();
    state.ResumeTiming();
    testing::ReferenceSortTable(table.List);
  }
}
BENCHMARK(ReferenceSortTable)
    ->ArgNames({"dups", "rows"})
    ->ArgsProduct({{Realistic, HeavyDuplicates}, {1000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taskwell
