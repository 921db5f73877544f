#include "document/ContentHasher.h"

#include <cstring>

namespace taskwell {
namespace {

// Four lanes of eight-byte words whose multiplications overlap, then the tail byte by byte: a
// byte-at-a-time hash cost as much as reading the file. Its values must not change from version
// to version: the recovery journal's file name carries the hash of the task file's path, and a
// journal a crashed older version left is found by that name.
std::uint64_t Rotate(std::uint64_t x, int bits) {
  return (x << bits) | (x >> (64 - bits));
}

std::uint64_t Word(std::string_view bytes, std::size_t at) {
  std::uint64_t w = 0;
  std::memcpy(&w, bytes.data() + at, sizeof w);
  return w;
}

}  // namespace

void ContentHasher::Through(std::string_view bytes) {
  std::size_t i = done_;
  for (; i + 32 <= bytes.size(); i += 32) {
    for (std::size_t lane = 0; lane < 4; ++lane)
      lanes_[lane] = Rotate(lanes_[lane] + Word(bytes, i + 8 * lane) * kPrime2, 31) * kPrime1;
  }
  done_ = i;
}

std::uint64_t ContentHasher::Finish(std::string_view bytes) const {
  ContentHasher last = *this;
  last.Through(bytes);
  std::uint64_t hash = Rotate(last.lanes_[0], 1) + Rotate(last.lanes_[1], 7) +
                       Rotate(last.lanes_[2], 12) + Rotate(last.lanes_[3], 18) + bytes.size();
  std::size_t i = last.done_;
  for (; i + 8 <= bytes.size(); i += 8)
    hash = Rotate(hash ^ (Word(bytes, i) * kPrime2), 27) * kPrime1;
  for (; i < bytes.size(); ++i)
    hash = Rotate(hash ^ (static_cast<unsigned char>(bytes[i]) * kPrime1), 11) * kPrime2;
  hash ^= hash >> 33;
  hash *= kPrime2;
  hash ^= hash >> 29;
  return hash;
}

}  // namespace taskwell
