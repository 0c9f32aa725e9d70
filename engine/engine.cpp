#include "engine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Mask = std::uint16_t; // bit d set for digit d, 1..9
constexpr Mask AllDigits = 0x3FE;

int BoxOf(int c, int r) {
  return BoxStart(r) + c / 3;
}

// The digit that stands in a cell, or 0.
int StandingDigit(const std::string &text) {
  if (text.size() != 1)
    return 0;
  const unsigned char ch = static_cast<unsigned char>(text[0]);
  return ch >= '1' && ch <= '9' ? ch - '0' : 0;
}

// Digits whose character a candidate text contains; one-character and empty
// texts have none.
Mask CandidateMask(const std::string &text) {
  if (text.size() < 2)
    return 0;
  Mask mask = 0;
  for (const char ch : text) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (u >= '1' && u <= '9')
      mask |= Mask(1u << (u - '0'));
  }
  return mask;
}

// Standing digits per unit, taken from the texts; a pass keeps them current
// as it writes, so every cell sees the placements made before it.
struct TUnitDigits {
  Mask row[9] = {}, col[9] = {}, box[9] = {};

  explicit TUnitDigits(const TGrid &board) {
    for (int c = 0; c < 9; ++c)
      for (int r = 0; r < 9; ++r)
        Add(c, r, StandingDigit(board[c][r].Text));
  }
  void Add(int c, int r, int digit) {
    if (digit == 0)
      return;
    const Mask bit = Mask(1u << digit);
    row[r] |= bit;
    col[c] |= bit;
    box[BoxOf(c, r)] |= bit;
  }
  Mask Excluded(int c, int r) const { return row[r] | col[c] | box[BoxOf(c, r)]; }
};

// The ascending digit text of every mask, built once at compile time.
struct TDigitText {
  char digits[9];
  std::uint8_t length;
};

constexpr std::array<TDigitText, 1024> MakeDigitTexts() {
  std::array<TDigitText, 1024> texts{};
  for (unsigned mask = 0; mask < texts.size(); ++mask)
    for (int d = 1; d <= 9; ++d)
      if (mask & (1u << d))
        texts[mask].digits[texts[mask].length++] = static_cast<char>('0' + d);
  return texts;
}

constexpr std::array<TDigitText, 1024> DigitTexts = MakeDigitTexts();

// Writes the digits of mask in ascending order; reports a change of text.
bool WriteDigits(std::string &text, Mask mask) {
  const TDigitText &digits = DigitTexts[mask];
  if (text.size() == digits.length && std::memcmp(text.data(), digits.digits, digits.length) == 0)
    return false;
  text.assign(digits.digits, digits.length);
  return true;
}

void CandidatesToFixedPoint(TGrid &board) {
  while (ComputeCandidates(board)) {
  }
}

// The cells of one unit in the order the hidden-singles scan visits them:
// rows 0-8, then columns 0-8, then boxes in row-major order of the boxes.
struct TUnit {
  int col[9], row[9];
};

constexpr std::array<TUnit, 27> MakeUnits() {
  std::array<TUnit, 27> units{};
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 9; ++k) {
      units[i].col[k] = k, units[i].row[k] = i;
      units[9 + i].col[k] = i, units[9 + i].row[k] = k;
      // Box i: columns left to right, rows top to bottom within a column.
      units[18 + i].col[k] = i % 3 * 3 + k / 3;
      units[18 + i].row[k] = i / 3 * 3 + k % 3;
    }
  return units;
}

constexpr std::array<TUnit, 27> Units = MakeUnits();

// Candidate masks of every cell, taken from the texts. A unit's answer is
// kept until the next placement changes the board.
class THiddenSingles {
public:
  explicit THiddenSingles(TGrid &board) : m_board(board) { Refresh(); }

  void ScanUnit(int index) {
    const TUnit &unit = Units[index];
    if (Unique(index, unit) == 0)
      return;
    for (int d = 1; d <= 9; ++d) {
      if (!(Unique(index, unit) & (1u << d)))
        continue;
      for (int k = 0; k < 9; ++k)
        if (m_candidates[unit.col[k]][unit.row[k]] & (1u << d)) {
          m_board[unit.col[k]][unit.row[k]].Text.assign(1, static_cast<char>('0' + d));
          break;
        }
      CandidatesToFixedPoint(m_board);
      Refresh();
    }
  }

private:
  void Refresh() {
    for (int c = 0; c < 9; ++c)
      for (int r = 0; r < 9; ++r)
        m_candidates[c][r] = CandidateMask(m_board[c][r].Text);
    ++m_version;
  }

  // Digits that are a candidate of exactly one cell of the unit.
  Mask Unique(int index, const TUnit &unit) {
    if (m_unitVersion[index] != m_version) {
      Mask once = 0, twice = 0;
      for (int k = 0; k < 9; ++k) {
        const Mask mask = m_candidates[unit.col[k]][unit.row[k]];
        twice |= once & mask;
        once |= mask;
      }
      m_unique[index] = once & ~twice;
      m_unitVersion[index] = m_version;
    }
    return m_unique[index];
  }

  TGrid &m_board;
  Mask m_candidates[9][9];
  Mask m_unique[27] = {};
  int m_unitVersion[27] = {};
  int m_version = 0;
};

// A decided cell that is not a digit 1 to 9, or a digit that stands twice in
// a unit. The search never makes either, so no grid of digits completes such a
// board, and searching for one could take for ever.
bool BrokenDigits(const TGrid &board) {
  Mask row[9] = {}, col[9] = {}, box[9] = {};
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const std::string &text = board[c][r].Text;
      if (text.size() != 1)
        continue;
      const int digit = StandingDigit(text);
      if (digit == 0)
        return true;
      const Mask bit = Mask(1u << digit);
      Mask &b = box[BoxOf(c, r)];
      if ((row[r] | col[c] | b) & bit)
        return true;
      row[r] |= bit, col[c] |= bit, b |= bit;
    }
  return false;
}

// Kuhn's augmenting paths: gives the cell a digit of its own, moving other
// cells to other digits where needed.
bool Augment(int cell, const Mask *options, int *cellOfDigit, Mask &tried) {
  for (int d = 1; d <= 9; ++d) {
    const Mask bit = Mask(1u << d);
    if (!(options[cell] & bit) || (tried & bit))
      continue;
    tried |= bit;
    if (cellOfDigit[d] < 0 || Augment(cellOfDigit[d], options, cellOfDigit, tried)) {
      cellOfDigit[d] = cell;
      return true;
    }
  }
  return false;
}

// A dead cell, or a unit whose open cells cannot all get different digits
// from their candidates (a digit with no place left, or three digits that fit
// only two cells). No grid lies below such a board, so the search may turn
// back at once; the outcome of the search stays the same.
bool HasDeadUnit(const TGrid &board) {
  for (const TUnit &unit : Units) {
    Mask options[9];
    int open = 0;
    Mask standing = 0;
    for (int k = 0; k < 9; ++k) {
      const std::string &text = board[unit.col[k]][unit.row[k]].Text;
      if (text.empty())
        return true;
      if (text.size() == 1)
        standing |= Mask(1u << StandingDigit(text));
      else
        options[open++] = CandidateMask(text);
    }
    if (9 - open != std::popcount(static_cast<unsigned>(standing & AllDigits)))
      return true;
    int cellOfDigit[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int cell = 0; cell < open; ++cell) {
      options[cell] &= ~standing;
      Mask tried = 0;
      if (!Augment(cell, options, cellOfDigit, tried))
        return true;
    }
  }
  return false;
}

// The first cell in row-by-row order with two, else three, else more
// characters.
bool FindBranchingCell(const TGrid &board, int &col, int &row) {
  int best = -1;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const std::size_t length = board[c][r].Text.size();
      if (length < 2)
        continue;
      const int rank = length == 2 ? 0 : length == 3 ? 1 : 2;
      if (best < 0 || rank < best) {
        best = rank, col = c, row = r;
        if (rank == 0)
          return true;
      }
    }
  return best >= 0;
}

// One level of the search.
struct TTE {
  int Col = 0;
  int Row = 0;
  int Choice = 0;         // 1-based position in Candidates; 0 = no guess recorded
  std::string Candidates; // in the order they are tried
  TGrid Saved;
};

} // namespace

bool ComputeCandidates(TGrid &board) {
  TUnitDigits standing(board);
  bool changed = false;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      std::string &text = board[c][r].Text;
      if (text.size() == 1)
        continue;
      const Mask mask = AllDigits & ~standing.Excluded(c, r);
      changed |= WriteDigits(text, mask);
      if (mask != 0 && (mask & (mask - 1)) == 0)
        standing.Add(c, r, std::countr_zero(static_cast<unsigned>(mask)));
    }
  return changed;
}

bool BoardUnchanged(const TGrid &board, const TGrid &last) {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (board[c][r].Text != last[c][r].Text)
        return false;
  return true;
}

void PlaceHiddenSingles(TGrid &board) {
  THiddenSingles pass(board);
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      if (board[c][r].Text.size() <= 1)
        continue;
      pass.ScanUnit(r);
      pass.ScanUnit(9 + c);
      pass.ScanUnit(18 + BoxOf(c, r));
    }
}

void Propagate(TGrid &board) {
  CandidatesToFixedPoint(board);
  PlaceHiddenSingles(board);
}

TSearchResult SearchSolution(TGrid &board, TRandom &random, TSearchStats *stats, long guessLimit) {
  constexpr int LevelLimit = 100;
  long guesses = 0;
  const TBoardState initial = BoardState(board);
  if (initial == bsComplete)
    return TSearchResult::Solved;
  if (BrokenDigits(board))
    return TSearchResult::Unsolvable;

  // A board that was not propagated may still have empty cells that fill up.
  TGrid settled = board;
  CandidatesToFixedPoint(settled);
  if (HasDeadUnit(settled))
    return TSearchResult::Unsolvable;

  // Records grow as the search goes deeper; index 0 is unused.
  std::vector<TTE> stack(2);
  int level = 1;
  for (;;) {
    TTE &record = stack[level];
    if (record.Choice == 0) {
      int col = 0, row = 0;
      if (FindBranchingCell(board, col, row)) {
        const std::string &text = board[col][row].Text;
        record.Col = col;
        record.Row = row;
        record.Candidates = text;
        if (text.size() > 2) {
          const int drawn = random.Below(static_cast<int>(text.size()));
          record.Candidates.erase(drawn, 1);
          record.Candidates.insert(record.Candidates.begin(), text[drawn]);
        }
        record.Choice = 1;
        record.Saved = board;
        if (stats && stats->firstCol < 0)
          stats->firstCol = col, stats->firstRow = row;
      }
    }
    if (record.Choice > 0) {
      if (++guesses > guessLimit)
        return TSearchResult::DepthLimit;
      board[record.Col][record.Row].Text.assign(1, record.Candidates[record.Choice - 1]);
      if (stats)
        ++stats->guesses;
      Propagate(board);
    }

    const TBoardState state = BoardState(board);
    if (state == bsComplete)
      return TSearchResult::Solved;
    if (state == bsOpen && !HasDeadUnit(board)) {
      if (++level == LevelLimit)
        return TSearchResult::DepthLimit;
      if (static_cast<int>(stack.size()) <= level)
        stack.emplace_back();
      continue;
    }
    // Dead end: back to the deepest level that has a candidate left.
    for (;;) {
      TTE &current = stack[level];
      if (current.Choice > 0) {
        board = current.Saved;
        if (current.Choice < static_cast<int>(current.Candidates.size())) {
          ++current.Choice;
          if (stats)
            ++stats->backtracks;
          break;
        }
        current.Choice = 0;
      }
      if (--level == 0)
        return TSearchResult::Unsolvable;
    }
  }
}

void RemoveClues(TGrid &board, int level, TRandom &random) {
  if (level > 0) {
    int filled = 0;
    for (const auto &column : board)
      for (const TSquare &cell : column)
        filled += !cell.Text.empty();
    // Asking for more cells than hold a text would never end.
    int count = std::min(level + 9, filled);
    while (count > 0) {
      const int c = random.Below(9);
      const int r = random.Below(9);
      if (!board[c][r].Text.empty()) {
        board[c][r].Text.clear();
        --count;
      }
    }
  }
  for (auto &column : board)
    for (TSquare &cell : column)
      if (!cell.Text.empty())
        cell.Fixed = true;
}
