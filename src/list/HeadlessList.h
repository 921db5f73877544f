#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "document/Clock.h"
#include "document/Regional.h"

namespace taskwell {

class ToDoList;
class Platform;

// A task list read for a command that shows no window (--due, --remind): the list's messages
// become lines on `err`, nothing is locked and the file is never written.
class HeadlessList {
 public:
  HeadlessList(const RegionalSettings& regional, const Clock& clock, std::ostream& err);
  ~HeadlessList();
  HeadlessList(const HeadlessList&) = delete;
  HeadlessList& operator=(const HeadlessList&) = delete;

  enum class Loaded { Whole, InPart, Not };
  // Not, with a line on `err`, when the file cannot be read at all: a window would start from an
  // empty list, which would hide a mistyped name from a timer or a cron job. InPart when the load
  // stopped early (the part read is in List()).
  Loaded Load(const std::string& file);
  const ToDoList& List() const { return *list_; }

 private:
  std::ostream& err_;
  std::unique_ptr<Platform> console_;
  std::unique_ptr<ToDoList> list_;
};

}  // namespace taskwell
