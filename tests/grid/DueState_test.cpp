// Which rows show as overdue or due today, and that the overdue colour reads on any background.
#include "grid/DueState.h"

#include <gtest/gtest.h>

#include "document/Calendar.h"
#include "support/FakePlatform.h"

namespace taskwell {
namespace {

using testing::Day;

TEST(DueState, ByDateCellAgainstTheClock) {
  const FixedClock clock(Day(2026, 6, 10));
  const DateFormat dates({}, clock);
  const DateFormat german(testing::GermanSettings(), clock);
  const struct {
    const char* Cell;
    double Now;
    DueState Expected;
  } cases[] = {
      {"06/09/2026", Day(2026, 6, 10), DueState::Overdue},
      {"06/10/2026", Day(2026, 6, 10, 0.0), DueState::Today},
      {"06/10/2026", Day(2026, 6, 10, 23.99), DueState::Today},
      {"06/11/2026", Day(2026, 6, 10, 23.99), DueState::None},
      {"06/10/2026", Day(2026, 6, 11, 0.01), DueState::Overdue},  // past midnight
      {"12/31/2025", Day(2026, 1, 1, 0.5), DueState::Overdue},
      {" 06/10/2026 ", Day(2026, 6, 10), DueState::Today},
      {"", Day(2026, 6, 10), DueState::None},
      {"not a date", Day(2026, 6, 10), DueState::None},
      {"12/30/1899", Day(2026, 6, 10), DueState::None},  // the zero date means undated
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Cell) + " at " + std::to_string(c.Now));
    EXPECT_EQ(DueStateOf(c.Cell, dates, c.Now), c.Expected);
  }
  // Table dates stay month first under day-first regional settings: 06.09 is 9 June here too.
  EXPECT_EQ(DueStateOf("06.09.2026", german, Day(2026, 6, 10)), DueState::Overdue);
  EXPECT_EQ(DueStateOf("06.10.2026", german, Day(2026, 6, 10)), DueState::Today);
}

TEST(DueState, OverdueColourContrastsWithEveryBackground) {
  // Every grey from black to white, and some tinted bases of common dark and light themes.
  std::vector<Rgb> backgrounds;
  for (int v = 0; v <= 255; v += 5) backgrounds.push_back({v, v, v});
  for (const Rgb& tinted : {Rgb{30, 30, 46}, Rgb{43, 48, 59}, Rgb{253, 246, 227}, Rgb{0, 43, 54}})
    backgrounds.push_back(tinted);
  for (const Rgb& background : backgrounds) {
    const Rgb colour = OverdueColour(background);
    SCOPED_TRACE(std::to_string(background.R) + "," + std::to_string(background.G));
    EXPECT_GE(ContrastRatio(colour, background), 4.5);
    EXPECT_GT(colour.R, colour.G);  // still reads as red
  }
  EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
}

}  // namespace
}  // namespace taskwell
