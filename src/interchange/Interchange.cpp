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
                       std::int64_t stamp) {
  if (format == ExchangeFormat::ICalendar) return ICalendarWriter(dates, stamp).Write(list);
  return TodoTxt::Write(list);
}

ExchangeFormat FormatOfText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  constexpr std::string_view kBegin = "BEGIN:VCALENDAR";
  const std::string_view start = TrimView(text).substr(0, kBegin.size());
  return UpperAscii(start) == kBegin ? ExchangeFormat::ICalendar : ExchangeFormat::TodoTxt;
}

ImportedTasks ImportText(std::string_view text, const DateFormat& dates) {
  if (FormatOfText(text) == ExchangeFormat::ICalendar) return ICalendarReader(dates).Read(text);
  return TodoTxt::Read(text);
}

}  // namespace taskwell
