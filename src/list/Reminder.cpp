#include "list/Reminder.h"

#include "dates/RepeatRule.h"
#include "document/TableLayout.h"
#include "document/Text.h"
#include "grid/DueState.h"
#include "print/Report.h"

namespace taskwell {
namespace {

std::string EscapeMarkup(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The description as a reader wants it: UTF-8, without the rule.
std::string ListedText(std::string_view description, bool textIsUtf8) {
  const std::string text(TrimView(WithoutRepeatHeader(description)));
  return textIsUtf8 ? text : Cp1252ToUtf8(text);
}

Message SummaryOf(const std::string& title, int overdue, int dueToday) {
  if (overdue > 0 && dueToday > 0) {
    return Message::Format("%1: %2 overdue, %3 due today", title, overdue, dueToday);
  }
  if (overdue > 0) return Message::Format("%1: %2 overdue", title, overdue);
  if (dueToday > 0) return Message::Format("%1: %2 due today", title, dueToday);
  return Message::Format("%1: ", title);
}

}  // namespace

Message Reminder::Body(bool markup) const {
  std::string body;
  for (const std::string& line : Listed) {
    if (!body.empty()) body += '\n';
    body += markup ? EscapeMarkup(line) : line;
  }
  const int more = Overdue + DueToday - static_cast<int>(Listed.size());
  if (more > 0) return Message::Format("%1\nand %2 more", body, more);
  return Message::Value(body);
}

Reminder ReminderOf(const std::string& title, const LoadedRows& list, const DateFormat& dates,
                    bool textIsUtf8) {
  Reminder reminder;
  std::vector<std::string> dueToday;
  const int descCol = TableLayout(list.HasProjCol).DescCol();
  const double now = dates.Now();
  for (std::size_t row = 1; row < list.Rows.size(); ++row) {
    const RowView cells = list.Rows[row];
    const std::string_view dateCell = cells[TableLayout::ColDate];
    double date = 0;
    if (!TaskFile::IsSavedRow(cells, descCol) || !ReadsAsTableDate(dateCell, dates, date)) {
      continue;
    }
    const std::string_view description = cells[static_cast<std::size_t>(descCol)];
    if (DueStateOf(dateCell, dates, now) == DueState::Overdue) {
      if (reminder.Listed.size() < Reminder::MaxListed) {
        reminder.Listed.push_back(ListedText(description, textIsUtf8));
      }
      ++reminder.Overdue;
    } else if (DaysOrPriority(date, "", now) <= 0) {
      if (dueToday.size() < Reminder::MaxListed) {
        dueToday.push_back(ListedText(description, textIsUtf8));
      }
      ++reminder.DueToday;
    }
  }
  for (std::string& text : dueToday) {
    if (reminder.Listed.size() == Reminder::MaxListed) break;
    reminder.Listed.push_back(std::move(text));
  }
  reminder.Summary = SummaryOf(title, reminder.Overdue, reminder.DueToday);
  return reminder;
}

}  // namespace taskwell
