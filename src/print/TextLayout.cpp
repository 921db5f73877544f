#include "print/TextLayout.h"

#include <algorithm>
#include <utility>

namespace taskwell {
namespace {

constexpr char Tabulator = '\t';
constexpr char FormFeedChar = '\f';
constexpr int TabStopChars = 8;
// Extra space between lines of text, in device units.
constexpr int LineGap = 2;

// The byte length of the character that starts at pos; text that is not UTF-8 counts bytewise.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if (lead >= 0xF0) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  if (pos + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// Byte offsets just after each character of the text.
std::vector<std::size_t> CharEnds(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t pos = 0; pos < text.size();) {
    pos += CharLength(text, pos);
    ends.push_back(pos);
  }
  return ends;
}

}  // namespace

TextLayout::TextLayout(int pageWidth, int pageHeight, const TextMetrics& metrics, Measure measure)
    : Width(pageWidth), Height(pageHeight), Metrics(metrics), MeasureText(std::move(measure)) {}

std::vector<LayoutStep> TextLayout::WriteLine(std::string_view line) {
  std::vector<LayoutStep> steps;
  std::size_t runStart = 0;
  for (std::size_t pos = 0; pos <= line.size(); ++pos) {
    if (pos < line.size() && line[pos] != Tabulator && line[pos] != FormFeedChar) continue;
    Text(line.substr(runStart, pos - runStart), steps);
    if (pos < line.size()) line[pos] == Tabulator ? Tab() : FormFeed();
    runStart = pos + 1;
  }
  NewLine();
  return steps;
}

void TextLayout::Text(std::string_view run, std::vector<LayoutStep>& steps) {
  while (!run.empty()) {
    std::size_t fits = FittingBytes(run);
    if (fits == 0) {
      // Not even one character fits here. Start afresh at the left edge; if the line is already
      // there, the character is wider than the page and is drawn anyway so printing moves on.
      if (X > 0) {
        NewLine();
        continue;
      }
      fits = CharLength(run, 0);
    }
    Draw(run.substr(0, fits), steps);
    run.remove_prefix(fits);
    if (!run.empty()) NewLine();
  }
}

std::size_t TextLayout::FittingBytes(std::string_view run) const {
  if (X + MeasureText(run) <= Width) return run.size();
  // Widths grow with every character added, so the last fitting one is found by bisection.
  const std::vector<std::size_t> ends = CharEnds(run);
  const auto firstTooWide = std::partition_point(ends.begin(), ends.end(), [&](std::size_t end) {
    return X + MeasureText(run.substr(0, end)) <= Width;
  });
  return firstTooWide == ends.begin() ? 0 : *(firstTooWide - 1);
}

void TextLayout::Draw(std::string_view text, std::vector<LayoutStep>& steps) {
  for (; PendingPages > 0; --PendingPages) steps.push_back({LayoutStep::Kind::NewPage, 0, 0, {}});
  steps.push_back({LayoutStep::Kind::Draw, X, Y, std::string(text)});
  X += MeasureText(text);
  LineHasText = true;
}

void TextLayout::Tab() {
  const int stop = std::max(1, TabStopChars * Metrics.AverageCharWidth);
  X = (X / stop + 1) * stop;
}

void TextLayout::NewLine() {
  const int advance = LineHasText ? Metrics.TextHeight + LineGap : Metrics.CharHeight;
  // A line of text must leave room for two more; a line without text only has to stay on the
  // page.
  const int lowest = LineHasText ? Height - 2 * advance : Height;
  X = 0;
  Y += advance;
  LineHasText = false;
  if (Y > lowest) FormFeed();
}

void TextLayout::FormFeed() {
  X = 0;
  Y = 0;
  LineHasText = false;
  ++PageIndex;
  ++PendingPages;
}

}  // namespace taskwell
