#pragma once

#include "board.h"
#include "random.h"

// One candidate pass in board order, in place: every cell whose text is not
// one character gets the ascending digits that do not stand in its row,
// column or box. Returns whether any text changed.
bool ComputeCandidates(TGrid &board);

// True when every text of board equals the text of the same cell of last.
bool BoardUnchanged(const TGrid &board, const TGrid &last);

// One hidden-singles pass; each placement is followed by candidate passes
// until nothing changes.
void PlaceHiddenSingles(TGrid &board);

// Candidate passes until nothing changes, then one hidden-singles pass.
void Propagate(TGrid &board);

enum class TSearchResult { Solved, Unsolvable, DepthLimit };

struct TSearchStats {
  long guesses = 0;
  long backtracks = 0; // candidates retried after a dead end
  int firstCol = -1;   // the first branching cell
  int firstRow = -1;
};

// Completes a board that Propagate has just run on. A board whose decided
// cells repeat a digit in a unit, or hold a character that is no digit, is
// unsolvable even when it is full; a full board without either is solved as
// it stands. Two-candidate cells try their candidates in order; wider cells
// try a randomly drawn candidate first and then the rest in order. Every guess
// is a level with the board saved before it, so the search is a full
// depth-first search. It stops, as at the depth limit, after guessLimit
// guesses: no real puzzle comes near, and the window must not freeze for ever
// on a pathological board.
constexpr long DefaultGuessLimit = 1'000'000;
TSearchResult SearchSolution(TGrid &board, TRandom &random, TSearchStats *stats = nullptr,
                             long guessLimit = DefaultGuessLimit);

// Empties level + 9 distinct non-empty cells, drawn at random, and makes every
// remaining non-empty cell a given. Level 0 or below empties nothing.
void RemoveClues(TGrid &board, int level, TRandom &random);
