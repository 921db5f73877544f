#include "grid/DueState.h"

#include <algorithm>
#include <cmath>

#include "document/Text.h"

namespace taskwell {
namespace {

double Channel(int value) {
  const double c = std::clamp(value, 0, 255) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const Rgb& c) {
  return 0.2126 * Channel(c.R) + 0.7152 * Channel(c.G) + 0.0722 * Channel(c.B);
}

}  // namespace

DueState DueStateOf(std::string_view dateCell, const DateFormat& dates, double now) {
  double date = 0;
  const std::string_view text = TrimView(dateCell);
  if (text.empty() || !dates.TryParseTableDate(text, date) || date == 0) return DueState::None;
  // Table dates are whole days; now carries the time of day, which must not count.
  const double day = std::floor(date);
  const double today = std::floor(now);
  if (day < today) return DueState::Overdue;
  return day == today ? DueState::Today : DueState::None;
}

double ContrastRatio(const Rgb& a, const Rgb& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb OverdueColour(const Rgb& background) {
  const bool darkBackground = Luminance(background) < 0.18;
  // Walk from a clear red toward black (or toward a pale red on dark backgrounds) until the text
  // contrasts enough; the end of each walk contrasts with any background of its kind.
  Rgb colour = darkBackground ? Rgb{255, 96, 96} : Rgb{200, 0, 0};
  for (int step = 0; step < 32 && ContrastRatio(colour, background) < 4.5; ++step) {
    if (darkBackground) {
      colour.G = std::min(255, colour.G + 8);
      colour.B = std::min(255, colour.B + 8);
    } else {
      colour.R = std::max(0, colour.R - 8);
    }
  }
  return colour;
}

}  // namespace taskwell
