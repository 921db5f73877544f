#include "sync/CalendarItem.h"

#include <random>
#include <set>
#include <vector>

#include "document/NumberText.h"
#include "document/Text.h"
#include "interchange/DateDigits.h"
#include "interchange/ICalendarReader.h"
#include "interchange/ICalendarWriter.h"

namespace taskwell {
namespace {

// The properties a Taskwell edit rewrites; everything else in the VTODO stays.
bool Owned(std::string_view name) {
  static const std::set<std::string, std::less<>> kOwned = {
      "SUMMARY", "DUE", "PRIORITY", "RRULE", "DTSTAMP", "LAST-MODIFIED", "SEQUENCE"};
  return kOwned.contains(name) || name.starts_with("X-TASKWELL-");
}

// The physical lines of one logical content line, as they were, and its upper-case name.
struct RawLine {
  std::string Text;  // folded lines included, line ends as they were
  std::string Name;
};

std::vector<RawLine> RawLines(std::string_view text) {
  std::vector<RawLine> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view physical = text.substr(at, end - at);
    if ((physical.starts_with(' ') || physical.starts_with('\t')) && !lines.empty()) {
      lines.back().Text.append(physical);
    } else {
      const std::size_t nameEnd = physical.find_first_of(";:\r\n");
      lines.push_back({std::string(physical), UpperAscii(physical.substr(0, nameEnd))});
    }
    at = end;
  }
  return lines;
}

std::string ValueOf(const RawLine& line) {
  std::string unfolded;
  for (std::size_t i = 0; i < line.Text.size(); ++i) {
    const char ch = line.Text[i];
    if (ch == '\r') continue;
    if (ch == '\n') {
      ++i;  // the fold's blank
      continue;
    }
    unfolded += ch;
  }
  const std::size_t colon = unfolded.find(':');
  return colon == std::string::npos ? std::string() : unfolded.substr(colon + 1);
}

int SequenceOf(const std::vector<RawLine>& lines) {
  for (const RawLine& line : lines) {
    if (line.Name == "SEQUENCE") return std::atoi(ValueOf(line).c_str());
  }
  return 0;
}

// A start after the due date would make the item invalid, and a start without one would read
// back as the task's date.
bool StaleStart(const RawLine& line, double due) {
  double start = 0;
  return due == 0 || !ReadDateDigits(ValueOf(line), "", start) || start > due;
}

}  // namespace

std::string SyncKey(const TaskFields& task) {
  std::string key = task.Date != 0 ? DateDigits(task.Date) : "-";
  key += '|';
  key += task.Priority ? NumberText(*task.Priority, '.') : "-";
  key += '|' + NumberText(task.SubPriority, '.') + '|' + NumberText(task.Project, '.') + '|';
  key += task.Description;
  return key;
}

std::optional<TaskFields> CalendarItem::Read(std::string_view text, const DateFormat& dates,
                                             bool hasProjCol) {
  ICalendarReader reader(dates);
  reader.LeaveNotesOut();
  ImportedTasks read = reader.Read(text);
  if (read.List.Tasks.size() + static_cast<std::size_t>(read.Completed) != 1)
    throw ImportError(1, "the item holds no single VTODO");
  if (read.List.Tasks.empty()) return std::nullopt;
  TaskFields task = std::move(read.List.Tasks.front());
  if (!hasProjCol) task.Project = 0;
  // A list keeps no task without a description.
  if (TrimBlanksView(task.Description).empty()) task.Description = "(no description)";
  return task;
}

std::string CalendarItem::UidOf(std::string_view text) {
  int depth = 0;
  for (const RawLine& line : RawLines(text)) {
    if (line.Name == "BEGIN") ++depth;
    if (line.Name == "END") --depth;
    if (depth == 2 && line.Name == "UID") return std::string(TrimView(ValueOf(line)));
  }
  return {};
}

std::string CalendarItem::Create(const TaskFields& task, const std::string& uid, bool hasProjCol,
                                 const DateFormat& dates, std::int64_t stamp) {
  std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Taskwell//Taskwell 3.4//EN\r\n";
  out += ICalendarWriter(dates, stamp).WriteTodo(task, uid, hasProjCol);
  out += "END:VCALENDAR\r\n";
  return out;
}

std::string CalendarItem::Patch(std::string_view copy, const TaskFields& task, bool hasProjCol,
                                const DateFormat& dates, std::int64_t stamp) {
  const std::vector<RawLine> lines = RawLines(copy);
  const std::string uid = UidOf(copy);
  const std::vector<RawLine> ours =
      RawLines(ICalendarWriter(dates, stamp).WriteTodo(task, uid, hasProjCol));
  const int sequence = SequenceOf(lines) + 1;
  std::string out;
  int depth = 0;
  for (const RawLine& line : lines) {
    if (line.Name == "BEGIN") ++depth;
    const bool inTodo = depth == 2 && line.Name != "BEGIN";
    if (inTodo && line.Name == "END") {
      // Ours go last, where no other program's order is disturbed.
      for (const RawLine& mine : ours) {
        if (mine.Name != "BEGIN" && mine.Name != "END" && mine.Name != "UID") out += mine.Text;
      }
      out += "SEQUENCE:" + std::to_string(sequence) + "\r\n";
    }
    if (line.Name == "END") --depth;
    const bool staleStart = inTodo && line.Name == "DTSTART" && StaleStart(line, task.Date);
    if (inTodo && (Owned(line.Name) || staleStart)) continue;
    out += line.Text;
  }
  return out;
}

std::string CalendarItem::NewUid() {
  std::random_device random;
  std::string uid;
  constexpr char kHex[] = "0123456789abcdef";
  for (int i = 0; i < 32; ++i) {
    uid += kHex[random() % 16];
    if (i == 7 || i == 11 || i == 15 || i == 19) uid += '-';
  }
  return uid + "-taskwell";
}

}  // namespace taskwell
