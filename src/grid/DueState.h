#pragma once

#include <string_view>

#include "document/DateText.h"

namespace taskwell {

// Where a task stands against today, from its date cell alone.
enum class DueState { None, Overdue, Today };

// The table's own date text (month first) against the local date of `now`. Undated rows, the zero
// date and text that is not a date have no state; the time of day does not matter.
DueState DueStateOf(std::string_view dateCell, const DateFormat& dates, double now);

// Colours as 0-255 channels, kept free of any toolkit.
struct Rgb {
  int R = 0;
  int G = 0;
  int B = 0;
};

// The contrast ratio of two colours by their relative luminance (1 to 21); text wants 4.5.
double ContrastRatio(const Rgb& a, const Rgb& b);

// A red that reads against `background`: dark on light backgrounds, light on dark ones, with a
// contrast of at least 4.5 where any red can reach it.
Rgb OverdueColour(const Rgb& background);

}  // namespace taskwell
