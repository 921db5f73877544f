#include "document/ContentScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "document/Text.h"

namespace taskwell {
namespace {

// A file's scan, made as its bytes come in pieces of any size, knows what passes over the whole
// of it would find: a character cut by the end of a piece or a stretch is read whole, a bad byte
// or a Ctrl+Z is found wherever it lies, and the LFs between any two places are counted right.
TEST(ContentScan, GivesWhatPassesOverTheWholeTextGive) {
  std::mt19937 random(44);
  const std::string characters[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
  const std::string odd[] = {"\x80", "\xC3", "\xE2\x82", "\x1A"};
  constexpr std::size_t kBoundary = std::size_t{64} << 10;
  for (int round = 0; round < 60; ++round) {
    // Some end where a stretch ends, as a read of whole pieces does.
    std::string text(kBoundary * 2 + (round % 6 == 3 ? 0 : 100), 'a');
    for (std::size_t i = 0; i < text.size(); i += 1 + random() % 90) text[i] = '\n';
    // Near a stretch's end, or anywhere.
    const std::size_t at = std::min<std::size_t>(
        round % 3 == 2 ? random() % text.size() : kBoundary * (1 + round % 2) - 4 + round % 8,
        text.size() - 1);
    const std::string& put = round % 5 == 4 ? odd[random() % 4] : characters[random() % 3];
    text.replace(at, std::min(put.size(), text.size() - at), put);
    if (round % 7 == 6) text.resize(text.size() - 1 - random() % 3);
    const std::size_t piece = round % 4 == 0   ? text.size()
                              : round % 4 == 1 ? kBoundary
                                               : 1 + random() % 70000;
    ContentScan scan;
    for (std::size_t end = piece; end <= text.size(); end += piece)
      scan.Scan(std::string_view(text).substr(0, end), false);
    scan.Scan(text, true);
    SCOPED_TRACE("round " + std::to_string(round) + ", at " + std::to_string(at));
    EXPECT_EQ(scan.Utf8Before(text.size()), IsValidUtf8(text));
    EXPECT_EQ(scan.FirstCtrlZ(), text.find('\x1A'));
    for (int range = 0; range < 20; ++range) {
      std::size_t from = random() % (text.size() + 1);
      std::size_t to = random() % (text.size() + 1);
      if (from > to) std::swap(from, to);
      EXPECT_EQ(scan.CountLf(text, from, to),
                static_cast<std::size_t>(
                    std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                               text.begin() + static_cast<std::ptrdiff_t>(to), '\n')));
    }
  }
}

}  // namespace
}  // namespace taskwell
