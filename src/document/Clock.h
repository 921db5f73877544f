#pragma once

namespace taskwell {

// Where "now" comes from: the local date and time as a date value. Tests fix it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  double Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(double now) : Value(now) {}
  double Now() const override { return Value; }
  double Value;
};

}  // namespace taskwell
