#pragma once
// LoadTaskFile of 100,000 tasks, the yardstick that a benchmark program's other file work is held
// against, measured in the same run. Include it in one file of each program that needs it.
#include "BenchTasks.h"

namespace taskwell::bench {

inline constexpr int kYardstickTasks = 100000;

inline void BM_LoadTaskFile(benchmark::State& state) {
  TimeLoadTaskFile(state, kYardstickTasks);
}
BENCHMARK(BM_LoadTaskFile)->Unit(benchmark::kMillisecond);

}  // namespace taskwell::bench
