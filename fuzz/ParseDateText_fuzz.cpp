// Typed date completion must end in a date, 0, or a conversion failure: never anything else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dates/DateEntry.h"
#include "document/Calendar.h"
#include "document/Errors.h"

using namespace taskwell;

namespace {

constexpr char kSeparators[] = {'/', '.', '-', ':'};
constexpr const char* kFormats[] = {"m/d/yy", "d/m/yyyy", "yyyy/m/d", "m/d/yy"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the regional settings and the current month; the rest is the typed text.
  const std::uint8_t setup = data[0];
  RegionalSettings regional;
  regional.DateSeparator = kSeparators[setup & 3u];
  regional.ShortDateFormat = kFormats[(setup >> 2) & 3u];
  const int month = (setup >> 4) % 12 + 1;
  const FixedClock clock(EncodeDate(setup & 0x80u ? 2028 : 2026, month, 10));
  const DateFormat dates(regional, clock);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  double date = 0;
  try {
    date = ParseDateText(text, FirstDayOfMonth(clock.Now()), dates);
  } catch (const EConvertError&) {
    return 0;
  }
  // The parser has no desktop to speak to; the commit reports a text that gives no date.
  if (date != 0) {
    // Whatever the commit writes back must read back as the same day.
    double again = 0;
    if (!dates.TryParseTableDate(dates.FormatDateText(date), again) || again != date) {
      __builtin_trap();
    }
  }
  return 0;
}
