#include "document/ContentScan.h"

#include <algorithm>

#include "document/Text.h"

namespace taskwell {

void ContentScan::Scan(std::string_view bytes, bool complete) {
  // A stretch at a time: each check reads it while the check before left it in the cache.
  while (scanned_ < bytes.size()) {
    const std::size_t end = std::min(scanned_ + kStretch, bytes.size());
    if (end - scanned_ < kStretch && !complete) break;
    const std::string_view stretch = bytes.substr(scanned_, end - scanned_);
    if (ctrlZ_ == std::string::npos) {
      const std::size_t found = stretch.find('\x1A');
      if (found != std::string::npos) ctrlZ_ = scanned_ + found;
    }
    if (utf8Bad_ == std::string::npos) {
      // A character may run on into the next stretch, which only the last call has whole.
      const std::size_t limit =
          end == bytes.size() && complete ? end : end - std::min(end, std::size_t{3});
      if (!ValidUtf8Run(bytes, utf8At_, limit)) utf8Bad_ = utf8At_;
    }
    if (end - scanned_ == kStretch)
      lfBefore_.push_back(lfBefore_.back() + CountByte(stretch, '\n'));
    scanned_ = end;
  }
  if (complete && utf8Bad_ == std::string::npos && !ValidUtf8Run(bytes, utf8At_, bytes.size()))
    utf8Bad_ = utf8At_;
}

std::size_t ContentScan::LfBefore(std::string_view bytes, std::size_t at) const {
  at = std::min(at, bytes.size());
  const std::size_t stretch = std::min(at / kStretch, lfBefore_.size() - 1);
  const std::size_t from = stretch * kStretch;
  return lfBefore_[stretch] + CountByte(bytes.substr(from, at - from), '\n');
}

std::size_t ContentScan::CountLf(std::string_view bytes, std::size_t from, std::size_t to) const {
  if (from >= to) return 0;
  return LfBefore(bytes, to) - LfBefore(bytes, from);
}

}  // namespace taskwell
