#include "document/ReadBehind.h"

#include <system_error>

namespace taskwell {
namespace {

// Below this a thread costs about what it saves.
constexpr std::size_t kBesideFrom = std::size_t{4} << 20;
// The thread is woken once for this many bytes, not for every piece read.
constexpr std::size_t kWakeEvery = std::size_t{1} << 20;

}  // namespace

ReadBehind::ReadBehind(ContentHasher* hasher, ContentScan* scan, std::size_t expected)
    : hasher_(hasher), scan_(scan) {
  if (expected < kBesideFrom || (hasher == nullptr && scan == nullptr)) return;
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // Without a thread the bytes are taken here.
  }
}

ReadBehind::~ReadBehind() {
  Settle();
}

void ReadBehind::Came(const std::string& bytes) {
  if (!thread_.joinable()) {
    Take(bytes, false);
    return;
  }
  if (data_ == nullptr) data_ = bytes.data();
  state_.store(bytes.size(), std::memory_order_release);
  if (bytes.size() - told_ >= kWakeEvery) {
    told_ = bytes.size();
    state_.notify_one();
  }
}

void ReadBehind::Settle() {
  if (!thread_.joinable()) return;
  state_.fetch_or(kDone, std::memory_order_release);
  state_.notify_one();
  thread_.join();
}

void ReadBehind::Finish(const std::string& bytes) {
  Settle();
  Take(bytes, true);
}

void ReadBehind::Take(std::string_view bytes, bool complete) {
  if (hasher_ != nullptr) hasher_->Through(bytes);
  if (scan_ != nullptr) scan_->Scan(bytes, complete);
}

void ReadBehind::Run() {
  std::size_t taken = 0;
  try {
    for (;;) {
      const std::size_t state = state_.load(std::memory_order_acquire);
      const std::size_t came = state & ~kDone;
      if (came > taken) {
        Take({data_, came}, false);
        taken = came;
      } else if ((state & kDone) != 0) {
        return;
      } else {
        state_.wait(state, std::memory_order_acquire);
      }
    }
  } catch (...) {
    // What the thread could not take, Finish takes here.
  }
}

}  // namespace taskwell
