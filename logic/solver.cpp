#include "solver.h"

#include "techniques.h"

#include <functional>

namespace {

// One entry of the solver's order: a finder, and the easiest technique it
// can offer, which is how a caller's limit cuts the list short.
using TCancel = const std::atomic<bool> *;
struct TFinder {
  TTechnique first;
  bool (*find)(const TCandidateGrid &, TFind, TSteps &, TCancel);
};

// The finders that are over in a moment need no word of a cancel.
template <bool (*Find)(const TCandidateGrid &, TFind, TSteps &)>
bool Quick(const TCandidateGrid &g, TFind f, TSteps &out, TCancel) {
  return Find(g, f, out);
}

template <int Size, bool Direct> bool HiddenSets(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindHiddenSets(g, Size, Direct, f, out);
}
template <int Size> bool NakedSets(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindNakedSets(g, Size, f, out);
}
template <int Size> bool Fish(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindFish(g, Size, f, out);
}
template <bool Direct> bool Locking(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindLocking(g, Direct, f, out);
}
template <bool Xyz> bool Wings(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindXYWings(g, Xyz, f, out);
}
template <int Size> bool Aligned(const TCandidateGrid &g, TFind f, TSteps &out) {
  return FindAlignedExclusion(g, Size, f, out);
}
template <TChaining Level>
bool Chains(const TCandidateGrid &g, TFind f, TSteps &out, TCancel cancel) {
  return FindChains(g, Level, f, out, cancel);
}

using T = TTechnique;
constexpr TFinder Order[] = {
    {T::HiddenSingle, Quick<FindHiddenSingles>},
    {T::DirectPointing, Quick<Locking<true>>},
    {T::DirectHiddenPair, Quick<HiddenSets<2, true>>},
    {T::NakedSingle, Quick<FindNakedSingles>},
    {T::DirectHiddenTriplet, Quick<HiddenSets<3, true>>},
    {T::Pointing, Quick<Locking<false>>},
    {T::NakedPair, Quick<NakedSets<2>>},
    {T::XWing, Quick<Fish<2>>},
    {T::HiddenPair, Quick<HiddenSets<2, false>>},
    {T::NakedTriplet, Quick<NakedSets<3>>},
    {T::Swordfish, Quick<Fish<3>>},
    {T::HiddenTriplet, Quick<HiddenSets<3, false>>},
    {T::XYWing, Quick<Wings<false>>},
    {T::XYZWing, Quick<Wings<true>>},
    {T::UniqueRectangle, Quick<FindUniqueLoops>},
    {T::NakedQuad, Quick<NakedSets<4>>},
    {T::Jellyfish, Quick<Fish<4>>},
    {T::HiddenQuad, Quick<HiddenSets<4, false>>},
    {T::BivalueUniversalGrave, Quick<FindBug>},
    {T::AlignedPairExclusion, Quick<Aligned<2>>},
    {T::XCycle, Chains<TChaining::CyclesAndXYChains>},
    {T::AlignedTripletExclusion, Quick<Aligned<3>>},
    {T::NishioForcingChain, Chains<TChaining::Nishio>},
    {T::CellForcingChain, Chains<TChaining::Multiple>},
    {T::DynamicContradictionChain, Chains<TChaining::Dynamic>},
    {T::DynamicPlusForcingChain, Chains<TChaining::DynamicPlus>},
    {T::NestedForcingChain, Chains<TChaining::Nested2>},
    {T::NestedForcingChain, Chains<TChaining::Nested3>},
    {T::NestedForcingChain, Chains<TChaining::Nested4>},
    {T::NestedForcingChain, Chains<TChaining::Nested5>},
};

// Naked and hidden singles until none is left; false at a contradiction.
bool Settle(TCandidateGrid &grid) {
  for (bool changed = true; changed;) {
    changed = false;
    for (const int cell : grid.OpenCells()) {
      const TDigits digits = grid.Candidates(cell);
      if (digits == 0)
        return false;
      if (DigitCount(digits) == 1) {
        grid.Place(cell, FirstDigit(digits));
        changed = true;
      }
    }
    for (int unit = 0; unit < UnitCount && !changed; ++unit)
      for (int d = 1; d <= 9; ++d) {
        const TCellSet where = grid.Cells(d) & UnitSets[unit];
        if (where.Count() == 1) {
          grid.Place(where.First(), d);
          changed = true;
        } else if (where.Empty()) {
          bool decided = false;
          for (const int cell : UnitCells[unit])
            decided = decided || grid.Value(cell) == d;
          if (!decided)
            return false;
        }
      }
  }
  return true;
}

bool Consistent(const TCandidateGrid &grid) {
  for (int cell = 0; cell < CellCount; ++cell) {
    const int digit = grid.Value(cell);
    if (digit == 0)
      continue;
    for (const int peer : Peers[cell])
      if (grid.Value(peer) == digit)
        return false;
  }
  return true;
}

void Count(TCandidateGrid grid, TSolutionCount &result) {
  if (!Settle(grid))
    return;
  if (grid.Solved()) {
    if (result.count++ == 0)
      for (int cell = 0; cell < CellCount; ++cell)
        result.solution[cell] = std::uint8_t(grid.Value(cell));
    return;
  }
  int best = -1;
  for (const int cell : grid.OpenCells())
    if (best < 0 || DigitCount(grid.Candidates(cell)) < DigitCount(grid.Candidates(best)))
      best = cell;
  for (TDigits rest = grid.Candidates(best); rest && result.count < 2;) {
    TCandidateGrid next = grid;
    next.Place(best, TakeDigit(rest));
    Count(next, result);
  }
}

} // namespace

std::optional<TStep> NextStep(const TCandidateGrid &grid, TTechnique hardest,
                              const std::atomic<bool> *cancel) {
  if (grid.Solved())
    return std::nullopt;
  TSteps steps;
  for (const TFinder &finder : Order) {
    if (finder.first > hardest)
      break;
    if (finder.find(grid, TFind::First, steps, cancel))
      return std::move(steps.front());
  }
  return std::nullopt;
}

TSolutionCount CountSolutions(const TCandidateGrid &grid) {
  TSolutionCount result;
  if (Consistent(grid))
    Count(grid, result);
  return result;
}

TRating RatePuzzle(const TCandidateGrid &puzzle, const TRatingOptions &options) {
  TRating rating;
  const TSolutionCount solutions = CountSolutions(puzzle);
  if (solutions.count != 1) {
    rating.result =
        solutions.count == 0 ? TRatingResult::NoSolution : TRatingResult::SeveralSolutions;
    rating.er = rating.ep = rating.ed = 200;
    return rating;
  }
  TCandidateGrid grid = puzzle;
  bool first = true, placed = false;
  while (!grid.Solved()) {
    if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
      rating.result = TRatingResult::Cancelled;
      return rating;
    }
    std::optional<TStep> step = NextStep(grid, TTechnique::NestedForcingChain, options.cancel);
    if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
      rating.result = TRatingResult::Cancelled;
      return rating;
    }
    if (!step) {
      rating.result = TRatingResult::NoLogicalStep;
      rating.er = 200;
      return rating;
    }
    if (step->rating > rating.er) {
      rating.er = step->rating;
      rating.hardest = step->technique;
    }
    if (first)
      rating.ed = rating.er;
    first = false;
    if (!placed)
      rating.ep = rating.er;
    placed = placed || step->PlacesDigit();
    ApplyStep(grid, *step);
    if (options.keepPath)
      rating.path.push_back(std::move(*step));
    if (options.stopAbove > 0 && rating.er > options.stopAbove) {
      rating.result = TRatingResult::AboveLimit;
      return rating;
    }
  }
  return rating;
}
