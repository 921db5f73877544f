#pragma once

#include <cstddef>
#include <exception>
#include <functional>

namespace taskwell {

// Thrown by a progress listener to stop the work it watches; whatever the work built so far is
// dropped as the exception passes.
class WorkCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "cancelled"; }
};

// How far a long piece of work has come, told now and then to whoever shows it, as a share of
// the whole from 0 to 1. A work of several parts hands each part a Part of its own progress.
class Progress {
 public:
  // May throw (WorkCancelled) to stop the work.
  using Listener = std::function<void(double share)>;
  static constexpr std::size_t kEvery = 1024;

  // Nobody listens.
  Progress() = default;
  // The listener must outlive this progress and its parts.
  explicit Progress(const Listener& listener) : listener_(&listener) {}

  // The stretch from `from` to `to` of this progress, as a progress of its own.
  Progress Part(double from, double to) const {
    Progress part = *this;
    part.from_ = from_ + (to_ - from_) * from;
    part.to_ = from_ + (to_ - from_) * to;
    return part;
  }

  // Step number `step` of a loop that has done `done` of `total`: every kEvery-th is told.
  void Step(std::size_t step, std::size_t done, std::size_t total) const {
    if (listener_ == nullptr || step % kEvery != 0 || total == 0) return;
    (*listener_)(from_ + (to_ - from_) * static_cast<double>(done) / static_cast<double>(total));
  }
  void Step(std::size_t done, std::size_t total) const { Step(done, done, total); }
  // Told at once, for a watcher that polls work running elsewhere.
  void Tell(std::size_t done, std::size_t total) const { Step(0, done, total); }

 private:
  const Listener* listener_ = nullptr;
  double from_ = 0;
  double to_ = 1;
};

}  // namespace taskwell
