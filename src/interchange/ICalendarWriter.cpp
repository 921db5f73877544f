#include "interchange/ICalendarWriter.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <unordered_map>

#include "document/Calendar.h"
#include "interchange/DateDigits.h"
#include "interchange/Escapes.h"
#include "interchange/RepeatMapping.h"

namespace taskwell {
namespace {

constexpr std::size_t kFoldAt = 75;

std::string Number(Fixed4 value) {
  return NumberText(value, '.');
}

std::string UtcStamp(std::int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

// What identifies a task across exports of an unchanged list: its content, and how many tasks
// before it had the same content.
std::uint64_t ContentKey(const TaskFields& task) {
  const Fixed4 numbers[] = {static_cast<Fixed4>(task.Date), task.Priority.value_or(-1),
                            task.Priority ? 1 : 0, task.SubPriority, task.Project};
  std::uint64_t hash = StableHash(task.Description);
  for (const Fixed4 number : numbers) {
    // Byte by byte, lowest first, so that the UID is the same on every machine.
    char bytes[8];
    for (int i = 0; i < 8; ++i)
      bytes[i] = static_cast<char>(static_cast<std::uint64_t>(number) >> (8 * i));
    hash = StableHash(std::string_view(bytes, sizeof bytes), hash);
  }
  return hash;
}

std::string Uid(std::uint64_t key, int occurrence) {
  char text[48];
  std::snprintf(text, sizeof text, "%016" PRIx64 "-%d@taskwell", key, occurrence);
  return text;
}

}  // namespace

void AppendContentLine(std::string& out, std::string_view line) {
  std::size_t limit = kFoldAt;
  while (line.size() > limit) {
    std::size_t cut = limit;
    // A continuation byte belongs to the character before it.
    while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = kFoldAt - 1;  // the leading blank counts
  }
  out.append(line);
  out += "\r\n";
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    if (ch == '\\' || ch == ';' || ch == ',') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else {
      out += ch;
    }
  }
  return out;
}

ICalendarWriter::ICalendarWriter(const DateFormat& dates, std::int64_t stamp)
    : dates_(dates), stamp_(UtcStamp(stamp)) {}

int ICalendarWriter::PriorityOf(Fixed4 priority) {
  const Fixed4 whole = (priority >= 0 ? priority + 5000 : priority - 5000) / 10000;
  return static_cast<int>(std::clamp<Fixed4>(whole + 1, 1, 9));
}

std::string ICalendarWriter::Write(const TaskList& list) const {
  std::string out;
  out.reserve(list.Tasks.size() * 200 + 200);
  AppendContentLine(out, "BEGIN:VCALENDAR");
  AppendContentLine(out, "VERSION:2.0");
  AppendContentLine(out, "PRODID:-//Taskwell//Taskwell 3.4//EN");
  if (list.HasProjCol) AppendContentLine(out, std::string(ical::kProjectColumn) + ":TRUE");
  std::unordered_map<std::uint64_t, int> seen;
  seen.reserve(list.Tasks.size());
  for (const TaskFields& task : list.Tasks) {
    const std::uint64_t key = ContentKey(task);
    WriteTask(out, task, Uid(key, seen[key]++), list.HasProjCol);
  }
  AppendContentLine(out, "END:VCALENDAR");
  return out;
}

void ICalendarWriter::WriteTask(std::string& out, const TaskFields& task, const std::string& uid,
                                bool hasProjCol) const {
  const auto line = [&](std::string_view name, std::string_view value) {
    if (name.size() + 1 + value.size() <= kFoldAt) {
      out.append(name);
      out += ':';
      out.append(value);
      out += "\r\n";
    } else {
      AppendContentLine(out, std::string(name) + ":" + std::string(value));
    }
  };
  const auto own = [&](std::string_view name, std::string_view value) {
    line(name, PercentEncode(value, ical::kEncoded));
  };
  const RepeatSplit split = RepeatSplit::Of(task.Description);
  line("BEGIN", "VTODO");
  line("UID", uid);
  line("DTSTAMP", stamp_);
  line("SUMMARY", EscapeText(ControlsAsBlanks(split.Rest)));
  if (HasControlCharacters(split.Rest)) own(ical::kText, split.Rest);
  if (task.Date != 0) line("DUE;VALUE=DATE", DateDigits(task.Date));
  if (task.Priority) {
    const int priority = PriorityOf(*task.Priority);
    line("PRIORITY", std::to_string(priority));
    if (Fixed4{priority - 1} * 10000 != *task.Priority)
      own(ical::kPriority, Number(*task.Priority));
  }
  if (split.HasHeader) {
    const std::string rule = RepeatMapping::RuleOf(split.Header, dates_);
    if (!rule.empty()) line("RRULE", rule);
    own(ical::kRepeat, split.Header);
    if (const auto offset = RepeatMapping::DayOffsetOf(split.Header))
      line(ical::kDayOffset, std::to_string(*offset));
  }
  if (task.SubPriority != 0) own(ical::kSubPriority, Number(task.SubPriority));
  if (hasProjCol && task.Project != 0) own(ical::kProject, Number(task.Project));
  line("END", "VTODO");
}

}  // namespace taskwell
