#pragma once

#include "clock.h"

#include <cstdint>
#include <random>

// Where the engine's random choices come from. The program draws from one
// generator for the whole run; tests script the sequence.
class TRandom {
public:
  virtual ~TRandom() = default;
  // Uniform over 0 .. count - 1; count is at least 1.
  virtual int Below(int count) = 0;
};

// Seeded once, from the time of day when the program starts. Reseeding before
// every draw would repeat one draw for a whole millisecond, and a solve of a
// cleared board now fits inside one.
class TSeededRandom final : public TRandom {
public:
  explicit TSeededRandom(TClock &clock);
  explicit TSeededRandom(std::uint32_t seed) : m_generator(seed) {}
  int Below(int count) override;

private:
  std::mt19937 m_generator;
};
