#pragma once

#include <cstdint>

// The program's only window on time. The random source is seeded from the
// time of day, and the game timer measures from a point on the calendar; tests
// hand in a fake so both are deterministic.
class TClock {
public:
  virtual ~TClock() = default;
  // Local time of day, 0 .. 86'399'999.
  virtual int MillisecondsOfDay() = 0;
  // Wall-clock instant; differences of two readings span midnight correctly.
  virtual std::int64_t MillisecondsSinceEpoch() = 0;
};

class TSystemClock final : public TClock {
public:
  int MillisecondsOfDay() override;
  std::int64_t MillisecondsSinceEpoch() override;
};
