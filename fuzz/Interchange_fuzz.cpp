// The iCalendar and todo.txt readers on any bytes: they must never crash or hang, and whatever
// they import must come back unchanged from an export in either format.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/Clock.h"
#include "interchange/Interchange.h"

using namespace taskwell;

namespace {

void ExpectRoundTrip(const TaskList& list, const DateFormat& dates) {
  for (const ExchangeFormat format : {ExchangeFormat::ICalendar, ExchangeFormat::TodoTxt}) {
    const ImportedTasks back = ImportText(ExportText(list, format, dates, 0), dates);
    if (back.List.Tasks != list.Tasks) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FixedClock clock(46183.375);  // 10 June 2026, 09:00
  static const DateFormat dates(RegionalSettings{}, clock);
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Both readers on every input, the way an import reaches them.
  for (const std::string& input : {text, "BEGIN:VCALENDAR\r\n" + text}) {
    try {
      ExpectRoundTrip(ImportText(input, dates).List, dates);
    } catch (const ImportError&) {
    }
  }
  return 0;
}
