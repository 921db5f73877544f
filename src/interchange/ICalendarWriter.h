#pragma once

#include <cstdint>
#include <string>

#include "document/DateText.h"
#include "document/Progress.h"
#include "interchange/TaskFields.h"

namespace taskwell {

// Taskwell's own properties, for what iCalendar has no exact field for.
namespace ical {
inline constexpr std::string_view kProjectColumn = "X-TASKWELL-PROJECT-COLUMN";
inline constexpr std::string_view kRepeat = "X-TASKWELL-REPEAT";
inline constexpr std::string_view kDayOffset = "X-TASKWELL-DAY-OFFSET";
inline constexpr std::string_view kPriority = "X-TASKWELL-PRIORITY";
inline constexpr std::string_view kSubPriority = "X-TASKWELL-SUBPRIORITY";
inline constexpr std::string_view kProject = "X-TASKWELL-PROJECT";
inline constexpr std::string_view kText = "X-TASKWELL-TEXT";
// Characters that Taskwell's own values encode, so that no parser has to unescape them.
inline constexpr std::string_view kEncoded = ",;\\:\"";
}  // namespace ical

// One iCalendar object (RFC 5545) with a VTODO per task, in list order.
class ICalendarWriter {
 public:
  // `stamp` is the DTSTAMP, in seconds since 1970 (UTC).
  ICalendarWriter(const DateFormat& dates, std::int64_t stamp);

  std::string Write(const TaskList& list, const Progress& progress = {}) const;

  // One task's VTODO, BEGIN to END, with the given UID.
  std::string WriteTodo(const TaskFields& task, const std::string& uid, bool hasProjCol) const {
    std::string out;
    std::string line = "UID:" + uid;
    WriteTask(out, line, task, hasProjCol);
    return out;
  }

  // The PRIORITY for a Taskwell priority (0 most urgent): 1 to 9, clamped; exact for 0 to 8.
  static int PriorityOf(Fixed4 priority);

 private:
  // `line` holds the task's UID line and is the buffer its other lines are made in.
  void WriteTask(std::string& out, std::string& line, const TaskFields& task,
                 bool hasProjCol) const;

  const DateFormat& dates_;
  std::string stamp_;  // as DTSTAMP writes it
};

// A content line folded at 75 octets, never inside a UTF-8 character, ending in CRLF.
void AppendContentLine(std::string& out, std::string_view line);
// A TEXT value as a SUMMARY shows it: control characters as blanks, and backslash, semicolon and
// comma escaped.
void AppendShownText(std::string& out, std::string_view text);

}  // namespace taskwell
