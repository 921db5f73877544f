#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/Progress.h"
#include "interchange/ImportedTasks.h"

namespace taskwell {

enum class ExchangeFormat { ICalendar, TodoTxt };

// "ics" or "todotxt", as the command line names them.
std::optional<ExchangeFormat> ExchangeFormatNamed(std::string_view name);

// The list in the other format; `stamp` (seconds since 1970, UTC) dates an iCalendar export.
std::string ExportText(const TaskList& list, ExchangeFormat format, const DateFormat& dates,
                       std::int64_t stamp, const Progress& progress = {});

// The format is told by the content: BEGIN:VCALENDAR is iCalendar, anything else todo.txt.
ExchangeFormat FormatOfText(std::string_view text);
ImportedTasks ImportText(std::string_view text, const DateFormat& dates,
                         const Progress& progress = {});

}  // namespace taskwell
