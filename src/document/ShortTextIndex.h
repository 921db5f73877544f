#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "document/Text.h"

namespace taskwell {

template <class Fields, std::size_t kPadding>
struct PaddedTo : Fields {
  char Padding[kPadding];
};
template <class Fields>
struct PaddedTo<Fields, 0> : Fields {};

// Short texts (up to 15 bytes, any bytes), each with a payload: an open-addressed table on the
// texts' bytes and length, so that a lookup is a multiply and a compare or two instead of hashing
// a string and walking a bucket. The payloads lie in the table itself, one cache line away from
// the text's key, and move when it grows.
template <class Payload>
class ShortTextTable {
 public:
  static constexpr std::size_t kMaxText = 15;

  // The payload of `text`, or null when it was never added or is too long to be.
  const Payload* Find(std::string_view text) const {
    if (text.size() > kMaxText || slots_.empty()) return nullptr;
    const Key key = KeyOf(text);
    for (std::size_t i = Home(key);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (slot.Text.Low == key.Low && slot.Text.High == key.High) return &slot.Value;
      if (!slot.Used()) return nullptr;
    }
  }
  // Gives `text`, which must not be there yet and must fit, its payload.
  const Payload& Add(std::string_view text, Payload payload) {
    if (2 * (size_ + 1) > slots_.size()) Grow();
    const Key key = KeyOf(text);
    Slot& slot = FreeSlot(key);
    slot.Text = key;
    slot.Value = std::move(payload);
    ++size_;
    return slot.Value;
  }
  int Size() const { return static_cast<int>(size_); }

 private:
  // A text's bytes padded with zeros, one past its length in the last byte: never all zeros.
  struct Key {
    std::uint64_t Low = 0;
    std::uint64_t High = 0;
  };
  struct Entry {
    Key Text;
    Payload Value{};
  };
  // A slot takes a power of two of bytes: in a table that starts on a cache line, as every large
  // one does, a lookup then reads one line, not two.
  struct Slot : PaddedTo<Entry, std::bit_ceil(sizeof(Entry)) - sizeof(Entry)> {
    bool Used() const { return this->Text.High != 0; }
  };

  // Read as words where the text lies, not copied through a buffer: a read of bytes just written
  // stalls.
  static Key KeyOf(std::string_view text) {
    const std::size_t size = text.size();
    const std::uint64_t last = std::uint64_t{size + 1} << 56;
    const char* bytes = text.data();
    if (size <= 8) return {LowBytes(bytes, size), last};
    std::uint64_t high = 0;
    std::memcpy(&high, bytes + size - 8, sizeof high);
    return {LowBytes(bytes, 8), (high >> (8 * (16 - size))) | last};
  }
  std::size_t Home(const Key& key) const {
    const std::uint64_t mixed =
        (key.Low ^ (key.High * 0xC2B2AE3D27D4EB4FULL)) * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(mixed >> 32) & (slots_.size() - 1);
  }
  Slot& FreeSlot(const Key& key) {
    std::size_t i = Home(key);
    while (slots_[i].Used()) i = (i + 1) & (slots_.size() - 1);
    return slots_[i];
  }
  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 256 : old.size() * 2, Slot{});
    for (Slot& slot : old) {
      if (slot.Used()) FreeSlot(slot.Text) = std::move(slot);
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

// Numbers short texts 0, 1, 2, … in the order they are first added.
class ShortTextIndex {
 public:
  static constexpr std::size_t kMaxText = ShortTextTable<int>::kMaxText;

  // The number of `text`, or -1 when it was never added or is too long to be.
  int Find(std::string_view text) const {
    const int* number = numbers_.Find(text);
    return number == nullptr ? -1 : *number;
  }
  // Gives `text`, which must not be there yet and must fit, the next number.
  int Add(std::string_view text) { return numbers_.Add(text, numbers_.Size()); }
  int Size() const { return numbers_.Size(); }

 private:
  ShortTextTable<int> numbers_;
};

// Values worked out once per short text, for work that meets the same few texts again and again
// (a list's dates and numbers). Values handed out stay where they are, unless `kInTable`: then
// the values lie in the table beside their texts, so that a lookup touches one place in memory
// instead of two, and a value handed out moves when the next one is kept.
template <class Value, bool kInTable = false>
class ShortTextMemo {
 public:
  // Past this many texts no more are kept, so that a list of a million different dates cannot
  // grow the memo without bound.
  static constexpr int kMaxTexts = 1 << 16;

  const Value* Find(std::string_view text) const {
    if constexpr (kInTable) {
      return store_.Find(text);
    } else {
      const int number = store_.Index.Find(text);
      return number < 0 ? nullptr : &store_.Values[static_cast<std::size_t>(number)];
    }
  }
  // Whether a text not found yet can be kept.
  bool CanKeep(std::string_view text) const {
    return text.size() <= ShortTextIndex::kMaxText && Size() < kMaxTexts;
  }
  // Keeps `value` for `text`, which CanKeep allowed.
  const Value& Keep(std::string_view text, Value value) {
    if constexpr (kInTable) {
      return store_.Add(text, std::move(value));
    } else {
      store_.Index.Add(text);
      return store_.Values.emplace_back(std::move(value));
    }
  }
  // The value of `text`: the one kept, or what make() gives (a std::optional<Value>), kept. Null
  // when make() gives nothing, or when no more texts can be kept (make() is not called then).
  template <class Make>
  const Value* FindOrMake(std::string_view text, const Make& make) {
    if (const Value* known = Find(text)) return known;
    return MakeAndKeep(text, make);
  }

 private:
  // Apart from the lookup, which is then small enough to be inlined where it is called, so that
  // what make() needs is gathered only for a text not found.
  template <class Make>
  [[gnu::noinline]] const Value* MakeAndKeep(std::string_view text, const Make& make) {
    if (!CanKeep(text)) return nullptr;
    std::optional<Value> made = make();
    return made ? &Keep(text, std::move(*made)) : nullptr;
  }

  struct Apart {
    ShortTextIndex Index;
    std::deque<Value> Values;
    int Size() const { return Index.Size(); }
  };
  int Size() const { return store_.Size(); }

  std::conditional_t<kInTable, ShortTextTable<Value>, Apart> store_;
};

}  // namespace taskwell
