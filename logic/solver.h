#pragma once

#include "step.h"

#include <atomic>
#include <optional>
#include <vector>

// The next step a player could find, the easiest first: the first technique
// in solver order that has one, and of a chaining technique its easiest step.
// None when the grid is solved or logic has no step left. hardest limits the
// search to techniques up to and including that one. Once cancel is set,
// the chains stop early and the result is no step to trust.
std::optional<TStep> NextStep(const TCandidateGrid &grid,
                              TTechnique hardest = TTechnique::NestedForcingChain,
                              const std::atomic<bool> *cancel = nullptr);

// How many solutions a grid has, counted to two, and the first one found.
struct TSolutionCount {
  int count = 0; // 0, 1, or 2 for two or more
  std::array<std::uint8_t, CellCount> solution{};
};
TSolutionCount CountSolutions(const TCandidateGrid &grid);

enum class TRatingResult {
  Solved,           // logic alone finished the puzzle
  NoSolution,       // rated 20.0
  SeveralSolutions, // rated 20.0
  NoLogicalStep,    // rated 20.0: beyond the last technique
  Cancelled,
  AboveLimit, // stopped once the rating passed options.stopAbove
};

struct TRatingOptions {
  bool keepPath = false;
  // Stop as soon as the rating exceeds this (tenths); 0 never stops.
  int stopAbove = 0;
  const std::atomic<bool> *cancel = nullptr;
};

struct TRating {
  TRatingResult result = TRatingResult::Solved;
  int er = 0, ep = 0, ed = 0; // in tenths; 200 when logic cannot finish
  TTechnique hardest = TTechnique::HiddenSingle;
  std::vector<TStep> path; // with options.keepPath
};

// Rates a puzzle as the puzzle world's scale does: ER is the hardest step on
// the whole path, EP the hardest up to the first placement, ED the first step.
TRating RatePuzzle(const TCandidateGrid &puzzle, const TRatingOptions &options = {});
