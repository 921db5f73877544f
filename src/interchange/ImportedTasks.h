#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "document/Message.h"

#include "interchange/TaskFields.h"

namespace taskwell {

// What a reader made of another program's file.
struct ImportedTasks {
  TaskList List;
  // Tasks that were done or cancelled: not imported, only counted.
  int Completed = 0;
  // One line for each thing that could not be carried over as it was.
  std::vector<Message> NotKept;
};

// A file that cannot be read as its format: nothing of it is imported.
class ImportError : public std::runtime_error {
 public:
  ImportError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

}  // namespace taskwell
