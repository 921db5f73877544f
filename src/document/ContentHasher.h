#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace taskwell {

// ContentHash worked out as the bytes come in: each call hashes what is new of the bytes so far,
// while it is still in the cache, and the value at the end is ContentHash of all of them.
class ContentHasher {
 public:
  // The bytes so far; the ones given before must not have changed.
  void Through(std::string_view bytes);
  // The hash of all the bytes, given once more.
  std::uint64_t Finish(std::string_view bytes) const;

 private:
  static constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
  static constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
  std::uint64_t lanes_[4] = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
  // The bytes the lanes have taken, whole blocks of 32.
  std::size_t done_ = 0;
};

}  // namespace taskwell
