#include "scanorder.h"
#include "techniques.h"

#include <bit>

// Basic fish: n lines in which a digit's candidates all lie in the same n
// crossing lines; the digit is then out of the rest of those crossing lines.

bool FindFish(const TCandidateGrid &grid, int size, TFind find, TSteps &out) {
  static constexpr TTechnique Techniques[] = {TTechnique::XWing, TTechnique::Swordfish,
                                              TTechnique::Jellyfish};
  static constexpr int Ratings[] = {32, 38, 52};
  // By digit - 1 and line: where in the line the digit's candidates are, in
  // columns (by row) and in rows (by column).
  unsigned inColumn[9][9] = {}, inRow[9][9] = {};
  int placed[9] = {};
  for (int cell = 0; cell < CellCount; ++cell)
    if (grid.Value(cell) != 0)
      ++placed[grid.Value(cell) - 1];
  for (int d = 0; d < 9; ++d)
    for (const int cell : grid.Cells(d + 1)) {
      inColumn[d][ColOf(cell)] |= 1u << RowOf(cell);
      inRow[d][RowOf(cell)] |= 1u << ColOf(cell);
    }

  bool found = false;
  // Columns as the base lines first, then rows; within each, the set of
  // lines before the digit.
  for (const bool columns : {true, false}) {
    const auto &lines = columns ? inColumn : inRow;
    const auto baseUnit = [columns](int i) { return columns ? ColumnUnit(i) : RowUnit(i); };
    const auto coverUnit = [columns](int i) { return columns ? RowUnit(i) : ColumnUnit(i); };
    unsigned usable[9] = {}; // lines of two to size candidates, by digit - 1
    for (int d = 0; d < 9; ++d)
      for (int i = 0; i < 9; ++i) {
        const int count = std::popcount(lines[d][i]);
        if (count >= 2 && count <= size)
          usable[d] |= 1u << i;
      }
    for (unsigned set = (1u << size) - 1; set < 1u << 9; set = scan::NextSubset(set)) {
      for (int d = 0; d < 9; ++d) {
        // The digit needs 2n open places for n lines to hold a fish.
        if (placed[d] + 2 * size > 9 || (set & ~usable[d]))
          continue;
        unsigned covers = 0;
        for (int i = 0; i < 9; ++i)
          if (set >> i & 1)
            covers |= lines[d][i];
        if (std::popcount(covers) != size)
          continue;
        TCellSet base, cover;
        for (int i = 0; i < 9; ++i) {
          if (set >> i & 1)
            base |= UnitSets[baseUnit(i)];
          if (covers >> i & 1)
            cover |= UnitSets[coverUnit(i)];
        }
        const TCellSet &holders = grid.Cells(d + 1);
        const TCellSet victims = (holders & cover) - base;
        if (victims.Empty())
          continue;
        TStep step;
        step.technique = Techniques[size - 2];
        step.rating = Ratings[size - 2];
        step.variant = size;
        for (int i = 0; i < 9; ++i)
          if (set >> i & 1)
            step.units.push_back(std::uint8_t(baseUnit(i)));
        for (int i = 0; i < 9; ++i)
          if (covers >> i & 1)
            step.units.push_back(std::uint8_t(coverUnit(i)));
        for (const int cell : holders &base)
          step.cells.push_back(std::uint8_t(cell));
        step.digits = DigitBit(d + 1);
        for (const int cell : victims)
          step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(d + 1)});
        out.push_back(std::move(step));
        found = true;
        if (find == TFind::First)
          return true;
      }
    }
  }
  return found;
}
