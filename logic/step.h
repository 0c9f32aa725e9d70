#pragma once

#include "grid.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every technique, in the order the solver asks them.
enum class TTechnique : std::uint8_t {
  HiddenSingle,
  DirectPointing,
  DirectClaiming,
  DirectHiddenPair,
  NakedSingle,
  DirectHiddenTriplet,
  Pointing,
  Claiming,
  NakedPair,
  XWing,
  HiddenPair,
  NakedTriplet,
  Swordfish,
  HiddenTriplet,
  XYWing,
  XYZWing,
  UniqueRectangle, // types 1-4, and unique loops of 6 or more cells
  NakedQuad,
  Jellyfish,
  HiddenQuad,
  BivalueUniversalGrave, // types 1-4
  AlignedPairExclusion,
  XCycle,         // bidirectional cycles on one digit
  YCycle,         // bidirectional cycles through bivalue cells
  XYCycle,        // bidirectional cycles of both kinds of link
  ForcingXChain,  // a forcing chain on one digit
  ForcingYChain,  // a forcing chain through bivalue cells
  ForcingXYChain, // a forcing chain of both kinds of link
  AlignedTripletExclusion,
  NishioForcingChain,
  CellForcingChain,
  RegionForcingChain,
  DynamicContradictionChain, // dynamic: an assumption leads to a contradiction
  DynamicDoubleChain,        // dynamic: both values of an assumption agree
  DynamicCellForcingChain,
  DynamicRegionForcingChain,
  DynamicPlusForcingChain, // dynamic chains that apply rows 1-7 inside
  NestedForcingChain,
};

// One node of a chain: a candidate, and whether the chain makes it true
// ("on") or false ("off").
struct TChainNode {
  TCandidate candidate;
  bool on = false;

  bool operator==(const TChainNode &) const = default;
};

// A chain from its assumption to its conclusion, one node after another.
using TChain = std::vector<TChainNode>;

// One logical step: what the pattern is, and what it proves.
struct TStep {
  TTechnique technique = TTechnique::HiddenSingle;
  int rating = 0;                  // in tenths: 23 is 2.3
  int variant = 0;                 // uniqueness and BUG type, subset size, nesting level
  std::vector<std::uint8_t> units; // the units the pattern stands in
  std::vector<std::uint8_t> cells; // the cells that make the pattern
  TDigits digits = 0;              // the digits the pattern is about
  std::vector<TCandidate> eliminations;
  std::vector<TCandidate> placements;
  std::vector<TChain> chains; // for chains and cycles, each chain in order
  int complexity = 0;         // for chains: the links counted for the length bonus

  bool PlacesDigit() const { return !placements.empty(); }
};

// Makes the step on the grid: its placements when it places a digit, else
// its eliminations.
void ApplyStep(TCandidateGrid &grid, const TStep &step);

// "Hidden Single", "X-Wing", "Unique Rectangle" ...
std::string_view TechniqueName(TTechnique technique);

// "r3c7" for a cell; "r3c7=4" and "r3c7<>4" for a node on and off.
std::string CellName(int cell);
std::string NodeName(const TChainNode &node);
std::string UnitName(int unit); // "row 3", "column 7", "box 5"

// The step in words, one or more sentences; a chain names each link.
std::string StepText(const TStep &step);

// A rating in tenths as "2.3".
std::string RatingText(int tenths);
