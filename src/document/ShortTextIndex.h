#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace taskwell {

// Numbers short texts (up to 15 bytes, any bytes) 0, 1, 2, … in the order they are first added:
// an open-addressed table on the texts' bytes and length, so that a lookup is a multiply and a
// compare or two instead of hashing a string and walking a bucket.
class ShortTextIndex {
 public:
  static constexpr std::size_t kMaxText = 15;

  // The number of `text`, or -1 when it was never added or is too long to be.
  int Find(std::string_view text) const {
    if (text.size() > kMaxText || slots_.empty()) return -1;
    const Key key = KeyOf(text);
    for (std::size_t i = Home(key);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (slot.Number < 0) return -1;
      if (slot.Text.Low == key.Low && slot.Text.High == key.High) return slot.Number;
    }
  }
  // Gives `text`, which must not be there yet and must fit, the next number.
  int Add(std::string_view text) {
    if (2 * static_cast<std::size_t>(count_ + 1) > slots_.size()) Grow();
    const Key key = KeyOf(text);
    std::size_t i = Home(key);
    while (slots_[i].Number >= 0) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = {key, count_};
    return count_++;
  }
  int Size() const { return count_; }

 private:
  struct Key {
    std::uint64_t Low = 0;
    std::uint64_t High = 0;
  };
  struct Slot {
    Key Text;
    int Number = -1;
  };

  // The bytes padded with zeros, and the length in the last byte.
  static Key KeyOf(std::string_view text) {
    char bytes[kMaxText + 1] = {};
    std::memcpy(bytes, text.data(), text.size());
    bytes[kMaxText] = static_cast<char>(text.size());
    Key key;
    std::memcpy(&key.Low, bytes, sizeof key.Low);
    std::memcpy(&key.High, bytes + sizeof key.Low, sizeof key.High);
    return key;
  }
  std::size_t Home(const Key& key) const {
    const std::uint64_t mixed =
        (key.Low ^ (key.High * 0xC2B2AE3D27D4EB4FULL)) * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(mixed >> 32) & (slots_.size() - 1);
  }
  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 256 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.Number < 0) continue;
      std::size_t i = Home(slot.Text);
      while (slots_[i].Number >= 0) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  int count_ = 0;
};

// Values worked out once per short text, for work that meets the same few texts again and again
// (a list's dates and numbers). Values handed out stay where they are.
template <class Value>
class ShortTextMemo {
 public:
  // Past this many texts no more are kept, so that a list of a million different dates cannot
  // grow the memo without bound.
  static constexpr int kMaxTexts = 1 << 16;

  const Value* Find(std::string_view text) const {
    const int number = index_.Find(text);
    return number < 0 ? nullptr : &values_[static_cast<std::size_t>(number)];
  }
  // Whether a text not found yet can be kept.
  bool CanKeep(std::string_view text) const {
    return text.size() <= ShortTextIndex::kMaxText && index_.Size() < kMaxTexts;
  }
  // Keeps `value` for `text`, which CanKeep allowed.
  const Value& Keep(std::string_view text, Value value) {
    index_.Add(text);
    return values_.emplace_back(std::move(value));
  }
  // The value of `text`: the one kept, or what make() gives (a std::optional<Value>), kept. Null
  // when make() gives nothing, or when no more texts can be kept (make() is not called then).
  template <class Make>
  const Value* FindOrMake(std::string_view text, Make make) {
    if (const Value* known = Find(text)) return known;
    if (!CanKeep(text)) return nullptr;
    std::optional<Value> made = make();
    return made ? &Keep(text, std::move(*made)) : nullptr;
  }

 private:
  ShortTextIndex index_;
  std::deque<Value> values_;
};

}  // namespace taskwell
