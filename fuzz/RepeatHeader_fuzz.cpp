// Increment on a one-task table: it must never crash or hang, and a stop or a failure must leave
// the row exactly as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/RepeatRule.h"
#include "document/Calendar.h"
#include "document/Errors.h"
#include "list/ToDoList.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

using namespace taskwell;

namespace {

// Stops the run in a way libFuzzer records as a crash, with the input that caused it.
void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// Three bytes make a date that exists, so most inputs get past the date check; a leading byte
// with the top bit set makes the date cell raw text instead.
std::string DateCell(std::string_view& input, const DateFormat& dates) {
  if (input.size() < 3) return {};
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(input[i]); };
  if (byte(0) & 0x80u) {
    const std::size_t length = byte(0) & 0x0Fu;
    const std::size_t taken = length + 1 < input.size() ? length : input.size() - 1;
    std::string raw(input.substr(1, taken));
    input.remove_prefix(taken + 1);
    return raw;
  }
  const int year = static_cast<int>((byte(0) << 8 | byte(1)) % 9999) + 1;
  const int month = byte(2) % 12 + 1;
  const int day = byte(2) / 12 % DaysInMonth(year, month) + 1;
  input.remove_prefix(3);
  return dates.FormatDateText(EncodeDate(year, month, day));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const FixedClock clock(EncodeDate(2026, 6, 10));
  testing::FakePlatform ui;
  const DateFormat dates(RegionalSettings{}, clock);
  ToDoList list(ui, dates);
  ListTestAccess::Table(list).SetColCount(4);
  ListTestAccess::Table(list).SetRowCount(2);
  list.TypeInCell(ToDoList::ColDate, 1, DateCell(input, dates));
  list.TypeInCell(ToDoList::ColPri, 1, "Pri");
  list.TypeInCell(2, 1, "7");
  list.TypeInCell(list.Layout().DescCol(), 1, std::string(input));
  list.MoveCursor(0, 1);

  // The parts of the rule are cut from the header and nothing else.
  const RepeatRule rule = ParseRepeatHeader(input);
  Require(rule.Word.find(':') == std::string::npos);
  Require(rule.Word.size() + rule.EndDate.size() + rule.Special.size() <= input.size());

  const std::string dateBefore(list.Table().Cell(ToDoList::ColDate, 1));
  bool failed = false;
  try {
    list.IncrementButtonClick();
  } catch (const EConvertError&) {
    failed = true;
  }
  const bool stopped = !ui.Messages.empty() && ui.Messages[0].Caption == "Increment Error";
  Require(ui.Messages.size() <= 1);
  if (failed || stopped) {
    Require(list.Table().Cell(ToDoList::ColDate, 1) == dateBefore);
    Require(list.Table().Cell(ToDoList::ColPri, 1) == "Pri");
  } else {
    double next = 0;
    Require(dates.TryParseTableDate(list.Table().Cell(ToDoList::ColDate, 1), next));
    Require(list.Table().Cell(ToDoList::ColPri, 1) == dates.WeekdayText(next));
  }
  Require(list.Table().Cell(2, 1) == "7" && list.Table().Cell(list.Layout().DescCol(), 1) == input);
  Require(list.Table().Row() == 1 && list.Table().RowCount() == 2);
  // Increment neither opens, closes nor prints anything.
  Require(ui.Opened.empty() && ui.CloseCount == 0 && ui.PrintDialogShown.empty());
  return 0;
}
