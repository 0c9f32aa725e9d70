#include "engine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Within one step the engine works on one 16-bit word per cell instead of the
// texts; every text it writes is the one the passes over the texts would
// write, in the same order, and the texts are brought up to date before a
// step ends.
using Mask = std::uint16_t; // bit d set for digit d, 1..9
constexpr Mask AllDigits = 0x3FE;
constexpr Mask Decided = 0x8000; // a one-character text, its digit 1..9 (or 0) in bits 10-13
constexpr Mask Raw = 0x4000;     // a longer text that is not the ascending list of its digits
constexpr Mask Open = 0x0001;    // a text of two or more characters, its candidates in bits 1-9
constexpr int DigitShift = 10;

// Cells in board order: index column * 9 + row.
using TCells = std::array<Mask, 81>;

constexpr int Index(int c, int r) {
  return c * 9 + r;
}

constexpr int BoxOf(int c, int r) {
  return BoxStart(r) + c / 3;
}

constexpr std::array<std::uint8_t, 1024> MakeCounts() {
  std::array<std::uint8_t, 1024> counts{};
  for (unsigned mask = 0; mask < counts.size(); ++mask)
    counts[mask] = static_cast<std::uint8_t>(std::popcount(mask));
  return counts;
}

constexpr std::array<std::uint8_t, 1024> Counts = MakeCounts();

// The number of digits in a mask.
int Count(Mask mask) {
  return Counts[mask & AllDigits];
}

// A decided cell of the digit whose bit is given. Only open cells have digit
// bits, so a unit's candidates are the plain union of its cells.
Mask DecidedCell(Mask bit) {
  return Mask(Decided | std::countr_zero(static_cast<unsigned>(bit)) << DigitShift);
}

// The bit of a decided cell's digit; none for a character that is no digit.
Mask DigitBit(Mask cell) {
  return Mask(1u << (cell >> DigitShift & 15)) & AllDigits;
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

bool IsDigitText(const std::string &text, Mask mask) {
  const TDigitText &digits = DigitTexts[mask];
  return text.size() == digits.length && std::memcmp(text.data(), digits.digits, text.size()) == 0;
}

Mask CellOf(const std::string &text) {
  if (text.size() == 1) {
    const unsigned char ch = static_cast<unsigned char>(text[0]);
    return ch >= '1' && ch <= '9' ? Mask(Decided | (ch - '0') << DigitShift) : Decided;
  }
  const Mask mask = CandidateMask(text);
  if (IsDigitText(text, mask))
    return mask == 0 ? mask : Mask(mask | Open);
  return mask | Raw | Open;
}

TCells CellsOf(const TGrid &board) {
  TCells cells;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      cells[Index(c, r)] = CellOf(board[c][r].Text);
  return cells;
}

// Rewrites the texts of the cells that differ from what the texts show now.
// The engine decides a cell only with a digit; the text of a decided cell
// that holds no digit is never rewritten.
void WriteText(Mask cell, std::string &text) {
  if (cell == Decided)
    return;
  const TDigitText &digits = DigitTexts[cell & Decided ? DigitBit(cell) : cell & AllDigits];
  text.assign(digits.digits, digits.length);
}

// Rewrites the texts of the cells that differ from what the texts show now.
void WriteTexts(const TCells &cells, const TCells &shown, TGrid &board) {
  for (int i = 0; i < 81; ++i) {
    // Four cells at a time: most of a board is as it was.
    if (i % 4 == 0 && i + 4 <= 81 && std::memcmp(&cells[i], &shown[i], 4 * sizeof(Mask)) == 0) {
      i += 3;
      continue;
    }
    if (cells[i] != shown[i])
      WriteText(cells[i], board[i / 9][i % 9].Text);
  }
}

// A text longer than one character: a cell the hidden-singles pass handles.
bool IsOpen(Mask cell) {
  return (cell & Open) != 0;
}

bool IsEmptyText(Mask cell) {
  return cell == 0;
}

// A set of cells by board index, so a pass can go to the next cell it has to
// recompute in board order.
struct TCellSet {
  std::uint64_t low = 0;  // cells 0 to 63
  std::uint64_t high = 0; // cells 64 to 80

  constexpr void Add(int i) {
    if (i < 64)
      low |= std::uint64_t(1) << i;
    else
      high |= std::uint64_t(1) << (i - 64);
  }
  bool Any() const { return (low | high) != 0; }
  int TakeFirst() {
    if (low != 0) {
      const int i = std::countr_zero(low);
      low &= low - 1;
      return i;
    }
    const int i = 64 + std::countr_zero(high);
    high &= high - 1;
    return i;
  }
  TCellSet &operator|=(const TCellSet &other) {
    low |= other.low, high |= other.high;
    return *this;
  }
  TCellSet operator&(const TCellSet &other) const { return {low & other.low, high & other.high}; }
  void Remove(int i) {
    if (i < 64)
      low &= ~(std::uint64_t(1) << i);
    else
      high &= ~(std::uint64_t(1) << (i - 64));
  }
};

// Column, row and box of every cell, by board index.
struct TPlace {
  std::uint8_t col, row, box;
};

constexpr std::array<TPlace, 81> MakePlaces() {
  std::array<TPlace, 81> places{};
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      places[Index(c, r)] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r),
                             static_cast<std::uint8_t>(BoxOf(c, r))};
  return places;
}

constexpr std::array<TPlace, 81> Places = MakePlaces();

// The peers of every cell that come after it in board order, and those that
// come before it.
struct TPeers {
  TCellSet after, before;
};

constexpr std::array<TPeers, 81> MakePeers() {
  std::array<TPeers, 81> peers{};
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) {
          if ((x == c && y == r) ||
              (x != c && y != r && (BoxStart(x) != BoxStart(c) || BoxStart(y) != BoxStart(r))))
            continue;
          TPeers &p = peers[Index(c, r)];
          (Index(x, y) > Index(c, r) ? p.after : p.before).Add(Index(x, y));
        }
  return peers;
}

constexpr std::array<TPeers, 81> Peers = MakePeers();

// The cells of one unit in the order the hidden-singles scan visits them:
// rows 0-8, then columns 0-8, then boxes in row-major order of the boxes.
using TUnit = std::array<std::uint8_t, 9>;

constexpr std::array<TUnit, 27> MakeUnits() {
  std::array<TUnit, 27> units{};
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 9; ++k) {
      units[i][k] = static_cast<std::uint8_t>(Index(k, i));
      units[9 + i][k] = static_cast<std::uint8_t>(Index(i, k));
      // Box i: columns left to right, rows top to bottom within a column.
      units[18 + i][k] = static_cast<std::uint8_t>(Index(i % 3 * 3 + k / 3, i / 3 * 3 + k % 3));
    }
  return units;
}

constexpr std::array<TUnit, 27> Units = MakeUnits();

// Sets of units as bits 0-26, in the order above.
using TUnitSet = std::uint32_t;
constexpr TUnitSet AllUnits = (1u << 27) - 1;

constexpr std::array<TUnitSet, 81> MakeUnitsOfCell() {
  std::array<TUnitSet, 81> units{};
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      units[Index(c, r)] = 1u << r | 1u << (9 + c) | 1u << (18 + BoxOf(c, r));
  return units;
}

constexpr std::array<TUnitSet, 81> UnitsOfCell = MakeUnitsOfCell();

// The board as the passes see it, with what the passes know about it: the
// digits decided in each unit, the open cells that a pass has yet to
// recompute since a peer was decided (every other open cell already holds
// what a pass would give it), the digits with one place in each unit, and
// the units changed since they were last checked. It is saved with every
// guess, so none of this is worked out again after going back.
struct TCellBoard {
  TCells cells;
  Mask row[9] = {}, col[9] = {}, box[9] = {};
  TCellSet stale;
  TCellSet undecided; // the cells that a pass visits at all
  TCellSet unwritten; // cells whose texts do not show them yet
  Mask unique[27] = {};
  TUnitSet uniqueStale = AllUnits; // units whose unique digits may be out of date
  TUnitSet live = 0;               // units with a unique digit
  TUnitSet unchecked = AllUnits;   // units changed since the dead-unit check passed

  TCellBoard() = default;
  explicit TCellBoard(const TGrid &board) : cells(CellsOf(board)) {
    for (int c = 0; c < 9; ++c)
      for (int r = 0; r < 9; ++r) {
        const Mask cell = cells[Index(c, r)];
        if (cell & Decided) {
          Stand(Index(c, r), DigitBit(cell));
        } else {
          stale.Add(Index(c, r));
          undecided.Add(Index(c, r));
        }
      }
  }

  void Stand(int i, Mask bit) {
    const TPlace &place = Places[i];
    row[place.row] |= bit, col[place.col] |= bit, box[place.box] |= bit;
  }

  void Write(int i, Mask cell) {
    if (cells[i] == cell)
      return;
    cells[i] = cell;
    if (cell & Decided)
      undecided.Remove(i);
    unwritten.Add(i);
    uniqueStale |= UnitsOfCell[i];
    unchecked |= UnitsOfCell[i];
  }

  // Brings the texts up to date; returns whether any changed.
  bool WriteTexts(TGrid &board) {
    const bool changed = unwritten.Any();
    while (unwritten.Any()) {
      const int i = unwritten.TakeFirst();
      WriteText(cells[i], board[i / 9][i % 9].Text);
    }
    return changed;
  }

  // A guess or a hidden single: every peer needs the next pass.
  void Place(int i, Mask cell) {
    Write(i, cell);
    Stand(i, DigitBit(cell));
    stale |= Peers[i].after & undecided;
    stale |= Peers[i].before & undecided;
  }

  // One candidate pass in board order. Only the cells it would change are
  // visited: a digit decided during the pass reaches the later peers in the
  // same pass and the earlier ones in the next, as in a pass over all cells.
  void Pass() {
    TCellSet current = stale;
    stale = TCellSet();
    while (current.Any()) {
      const int i = current.TakeFirst();
      if (cells[i] & Decided)
        continue;
      const TPlace &place = Places[i];
      const Mask mask = AllDigits & ~(row[place.row] | col[place.col] | box[place.box]);
      if (mask != 0 && (mask & (mask - 1)) == 0) {
        Write(i, DecidedCell(mask));
        Stand(i, mask);
        current |= Peers[i].after & undecided;
        stale |= Peers[i].before & undecided;
      } else {
        Write(i, mask == 0 ? mask : Mask(mask | Open));
      }
    }
  }

  // Passes until one would change nothing.
  void ToFixedPoint() {
    while (stale.Any())
      Pass();
  }

  // The digits that are a candidate of exactly one open cell of each unit.
  void RefreshUnique() {
    for (; uniqueStale != 0; uniqueStale &= uniqueStale - 1) {
      const int index = std::countr_zero(uniqueStale);
      Mask once = 0, twice = 0;
      for (const int i : Units[index]) {
        const Mask cell = cells[i];
        const Mask mask = cell & AllDigits;
        twice |= once & mask;
        once |= mask;
      }
      unique[index] = once & ~twice;
      if (unique[index] != 0)
        live |= 1u << index;
      else
        live &= ~(1u << index);
    }
  }
};

// One hidden-singles pass. Once no unit has a digit with one place, the rest
// of the pass can place nothing.
class THiddenSingles {
public:
  explicit THiddenSingles(TCellBoard &board) : m_board(board) {}

  void Run() {
    m_board.RefreshUnique();
    for (int c = 0; c < 9; ++c)
      for (int r = 0; r < 9; ++r) {
        if (m_board.live == 0)
          return;
        if (!IsOpen(m_board.cells[Index(c, r)]))
          continue;
        ScanUnit(r);
        ScanUnit(9 + c);
        ScanUnit(18 + BoxOf(c, r));
      }
  }

private:
  void ScanUnit(int index) {
    Mask done = 0; // the digits up to the last one handled
    for (;;) {
      const Mask unique = m_board.unique[index] & ~done;
      if (unique == 0)
        return;
      const Mask bit = unique & -unique;
      done |= Mask(2 * bit - 1);
      for (const int i : Units[index])
        if (m_board.cells[i] & bit) {
          m_board.Place(i, DecidedCell(bit));
          break;
        }
      m_board.ToFixedPoint();
      m_board.RefreshUnique();
    }
  }

  TCellBoard &m_board;
};

void PropagateCells(TCellBoard &board) {
  board.ToFixedPoint();
  THiddenSingles(board).Run();
}

// A decided cell that is not a digit 1 to 9, or a digit that stands twice in
// a unit. The search never makes either, so no grid of digits completes such a
// board, and searching for one could take for ever.
bool BrokenDigits(const TCells &cells) {
  Mask row[9] = {}, col[9] = {}, box[9] = {};
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const Mask cell = cells[Index(c, r)];
      if (!(cell & Decided))
        continue;
      const Mask bit = DigitBit(cell);
      Mask &b = box[BoxOf(c, r)];
      if (bit == 0 || ((row[r] | col[c] | b) & bit))
        return true;
      row[r] |= bit, col[c] |= bit, b |= bit;
    }
  return false;
}

TBoardState StateOf(const TCells &cells) {
  TBoardState result = bsComplete;
  for (const Mask cell : cells) {
    if (IsEmptyText(cell))
      return bsEmptyCell;
    if (!(cell & Decided))
      result = bsOpen;
  }
  return result;
}

// Kuhn's augmenting paths over digit masks: gives the cell a digit of its
// own, moving other cells to other digits where needed.
bool Augment(int cell, const Mask *options, int *cellOfDigit, Mask &taken, Mask &tried) {
  const Mask free = options[cell] & ~taken;
  if (free != 0) {
    const Mask bit = free & -free;
    taken |= bit;
    cellOfDigit[std::countr_zero(static_cast<unsigned>(bit))] = cell;
    return true;
  }
  for (Mask rest = options[cell]; rest != 0; rest &= rest - 1) {
    const Mask bit = rest & -rest;
    if (tried & bit)
      continue;
    tried |= bit;
    const int d = std::countr_zero(static_cast<unsigned>(bit));
    if (Augment(cellOfDigit[d], options, cellOfDigit, taken, tried)) {
      cellOfDigit[d] = cell;
      return true;
    }
  }
  return false;
}

// A dead cell, or a unit whose open cells cannot all get different digits
// from their candidates (a digit with no place left, or three digits that fit
// only two cells). No grid lies below such a board, so the search may turn
// back at once; the outcome of the search stays the same. Only the units
// changed since the last check that passed need a look.
bool HasDeadUnit(TCellBoard &board) {
  const TCells &cells = board.cells;
  for (TUnitSet units = board.unchecked; units != 0; units &= units - 1) {
    const TUnit &unit = Units[std::countr_zero(units)];
    Mask options[9];
    int open = 0;
    Mask standing = 0, wanted = 0;
    for (const int i : unit) {
      const Mask cell = cells[i];
      if (IsEmptyText(cell))
        return true;
      if (cell & Decided) {
        standing |= DigitBit(cell);
      } else {
        options[open] = cell & AllDigits;
        wanted |= options[open++];
      }
    }
    // A repeated digit or a decided non-digit leaves too few digits for the
    // open cells.
    if (9 - open != Count(standing))
      return true;
    wanted &= ~standing;
    if (Count(wanted) < open)
      return true;
    int fewest = 9;
    for (int cell = 0; cell < open; ++cell) {
      options[cell] &= ~standing;
      fewest = std::min(fewest, Count(options[cell]));
    }
    // When every open cell has as many candidates as there are open cells,
    // each can take one that the cells before it left.
    if (fewest >= open)
      continue;
    int cellOfDigit[10] = {};
    Mask taken = 0;
    for (int cell = 0; cell < open; ++cell) {
      // Mostly a digit is still free; the paths are for the rest.
      if (const Mask free = options[cell] & ~taken; free != 0) {
        const Mask bit = free & -free;
        taken |= bit;
        cellOfDigit[std::countr_zero(static_cast<unsigned>(bit))] = cell;
        continue;
      }
      Mask tried = 0;
      if (!Augment(cell, options, cellOfDigit, taken, tried))
        return true;
    }
  }
  board.unchecked = 0;
  return false;
}

// The first cell in row-by-row order with two, else three, else more
// characters.
bool FindBranchingCell(const TCells &cells, const TGrid &board, int &col, int &row) {
  int best = -1;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const Mask cell = cells[Index(c, r)];
      if (!IsOpen(cell))
        continue;
      const std::size_t length =
          cell & Raw ? board[c][r].Text.size() : static_cast<std::size_t>(Count(cell));
      const int rank = length == 2 ? 0 : length == 3 ? 1 : 2;
      if (best < 0 || rank < best) {
        best = rank, col = c, row = r;
        if (rank == 0)
          return true;
      }
    }
  return best >= 0;
}

bool HasRawText(const TCells &cells) {
  return std::any_of(cells.begin(), cells.end(), [](Mask cell) { return (cell & Raw) != 0; });
}

// One level of the search. The board before the guess is kept in its compact
// form. Texts that form cannot give back (notes no pass has rewritten yet)
// can only stand before the first guess, so the first level alone may need
// the board kept whole as well.
struct TTE {
  int Col = 0;
  int Row = 0;
  int Choice = 0;         // 1-based position in Candidates; 0 = no guess recorded
  std::string Candidates; // in the order they are tried
  TCellBoard Saved;
  bool SavedWhole = false;
};

} // namespace

bool ComputeCandidates(TGrid &board) {
  TCellBoard cells(board);
  cells.Pass();
  return cells.WriteTexts(board);
}

bool BoardUnchanged(const TGrid &board, const TGrid &last) {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (board[c][r].Text != last[c][r].Text)
        return false;
  return true;
}

void PlaceHiddenSingles(TGrid &board) {
  TCellBoard cells(board);
  THiddenSingles(cells).Run();
  cells.WriteTexts(board);
}

void Propagate(TGrid &board) {
  TCellBoard cells(board);
  PropagateCells(cells);
  cells.WriteTexts(board);
}

TSearchResult SearchSolution(TGrid &board, TRandom &random, TSearchStats *stats, long guessLimit) {
  constexpr int LevelLimit = 100;
  long guesses = 0;
  TCellBoard cells(board);
  // Clashing digits stay wrong however full the board is.
  if (BrokenDigits(cells.cells))
    return TSearchResult::Unsolvable;
  if (StateOf(cells.cells) == bsComplete)
    return TSearchResult::Solved;

  // A board that was not propagated may still have empty cells that fill up.
  TCellBoard settled = cells;
  settled.ToFixedPoint();
  if (HasDeadUnit(settled))
    return TSearchResult::Unsolvable;

  // The texts are brought up to date after every step.
  std::optional<TGrid> whole;
  auto restore = [&](const TTE &record) {
    if (record.SavedWhole)
      board = *whole;
    else
      WriteTexts(record.Saved.cells, cells.cells, board);
    cells = record.Saved;
  };

  // Records grow as the search goes deeper; index 0 is unused.
  std::vector<TTE> stack(2);
  stack.reserve(LevelLimit);
  int level = 1;
  for (;;) {
    TTE &record = stack[level];
    if (record.Choice == 0) {
      int col = 0, row = 0;
      if (FindBranchingCell(cells.cells, board, col, row)) {
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
        record.Saved = cells;
        record.SavedWhole = HasRawText(cells.cells);
        if (record.SavedWhole)
          whole = board;
        if (stats && stats->firstCol < 0)
          stats->firstCol = col, stats->firstRow = row;
      }
    }
    if (record.Choice > 0) {
      if (++guesses > guessLimit)
        return TSearchResult::DepthLimit;
      std::string &text = board[record.Col][record.Row].Text;
      text.assign(1, record.Candidates[record.Choice - 1]);
      cells.Place(Index(record.Col, record.Row), CellOf(text));
      if (stats)
        ++stats->guesses;
      PropagateCells(cells);
      cells.WriteTexts(board);
    }

    const TBoardState state = StateOf(cells.cells);
    if (state == bsComplete)
      return TSearchResult::Solved;
    if (state == bsOpen && !HasDeadUnit(cells)) {
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
        restore(current);
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
