#pragma once

#include <string>
#include <vector>

#include "document/DateText.h"
#include "document/Message.h"
#include "document/TaskFile.h"

namespace taskwell {

// What a reminder says about a list: the tasks overdue and those due today. Overdue is what the
// grid shows in red (a day before today); due today is every other dated task that Print and
// --due 0 list for day 0, so that all three agree.
struct Reminder {
  static constexpr std::size_t MaxListed = 5;

  int Overdue = 0;
  int DueToday = 0;
  // Up to MaxListed descriptions as UTF-8, overdue first, each in table order, without the
  // repeat rule.
  std::vector<std::string> Listed;
  Message Summary;

  bool Empty() const { return Overdue + DueToday == 0; }
  // One description a line, then "and N more"; with markup, the characters markup reads are
  // escaped.
  Message Body(bool markup) const;
};

// The reminder for a list read from its file (`textIsUtf8` as the file read it).
Reminder ReminderOf(const std::string& title, const LoadedRows& list, const DateFormat& dates,
                    bool textIsUtf8);

}  // namespace taskwell
