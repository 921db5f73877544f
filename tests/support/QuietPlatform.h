#pragma once

#include <string>

#include "document/NullPlatform.h"

namespace taskwell::testing {

// A desktop for benchmarks and fuzzing: every request is answered and forgotten, and every
// question is agreed to, so the code behind it runs.
class QuietPlatform final : public NullPlatform {
 public:
  bool Confirm(const std::string&) override { return true; }
  Rect WorkArea() override { return {0, 0, 1280, 1000}; }
  Rect WindowBounds() override { return {401, 114, 828, 540}; }
  int GridWidth() override { return 800; }
  int FullyVisibleRows(int windowHeight) override { return windowHeight / 20; }
};

}  // namespace taskwell::testing
