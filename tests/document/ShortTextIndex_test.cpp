#include "document/ShortTextIndex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace taskwell {
namespace {

// Texts that differ only in a trailing NUL or in length are different texts, and numbers stay
// put as the table grows.
TEST(ShortTextIndex, NumbersEachTextOnceWhateverItsBytes) {
  ShortTextIndex index;
  std::vector<std::string> texts = {"",
                                    std::string(1, '\0'),
                                    "a",
                                    std::string("a\0", 2),
                                    std::string(15, 'x'),
                                    std::string(14, 'x')};
  for (int i = 0; i < 3000; ++i) texts.push_back(std::to_string(i) + "/7/26");
  // Every length, and one byte changed at every place in it.
  for (std::size_t size = 1; size <= ShortTextIndex::kMaxText; ++size) {
    texts.emplace_back(size, 'p');
    for (std::size_t at = 0; at < size; ++at) (texts.emplace_back(size, 'p'))[at] = 'q';
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(index.Find(texts[i]), -1) << i;
    ASSERT_EQ(index.Add(texts[i]), static_cast<int>(i));
  }
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(index.Find(texts[i]), static_cast<int>(i));
  EXPECT_EQ(index.Find(std::string(16, 'x')), -1);
  // Only a text's own bytes count, not those that follow it.
  const std::string longer = std::string(ShortTextIndex::kMaxText, 'p') + "qqqqqqqq";
  for (std::size_t size = 1; size <= ShortTextIndex::kMaxText; ++size)
    EXPECT_EQ(index.Find(std::string_view(longer).substr(0, size)),
              index.Find(std::string(size, 'p')))
        << size;
  EXPECT_EQ(index.Find("b"), -1);

  ShortTextMemo<int> memo;
  EXPECT_FALSE(memo.CanKeep(std::string(16, 'x')));
  const int& kept = memo.Keep("7/6/26", 5);
  for (int i = 0; i < 1000; ++i) memo.Keep(std::to_string(i), i);
  EXPECT_EQ(&kept, memo.Find("7/6/26"));
  EXPECT_EQ(*memo.Find("999"), 999);

  // Values kept in the table survive its growth, though not where they were.
  ShortTextMemo<int, true> inTable;
  for (std::size_t i = 0; i < texts.size(); ++i)
    ASSERT_EQ(
        *inTable.FindOrMake(texts[i], [&] { return std::optional<int>(static_cast<int>(i)); }),
        static_cast<int>(i));
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(*inTable.Find(texts[i]), static_cast<int>(i)) << i;
  EXPECT_EQ(inTable.FindOrMake("b", [] { return std::optional<int>(); }), nullptr);
  EXPECT_EQ(inTable.Find("b"), nullptr);
}

}  // namespace
}  // namespace taskwell
