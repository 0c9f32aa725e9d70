#pragma once

// The techniques' finders, one family a file. Each looks at the grid and
// appends the steps it finds to out, in its own scan order; with
// TFind::First it stops after the first. A finder proves every step it
// offers; it never guesses.

#include "step.h"

#include <atomic>
#include <vector>

enum class TFind { First, All };
using TSteps = std::vector<TStep>;

// singles.cpp
bool FindHiddenSingles(const TCandidateGrid &grid, TFind find, TSteps &out);
bool FindNakedSingles(const TCandidateGrid &grid, TFind find, TSteps &out);
// locking.cpp: direct pointing and claiming when direct is set
bool FindLocking(const TCandidateGrid &grid, bool direct, TFind find, TSteps &out);
// subsets.cpp: size 2 to 4; direct hidden sets of size 2 and 3
bool FindNakedSets(const TCandidateGrid &grid, int size, TFind find, TSteps &out);
bool FindHiddenSets(const TCandidateGrid &grid, int size, bool direct, TFind find, TSteps &out);
// fish.cpp: X-Wing, Swordfish, Jellyfish
bool FindFish(const TCandidateGrid &grid, int size, TFind find, TSteps &out);
// wings.cpp: XY-Wing, or XYZ-Wing when xyz is set
bool FindXYWings(const TCandidateGrid &grid, bool xyz, TFind find, TSteps &out);
// uniqueness.cpp: unique rectangles and loops, types 1-4
bool FindUniqueLoops(const TCandidateGrid &grid, TFind find, TSteps &out);
// bug.cpp: bivalue universal grave, types 1-4
bool FindBug(const TCandidateGrid &grid, TFind find, TSteps &out);
// aligned.cpp: aligned pair (size 2) and triplet (size 3) exclusion
bool FindAlignedExclusion(const TCandidateGrid &grid, int size, TFind find, TSteps &out);

// chains.cpp. The chaining levels, as the solver asks them.
enum class TChaining {
  CyclesAndXYChains, // bidirectional cycles, forcing X-, Y- and XY-chains
  Nishio,
  Multiple,    // cell and region forcing chains
  Dynamic,     // dynamic contradiction, double, cell and region chains
  DynamicPlus, // dynamic, with the techniques of rows 1-7 inside
  Nested2,
  Nested3,
  Nested4,
  Nested5,
};
// Appends the level's steps sorted easiest first. A set cancel cuts the
// search short, leaving whatever it had found.
bool FindChains(const TCandidateGrid &grid, TChaining level, TFind find, TSteps &out,
                const std::atomic<bool> *cancel = nullptr);

// The length bonus of a chain step of this complexity, in tenths.
int ChainLengthBonus(int complexity);
