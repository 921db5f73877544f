#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <thread>

#include "document/ContentHasher.h"
#include "document/ContentScan.h"

namespace taskwell {

// Hashes and scans the bytes of a file as it is read, on a thread of its own a little behind the
// read, so that neither adds to the time the read takes; for a short file, or without a thread,
// here as the bytes come. The bytes must stay where they are until Finish, or until Settle is
// called before they move.
class ReadBehind {
 public:
  // Either may be null. A file of `expected` bytes or more is taken on a thread.
  ReadBehind(ContentHasher* hasher, ContentScan* scan, std::size_t expected);
  ~ReadBehind();
  ReadBehind(const ReadBehind&) = delete;
  ReadBehind& operator=(const ReadBehind&) = delete;

  // These are the bytes read so far.
  void Came(const std::string& bytes);
  // The bytes are about to move or change: the thread takes what came and ends; the rest is
  // taken here.
  void Settle();
  // All the bytes have come: when this returns, the hash and the scan have taken them.
  void Finish(const std::string& bytes);

 private:
  static constexpr std::size_t kDone = std::size_t{1} << 63;
  void Take(std::string_view bytes, bool complete);
  void Run();

  ContentHasher* hasher_;
  ContentScan* scan_;
  const char* data_ = nullptr;
  // The bytes that came, and kDone once the thread is to end.
  std::atomic<std::size_t> state_{0};
  // The bytes the thread was last woken for.
  std::size_t told_ = 0;
  std::thread thread_;
};

}  // namespace taskwell
