#include "interchange/Interchange.h"

#include "document/Text.h"
#include "interchange/ICalendarReader.h"
#include "interchange/ICalendarWriter.h"
#include "interchange/TodoTxt.h"

namespace taskwell {

std::optional<ExchangeFormat> ExchangeFormatNamed(std::string_view name) {
  if (name == "ics") return ExchangeFormat::ICalendar;
  if (name == "todotxt") return ExchangeFormat::TodoTxt;
  return std::nullopt;
}

std::string ExportText(const TaskList& list, ExchangeFormat format, const DateFormat& dates,
                       std::int64_t stamp, const Progress& progress) {
  if (format == ExchangeFormat::ICalendar)
    return ICalendarWriter(dates, stamp).Write(list, progress);
  return TodoTxt::Write(list, progress);
}

ExchangeFormat FormatOfText(std::string_view text) {
  text = WithoutByteOrderMark(text);
  constexpr std::string_view kBegin = "BEGIN:VCALENDAR";
  const std::string_view start = TrimView(text).substr(0, kBegin.size());
  return UpperAscii(start) == kBegin ? ExchangeFormat::ICalendar : ExchangeFormat::TodoTxt;
}

ImportedTasks ImportText(std::string_view text, const DateFormat& dates, const Progress& progress) {
  // Each reader takes old single-byte files as Windows-1252.
  ImportedTasks imported = FormatOfText(text) == ExchangeFormat::ICalendar
                               ? ICalendarReader(dates).Read(text, progress)
                               : TodoTxt::Read(text, progress);
  // A list does not keep a task without a description; one without a title still counts.
  for (TaskFields& task : imported.List.Tasks) {
    if (TrimBlanksView(task.Description).empty()) task.Description = "(no description)";
  }
  return imported;
}

}  // namespace taskwell
