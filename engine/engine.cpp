#include "engine.h"

#include "geometry.h"

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
// step ends. The low nine bits are an open cell's candidates; a decided cell
// keeps its digit apart, so a unit's candidates are the plain union of its
// cells.
using TCellWord = std::uint16_t;
constexpr TCellWord Open = 0x0200;    // a text of two or more characters
constexpr int DigitShift = 10;        // a decided cell's digit in bits 10-13, 0 for a non-digit
constexpr TCellWord Raw = 0x4000;     // a longer text that is not the ascending list of its digits
constexpr TCellWord Decided = 0x8000; // a one-character text

// One word for each cell, by cell number.
using TCellWords = std::array<TCellWord, CellCount>;

std::string &TextOf(TGrid &board, int cell) {
  return board[ColOf(cell)][RowOf(cell)].Text;
}

const std::string &TextOf(const TGrid &board, int cell) {
  return board[ColOf(cell)][RowOf(cell)].Text;
}

TDigits CandidatesOf(TCellWord word) {
  return word & AllDigits;
}

// A decided cell of the one digit in bit.
TCellWord DecidedWord(TDigits bit) {
  return TCellWord(Decided | FirstDigit(bit) << DigitShift);
}

// A decided cell's digit as a mask; none for a character that is no digit.
TDigits StandingDigit(TCellWord word) {
  return TDigits((1u << (word >> DigitShift & 15)) >> 1 & AllDigits);
}

// Digits whose character a candidate text contains; one-character and empty
// texts have none.
TDigits CandidateDigits(const std::string &text) {
  if (text.size() < 2)
    return 0;
  TDigits digits = 0;
  for (const char ch : text) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (u >= '1' && u <= '9')
      digits |= DigitBit(u - '0');
  }
  return digits;
}

// The ascending digit text of every digit mask, built once at compile time.
struct TDigitText {
  char digits[9];
  std::uint8_t length;
};

constexpr std::array<TDigitText, AllDigits + 1> MakeDigitTexts() {
  std::array<TDigitText, AllDigits + 1> texts{};
  for (unsigned digits = 0; digits < texts.size(); ++digits)
    for (int d = 1; d <= 9; ++d)
      if (digits & DigitBit(d))
        texts[digits].digits[texts[digits].length++] = static_cast<char>('0' + d);
  return texts;
}

constexpr std::array<TDigitText, AllDigits + 1> DigitTexts = MakeDigitTexts();

bool IsDigitText(const std::string &text, TDigits digits) {
  const TDigitText &ascending = DigitTexts[digits];
  return text.size() == ascending.length &&
         std::memcmp(text.data(), ascending.digits, text.size()) == 0;
}

TCellWord WordOf(const std::string &text) {
  if (text.size() == 1) {
    const unsigned char ch = static_cast<unsigned char>(text[0]);
    return ch >= '1' && ch <= '9' ? TCellWord(Decided | (ch - '0') << DigitShift) : Decided;
  }
  const TDigits digits = CandidateDigits(text);
  if (IsDigitText(text, digits))
    return digits == 0 ? digits : TCellWord(digits | Open);
  return digits | Raw | Open;
}

TCellWords WordsOf(const TGrid &board) {
  TCellWords cells;
  for (int cell = 0; cell < CellCount; ++cell)
    cells[cell] = WordOf(TextOf(board, cell));
  return cells;
}

// The engine decides a cell only with a digit; the text of a decided cell
// that holds no digit is never rewritten.
void WriteText(TCellWord word, std::string &text) {
  if (word == Decided)
    return;
  const TDigitText &digits = DigitTexts[word & Decided ? StandingDigit(word) : CandidatesOf(word)];
  text.assign(digits.digits, digits.length);
}

// Rewrites the texts of the cells that differ from what the texts show now.
void WriteTexts(const TCellWords &cells, const TCellWords &shown, TGrid &board) {
  for (int cell = 0; cell < CellCount; ++cell) {
    // Four cells at a time: most of a board is as it was.
    if (cell % 4 == 0 && cell + 4 <= CellCount &&
        std::memcmp(&cells[cell], &shown[cell], 4 * sizeof(TCellWord)) == 0) {
      cell += 3;
      continue;
    }
    if (cells[cell] != shown[cell])
      WriteText(cells[cell], TextOf(board, cell));
  }
}

// A text longer than one character: a cell the hidden-singles pass handles.
bool IsOpen(TCellWord word) {
  return (word & Open) != 0;
}

bool IsEmptyText(TCellWord word) {
  return word == 0;
}

// The cells numbered above a cell: those a scan in board order has yet to
// visit.
constexpr TCellSet CellsAfter(int cell) {
  constexpr std::uint64_t AllHigh = (std::uint64_t(1) << (CellCount - 64)) - 1;
  if (cell < 63)
    return {~std::uint64_t(0) << (cell + 1), AllHigh};
  return {0, ~std::uint64_t(0) << (cell - 63) & AllHigh};
}

// Sets of units as bits, by unit number.
using TUnitSet = std::uint32_t;
constexpr TUnitSet AllUnits = (TUnitSet(1) << UnitCount) - 1;

constexpr TUnitSet UnitBits(int cell) {
  const auto &of = UnitsOf[cell];
  return TUnitSet(1) << of[0] | TUnitSet(1) << of[1] | TUnitSet(1) << of[2];
}

// The board as the passes see it, with what the passes know about it: the
// digits decided in each unit, the open cells that a pass has yet to
// recompute since a peer was decided (every other open cell already holds
// what a pass would give it), the digits with one place in each unit, and
// the units changed since they were last checked. It is saved with every
// guess, so none of this is worked out again after going back.
struct TCellBoard {
  TCellWords cells;
  TUnitDigits standing{};
  TCellSet stale;
  TCellSet undecided; // the cells that a pass visits at all
  TCellSet unwritten; // cells whose texts do not show them yet
  TUnitDigits unique{};
  TUnitSet uniqueStale = AllUnits; // units whose unique digits may be out of date
  TUnitSet live = 0;               // units with a unique digit
  TUnitSet unchecked = AllUnits;   // units changed since the dead-unit check passed

  TCellBoard() = default;
  explicit TCellBoard(const TGrid &board) : cells(WordsOf(board)) {
    for (int cell = 0; cell < CellCount; ++cell)
      if (cells[cell] & Decided) {
        StandDigits(standing, cell, StandingDigit(cells[cell]));
      } else {
        stale.Add(cell);
        undecided.Add(cell);
      }
  }

  void Write(int cell, TCellWord word) {
    if (cells[cell] == word)
      return;
    cells[cell] = word;
    if (word & Decided)
      undecided.Remove(cell);
    unwritten.Add(cell);
    uniqueStale |= UnitBits(cell);
    unchecked |= UnitBits(cell);
  }

  // Brings the texts up to date; returns whether any changed.
  bool WriteTexts(TGrid &board) {
    const bool changed = unwritten.Any();
    while (unwritten.Any()) {
      const int cell = unwritten.TakeFirst();
      WriteText(cells[cell], TextOf(board, cell));
    }
    return changed;
  }

  // A guess or a hidden single: every peer needs the next pass.
  void Place(int cell, TCellWord word) {
    Write(cell, word);
    StandDigits(standing, cell, StandingDigit(word));
    stale |= PeerSets[cell] & undecided;
  }

  // One candidate pass in board order. Only the cells it would change are
  // visited: a digit decided during the pass reaches the later peers in the
  // same pass and the earlier ones in the next, as in a pass over all cells.
  void Pass() {
    TCellSet current = stale;
    stale = TCellSet();
    while (current.Any()) {
      const int cell = current.TakeFirst();
      if (cells[cell] & Decided)
        continue;
      const TDigits digits = AllDigits & ~SeenDigits(standing, cell);
      if (DigitCount(digits) == 1) {
        Write(cell, DecidedWord(digits));
        StandDigits(standing, cell, digits);
        const TCellSet peers = PeerSets[cell] & undecided;
        const TCellSet later = peers & CellsAfter(cell);
        current |= later;
        stale |= peers - later;
      } else {
        Write(cell, digits == 0 ? digits : TCellWord(digits | Open));
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
      const int unit = std::countr_zero(uniqueStale);
      TDigits once = 0, twice = 0;
      for (const int cell : UnitCells[unit]) {
        const TDigits digits = CandidatesOf(cells[cell]);
        twice |= once & digits;
        once |= digits;
      }
      unique[unit] = once & ~twice;
      if (unique[unit] != 0)
        live |= TUnitSet(1) << unit;
      else
        live &= ~(TUnitSet(1) << unit);
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
    for (int cell = 0; cell < CellCount; ++cell) {
      if (m_board.live == 0)
        return;
      if (!IsOpen(m_board.cells[cell]))
        continue;
      for (const int unit : UnitsOf[cell])
        ScanUnit(unit);
    }
  }

private:
  void ScanUnit(int unit) {
    TDigits done = 0; // the digits up to the last one handled
    for (;;) {
      const TDigits unique = m_board.unique[unit] & ~done;
      if (unique == 0)
        return;
      const TDigits bit = unique & -unique;
      done |= TDigits(2 * bit - 1);
      for (const int cell : UnitCells[unit])
        if (m_board.cells[cell] & bit) {
          m_board.Place(cell, DecidedWord(bit));
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
bool BrokenDigits(const TCellWords &cells) {
  TUnitDigits standing{};
  for (int cell = 0; cell < CellCount; ++cell) {
    if (!(cells[cell] & Decided))
      continue;
    const TDigits bit = StandingDigit(cells[cell]);
    if (bit == 0 || (SeenDigits(standing, cell) & bit))
      return true;
    StandDigits(standing, cell, bit);
  }
  return false;
}

TBoardState StateOf(const TCellWords &cells) {
  TBoardState result = bsComplete;
  for (const TCellWord word : cells) {
    if (IsEmptyText(word))
      return bsEmptyCell;
    if (!(word & Decided))
      result = bsOpen;
  }
  return result;
}

// Kuhn's augmenting paths over digit masks: gives open cell k of a unit a
// digit of its own, moving other cells to other digits where needed.
// cellOfDigit holds, by digit, the open cell that has it.
bool Augment(int k, const TDigits *options, int *cellOfDigit, TDigits &taken, TDigits &tried) {
  const TDigits free = options[k] & ~taken;
  if (free != 0) {
    taken |= TDigits(free & -free);
    cellOfDigit[FirstDigit(free)] = k;
    return true;
  }
  for (TDigits rest = options[k]; rest != 0;) {
    const int digit = TakeDigit(rest);
    if (tried & DigitBit(digit))
      continue;
    tried |= DigitBit(digit);
    if (Augment(cellOfDigit[digit], options, cellOfDigit, taken, tried)) {
      cellOfDigit[digit] = k;
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
  const TCellWords &cells = board.cells;
  for (TUnitSet units = board.unchecked; units != 0; units &= units - 1) {
    TDigits options[9];
    int open = 0;
    TDigits standing = 0, wanted = 0;
    for (const int cell : UnitCells[std::countr_zero(units)]) {
      const TCellWord word = cells[cell];
      if (IsEmptyText(word))
        return true;
      if (word & Decided) {
        standing |= StandingDigit(word);
      } else {
        options[open] = CandidatesOf(word);
        wanted |= options[open++];
      }
    }
    // A repeated digit or a decided non-digit leaves too few digits for the
    // open cells.
    if (9 - open != DigitCount(standing))
      return true;
    wanted &= ~standing;
    if (DigitCount(wanted) < open)
      return true;
    int fewest = 9;
    for (int k = 0; k < open; ++k) {
      options[k] &= ~standing;
      fewest = std::min(fewest, DigitCount(options[k]));
    }
    // When every open cell has as many candidates as there are open cells,
    // each can take one that the cells before it left.
    if (fewest >= open)
      continue;
    int cellOfDigit[10] = {};
    TDigits taken = 0;
    for (int k = 0; k < open; ++k) {
      // Mostly a digit is still free; the paths are for the rest.
      if (const TDigits free = options[k] & ~taken; free != 0) {
        taken |= TDigits(free & -free);
        cellOfDigit[FirstDigit(free)] = k;
        continue;
      }
      TDigits tried = 0;
      if (!Augment(k, options, cellOfDigit, taken, tried))
        return true;
    }
  }
  board.unchecked = 0;
  return false;
}

bool HasRawText(const TCellWords &cells) {
  return std::any_of(cells.begin(), cells.end(), [](TCellWord word) { return (word & Raw) != 0; });
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

// One call of SearchSolution: a depth-first search over levels of TTE, each
// level one guess with the board saved before it.
class TSearch {
public:
  TSearch(TGrid &board, TRandom &random, TSearchStats *stats, long guessLimit)
      : m_board(board), m_random(random), m_stats(stats), m_guessLimit(guessLimit), m_cells(board) {
  }

  TSearchResult Run() {
    if (const std::optional<TSearchResult> verdict = Screen())
      return *verdict;
    // Records grow as the search goes deeper; index 0 is unused.
    m_stack.resize(2);
    m_stack.reserve(LevelLimit);
    for (;;) {
      TTE &record = m_stack[m_level];
      if (record.Choice == 0)
        OpenLevel(record);
      if (record.Choice > 0 && !Guess(record))
        return TSearchResult::DepthLimit;
      const TBoardState state = StateOf(m_cells.cells);
      if (state == bsComplete)
        return TSearchResult::Solved;
      if (state == bsOpen && !HasDeadUnit(m_cells)) {
        if (!GoDeeper())
          return TSearchResult::DepthLimit;
      } else if (!GoBack()) {
        return TSearchResult::Unsolvable;
      }
    }
  }

private:
  static constexpr int LevelLimit = 100;

  // What the board says before any guess: clashing digits stay wrong however
  // full the board is, a full board is solved as it stands, and a board that
  // was not propagated may still have empty cells that fill up.
  std::optional<TSearchResult> Screen() const {
    if (BrokenDigits(m_cells.cells))
      return TSearchResult::Unsolvable;
    if (StateOf(m_cells.cells) == bsComplete)
      return TSearchResult::Solved;
    TCellBoard settled = m_cells;
    settled.ToFixedPoint();
    if (HasDeadUnit(settled))
      return TSearchResult::Unsolvable;
    return std::nullopt;
  }

  // The first cell in row-by-row order with two, else three, else more
  // characters; -1 when no cell is open.
  int FindBranchingCell() const {
    int best = -1, bestRank = 3;
    for (int row = 0; row < 9; ++row)
      for (const int cell : UnitCells[RowUnit(row)]) {
        const TCellWord word = m_cells.cells[cell];
        if (!IsOpen(word))
          continue;
        const std::size_t length = word & Raw
                                       ? TextOf(m_board, cell).size()
                                       : static_cast<std::size_t>(DigitCount(CandidatesOf(word)));
        const int rank = length == 2 ? 0 : length == 3 ? 1 : 2;
        if (rank < bestRank) {
          best = cell, bestRank = rank;
          if (rank == 0)
            return best;
        }
      }
    return best;
  }

  // The characters of the branching cell in the order they are tried: a
  // wider cell tries a randomly drawn one first, then the rest as they stand.
  std::string GuessOrder(const std::string &text) {
    std::string order = text;
    if (text.size() > 2) {
      const int drawn = m_random.Below(static_cast<int>(text.size()));
      order.erase(drawn, 1);
      order.insert(order.begin(), text[drawn]);
    }
    return order;
  }

  // Chooses the level's cell and its guess order, and saves the board before
  // the first guess. A board with no open cell leaves the level without one.
  void OpenLevel(TTE &record) {
    const int cell = FindBranchingCell();
    if (cell < 0)
      return;
    record.Col = ColOf(cell);
    record.Row = RowOf(cell);
    record.Candidates = GuessOrder(TextOf(m_board, cell));
    record.Choice = 1;
    Save(record);
    if (m_stats && m_stats->firstCol < 0)
      m_stats->firstCol = record.Col, m_stats->firstRow = record.Row;
  }

  void Save(TTE &record) {
    record.Saved = m_cells;
    record.SavedWhole = HasRawText(m_cells.cells);
    if (record.SavedWhole)
      m_whole = m_board;
  }

  // Puts the board back as it was before the level's guess.
  void Restore(const TTE &record) {
    if (record.SavedWhole)
      m_board = *m_whole;
    else
      WriteTexts(record.Saved.cells, m_cells.cells, m_board);
    m_cells = record.Saved;
  }

  // Writes the level's current candidate and settles the board; false once
  // the guesses are used up.
  bool Guess(const TTE &record) {
    if (++m_guesses > m_guessLimit)
      return false;
    std::string &text = m_board[record.Col][record.Row].Text;
    text.assign(1, record.Candidates[record.Choice - 1]);
    m_cells.Place(CellOf(record.Col, record.Row), WordOf(text));
    if (m_stats)
      ++m_stats->guesses;
    PropagateCells(m_cells);
    m_cells.WriteTexts(m_board);
    return true;
  }

  // The next level, its record made the first time it is reached; false at
  // the depth limit.
  bool GoDeeper() {
    if (++m_level == LevelLimit)
      return false;
    if (static_cast<int>(m_stack.size()) <= m_level)
      m_stack.emplace_back();
    return true;
  }

  // After a dead end: back to the deepest level that has a candidate left,
  // with its board restored and its next candidate chosen; false when no
  // level has one.
  bool GoBack() {
    for (;;) {
      TTE &current = m_stack[m_level];
      if (current.Choice > 0) {
        Restore(current);
        if (current.Choice < static_cast<int>(current.Candidates.size())) {
          ++current.Choice;
          if (m_stats)
            ++m_stats->backtracks;
          return true;
        }
        current.Choice = 0;
      }
      if (--m_level == 0)
        return false;
    }
  }

  TGrid &m_board;
  TRandom &m_random;
  TSearchStats *m_stats;
  long m_guessLimit;
  long m_guesses = 0;
  TCellBoard m_cells;           // the board being searched; its texts follow every step
  std::optional<TGrid> m_whole; // the whole board before the first guess, when needed
  std::vector<TTE> m_stack;     // by level
  int m_level = 1;
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
  return TSearch(board, random, stats, guessLimit).Run();
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
