#include "scanorder.h"
#include "techniques.h"

#include <bit>

// Naked sets (n cells of a unit holding only n digits between them) and
// hidden sets (n digits of a unit confined to n cells), of two to four.

namespace {

struct TUnitView {
  std::array<TDigits, 9> candidates{}; // by position in the unit
  std::array<unsigned, 9> positions{}; // by digit - 1: where its candidates are
};

// The members (cells or digits) whose mask holds two to size bits: those a
// set of that size can be made of.
template <typename TMask> unsigned Usable(const std::array<TMask, 9> &masks, int size) {
  unsigned usable = 0;
  for (int i = 0; i < 9; ++i) {
    const int count = scan::Bits(masks[i]);
    if (count >= 2 && count <= size)
      usable |= 1u << i;
  }
  return usable;
}

// The union of the masks of the members in set.
template <typename TMask> unsigned UnionOf(const std::array<TMask, 9> &masks, unsigned set) {
  unsigned all = 0;
  for (int i = 0; i < 9; ++i)
    if (set >> i & 1)
      all |= masks[i];
  return all;
}

TUnitView ViewOf(const TCandidateGrid &grid, int unit) {
  TUnitView view;
  for (int i = 0; i < 9; ++i) {
    view.candidates[i] = grid.Candidates(scan::Cells[unit][i]);
    for (TDigits rest = view.candidates[i]; rest;)
      view.positions[TakeDigit(rest) - 1] |= 1u << i;
  }
  return view;
}

int OpenCount(const TCandidateGrid &grid, int unit) {
  int open = 0;
  for (const int cell : scan::Cells[unit])
    open += grid.Value(cell) == 0;
  return open;
}

TCellSet CellsAt(int unit, unsigned positions) {
  TCellSet cells;
  for (int i = 0; i < 9; ++i)
    if (positions >> i & 1)
      cells.Add(scan::Cells[unit][i]);
  return cells;
}

// The cells of a set in board order, and what it takes from the cells of
// victims: the digits of drop.
TStep MakeStep(const TCandidateGrid &grid, int unit, TCellSet cells, TDigits digits,
               TCellSet victims, TDigits drop) {
  TStep step;
  step.units = {std::uint8_t(unit)};
  for (const int cell : cells)
    step.cells.push_back(std::uint8_t(cell));
  step.digits = digits;
  for (const int cell : victims)
    for (TDigits rest = TDigits(grid.Candidates(cell) & drop); rest;)
      step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(TakeDigit(rest))});
  return step;
}

// The one cell of the unit left for some digit outside the set, once the
// set's cells are cleared of it: the lowest such digit, or 0.
int HiddenSingleAfter(const TUnitView &view, unsigned digits, unsigned setPositions,
                      int &cellPosition) {
  for (int d = 1; d <= 9; ++d) {
    if (digits >> (d - 1) & 1)
      continue;
    const unsigned where = view.positions[d - 1];
    const unsigned left = where & ~setPositions;
    if (scan::Bits(where) > 1 && scan::Bits(left) == 1) {
      cellPosition = std::countr_zero(left);
      return d;
    }
  }
  return 0;
}

} // namespace

bool FindNakedSets(const TCandidateGrid &grid, int size, TFind find, TSteps &out) {
  static constexpr TTechnique Techniques[] = {TTechnique::NakedPair, TTechnique::NakedTriplet,
                                              TTechnique::NakedQuad};
  static constexpr int Ratings[] = {30, 36, 50};
  bool found = false;
  for (const int unit : scan::BoxesColumnsRows) {
    // With fewer open cells the rest of the unit would be a hidden set of
    // its own, which is found as that.
    if (OpenCount(grid, unit) < 2 * size)
      continue;
    const TUnitView view = ViewOf(grid, unit);
    const unsigned usable = Usable(view.candidates, size);
    const bool stop = scan::ForEachSubset(usable, size, [&](unsigned set) {
      const TDigits digits = TDigits(UnionOf(view.candidates, set));
      if (scan::Bits(digits) != size)
        return false;
      unsigned victims = 0;
      for (int i = 0; i < 9; ++i)
        if (!(set >> i & 1) && (view.candidates[i] & digits))
          victims |= 1u << i;
      if (victims == 0)
        return false;
      TStep step = MakeStep(grid, unit, CellsAt(unit, set), digits, CellsAt(unit, victims), digits);
      step.technique = Techniques[size - 2];
      step.rating = Ratings[size - 2];
      step.variant = size;
      out.push_back(std::move(step));
      found = true;
      return find == TFind::First;
    });
    if (stop)
      return true;
  }
  return found;
}

bool FindHiddenSets(const TCandidateGrid &grid, int size, bool direct, TFind find, TSteps &out) {
  static constexpr TTechnique Techniques[] = {TTechnique::HiddenPair, TTechnique::HiddenTriplet,
                                              TTechnique::HiddenQuad};
  static constexpr int Ratings[] = {34, 40, 54};
  static constexpr TTechnique DirectTechniques[] = {TTechnique::DirectHiddenPair,
                                                    TTechnique::DirectHiddenTriplet};
  static constexpr int DirectRatings[] = {20, 25};
  if (direct && size > 3)
    return false;
  bool found = false;
  for (const int unit : scan::BoxesColumnsRows) {
    // A hidden set in a unit of at most twice its size open is the naked
    // set of the other cells, which is found first; a direct one only needs
    // a cell left over for the single.
    const int open = OpenCount(grid, unit);
    if (!(open > 2 * size || (direct && open > size)))
      continue;
    const TUnitView view = ViewOf(grid, unit);
    const unsigned usable = Usable(view.positions, size);
    const bool stop = scan::ForEachSubset(usable, size, [&](unsigned set) {
      const unsigned where = UnionOf(view.positions, set);
      if (scan::Bits(where) != size)
        return false;
      const TDigits digits = TDigits(set);
      int position = 0, single = 0;
      if (direct) {
        single = HiddenSingleAfter(view, set, where, position);
        if (single == 0)
          return false;
      } else {
        bool drops = false;
        for (int i = 0; i < 9; ++i)
          drops = drops || (where >> i & 1 && (view.candidates[i] & ~digits));
        if (!drops)
          return false;
      }
      const TCellSet cells = CellsAt(unit, where);
      TStep step = MakeStep(grid, unit, cells, digits, cells, TDigits(AllDigits & ~digits));
      if (direct) {
        step.technique = DirectTechniques[size - 2];
        step.rating = DirectRatings[size - 2];
        step.placements.push_back({scan::Cells[unit][position], std::uint8_t(single)});
      } else {
        step.technique = Techniques[size - 2];
        step.rating = Ratings[size - 2];
      }
      step.variant = size;
      out.push_back(std::move(step));
      found = true;
      return find == TFind::First;
    });
    if (stop)
      return true;
  }
  return found;
}
