#include "interchange/ICalendarWriter.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <unordered_map>
#include <vector>

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

void AppendUid(std::string& out, std::uint64_t key, int occurrence) {
  static constexpr char kHex[] = "0123456789abcdef";
  char hex[16];
  for (int i = 15; i >= 0; --i, key >>= 4) hex[i] = kHex[key & 15];
  out.append(hex, sizeof hex);
  out += '-';
  out += std::to_string(occurrence);
  out += "@taskwell";
}

// How many tasks before have had each content key: an open-addressed table of the keys, as a
// node per task would cost more than the rest of the export. Keys seen again, which are rare,
// keep their counts aside.
class Occurrences {
 public:
  explicit Occurrences(std::size_t tasks) {
    std::size_t size = 16;
    while (size < 2 * tasks) size *= 2;
    keys_.resize(size);
  }
  // The table is far larger than the caches: the slot of a key needed soon is fetched early.
  void Prefetch(std::uint64_t key) const { __builtin_prefetch(&keys_[SlotOf(key)]); }
  int Next(std::uint64_t key) {
    // Key 0 marks a free slot, so it is counted aside too.
    if (key == 0) return repeated_[0]++;
    std::size_t at = SlotOf(key);
    while (keys_[at] != 0 && keys_[at] != key) at = (at + 1) & (keys_.size() - 1);
    if (keys_[at] == 0) {
      keys_[at] = key;
      return 0;
    }
    return ++repeated_[key];
  }

 private:
  std::size_t SlotOf(std::uint64_t key) const {
    return static_cast<std::size_t>(key ^ (key >> 29)) & (keys_.size() - 1);
  }
  std::vector<std::uint64_t> keys_;
  std::unordered_map<std::uint64_t, int> repeated_;
};

}  // namespace

void AppendContentLine(std::string& out, std::string_view line) {
  if (line.size() <= kFoldAt) {
    out.append(line);
    out += "\r\n";
    return;
  }
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

void AppendShownText(std::string& out, std::string_view text) {
  const auto plain = [](char ch) {
    return !IsControlByte(static_cast<unsigned char>(ch)) && ch != '\\' && ch != ';' && ch != ',';
  };
  // Runs of plain text go in whole.
  std::size_t run = 0;
  while (run < text.size() && plain(text[run])) ++run;
  out.append(text.substr(0, run));
  text.remove_prefix(run);
  for (const char ch : text) {
    if (IsControlByte(static_cast<unsigned char>(ch))) {
      out += ' ';
    } else if (ch == '\\' || ch == ';' || ch == ',') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else {
      out += ch;
    }
  }
}

ICalendarWriter::ICalendarWriter(const DateFormat& dates, std::int64_t stamp)
    : dates_(dates), stamp_(UtcStamp(stamp)) {}

int ICalendarWriter::PriorityOf(Fixed4 priority) {
  const Fixed4 whole = (priority >= 0 ? priority + 5000 : priority - 5000) / 10000;
  return static_cast<int>(std::clamp<Fixed4>(whole + 1, 1, 9));
}

std::string ICalendarWriter::Write(const TaskList& list, const Progress& progress) const {
  std::string out;
  out.reserve(list.Tasks.size() * 160 + 200);
  AppendContentLine(out, "BEGIN:VCALENDAR");
  AppendContentLine(out, "VERSION:2.0");
  AppendContentLine(out, "PRODID:-//Taskwell//Taskwell 3.4//EN");
  if (list.HasProjCol) AppendContentLine(out, std::string(ical::kProjectColumn) + ":TRUE");
  const std::size_t count = list.Tasks.size();
  std::vector<std::uint64_t> keys(count);
  for (std::size_t i = 0; i < count; ++i) keys[i] = ContentKey(list.Tasks[i]);
  Occurrences seen(count);
  constexpr std::size_t kAhead = 16;
  std::string line;
  for (std::size_t i = 0; i < count; ++i) {
    progress.Step(i, count);
    if (i + kAhead < count) seen.Prefetch(keys[i + kAhead]);
    const TaskFields& task = list.Tasks[i];
    line.assign("UID:");
    AppendUid(line, keys[i], seen.Next(keys[i]));
    WriteTask(out, line, task, list.HasProjCol);
  }
  AppendContentLine(out, "END:VCALENDAR");
  return out;
}

void ICalendarWriter::WriteTask(std::string& out, std::string& line, const TaskFields& task,
                                bool hasProjCol) const {
  // Each line is made in the one buffer, then folded onto the output.
  const auto start = [&line](std::string_view name) -> std::string& {
    line.assign(name);
    line += ':';
    return line;
  };
  const auto end = [&] { AppendContentLine(out, line); };
  const auto own = [&](std::string_view name, std::string_view value) {
    AppendPercentEncoded(start(name), value, ical::kEncoded);
    end();
  };
  const RepeatParts split = RepeatParts::Of(task.Description);
  out += "BEGIN:VTODO\r\n";
  end();  // the UID, made by Write
  out += "DTSTAMP:";
  out += stamp_;
  out += "\r\n";
  AppendShownText(start("SUMMARY"), split.Rest);
  end();
  if (HasControlCharacters(split.Rest)) own(ical::kText, split.Rest);
  if (task.Date != 0) {
    AppendDateDigits(start("DUE;VALUE=DATE"), task.Date);
    end();
  }
  if (task.Priority) {
    const int priority = PriorityOf(*task.Priority);
    start("PRIORITY") += std::to_string(priority);
    end();
    if (Fixed4{priority - 1} * 10000 != *task.Priority)
      own(ical::kPriority, Number(*task.Priority));
  }
  if (split.HasHeader) {
    const std::string rule = RepeatMapping::RuleOf(split.Header, dates_);
    if (!rule.empty()) {
      start("RRULE") += rule;
      end();
    }
    own(ical::kRepeat, split.Header);
    if (const auto offset = RepeatMapping::DayOffsetOf(split.Header)) {
      start(ical::kDayOffset) += std::to_string(*offset);
      end();
    }
  }
  if (task.SubPriority != 0) own(ical::kSubPriority, Number(task.SubPriority));
  if (hasProjCol && task.Project != 0) own(ical::kProject, Number(task.Project));
  out += "END:VTODO\r\n";
}

}  // namespace taskwell
