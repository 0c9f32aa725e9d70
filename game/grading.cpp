#include "grading.h"

#include "engine.h"

namespace {

constexpr TBandRange Ranges[BandCount] = {{10, 12}, {13, 15}, {16, 25},
                                          {26, 60}, {61, 89}, {90, 0}};
constexpr std::string_view Names[BandCount] = {"Easy",     "Medium",     "Hard",
                                               "Fiendish", "Diabolical", "Extreme"};

TCandidateGrid GridOf(const TDigitsGrid &digits) {
  TCandidateGrid grid;
  for (int cell = 0; cell < CellCount; ++cell)
    if (digits[cell] != 0)
      grid.Place(cell, digits[cell]);
  return grid;
}

TDigitsGrid RandomSolution(TRandom &random) {
  TGrid board;
  Propagate(board);
  SearchSolution(board, random);
  TDigitsGrid digits{};
  for (int cell = 0; cell < CellCount; ++cell)
    digits[cell] = std::uint8_t(board[ColOf(cell)][RowOf(cell)].Text[0] - '0');
  return digits;
}

bool Cancelled(const TGradedOptions &options) {
  return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

} // namespace

TBandRange BandRange(TBand band) {
  return Ranges[int(band)];
}

TBand BandOf(int er) {
  for (int band = 0; band < BandCount - 1; ++band)
    if (er <= Ranges[band].high)
      return TBand(band);
  return TBand::Extreme;
}

std::string_view BandName(TBand band) {
  return Names[int(band)];
}

TOrbit OrbitOf(int cell, TSymmetry symmetry) {
  TOrbit orbit;
  auto add = [&](int col, int row) {
    const int c = CellOf(col, row);
    for (int i = 0; i < orbit.size; ++i)
      if (orbit.cells[i] == c)
        return;
    orbit.cells[orbit.size++] = std::uint8_t(c);
  };
  const int col = ColOf(cell), row = RowOf(cell);
  add(col, row);
  switch (symmetry) {
  case TSymmetry::None:
    break;
  case TSymmetry::Rotate180:
    add(8 - col, 8 - row);
    break;
  case TSymmetry::Rotate90:
    add(8 - row, col);
    add(8 - col, 8 - row);
    add(row, 8 - col);
    break;
  case TSymmetry::Mirror:
    add(8 - col, row);
    break;
  }
  return orbit;
}

TMinimality UsualMinimality(TBand band, TSymmetry symmetry) {
  switch (symmetry) {
  case TSymmetry::None:
    return TMinimality::Strict;
  case TSymmetry::Rotate90:
    return band == TBand::Diabolical ? TMinimality::Strict : TMinimality::Symmetric;
  case TSymmetry::Rotate180:
  case TSymmetry::Mirror:
    break;
  }
  return band == TBand::Easy || band == TBand::Extreme ? TMinimality::Symmetric
                                                       : TMinimality::Strict;
}

bool HasOneSolution(const TDigitsGrid &givens) {
  return CountSolutions(GridOf(givens)).count == 1;
}

bool IsMinimal(const TDigitsGrid &givens) {
  TDigitsGrid fewer = givens;
  for (int cell = 0; cell < CellCount; ++cell) {
    if (givens[cell] == 0)
      continue;
    fewer[cell] = 0;
    if (HasOneSolution(fewer))
      return false;
    fewer[cell] = givens[cell];
  }
  return true;
}

TDigitsGrid RemoveGivens(const TDigitsGrid &solution, TSymmetry symmetry, TRandom &random) {
  std::array<std::uint8_t, CellCount> order;
  for (int cell = 0; cell < CellCount; ++cell)
    order[cell] = std::uint8_t(cell);
  for (int i = CellCount - 1; i > 0; --i)
    std::swap(order[i], order[random.Below(i + 1)]);
  // A removal that failed with more givens fails with fewer too, so one pass
  // is enough.
  TDigitsGrid givens = solution;
  for (const int cell : order) {
    if (givens[cell] == 0)
      continue;
    const TOrbit orbit = OrbitOf(cell, symmetry);
    for (int i = 0; i < orbit.size; ++i)
      givens[orbit.cells[i]] = 0;
    if (!HasOneSolution(givens))
      for (int i = 0; i < orbit.size; ++i)
        givens[orbit.cells[i]] = solution[orbit.cells[i]];
  }
  return givens;
}

std::optional<TGradedPuzzle> GenerateGraded(TBand band, TSymmetry symmetry, TRandom &random,
                                            const TGradedOptions &options) {
  const TBandRange range = BandRange(band);
  const TMinimality minimality = options.minimality.value_or(UsualMinimality(band, symmetry));
  TRatingOptions rate;
  rate.cancel = options.cancel;
  // Past the band's top the rest of the path cannot matter. Extreme stops at
  // the first step of 9.0 or more and is then rated to its end.
  rate.stopAbove = range.high != 0 ? range.high : Ranges[int(TBand::Diabolical)].high;
  for (int attempt = 1; options.maxAttempts == 0 || attempt <= options.maxAttempts; ++attempt) {
    if (Cancelled(options))
      return std::nullopt;
    if (options.progress && attempt % 16 == 0)
      options.progress(attempt);
    TGradedPuzzle puzzle;
    puzzle.solution = RandomSolution(random);
    puzzle.givens = RemoveGivens(puzzle.solution, symmetry, random);
    if (symmetry != TSymmetry::None && minimality == TMinimality::Strict &&
        !IsMinimal(puzzle.givens))
      continue;
    const TCandidateGrid grid = GridOf(puzzle.givens);
    puzzle.rating = RatePuzzle(grid, rate);
    if (band == TBand::Extreme && puzzle.rating.result == TRatingResult::AboveLimit) {
      TRatingOptions full;
      full.cancel = options.cancel;
      puzzle.rating = RatePuzzle(grid, full);
    }
    if (puzzle.rating.result != TRatingResult::Solved)
      continue;
    if (puzzle.rating.er < range.low || (range.high != 0 && puzzle.rating.er > range.high))
      continue;
    puzzle.attempts = attempt;
    return puzzle;
  }
  return std::nullopt;
}
