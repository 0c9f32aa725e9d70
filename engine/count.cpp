#include "count.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

using TMask = std::uint16_t; // bit d-1 for digit d
constexpr TMask AllDigits = 0x1FF;

// Cells numbered row by row, 0 to 80.
constexpr int RowOf(int cell) {
  return cell / 9;
}
constexpr int ColOf(int cell) {
  return cell % 9;
}
constexpr int BoxOf(int cell) {
  return cell / 27 * 3 + cell % 9 / 3;
}

// The 27 units: rows, then columns, then boxes.
constexpr auto Units = [] {
  std::array<std::array<std::uint8_t, 9>, 27> units{};
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 9; ++k) {
      units[i][k] = std::uint8_t(i * 9 + k);
      units[9 + i][k] = std::uint8_t(k * 9 + i);
      units[18 + i][k] = std::uint8_t((i / 3 * 3 + k / 3) * 9 + i % 3 * 3 + k % 3);
    }
  return units;
}();

// One position of the search: the digits placed and, per unit, which digits
// it holds. Small enough to copy at every branch, which makes taking a guess
// back free.
struct TState {
  std::array<std::uint8_t, 81> cells{};
  std::array<TMask, 9> rows{}, cols{}, boxes{};
  int open = 81;

  TMask Candidates(int cell) const {
    return AllDigits & ~(rows[RowOf(cell)] | cols[ColOf(cell)] | boxes[BoxOf(cell)]);
  }
  TMask Held(int unit) const {
    return unit < 9 ? rows[unit] : unit < 18 ? cols[unit - 9] : boxes[unit - 18];
  }
  // False when the digit is no longer open to the cell.
  bool Place(int cell, TMask bit) {
    if (cells[cell] || !(Candidates(cell) & bit))
      return false;
    rows[RowOf(cell)] |= bit;
    cols[ColOf(cell)] |= bit;
    boxes[BoxOf(cell)] |= bit;
    cells[cell] = std::uint8_t(std::countr_zero(bit) + 1);
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
      for (int cell = 0; cell < 81; ++cell) {
        if (state.cells[cell])
          continue;
        const TMask candidates = state.Candidates(cell);
        if (!candidates)
          return false;
        if (std::has_single_bit(candidates)) {
          state.Place(cell, candidates);
          changed = true;
        }
      }
      if (changed)
        continue;
      for (int unit = 0; unit < 27; ++unit) {
        TMask once = 0, twice = 0;
        for (const std::uint8_t cell : Units[unit]) {
          if (state.cells[cell])
            continue;
          const TMask candidates = state.Candidates(cell);
          twice |= once & candidates;
          once |= candidates;
        }
        const TMask held = state.Held(unit);
        if ((once | held) != AllDigits)
          return false;
        for (TMask hidden = once & ~twice; hidden; hidden &= hidden - 1) {
          const TMask bit = hidden & -hidden;
          for (const std::uint8_t cell : Units[unit])
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
    for (int cell = 0; cell < 81 && fewest > 2; ++cell)
      if (!state.cells[cell]) {
        const int count = std::popcount(state.Candidates(cell));
        if (count < fewest)
          best = cell, fewest = count;
      }
    for (TMask rest = state.Candidates(best); rest && m_found < m_limit; rest &= rest - 1) {
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
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const std::string &text = board[col][row].Text;
      if (text.size() != 1)
        continue;
      if (text[0] < '1' || text[0] > '9' ||
          !start.Place(row * 9 + col, TMask(1u << (text[0] - '1'))))
        return 0;
    }
  return TCounter(limit < 1 ? 1 : limit).Count(start);
}
