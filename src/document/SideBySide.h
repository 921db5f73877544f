#pragma once

#include <future>
#include <system_error>

namespace taskwell {

// Runs `beside` on a thread of its own and `here` on this one, and returns once both are done;
// both run here, one after the other, where no thread can be had. A failure of `beside` is
// thrown once `here` is done.
template <typename Here, typename Beside>
void SideBySide(Here&& here, Beside&& beside) {
  std::future<void> other;
  try {
    other = std::async(std::launch::async, beside);
  } catch (const std::system_error&) {
    beside();
  }
  here();
  if (other.valid()) other.get();
}

// The same where `share` holds; otherwise both run here, one after the other, as work too small
// to be worth a thread.
template <typename Here, typename Beside>
void SideBySide(bool share, Here&& here, Beside&& beside) {
  if (share) return SideBySide(here, beside);
  here();
  beside();
}

}  // namespace taskwell
