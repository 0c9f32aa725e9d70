#include "count.h"

#include "geometry.h"

#include <array>
#include <cstdint>

namespace {

// One position of the search: the digits placed and the digits each unit
// holds. Small enough to copy at every branch, which makes taking a guess
// back free.
struct TState {
  std::array<std::uint8_t, CellCount> cells{}; // the digit of each cell, 0 while open
  TUnitDigits held{};
  int open = CellCount;

  TDigits Candidates(int cell) const { return AllDigits & ~SeenDigits(held, cell); }
  // False when the digit is no longer open to the cell.
  bool Place(int cell, TDigits bit) {
    if (cells[cell] || !(Candidates(cell) & bit))
      return false;
    StandDigits(held, cell, bit);
    cells[cell] = std::uint8_t(FirstDigit(bit));
    --open;
    return true;
  }
};

class TCounter {
public:
  explicit TCounter(int limit) : m_limit(limit) {}

  int Count(const TState &start) {
    Search(start);
    return m_found;
  }

private:
  // Places naked and hidden singles until none is left. False when some
  // open cell or some digit of a unit has no place left: a dead end.
  static bool Settle(TState &state) {
    for (bool changed = true; changed;) {
      changed = false;
      for (int cell = 0; cell < CellCount; ++cell) {
        if (state.cells[cell])
          continue;
        const TDigits candidates = state.Candidates(cell);
        if (!candidates)
          return false;
        if (DigitCount(candidates) == 1) {
          state.Place(cell, candidates);
          changed = true;
        }
      }
      if (changed)
        continue;
      for (int unit = 0; unit < UnitCount; ++unit) {
        TDigits once = 0, twice = 0;
        for (const std::uint8_t cell : UnitCells[unit]) {
          if (state.cells[cell])
            continue;
          const TDigits candidates = state.Candidates(cell);
          twice |= once & candidates;
          once |= candidates;
        }
        const TDigits held = state.held[unit];
        if ((once | held) != AllDigits)
          return false;
        for (TDigits hidden = once & ~twice; hidden; hidden &= hidden - 1) {
          const TDigits bit = hidden & -hidden;
          for (const std::uint8_t cell : UnitCells[unit])
            if (!state.cells[cell] && (state.Candidates(cell) & bit)) {
              // Two digits that each have only this cell: no way out.
              if (!state.Place(cell, bit))
                return false;
              break;
            }
          changed = true;
        }
      }
    }
    return true;
  }

  // Every solution lies below exactly one candidate of the branching cell,
  // so trying them all counts each solution once.
  void Search(TState state) {
    if (!Settle(state))
      return;
    if (state.open == 0) {
      ++m_found;
      return;
    }
    int best = -1, fewest = 10;
    for (int cell = 0; cell < CellCount && fewest > 2; ++cell)
      if (!state.cells[cell]) {
        const int count = DigitCount(state.Candidates(cell));
        if (count < fewest)
          best = cell, fewest = count;
      }
    for (TDigits rest = state.Candidates(best); rest && m_found < m_limit; rest &= rest - 1) {
      TState next = state;
      next.Place(best, rest & -rest);
      Search(next);
    }
  }

  int m_limit;
  int m_found = 0;
};

} // namespace

int CountSolutions(const TGrid &board, int limit) {
  TState start;
  for (int cell = 0; cell < CellCount; ++cell) {
    const std::string &text = board[ColOf(cell)][RowOf(cell)].Text;
    if (text.size() != 1)
      continue;
    if (text[0] < '1' || text[0] > '9' || !start.Place(cell, DigitBit(text[0] - '0')))
      return 0;
  }
  return TCounter(limit < 1 ? 1 : limit).Count(start);
}
