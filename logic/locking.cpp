#include "techniques.h"

// Locked candidates: a digit that a box keeps within one line (pointing), or
// a line within one box (claiming), is out of the rest of the other unit.

namespace {

// Where the first unit's candidates lie, and the second unit it is locked in.
struct TLock {
  int first, second;
  TCellSet locked;
};

// Boxes pointing along columns, then along rows; then columns claiming, then
// rows claiming. Within each, the first unit, then the crossing second unit,
// then the digit: the order that decides which step is met first.
struct TPass {
  TUnitKind first, second;
};
constexpr TPass Passes[] = {
    {TUnitKind::Box, TUnitKind::Column},
    {TUnitKind::Box, TUnitKind::Row},
    {TUnitKind::Column, TUnitKind::Box},
    {TUnitKind::Row, TUnitKind::Box},
};

constexpr int UnitOf(TUnitKind kind, int index) {
  return kind == TUnitKind::Row      ? RowUnit(index)
         : kind == TUnitKind::Column ? ColumnUnit(index)
                                     : BoxUnit(index);
}

bool Crosses(int a, int b) {
  return (UnitSets[a] & UnitSets[b]).Any();
}

TStep MakeStep(const TLock &lock, int digit, TCellSet removed, bool pointing) {
  TStep step;
  step.technique = pointing ? TTechnique::Pointing : TTechnique::Claiming;
  step.rating = pointing ? 26 : 28;
  step.units = {std::uint8_t(lock.first), std::uint8_t(lock.second)};
  for (const int cell : lock.locked)
    step.cells.push_back(std::uint8_t(cell));
  step.digits = DigitBit(digit);
  for (const int cell : removed)
    step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(digit)});
  return step;
}

// A direct locking counts only when it leaves a hidden single for the same
// digit in another unit of the first unit's kind that crosses the second:
// the other boxes along the line, or the other lines through the box. Those
// are the only units whose candidates of that digit it thins.
bool FindDirect(const TCandidateGrid &grid, const TLock &lock, int digit, TUnitKind kind,
                bool pointing, TFind find, TSteps &out) {
  bool found = false;
  const TCellSet &holders = grid.Cells(digit);
  for (int index = 0; index < 9; ++index) {
    const int third = UnitOf(kind, index);
    if (third == lock.first || !Crosses(third, lock.second))
      continue;
    const TCellSet where = holders & UnitSets[third];
    const TCellSet left = where - UnitSets[lock.second];
    if (where.Count() < 2 || left.Count() != 1)
      continue;
    const TCellSet removed = (holders & UnitSets[lock.second]) - UnitSets[lock.first];
    TStep step = MakeStep(lock, digit, removed, pointing);
    step.technique = pointing ? TTechnique::DirectPointing : TTechnique::DirectClaiming;
    step.rating = pointing ? 17 : 19;
    step.units.push_back(std::uint8_t(third));
    step.placements.push_back({std::uint8_t(left.First()), std::uint8_t(digit)});
    out.push_back(std::move(step));
    found = true;
    if (find == TFind::First)
      return true;
  }
  return found;
}

} // namespace

bool FindLocking(const TCandidateGrid &grid, bool direct, TFind find, TSteps &out) {
  bool found = false;
  for (const TPass &pass : Passes) {
    const bool pointing = pass.first == TUnitKind::Box;
    for (int i = 0; i < 9; ++i) {
      const int first = UnitOf(pass.first, i);
      for (int j = 0; j < 9; ++j) {
        const int second = UnitOf(pass.second, j);
        if (!Crosses(first, second))
          continue;
        for (int digit = 1; digit <= 9; ++digit) {
          const TCellSet &holders = grid.Cells(digit);
          const TCellSet locked = holders & UnitSets[first];
          // One cell would be a hidden single, not a lock.
          if (locked.Count() < 2 || (locked - UnitSets[second]).Any())
            continue;
          const TLock lock{first, second, locked};
          if (direct) {
            if (FindDirect(grid, lock, digit, pass.first, pointing, find, out)) {
              found = true;
              if (find == TFind::First)
                return true;
            }
            continue;
          }
          const TCellSet removed = (holders & UnitSets[second]) - UnitSets[first];
          if (removed.Empty())
            continue;
          out.push_back(MakeStep(lock, digit, removed, pointing));
          found = true;
          if (find == TFind::First)
            return true;
        }
      }
    }
  }
  return found;
}
