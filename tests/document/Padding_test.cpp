#include "document/Padding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace taskwell {
namespace {

TEST(Utility, FillOnlyAddsUntilTheWidthInCharacters) {
  struct Case {
    std::string Text;
    std::size_t Width;
    std::string Right, Left, Dashes;
  };
  const std::vector<Case> cases = {
      {"", 0, "", "", ""},
      {"", 4, "    ", "    ", "----"},
      {"ab", 4, "ab  ", "  ab", "ab--"},
      {"abcd", 4, "abcd", "abcd", "abcd"},
      {"abcdef", 4, "abcdef", "abcdef", "abcdef"},
      {" a ", 5, " a   ", "   a ", " a --"},
      // Two-byte and three-byte characters count once each.
      {"Mié", 4, "Mié ", " Mié", "Mié-"},
      {"€", 3, "€  ", "  €", "€--"},
      // Bytes that are not UTF-8 count one each.
      {"\xE9t\xE9", 4, "\xE9t\xE9 ", " \xE9t\xE9", "\xE9t\xE9-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PadRight(c.Text, c.Width), c.Right) << c.Text << " " << c.Width;
    EXPECT_EQ(PadLeft(c.Text, c.Width), c.Left) << c.Text << " " << c.Width;
    EXPECT_EQ(PadRightWith(c.Text, c.Width, '-'), c.Dashes) << c.Text << " " << c.Width;
  }
}

}  // namespace
}  // namespace taskwell
