#include "document/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "document/Errors.h"

namespace taskwell {
namespace {

TEST(IntegerConversion, AcceptsDecimalAndHexadecimalForms) {
  struct Case {
    std::string Text;
    std::optional<std::int32_t> Value;  // nothing: the conversion fails
  };
  const std::vector<Case> cases = {
      {" 12", 12},
      {"   7", 7},
      {"12 ", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$7FFFFFFF", 2147483647},
      {"$100000000", std::nullopt},  // nine hexadecimal digits
      {"$", std::nullopt},
      {"x", std::nullopt},
      {"0x", std::nullopt},
      {"$1G", std::nullopt},
      {"0", 0},
      {"007", 7},
      {"+5", 5},
      {"-5", -5},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"1 2", std::nullopt},
      {"12a", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"1.0", std::nullopt},
      {"\t12", std::nullopt},
  };
  for (const Case& c : cases) {
    std::int32_t value = 12345;
    const bool ok = TryStrToInt(c.Text, value);
    EXPECT_EQ(ok, c.Value.has_value()) << "'" << c.Text << "'";
    if (ok && c.Value) {
      EXPECT_EQ(value, *c.Value) << "'" << c.Text << "'";
    }
    EXPECT_EQ(StrToIntOrZero(c.Text), c.Value.value_or(0)) << "'" << c.Text << "'";
  }
}

TEST(IntegerConversion, FailureNamesTheText) {
  for (const std::string text : {"12 ", "", "abc"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no failure for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

TEST(Trimming, RemovesCodesUpToBlankAtBothEndsOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {" \t\r\n", ""},
      {std::string("\0\x01 a b \x1f\x20", 8), "a b"},
      {"x", "x"},
      {"\xA0x\xA0", "\xA0x\xA0"},  // a no-break space of Latin-1 is text
      {"  Caf\xC3\xA9  ", "Caf\xC3\xA9"},
  };
  for (const auto& [text, trimmed] : cases) {
    EXPECT_EQ(Trim(text), trimmed);
    EXPECT_EQ(TrimView(text), trimmed);
  }
}

TEST(UpperCasing, TouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("abc xyz"), "ABC XYZ");
  EXPECT_EQ(UpperAscii("a`{z@["), "A`{Z@[");
  // Accented letters, in UTF-8 or in a single-byte code page, stay as they are.
  EXPECT_EQ(UpperAscii("caf\xC3\xA9"), "CAF\xC3\xA9");
  EXPECT_EQ(UpperAscii("caf\xE9"), "CAF\xE9");
  EXPECT_EQ(UpperAscii("stra\xC3\x9F"
                       "e"),
            "STRA\xC3\x9F"
            "E");
}

TEST(CharacterCount, CountsCodePointsOfUtf8AndBytesOtherwise) {
  struct Case {
    std::string Text;
    bool Utf8;
    std::size_t Count;
  };
  const std::vector<Case> cases = {
      {"", true, 0},
      {"Sat", true, 3},
      {"Mi\xC3\xA9", true, 3},                // Spanish weekday
      {"\xD0\xA1\xD0\xB1", true, 2},          // Russian Sat
      {"\xE6\x97\xA5\xE6\x9C\xAC", true, 2},  // three-byte characters
      {"\xF0\x9F\x93\x85 due", true, 5},      // four-byte character
      {"Caf\xE9", false, 4},                  // Latin-1
      {"\xC0\x80", false, 2},                 // overlong NUL
      {"\xE0\x80\xAF", false, 3},             // overlong slash
      {"\xED\xA0\x80", false, 3},             // surrogate
      {"\xF4\x90\x80\x80", false, 4},         // beyond U+10FFFF
      {"\xC3", false, 1},                     // cut short
      {"a\x80", false, 2},                    // stray continuation byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.Text), c.Utf8) << c.Text;
    EXPECT_EQ(CharCount(c.Text), c.Count) << c.Text;
  }
  // Plain ASCII is passed over several bytes at a time: a byte anywhere in a long text counts.
  for (std::size_t at = 0; at < 70; ++at) {
    std::string text(70, 'a');
    text[at] = '\x80';
    EXPECT_FALSE(IsValidUtf8(text)) << at;
    text.replace(at, 1, "\xC3\xA9");
    EXPECT_TRUE(IsValidUtf8(text)) << at;
  }
}

TEST(CountByte, AgreesWithACountOneByteAtATime) {
  // Lengths on both sides of the blocks it counts in, and bytes with the high bit set.
  for (const std::size_t length : {0, 1, 239, 240, 241, 479, 480, 1000, 4000}) {
    for (const char byte : {'\n', '\r', '\x00', '\xFF', '\x8A'}) {
      std::string text;
      for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>(i % 7 == 0 ? byte : (i * 37) % 256);
      // A block made of the byte alone must not wrap its count.
      if (length >= 480) std::fill_n(text.begin() + 240, 240, byte);
      EXPECT_EQ(CountByte(text, byte),
                static_cast<std::size_t>(std::count(text.begin(), text.end(), byte)))
          << length << " " << static_cast<int>(byte);
    }
  }
}

TEST(Windows1252, EveryByteStringSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  std::string back;
  ASSERT_TRUE(TryUtf8ToCp1252(utf8, back));
  EXPECT_EQ(back, all);

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\x80", "\xE2\x82\xAC"},                                              // euro sign
      {"\x96\x97", "\xE2\x80\x93\xE2\x80\x94"},                              // dashes
      {"\x93\x94", "\xE2\x80\x9C\xE2\x80\x9D"},                              // curly quotes
      {"\xE9\xA0", "\xC3\xA9\xC2\xA0"},                                      // as Latin-1
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(Cp1252ToUtf8(bytes), text);
}

TEST(Windows1252, CharactersItLacksAreNamedNeverReplaced) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a \xE2\x86\x92 b \xE2\x86\x92", "\xE2\x86\x92"},                     // arrow, once
      {"\xF0\x9F\x98\x80\xC2\x80\xE2\x82\xAC", "\xF0\x9F\x98\x80\xC2\x80"},  // U+0080 is no euro
      {"\xC3", ""},  // not UTF-8: nothing to name, and no conversion either
  };
  for (const auto& [text, missing] : cases) {
    std::string bytes;
    EXPECT_FALSE(TryUtf8ToCp1252(text, bytes)) << text;
    EXPECT_EQ(CharsMissingFromCp1252(text), missing) << text;
  }
}

}  // namespace
}  // namespace taskwell
