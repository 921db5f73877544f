#include "interchange/TodoTxt.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/Calendar.h"
#include "document/Text.h"
#include "interchange/DateDigits.h"
#include "interchange/Escapes.h"
#include "interchange/RepeatMapping.h"

namespace taskwell {
namespace {

constexpr std::string_view kDue = "due:";
constexpr std::string_view kRec = "rec:";
constexpr std::string_view kOwn = "tw-";
constexpr std::string_view kPri = "tw-pri:";
constexpr std::string_view kSub = "tw-sub:";
constexpr std::string_view kProj = "tw-proj:";
constexpr std::string_view kRepeat = "tw-repeat:";
constexpr std::string_view kText = "tw-text:";

// Words the reader takes for values rather than text.
bool IsValueWord(std::string_view word) {
  if (word.empty() || (word[0] != 'd' && word[0] != 'r' && word[0] != 't')) return false;
  return word.starts_with(kDue) || word.starts_with(kRec) || word.starts_with(kOwn);
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// The text words of a description as a line shows them, values and control characters aside.
std::string TextWords(std::string_view text) {
  std::string joined;
  const std::string plain = ControlsAsBlanks(text);
  for (const std::string_view word : Words(plain)) {
    if (IsValueWord(word)) continue;
    if (!joined.empty()) joined += ' ';
    joined += word;
  }
  return joined;
}

std::string Number(Fixed4 value) {
  return NumberText(value, '.');
}

bool HasLetter(const TaskFields& task) {
  return task.Priority && *task.Priority >= 0 && *task.Priority % 10000 == 0 &&
         *task.Priority / 10000 < TodoTxt::kLetters;
}

// Everything after the text: the values.
void AppendValueWords(std::string& words, const TaskFields& task, const RepeatParts& split,
                      bool hasProjCol) {
  const auto add = [&words](std::string_view key) -> std::string& {
    words += ' ';
    words.append(key);
    return words;
  };
  if (task.Date != 0) AppendDateDigits(add(kDue), task.Date, "-");
  if (split.HasHeader) {
    const std::string rec = RepeatMapping::RecOf(split.Header);
    if (!rec.empty()) add(kRec) += rec;
    AppendPercentEncoded(add(kRepeat), split.Header);
  }
  if (task.Priority && !HasLetter(task)) add(kPri) += Number(*task.Priority);
  if (task.SubPriority != 0) add(kSub) += Number(task.SubPriority);
  // A list with a project column says so on every task, so that a new list gets one too.
  if (hasProjCol) add(kProj) += Number(task.Project);
}

// Whether a line of the text and the values surely reads back as the task, without reading it:
// single blanks between words, none of them a value, nothing a reader takes for a done mark or
// a priority, and values that say all of the task.
bool SurelyReadsBack(const TaskFields& task, std::string_view text, bool lettered,
                     bool hasProjCol) {
  const bool valuesSayAll = !(task.Date != 0 && task.Priority) &&
                            (hasProjCol || task.Project == 0) &&
                            (task.Date == 0 || (task.Date >= 1 && task.Date == DateOf(task.Date)));
  if (!valuesSayAll || text.empty()) return false;
  const auto front = static_cast<unsigned char>(text.front());
  // A byte-order mark at the start of a file is not text.
  if (front <= ' ' || front == 0xEF || static_cast<unsigned char>(text.back()) <= ' ') return false;
  if (!lettered && (text.front() == 'x' || text.front() == '(')) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsControlByte(static_cast<unsigned char>(text[i]))) return false;
    if (i > 0 && text[i - 1] != ' ') continue;
    // The start of a word.
    if (text[i] == ' ' || IsValueWord(text.substr(i, 4))) return false;
  }
  return true;
}

struct LineRead {
  TaskFields Task;
  bool Completed = false;
  bool HasProject = false;
  std::vector<Message> Notes;
};

LineRead ReadLine(std::string_view line, int number);

}  // namespace

std::string TodoTxt::Write(const TaskList& list, const Progress& progress) {
  std::string out;
  out.reserve(list.Tasks.size() * 64);
  std::string values;
  for (std::size_t i = 0; i < list.Tasks.size(); ++i) {
    progress.Step(i, list.Tasks.size());
    const TaskFields& task = list.Tasks[i];
    const RepeatParts split = RepeatParts::Of(task.Description);
    values.clear();
    AppendValueWords(values, task, split, list.HasProjCol);
    const std::size_t lineStart = out.size();
    const bool lettered = HasLetter(task);
    if (lettered) {
      out += '(';
      out += static_cast<char>('A' + *task.Priority / 10000);
      out += ") ";
    }
    const std::size_t textStart = out.size();
    out.append(split.Rest);
    out.append(values);
    // Text the line cannot show as it is (runs of blanks, control characters, words that read as
    // values, a leading "x ", a byte-order mark a reader drops from the first line) travels
    // encoded beside what can be shown.
    if (!SurelyReadsBack(task, split.Rest, lettered, list.HasProjCol) &&
        (HasControlCharacters(split.Rest) || split.Rest.starts_with(kByteOrderMark) ||
         !(ReadLine(std::string_view(out).substr(lineStart), 1).Task == task))) {
      out.resize(textStart);
      const std::string shown = TextWords(split.Rest);
      out += kText;
      AppendPercentEncoded(out, split.Rest);
      if (!shown.empty()) out += ' ';
      out += shown;
      out += values;
    }
    out += '\n';
  }
  return out;
}

ImportedTasks TodoTxt::Read(std::string_view text, const Progress& progress) {
  std::string converted;
  const std::string_view utf8 = AsUtf8(WithoutByteOrderMark(text), converted);
  ImportedTasks imported;
  // A line a task: growing the list as it is read would move it again and again.
  imported.List.Tasks.reserve(CountByte(utf8, '\n') + 1);
  std::size_t start = 0;
  int number = 0;
  while (start < utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    std::string_view line(utf8.data() + start, end - start);
    start = end + 1;
    progress.Step(static_cast<std::size_t>(++number), start, utf8.size());
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (TrimView(line).empty()) continue;
    LineRead read = ReadLine(line, number);
    if (read.Completed) {
      ++imported.Completed;
      continue;
    }
    if (read.HasProject) imported.List.HasProjCol = true;
    for (const Message& note : read.Notes)
      imported.NotKept.push_back(Message::Format("line %1: %2", number, note));
    imported.List.Tasks.push_back(std::move(read.Task));
  }
  return imported;
}

namespace {

Fixed4 OwnNumber(std::string_view word, std::string_view key, int number) {
  Fixed4 value = 0;
  if (!TryTextToNumber(word.substr(key.size()), '.', value))
    throw ImportError(number, std::string(word) + " is not a number");
  return value;
}

std::string OwnText(std::string_view word, std::string_view key, int number) {
  const std::optional<std::string> text = PercentDecodeText(word.substr(key.size()));
  if (!text) throw ImportError(number, std::string(word) + " is not readable");
  return *text;
}

// The values of a line, each word once, as views into the line; the text words in order.
struct LineWords {
  std::string Text;
  std::optional<std::string_view> Due, Rec, Pri, Sub, Proj, Repeat, Exact;
};

LineWords SortWords(std::string_view rest) {
  LineWords words;
  words.Text.reserve(rest.size());
  const std::pair<std::string_view, std::optional<std::string_view>*> keys[] = {
      {kDue, &words.Due},   {kRec, &words.Rec},       {kPri, &words.Pri},   {kSub, &words.Sub},
      {kProj, &words.Proj}, {kRepeat, &words.Repeat}, {kText, &words.Exact}};
  std::size_t start = 0;
  while (start < rest.size()) {
    const std::size_t end = std::min(rest.find(' ', start), rest.size());
    const std::string_view word = rest.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    bool taken = false;
    // Only a word that starts as a value can be one.
    if (IsValueWord(word)) {
      for (const auto& [key, slot] : keys) {
        if (word.starts_with(key) && !*slot) {
          *slot = word;
          taken = true;
          break;
        }
      }
    }
    if (taken) continue;
    if (!words.Text.empty()) words.Text += ' ';
    words.Text += word;
  }
  return words;
}

void ReadRepeat(const LineWords& words, TaskFields& task, std::vector<Message>& notes, int number) {
  const std::string rec(words.Rec ? words.Rec->substr(kRec.size()) : std::string_view());
  std::optional<std::string> header;
  if (words.Repeat) {
    header = OwnText(*words.Repeat, kRepeat, number);
    // Another program may have changed the rec: since; then it counts.
    const std::string ownRec = RepeatMapping::RecOf(*header);
    if (ownRec != rec && (rec.empty() || ownRec != "+" + rec)) header.reset();
  }
  if (!header && words.Rec) {
    header = RepeatMapping::HeaderOfRec(rec);
    if (!header)
      notes.push_back(
          Message::Format("%1 has no repeat word: imported as a one-off task", *words.Rec));
  }
  if (header) task.Description.insert(0, ":" + *header + " ");
}

LineRead ReadLine(std::string_view line, int number) {
  LineRead read;
  if (line.starts_with("x ")) {
    read.Completed = true;
    return read;
  }
  std::optional<Fixed4> letter;
  if (line.size() >= 4 && line[0] == '(' && line[1] >= 'A' && line[1] <= 'Z' && line[2] == ')' &&
      line[3] == ' ') {
    letter = Fixed4{line[1] - 'A'} * 10000;
    line.remove_prefix(4);
  }
  LineWords words = SortWords(line);
  TaskFields& task = read.Task;
  std::string exact = words.Exact ? OwnText(*words.Exact, kText, number) : std::string();
  task.Description =
      words.Exact && TextWords(exact) == words.Text ? std::move(exact) : std::move(words.Text);
  if (words.Due && (words.Due->size() != kDue.size() + 10 ||
                    !ReadDateDigits(words.Due->substr(kDue.size()), "-", task.Date)))
    throw ImportError(number,
                      std::string(*words.Due) + " is not a date of the form due:YYYY-MM-DD");
  if (words.Pri && !letter) letter = OwnNumber(*words.Pri, kPri, number);
  if (letter && task.Date != 0) {
    read.Notes.push_back(
        Message::Format("priority %1 (a dated task's order is its date)", Number(*letter)));
  } else {
    task.Priority = letter;
  }
  if (words.Sub) task.SubPriority = OwnNumber(*words.Sub, kSub, number);
  if (words.Proj) {
    task.Project = OwnNumber(*words.Proj, kProj, number);
    read.HasProject = true;
  }
  ReadRepeat(words, task, read.Notes, number);
  return read;
}

}  // namespace
}  // namespace taskwell
