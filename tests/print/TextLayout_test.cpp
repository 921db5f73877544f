#include "print/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/Text.h"

namespace taskwell {
namespace {

using Kind = LayoutStep::Kind;

// A fixed-pitch printer: every character is 10 units wide, a line of text 12 high.
constexpr int CharWidth = 10;
constexpr TextMetrics Courier{12, 12, CharWidth};

int FixedPitch(std::string_view text) {
  return CharWidth * static_cast<int>(CharCount(text));
}

TextLayout Printer(int width, int height) {
  return TextLayout(width, height, Courier, FixedPitch);
}

LayoutStep DrawAt(int x, int y, std::string text) {
  return {Kind::Draw, x, y, std::move(text)};
}
const LayoutStep NewPage{Kind::NewPage, 0, 0, {}};

}  // namespace

// Readable failure output.
void PrintTo(const LayoutStep& step, std::ostream* os) {
  if (step.What == Kind::NewPage) {
    *os << "NewPage";
  } else {
    *os << "Draw(" << step.X << ", " << step.Y << ", \"" << step.Text << "\")";
  }
}

namespace {

TEST(TextLayout, LinesBreakAtTheLastCharacterThatFits) {
  struct Case {
    std::string Name;
    int Width;
    std::string Line;
    std::vector<LayoutStep> Steps;
    int NextTop;
  };
  const std::vector<Case> cases = {
      {"fits exactly", 100, "abcdefghij", {DrawAt(0, 0, "abcdefghij")}, 14},
      {"one over", 100, "abcdefghijk", {DrawAt(0, 0, "abcdefghij"), DrawAt(0, 14, "k")}, 28},
      {"again and again",
       100,
       "Buy paint for the shed",
       {DrawAt(0, 0, "Buy paint "), DrawAt(0, 14, "for the sh"), DrawAt(0, 28, "ed")},
       42},
      {"never inside a character",
       100,
       "ééééééééééé",
       {DrawAt(0, 0, "éééééééééé"), DrawAt(0, 14, "é")},
       28},
      {"a page narrower than one character still moves on",
       5,
       "ab",
       {DrawAt(0, 0, "a"), DrawAt(0, 14, "b")},
       28},
      {"an empty line advances by the character height", 100, "", {}, 12},
  };
  for (const Case& c : cases) {
    TextLayout layout = Printer(c.Width, 1000);
    EXPECT_EQ(layout.WriteLine(c.Line), c.Steps) << c.Name;
    EXPECT_EQ(layout.Top(), c.NextTop) << c.Name;
    EXPECT_EQ(layout.Page(), 0) << c.Name;
  }
}

TEST(TextLayout, TabsAndFormFeeds) {
  struct Case {
    std::string Name;
    std::string Line;
    std::vector<LayoutStep> Steps;
    int NextPage;
    int NextTop;
  };
  const std::vector<Case> cases = {
      {"tab from the left edge", "\tx", {DrawAt(80, 0, "x")}, 0, 14},
      {"tab to the next stop", "abc\tx", {DrawAt(0, 0, "abc"), DrawAt(80, 0, "x")}, 0, 14},
      {"tab on a stop moves a whole stop",
       "abcdefgh\tx",
       {DrawAt(0, 0, "abcdefgh"), DrawAt(160, 0, "x")},
       0,
       14},
      {"text after a tab wraps like any other",
       "a\tbcdefghijklmnopqrs",
       {DrawAt(0, 0, "a"), DrawAt(80, 0, "bcdefghijklmnopq"), DrawAt(0, 14, "rs")},
       0,
       28},
      {"a line with only a tab has no text", "\t", {}, 0, 12},
      {"form feed starts a new page",
       "ab\fcd",
       {DrawAt(0, 0, "ab"), NewPage, DrawAt(0, 0, "cd")},
       1,
       14},
      {"two form feeds leave a blank page", "\f\fx", {NewPage, NewPage, DrawAt(0, 0, "x")}, 2, 14},
      {"a page with nothing drawn yet is not sent", "ab\f", {DrawAt(0, 0, "ab")}, 1, 12},
  };
  for (const Case& c : cases) {
    TextLayout layout = Printer(240, 1000);
    EXPECT_EQ(layout.WriteLine(c.Line), c.Steps) << c.Name;
    EXPECT_EQ(layout.Page(), c.NextPage) << c.Name;
    EXPECT_EQ(layout.Top(), c.NextTop) << c.Name;
  }
}

TEST(TextLayout, TabBeyondTheRightEdgeContinuesOnTheNextLine) {
  TextLayout layout = Printer(100, 1000);
  EXPECT_EQ(layout.WriteLine("abcdefgh\tx"), (std::vector<LayoutStep>{
                                                 DrawAt(0, 0, "abcdefgh"),
                                                 DrawAt(0, 14, "x"),
                                             }));
}

// Where each line's first piece lands, as (page, top), for a page 100 units high.
std::vector<std::pair<int, int>> Placement(const std::vector<std::string>& lines) {
  TextLayout layout = Printer(1000, 100);
  std::vector<std::pair<int, int>> places;
  for (const std::string& line : lines) {
    places.emplace_back(layout.Page(), layout.Top());
    layout.WriteLine(line);
  }
  places.emplace_back(layout.Page(), layout.Top());
  return places;
}

TEST(TextLayout, PagesBreakBeforeTheBottomMargin) {
  // Text lines advance 14: after the sixth the top is 84, beyond 100 - 2 * 14.
  EXPECT_EQ(Placement(std::vector<std::string>(7, "x")),
            (std::vector<std::pair<int, int>>{
                {0, 0}, {0, 14}, {0, 28}, {0, 42}, {0, 56}, {0, 70}, {1, 0}, {1, 14}}));
  // Empty lines advance 12 and may run to the page's height: the ninth passes 100.
  EXPECT_EQ(Placement(std::vector<std::string>(10, "")),
            (std::vector<std::pair<int, int>>{{0, 0},
                                              {0, 12},
                                              {0, 24},
                                              {0, 36},
                                              {0, 48},
                                              {0, 60},
                                              {0, 72},
                                              {0, 84},
                                              {0, 96},
                                              {1, 0},
                                              {1, 12}}));
  // An empty line after text is judged by its own rule: from 70 it reaches 82 and stays.
  EXPECT_EQ(Placement({"x", "x", "x", "x", "x", "", "x"}),
            (std::vector<std::pair<int, int>>{
                {0, 0}, {0, 14}, {0, 28}, {0, 42}, {0, 56}, {0, 70}, {0, 82}, {1, 0}}));
}

TEST(TextLayout, WrappedPiecesBreakPagesToo) {
  TextLayout layout = Printer(20, 100);
  const std::vector<LayoutStep> steps = layout.WriteLine("aabbccddeeffgg");
  EXPECT_EQ(steps,
            (std::vector<LayoutStep>{DrawAt(0, 0, "aa"), DrawAt(0, 14, "bb"), DrawAt(0, 28, "cc"),
                                     DrawAt(0, 42, "dd"), DrawAt(0, 56, "ee"), DrawAt(0, 70, "ff"),
                                     NewPage, DrawAt(0, 0, "gg")}));
  // Nothing is sent for the page the next line would start.
  EXPECT_EQ(layout.Page(), 1);
  EXPECT_EQ(layout.Top(), 14);
}

TEST(TextLayout, TrailingPageBreakIsNotSent) {
  TextLayout layout = Printer(1000, 100);
  std::vector<LayoutStep> all;
  for (int i = 0; i < 6; ++i) {
    for (LayoutStep& step : layout.WriteLine("x")) all.push_back(std::move(step));
  }
  EXPECT_EQ(layout.Page(), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), NewPage), 0);
}

// A proportional font: narrow, average and wide letters, and two-byte characters in between.
int Proportional(std::string_view text) {
  int width = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if ((byte & 0xC0) == 0x80) continue;
    width += byte == 'i' ? 3 : byte == 'W' ? 17 : byte >= 0xC0 ? 9 : 10;
  }
  return width;
}

// The plain reading of the wrap rule, kept as the oracle: a piece takes characters one by one
// while the piece so far still fits the page; a piece always takes at least one character.
std::vector<std::string> ReferencePieces(std::string_view line, int width) {
  std::vector<std::string> pieces;
  std::string piece;
  for (std::size_t pos = 0; pos < line.size();) {
    std::size_t length = 1;
    while (pos + length < line.size() &&
           (static_cast<unsigned char>(line[pos + length]) & 0xC0) == 0x80) {
      ++length;
    }
    const std::string next = piece + std::string(line.substr(pos, length));
    if (!piece.empty() && Proportional(next) > width) {
      pieces.push_back(piece);
      piece.clear();
      continue;
    }
    piece = next;
    pos += length;
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

TEST(TextLayout, WrapsLikeTheCharacterByCharacterRuleForAnyText) {
  std::mt19937 random(20260610);
  const std::vector<std::string> alphabet = {"i", "W", "a", " ", "é", "x"};
  for (int round = 0; round < 1000; ++round) {
    const int width = std::uniform_int_distribution<int>(5, 400)(random);
    const int length = std::uniform_int_distribution<int>(0, 300)(random);
    std::string line;
    for (int i = 0; i < length; ++i) {
      line += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    }
    TextLayout layout(width, 1 << 30, Courier, Proportional);
    std::vector<std::string> drawn;
    int x = 0;
    for (const LayoutStep& step : layout.WriteLine(line)) {
      ASSERT_EQ(step.X, 0);
      drawn.push_back(step.Text);
      x = Proportional(step.Text);
    }
    ASSERT_EQ(drawn, ReferencePieces(line, width)) << "width " << width << ", line " << line;
    ASSERT_LE(x, std::max(width, 17));
  }
}

// A long description costs work in proportion to its length: no measurement covers much more
// than a line, and all of them together cover the text a bounded number of times.
TEST(TextLayout, LongTextIsMeasuredALineAtATime) {
  struct Case {
    std::string Name;
    TextLayout::Measure Font;
  };
  const std::vector<Case> cases = {{"fixed pitch", FixedPitch}, {"proportional", Proportional}};
  std::string text;
  for (int i = 0; text.size() < 300000; ++i) text += i % 5 == 0 ? "Wéi " : "word ";
  // A line holds at most 800 / 3 characters of at most two bytes.
  constexpr std::size_t LongestMeasure = std::size_t{4} * 800 / 3 * 2;
  for (const Case& c : cases) {
    std::size_t total = 0;
    TextLayout layout(800, 1000, Courier, [&](std::string_view piece) {
      if (piece.size() > LongestMeasure) {
        throw std::length_error(std::to_string(piece.size()) + " bytes measured at once");
      }
      total += piece.size();
      return c.Font(piece);
    });
    std::string printed;
    ASSERT_NO_THROW({
      for (const LayoutStep& step : layout.WriteLine(text)) printed += step.Text;
    }) << c.Name;
    EXPECT_EQ(printed, text) << c.Name;
    EXPECT_LE(total, 16 * text.size()) << c.Name;
  }
}

}  // namespace
}  // namespace taskwell
