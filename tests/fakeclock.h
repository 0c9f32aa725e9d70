#pragma once

#include "clock.h"

// Each reading moves the clock on by step milliseconds, so loops that wait for
// a new reading finish and every run sees the same sequence.
class TFakeClock final : public TClock {
public:
  explicit TFakeClock(std::int64_t start = 0, int step = 1) : m_now(start), m_step(step) {}

  int MillisecondsOfDay() override {
    const std::int64_t now = Tick();
    return static_cast<int>(((now % DayMs) + DayMs) % DayMs);
  }
  std::int64_t MillisecondsSinceEpoch() override { return Tick(); }

  void Set(std::int64_t now) { m_now = now; }
  void SetStep(int step) { m_step = step; }
  std::int64_t Now() const { return m_now; }

  static constexpr std::int64_t DayMs = 86'400'000;

private:
  std::int64_t Tick() {
    const std::int64_t now = m_now;
    m_now += m_step;
    return now;
  }
  std::int64_t m_now;
  int m_step;
};
