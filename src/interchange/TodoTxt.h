#pragma once

#include <string>
#include <string_view>

#include "document/Progress.h"
#include "interchange/ImportedTasks.h"

namespace taskwell {

// todo.txt, one task a line: "(A) text due:2026-06-10 rec:+1w", with Taskwell's own values as
// tw-… key:value pairs where the conventions have no exact word.
class TodoTxt {
 public:
  static std::string Write(const TaskList& list, const Progress& progress = {});
  // A byte-order mark, CRLF or LF, and single-byte text are accepted. A value of ours or a due
  // date that cannot be read throws ImportError with its line.
  static ImportedTasks Read(std::string_view text, const Progress& progress = {});

  // (A) to (Z) stand for the priorities 0 to 25; other priorities have their own key.
  static constexpr int kLetters = 26;
};

}  // namespace taskwell
