#include "cellscan.h"
#include "eliminations.h"
#include "techniques.h"

#include <array>
#include <initializer_list>

// Bivalue universal grave. If every open cell held two candidates and every
// digit two places in each unit where it is open, the digits could swap
// around the grid and the puzzle would not have one solution. So when taking
// a few candidates away (the "BUG candidates") would leave that pattern, one
// of them is true. The BUG cells and their candidates are found as the
// reference rater finds them: unit kinds box, row, column, units in order,
// digits ascending; a digit with neither zero nor two places in a unit names
// its BUG cell when exactly one of those places has three or more candidates.

namespace {

struct TGrave {
  std::array<int, CellCount> cells{}; // the BUG cells in the order found
  int count = 0;
  std::array<TDigits, CellCount> extra{}; // each BUG cell's BUG candidates
  TDigits allExtra = 0;
  TCellSet seeAll; // cells that see every BUG cell, none of them
};

// False when the grid is no BUG pattern plus BUG candidates.
bool FindGrave(const TCandidateGrid &grid, TGrave &grave) {
  TCellSet many; // cells with three or more candidates
  for (const int cell : grid.OpenCells())
    if (DigitCount(grid.Candidates(cell)) >= 3)
      many.Add(cell);
  TCellSet bugCells;
  bool first = true;
  for (const TUnitKind kind : scan::Kinds)
    for (int i = 0; i < 9; ++i) {
      const int unit = kind == TUnitKind::Box   ? BoxUnit(i)
                       : kind == TUnitKind::Row ? RowUnit(i)
                                                : ColumnUnit(i);
      for (int digit = 1; digit <= 9; ++digit) {
        const TCellSet places = grid.Cells(digit) & UnitSets[unit];
        const int count = places.Count();
        if (count == 0 || count == 2)
          continue;
        const TCellSet suspects = places & many;
        if (suspects.Empty())
          return false; // too many places, and no cell to blame
        if (suspects.Count() > 1)
          continue; // undecided here; another unit names the cell
        const int cell = suspects.First();
        if (!bugCells.Has(cell)) {
          bugCells.Add(cell);
          grave.cells[grave.count++] = cell;
        }
        grave.extra[cell] |= DigitBit(digit);
        grave.allExtra |= DigitBit(digit);
        grave.seeAll = first ? PeerSets[cell] : grave.seeAll & PeerSets[cell];
        first = false;
        grave.seeAll -= bugCells;
        if (grave.count > 1 && DigitCount(grave.allExtra) > 1 && grave.seeAll.Empty())
          return false; // no type can follow
      }
    }
  // Without the BUG candidates, the pattern must be complete.
  for (const int cell : grid.OpenCells())
    if (DigitCount(TDigits(grid.Candidates(cell) & ~grave.extra[cell])) != 2)
      return false;
  for (int digit = 1; digit <= 9; ++digit) {
    TCellSet places = grid.Cells(digit);
    for (int k = 0; k < grave.count; ++k)
      if (grave.extra[grave.cells[k]] & DigitBit(digit))
        places.Remove(grave.cells[k]);
    for (int unit = 0; unit < UnitCount; ++unit) {
      const int count = (places & UnitSets[unit]).Count();
      if (count != 0 && count != 2)
        return false;
    }
  }
  return true;
}

TStep BugStep(const TGrave &grave, int type, int rating) {
  TStep step;
  step.technique = TTechnique::BivalueUniversalGrave;
  step.variant = type;
  step.rating = rating;
  step.digits = grave.allExtra;
  step.complexity = grave.count;
  for (int k = 0; k < grave.count; ++k)
    step.cells.push_back(std::uint8_t(grave.cells[k]));
  return step;
}

// A unit of this kind that holds every BUG cell, or -1.
int SharedUnit(const TGrave &grave, TUnitKind kind) {
  const int unit = scan::UnitOf(grave.cells[0], kind);
  for (int k = 1; k < grave.count; ++k)
    if (scan::UnitOf(grave.cells[k], kind) != unit)
      return -1;
  return unit;
}

class TBugFinder {
public:
  TBugFinder(const TCandidateGrid &grid, const TGrave &grave, TFind find, TSteps &out)
      : m_grid(grid), m_grave(grave), m_find(find), m_out(out) {}

  bool Done() const { return m_find == TFind::First && m_offered; }
  bool Offered() const { return m_offered; }

  // One BUG cell: it holds one of its BUG candidates.
  void Type1() {
    const int cell = m_grave.cells[0];
    TEliminations removed;
    removed.Add(cell, TDigits(m_grid.Candidates(cell) & ~m_grave.allExtra));
    Offer(BugStep(m_grave, 1, 56), removed);
  }

  // One BUG digit in every BUG cell: one of them holds it.
  void Type2() {
    const int digit = FirstDigit(m_grave.allExtra);
    TEliminations removed;
    removed.Add(m_grave.seeAll & m_grid.Cells(digit), DigitBit(digit));
    if (!removed.Empty())
      Offer(BugStep(m_grave, 2, 57), removed);
  }

  // Two BUG cells in one unit that share one other digit: that digit has no
  // other place there, so one of them holds it and the other a BUG candidate.
  void Type4() {
    const int c1 = m_grave.cells[0], c2 = m_grave.cells[1];
    const TDigits common =
        TDigits(m_grid.Candidates(c1) & m_grid.Candidates(c2) & ~m_grave.allExtra);
    if (DigitCount(common) != 1)
      return;
    for (const TUnitKind kind : scan::Kinds) {
      const int unit = SharedUnit(m_grave, kind);
      if (unit < 0)
        continue;
      TEliminations removed;
      for (const int cell : {c1, c2})
        removed.Add(cell, TDigits(m_grid.Candidates(cell) & ~m_grave.extra[cell] & ~common));
      TStep step = BugStep(m_grave, 4, 57);
      step.units.push_back(std::uint8_t(unit));
      Offer(std::move(step), removed);
      if (Done())
        return;
    }
  }

  // BUG cells in one unit act as one cell holding one of the BUG digits,
  // which with other cells of the unit may make a naked set.
  void Type3() {
    for (const TUnitKind kind : scan::Kinds) {
      const int unit = SharedUnit(m_grave, kind);
      if (unit < 0)
        continue;
      // The unit's other cells, in the order the rater lists the first BUG
      // cell's peers; its combinations follow that order.
      std::array<int, 9> others{};
      int count = 0;
      for (const int peer : scan::Peers[m_grave.cells[0]])
        if (UnitSets[unit].Has(peer) && m_grave.seeAll.Has(peer))
          others[count++] = peer;
      for (int degree = 2; degree <= 6 && degree <= count; ++degree) {
        unsigned mask = scan::FirstSubset(degree - 1);
        do {
          TDigits digits = 0;
          TCellSet members;
          bool usable = true;
          for (int i = 0; i < count && usable; ++i)
            if ((mask >> i & 1) != 0) {
              const TDigits candidates = m_grid.Candidates(others[i]);
              usable = DigitCount(candidates) > 1;
              digits |= candidates;
              members.Add(others[i]);
            }
          if (!usable || DigitCount(digits) != degree ||
              DigitCount(TDigits(digits | m_grave.allExtra)) != degree)
            continue;
          TEliminations removed;
          for (int i = 0; i < count; ++i)
            if (!members.Has(others[i]))
              removed.Add(others[i], TDigits(m_grid.Candidates(others[i]) & digits));
          if (removed.Empty())
            continue;
          TStep step = BugStep(m_grave, 3, 57 + degree - 1);
          for (const int cell : members)
            step.cells.push_back(std::uint8_t(cell));
          step.units.push_back(std::uint8_t(unit));
          Offer(std::move(step), removed);
          if (Done())
            return;
        } while (scan::NextSubset(mask, count));
      }
    }
  }

private:
  void Offer(TStep &&step, const TEliminations &removed) {
    removed.AppendTo(step);
    m_out.push_back(std::move(step));
    m_offered = true;
  }

  const TCandidateGrid &m_grid;
  const TGrave &m_grave;
  const TFind m_find;
  TSteps &m_out;
  bool m_offered = false;
};

} // namespace

// A step lists the BUG cells, then for type 3 the naked set's other cells;
// its complexity is the number of BUG cells, its digits the BUG digits.
bool FindBug(const TCandidateGrid &grid, TFind find, TSteps &out) {
  TGrave grave;
  if (!FindGrave(grid, grave) || grave.count == 0)
    return false;
  TBugFinder finder(grid, grave, find, out);
  if (grave.count == 1) {
    finder.Type1();
  } else if (DigitCount(grave.allExtra) == 1) {
    finder.Type2();
    if (grave.count == 2 && !finder.Done())
      finder.Type4();
  } else if (grave.seeAll.Any()) {
    if (grave.count == 2)
      finder.Type4();
    if (!finder.Done())
      finder.Type3();
  }
  return finder.Offered();
}
