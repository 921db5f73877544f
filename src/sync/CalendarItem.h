#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/DateText.h"
#include "interchange/TaskFields.h"

namespace taskwell {

// A task line's identity for sync: the fields a save writes, in one spelling that no regional
// setting changes. A list without a project column has no project.
std::string SyncKey(const TaskFields& task);

// One server item (an iCalendar object holding one VTODO) as sync sees it.
class CalendarItem {
 public:
  // What the item is to the list. Nothing when it is done or cancelled: a task completed
  // elsewhere leaves the list. Throws ImportError when it is no VTODO that can be read.
  static std::optional<TaskFields> Read(std::string_view text, const DateFormat& dates,
                                        bool hasProjCol);
  // The UID of the item's VTODO, or empty.
  static std::string UidOf(std::string_view text);
  // A new item for a task.
  static std::string Create(const TaskFields& task, const std::string& uid, bool hasProjCol,
                            const DateFormat& dates, std::int64_t stamp);
  // `copy` with the fields Taskwell owns replaced by the task's, and every other property and
  // component (notes, categories, alarms, relations, other programs' own) left as it was.
  static std::string Patch(std::string_view copy, const TaskFields& task, bool hasProjCol,
                           const DateFormat& dates, std::int64_t stamp);
  // A UID no other item has: random, and plain enough to name the item's file as well.
  static std::string NewUid();
};

}  // namespace taskwell
