#pragma once

#include "random.h"
#include "solver.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// The bands players know, by ER: Easy 1.0-1.2, Medium 1.3-1.5, Hard
// 1.6-2.5, Fiendish 2.6-6.0, Diabolical 6.1-8.9, Extreme 9.0 and above.
enum class TBand : std::uint8_t { Easy, Medium, Hard, Fiendish, Diabolical, Extreme };
constexpr int BandCount = 6;

struct TBandRange {
  int low;  // tenths, inclusive
  int high; // tenths, inclusive; 0 for no upper end
};
TBandRange BandRange(TBand band);
// The band of an ER in tenths; a puzzle logic cannot finish (20.0) is Extreme.
TBand BandOf(int er);
std::string_view BandName(TBand band); // "Easy" ... "Extreme"

enum class TSymmetry : std::uint8_t { None, Rotate180, Rotate90, Mirror };

// The cells a given at cell stands with under the symmetry, cell itself first.
struct TOrbit {
  std::array<std::uint8_t, 4> cells{};
  int size = 0;
};
TOrbit OrbitOf(int cell, TSymmetry symmetry);

// A puzzle's cells as digits, 0 for an empty cell, in board order.
using TDigitsGrid = std::array<std::uint8_t, CellCount>;

// Whether the givens have exactly one solution.
bool HasOneSolution(const TDigitsGrid &givens);
// Whether no single given can go without losing that.
bool IsMinimal(const TDigitsGrid &givens);

// Empties the givens of a complete grid an orbit at a time, in random order,
// keeping each removal that leaves one solution: minimal among the
// symmetry's removals.
TDigitsGrid RemoveGivens(const TDigitsGrid &solution, TSymmetry symmetry, TRandom &random);

struct TGradedPuzzle {
  TDigitsGrid givens{};
  TDigitsGrid solution{};
  TRating rating;
  int attempts = 0; // puzzles made and rated until this one
};

// Strict: no single given can go. Symmetric: no orbit of the symmetry can
// go, though a single given of one might. Without symmetry both are strict.
enum class TMinimality { Strict, Symmetric };

// Strict wherever such puzzles turn up fast enough (bench_graded --strict):
// with rotation by 180 degrees or a mirror from Medium to Diabolical, with
// rotation by 90 degrees for Diabolical. Elsewhere strictly minimal
// symmetric puzzles are rare enough to take seconds to minutes.
TMinimality UsualMinimality(TBand band, TSymmetry symmetry);

struct TGradedOptions {
  std::optional<TMinimality> minimality; // none: UsualMinimality
  const std::atomic<bool> *cancel = nullptr;
  // Told the attempts so far now and then, from the searching thread.
  std::function<void(int attempts)> progress;
  int maxAttempts = 0; // 0: until found or cancelled
};

// A puzzle of the band: exactly one solution, minimal as options say, its
// ER in the band. Random full grids, emptied as above, rated
// with the search cut short above the band. None when cancelled or out of
// attempts.
std::optional<TGradedPuzzle> GenerateGraded(TBand band, TSymmetry symmetry, TRandom &random,
                                            const TGradedOptions &options = {});
