#pragma once

#include "step.h"

#include <array>

// Candidates a finder means to remove, gathered by cell so that the step lists
// them sorted by cell, then digit, however the finder came across them.
class TEliminations {
public:
  void Add(int cell, TDigits digits) {
    m_digits[cell] |= digits;
    m_any = m_any || digits != 0;
  }
  void Add(const TCellSet &cells, TDigits digits) {
    for (const int cell : cells)
      Add(cell, digits);
  }
  bool Empty() const { return !m_any; }

  void AppendTo(TStep &step) const {
    if (!m_any)
      return;
    for (int cell = 0; cell < CellCount; ++cell)
      for (TDigits rest = m_digits[cell]; rest;)
        step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(TakeDigit(rest))});
  }

private:
  std::array<TDigits, CellCount> m_digits{};
  bool m_any = false;
};
