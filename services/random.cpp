#include "random.h"

TSeededRandom::TSeededRandom(TClock &clock)
    : m_generator(static_cast<std::uint32_t>(clock.MillisecondsOfDay())) {}

int TSeededRandom::Below(int count) {
  return std::uniform_int_distribution<int>(0, count - 1)(m_generator);
}
