#include "interchange/ICalendarReader.h"

#include <algorithm>
#include <ctime>
#include <iterator>
#include <optional>
#include <span>

#include "document/Calendar.h"
#include "document/Text.h"
#include "interchange/DateDigits.h"
#include "interchange/Escapes.h"
#include "interchange/ICalendarWriter.h"
#include "interchange/IcalLibrary.h"
#include "interchange/RepeatMapping.h"

namespace taskwell {
namespace {

// Property names told apart by their length and last letter first: most differ there, so few
// comparisons get as far as the bytes.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && !a.empty() && a.back() == b.back() && a == b;
}

}  // namespace

// The task being read. Its slots are reused from task to task: a large file is read without
// keeping more than one task's lines.
struct ICalendarReader::Todo {
  int Line = 0;
  std::vector<ContentLine> Slots;
  std::size_t Count = 0;
  std::vector<std::string> Components;  // VALARM and the like, inside the task

  void Start(int line) {
    Line = line;
    Count = 0;
    Components.clear();
  }
  // Takes the line over; `property` gets a used slot's strings back, to be filled again.
  void Add(ContentLine& property) {
    if (Count == Slots.size()) Slots.emplace_back();
    std::swap(Slots[Count], property);
    ++Count;
  }
  auto Properties() const { return std::span(Slots.data(), Count); }
  const ContentLine* Find(std::string_view name) const {
    for (const ContentLine& property : Properties()) {
      if (SameName(property.Name, name)) return &property;
    }
    return nullptr;
  }
  std::string_view Value(std::string_view name) const {
    const ContentLine* found = Find(name);
    return found != nullptr ? std::string_view(found->Value) : std::string_view();
  }
};

// The file's own VTIMEZONEs, read by libical when a date first needs one.
struct ICalendarReader::Zones {
  std::string Text;
  icalcomponent* Calendar = nullptr;
  bool Parsed = false;
  ~Zones() { Reset({}); }
  Zones() = default;
  Zones(const Zones&) = delete;
  Zones& operator=(const Zones&) = delete;

  // The file's zones so far; read again when next needed.
  void Reset(const std::string& text) {
    if (Calendar != nullptr) IcalLibrary::Get().FreeComponent(Calendar);
    Calendar = nullptr;
    Parsed = false;
    Text = text;
  }

  icaltimezone* Find(const std::string& tzid) {
    const IcalLibrary& ical = IcalLibrary::Get();
    if (!Parsed && !Text.empty()) {
      Calendar = ical.ParseString(("BEGIN:VCALENDAR\r\n" + Text + "END:VCALENDAR\r\n").c_str());
    }
    Parsed = true;
    if (Calendar != nullptr) {
      if (icaltimezone* zone = ical.ComponentZone(Calendar, tzid.c_str())) return zone;
    }
    // A well-known zone name, as most programs write them without a VTIMEZONE.
    return ical.BuiltinZone(tzid.c_str());
  }
};

namespace {

// Properties a task list holds, or that only describe the file's copy of the task.
constexpr std::string_view kRead[] = {"UID",    "DTSTAMP",       "SUMMARY",  "DESCRIPTION",
                                      "DUE",    "DTSTART",       "PRIORITY", "RRULE",
                                      "STATUS", "LAST-MODIFIED", "CREATED",  "SEQUENCE"};

bool IsRead(std::string_view name) {
  return std::ranges::any_of(kRead, [name](std::string_view read) { return SameName(read, name); });
}

// A component or a keyword, compared as iCalendar compares them: without regard to case.
bool IsWord(std::string_view text, std::string_view upper) {
  return text.size() == upper.size() &&
         std::equal(text.begin(), text.end(), upper.begin(),
                    [](char a, char b) { return UpperAscii(a) == b; });
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kMax = 40;
  return "\"" +
         (text.size() <= kMax ? std::string(text) : std::string(text.substr(0, kMax)) + "...") +
         "\"";
}

std::string Serialized(const ContentLine& line) {
  std::string text = line.Name;
  for (const auto& [name, value] : line.Params) {
    text += ';';
    text += name;
    text += "=\"";
    text += value;
    text += '"';
  }
  text += ':';
  text += line.Value;
  text += "\r\n";
  return text;
}

double LocalDateOf(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::optional<Fixed4> OwnNumber(const ContentLine* line) {
  if (line == nullptr) return std::nullopt;
  std::string_view number = line->Value;
  std::optional<std::string> decoded;
  // Only another program would have encoded a number.
  if (number.find('%') != std::string_view::npos) {
    decoded = PercentDecode(number);
    number = decoded ? std::string_view(*decoded) : std::string_view("%");
  }
  Fixed4 value = 0;
  if (!TryTextToNumber(number, '.', value))
    throw ImportError(line->Line, line->Name + " is not a number: " + line->Value);
  return value;
}

std::string NotKeptOf(std::span<const ContentLine> properties,
                      const std::vector<std::string>& components) {
  std::string text;
  const auto add = [&text](std::string_view name) {
    if (!text.empty()) text += ", ";
    text += name;
  };
  for (const std::string& component : components)
    add(component == "VALARM" ? std::string_view("alarm") : std::string_view(component));
  for (const ContentLine& line : properties) {
    if (IsRead(line.Name) || line.Name.starts_with("X-TASKWELL-")) continue;
    if (line.Name == "ATTACH") {
      add("attachment");
    } else if (line.Name == "CATEGORIES") {
      add("categories " + UnescapeText(line.Value));
    } else {
      add(line.Name);
    }
  }
  return text;
}

// Where the walk through the components stands.
struct Walk {
  std::vector<std::string> Open;
  std::string ZoneText;
  bool InTodo() const { return Open.size() == 2 && std::string_view(Open[1]) == "VTODO"; }
};

}  // namespace

ICalendarReader::ICalendarReader(const DateFormat& dates)
    : dates_(dates), zones_(std::make_unique<Zones>()) {}

ICalendarReader::~ICalendarReader() = default;

ImportedTasks ICalendarReader::Read(std::string_view text, const Progress& progress) {
  // Old single-byte files are read as Windows-1252, as task files are: bytes that are not UTF-8
  // in one description would make the whole task file read as single-byte.
  std::string converted;
  text = AsUtf8(WithoutByteOrderMark(text), converted);
  ContentLineReader reader(text);
  ContentLine line;
  Todo todo;
  Walk walk;
  ImportedTasks imported;
  // About what a task takes as this program writes it, so that the list seldom has to move.
  imported.List.Tasks.reserve(text.size() / 128);
  bool any = false;
  while (reader.Next(line)) {
    progress.Step(static_cast<std::size_t>(line.Line), reader.Offset(), reader.Size());
    any = true;
    const bool begin = std::string_view(line.Name) == "BEGIN";
    const bool end = std::string_view(line.Name) == "END";
    if (walk.Open.empty() && !(begin && IsWord(line.Value, "VCALENDAR")))
      throw ImportError(line.Line, line.Name + " outside BEGIN:VCALENDAR ... END:VCALENDAR");
    if (!begin && !end && walk.InTodo()) {
      todo.Add(line);
      continue;
    }
    const bool inZone = std::ranges::find(walk.Open, "VTIMEZONE") != walk.Open.end();
    if (begin) {
      std::string name = UpperAscii(line.Value);
      if (walk.Open.size() == 1 && name == "VTODO") todo.Start(line.Line);
      if (walk.InTodo()) todo.Components.push_back(name);
      walk.Open.push_back(std::move(name));
    } else if (end) {
      if (!IsWord(line.Value, walk.Open.back()))
        throw ImportError(line.Line,
                          "END:" + line.Value + " where END:" + walk.Open.back() + " was expected");
      if (walk.InTodo()) ReadTodo(todo, imported);
      walk.Open.pop_back();
    } else if (walk.Open.size() == 1 && line.Name == ical::kProjectColumn) {
      if (IsWord(line.Value, "TRUE")) imported.List.HasProjCol = true;
    }
    if (inZone || (begin && walk.Open.back() == "VTIMEZONE")) {
      walk.ZoneText += Serialized(line);
      if (end && IsWord(line.Value, "VTIMEZONE")) zones_->Reset(walk.ZoneText);
    }
  }
  if (!any) throw ImportError(1, "the file is empty");
  if (!walk.Open.empty())
    throw ImportError(reader.LineNumber(), "the file ends before END:" + walk.Open.back());
  return imported;
}

void ICalendarReader::ReadTodo(const Todo& todo, ImportedTasks& into) {
  const std::string_view status = TrimView(todo.Value("STATUS"));
  if (IsWord(status, "COMPLETED") || IsWord(status, "CANCELLED")) {
    ++into.Completed;
    return;
  }
  TaskFields task;
  std::vector<Message> notes;
  std::string summary = UnescapeText(todo.Value("SUMMARY"));
  if (const ContentLine* exact = todo.Find(ical::kText)) {
    const std::optional<std::string> text = PercentDecodeText(exact->Value);
    if (text && ControlsAsBlanks(*text) == summary) summary = *text;
  }
  const std::string description = UnescapeText(todo.Value("DESCRIPTION"));
  if (notesInDescription_ && !TrimView(description).empty()) {
    std::string note(TrimView(description));
    std::ranges::replace(note, '\n', ' ');
    summary += " [notes: " + note + "]";
  }
  const ContentLine* when = todo.Find("DUE");
  if (when == nullptr) when = todo.Find("DTSTART");
  if (when != nullptr) task.Date = DueDateOf(*when, notes);
  const ContentLine* priorityLine = todo.Find("PRIORITY");
  const int priority = priorityLine != nullptr ? std::atoi(priorityLine->Value.c_str()) : 0;
  if (priority >= 1 && priority <= 9 && task.Date != 0) {
    notes.push_back(Message::Format("priority %1 (a dated task's order is its date)", priority));
  } else if (priority >= 1 && priority <= 9) {
    const std::optional<Fixed4> own = OwnNumber(todo.Find(ical::kPriority));
    task.Priority =
        own && ICalendarWriter::PriorityOf(*own) == priority ? *own : Fixed4{priority - 1} * 10000;
  }
  task.SubPriority = OwnNumber(todo.Find(ical::kSubPriority)).value_or(0);
  task.Project = OwnNumber(todo.Find(ical::kProject)).value_or(0);
  if (task.Project != 0) into.List.HasProjCol = true;
  const std::optional<std::string> header = RepeatHeader(todo, task.Date, notes);
  const std::string notKept = NotKeptOf(todo.Properties(), todo.Components);
  if (!notKept.empty()) notes.push_back(Message::Format("not kept: %1", notKept));
  for (const Message& note : notes)
    into.NotKept.push_back(Message::Format("line %1, %2: %3", todo.Line, Quoted(summary), note));
  task.Description = header ? ":" + *header + " " + summary : std::move(summary);
  into.List.Tasks.push_back(std::move(task));
}

std::optional<std::string> ICalendarReader::RepeatHeader(const Todo& todo, double due,
                                                         std::vector<Message>& notes) const {
  const ContentLine* rule = todo.Find("RRULE");
  if (rule != nullptr) {
    const icalrecurrencetype recurrence = IcalLibrary::Get().RecurrenceOf(rule->Value.c_str());
    if (recurrence.freq == ICAL_NO_RECURRENCE)
      throw ImportError(rule->Line, "RRULE is not a recurrence rule: " + rule->Value);
  }
  const std::string canonical = rule != nullptr ? RepeatMapping::CanonicalRule(rule->Value) : "";
  std::optional<std::string> header;
  if (const ContentLine* own = todo.Find(ical::kRepeat)) {
    header = PercentDecodeText(own->Value);
    // Another program may have changed the rule since: then the rule counts.
    if (header && RepeatMapping::CanonicalRule(RepeatMapping::RuleOf(*header, dates_)) != canonical)
      header.reset();
  }
  if (!header && rule != nullptr) {
    header = RepeatMapping::HeaderOfRule(rule->Value, due, dates_);
    if (!header) {
      notes.push_back(Message::Format(
          "repeats as %1, which no repeat word says: imported as a one-off task", rule->Value));
    }
  }
  return header;
}

double ICalendarReader::DueDateOf(const ContentLine& property, std::vector<Message>& notes) {
  const std::string value(TrimView(property.Value));
  double date = 0;
  // A plain date, as most tasks have, needs no calendar library.
  if (value.size() == 8 && ReadDateDigits(value, "", date)) return date;
  const IcalLibrary& ical = IcalLibrary::Get();
  const icaltimetype time = ical.TimeOf(value.c_str());
  if (ical.IsNullTime(time) || !ical.IsValidTime(time) ||
      !IsValidDate(time.year, time.month, time.day))
    throw ImportError(property.Line, property.Name + " is not a date: " + value);
  if (time.is_date) return EncodeDate(time.year, time.month, time.day);
  if (value.ends_with('Z') || value.ends_with('z'))
    return LocalDateOf(ical.SecondsOf(time, ical.UtcZone()));
  const std::string tzid = property.Param("TZID");
  if (!tzid.empty()) {
    if (icaltimezone* zone = zones_->Find(tzid)) return LocalDateOf(ical.SecondsOf(time, zone));
    notes.push_back(Message::Format("time zone %1 is unknown: the date is taken as written", tzid));
  }
  return EncodeDate(time.year, time.month, time.day);
}

}  // namespace taskwell
