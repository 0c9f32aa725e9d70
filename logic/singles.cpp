#include "techniques.h"

namespace {

// The last open cell of a unit comes first, then hidden singles proper; boxes
// before columns before rows in both rounds.
constexpr int UnitScan[] = {18, 19, 20, 21, 22, 23, 24, 25, 26, 9, 10, 11, 12, 13,
                            14, 15, 16, 17, 0,  1,  2,  3,  4,  5, 6,  7,  8};

bool Scan(const TCandidateGrid &grid, bool lastCellOnly, TFind find, TSteps &out) {
  bool found = false;
  for (const int unit : UnitScan) {
    const TCellSet open = grid.OpenCells() & UnitSets[unit];
    const bool lastCell = open.Count() == 1;
    if (lastCell != lastCellOnly)
      continue;
    for (int digit = 1; digit <= 9; ++digit) {
      const TCellSet where = grid.Cells(digit) & UnitSets[unit];
      if (where.Count() != 1)
        continue;
      const int cell = where.First();
      TStep step;
      step.technique = TTechnique::HiddenSingle;
      step.rating = lastCell ? 10 : UnitKind(unit) == TUnitKind::Box ? 12 : 15;
      step.units = {std::uint8_t(unit)};
      step.cells = {std::uint8_t(cell)};
      step.digits = DigitBit(digit);
      step.placements = {{std::uint8_t(cell), std::uint8_t(digit)}};
      out.push_back(std::move(step));
      found = true;
      if (find == TFind::First)
        return true;
    }
  }
  return found;
}

} // namespace

bool FindHiddenSingles(const TCandidateGrid &grid, TFind find, TSteps &out) {
  const bool lastCells = Scan(grid, true, find, out);
  if (lastCells && find == TFind::First)
    return true;
  return Scan(grid, false, find, out) || lastCells;
}

bool FindNakedSingles(const TCandidateGrid &grid, TFind find, TSteps &out) {
  bool found = false;
  // Row by row, as a reader's eye goes.
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const int cell = CellOf(col, row);
      const TDigits digits = grid.Candidates(cell);
      if (DigitCount(digits) != 1)
        continue;
      TStep step;
      step.technique = TTechnique::NakedSingle;
      step.rating = 23;
      step.cells = {std::uint8_t(cell)};
      step.digits = digits;
      step.placements = {{std::uint8_t(cell), std::uint8_t(FirstDigit(digits))}};
      out.push_back(std::move(step));
      found = true;
      if (find == TFind::First)
        return true;
    }
  return found;
}
