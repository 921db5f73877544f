#pragma once

#include <iosfwd>
#include <string>

#include "document/Clock.h"
#include "document/DateText.h"
#include "document/Regional.h"
#include "document/TaskFile.h"

namespace taskwell {

// A task list read for a command that shows no window (--due, --remind): no lock is taken and
// the file is never written.
class HeadlessList {
 public:
  HeadlessList(const RegionalSettings& regional, const Clock& clock, const std::string& file);

  enum class Loaded { Whole, InPart, Not };
  // Not, with a line on `err`, when the file cannot be read at all: a window would start from an
  // empty list, which would hide a mistyped name from a timer or a cron job. InPart, with the
  // reason on `err`, when the load stopped early; what was read is in Rows() all the same.
  Loaded Load(std::ostream& err);

  const DateFormat& Dates() const { return dates_; }
  const TaskFile& File() const { return file_; }
  const LoadedRows& Rows() const { return rows_; }
  std::string Title() const;

 private:
  DateFormat dates_;
  TaskFile file_;
  LoadedRows rows_;
};

}  // namespace taskwell
