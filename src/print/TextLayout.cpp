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

}  // namespace

TextLayout::TextLayout(int pageWidth, int pageHeight, const TextMetrics& metrics, Measure measure)
    : width_(pageWidth), height_(pageHeight), metrics_(metrics), measureText_(std::move(measure)) {}

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
    Piece piece = FittingPiece(run);
    if (piece.Bytes == 0) {
      // Not even one character fits here. Start afresh at the left edge; if the line is already
      // there, the character is wider than the page and is drawn anyway so printing moves on.
      if (x_ > 0) {
        NewLine();
        continue;
      }
      piece.Bytes = CharLength(run, 0);
      piece.Width = measureText_(run.substr(0, piece.Bytes));
    }
    Draw(run.substr(0, piece.Bytes), piece.Width, steps);
    run.remove_prefix(piece.Bytes);
    if (!run.empty()) NewLine();
  }
}

TextLayout::Piece TextLayout::FittingPiece(std::string_view run) const {
  // Only about a line's worth is ever measured, so the work stays in proportion to the text
  // however long the run is, and widths stay far from the measuring function's limits. The first
  // guess is what the average width allows; while that fits, the guess grows by steps that
  // double, and once a start is too wide the last fitting character lies between the two and is
  // found by bisection. Widths grow with every character added. A fixed-pitch font needs two
  // measurements for a full line and one for a line that fits.
  const int average = std::max(1, metrics_.AverageCharWidth);
  std::size_t guess = static_cast<std::size_t>(std::max(1, (width_ - x_) / average));

  // ends[i] is the byte offset just after the first i characters of the run.
  std::vector<std::size_t> ends{0};
  auto widthOf = [&](std::size_t chars) { return measureText_(run.substr(0, ends[chars])); };

  Piece fitting;  // the longest start known to fit
  std::size_t fitChars = 0;
  std::size_t tooWideChars = 0;  // the shortest start known not to fit; 0 while none is known
  for (std::size_t step = 1; tooWideChars == 0; step *= 2) {
    while (ends.size() <= guess && ends.back() < run.size()) {
      ends.push_back(ends.back() + CharLength(run, ends.back()));
    }
    const std::size_t chars = ends.size() - 1;
    const int width = widthOf(chars);
    if (x_ + width > width_) {
      tooWideChars = chars;
    } else {
      fitting = {ends[chars], width};
      fitChars = chars;
      if (ends[chars] == run.size()) return fitting;
      guess = chars + step;
    }
  }
  while (tooWideChars - fitChars > 1) {
    const std::size_t middle = fitChars + (tooWideChars - fitChars) / 2;
    const int width = widthOf(middle);
    if (x_ + width > width_) {
      tooWideChars = middle;
    } else {
      fitting = {ends[middle], width};
      fitChars = middle;
    }
  }
  return fitting;
}

void TextLayout::Draw(std::string_view text, int width, std::vector<LayoutStep>& steps) {
  for (; pendingPages_ > 0; --pendingPages_) steps.push_back({LayoutStep::Kind::NewPage, 0, 0, {}});
  steps.push_back({LayoutStep::Kind::Draw, x_, y_, std::string(text)});
  x_ += width;
  lineHasText_ = true;
}

void TextLayout::Tab() {
  const int stop = std::max(1, TabStopChars * metrics_.AverageCharWidth);
  x_ = (x_ / stop + 1) * stop;
}

void TextLayout::NewLine() {
  const int advance = lineHasText_ ? metrics_.TextHeight + LineGap : metrics_.CharHeight;
  // A line of text must leave room for two more; a line without text only has to stay on the
  // page.
  const int lowest = lineHasText_ ? height_ - 2 * advance : height_;
  x_ = 0;
  y_ += advance;
  lineHasText_ = false;
  if (y_ > lowest) FormFeed();
}

void TextLayout::FormFeed() {
  x_ = 0;
  y_ = 0;
  lineHasText_ = false;
  ++pageIndex_;
  ++pendingPages_;
}

}  // namespace taskwell
