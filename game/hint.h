#pragma once

#include "board.h"
#include "solver.h"

#include <string>
#include <vector>

enum class THintKind {
  NoSolution,       // the givens have none
  SeveralSolutions, // the givens have more than one
  Mistake,          // a decided digit that is not the solution's
  Step,             // the next logical step
  Solved,           // nothing left to find
  NoStep,           // beyond every technique
};

// Stage one names the technique and where to look; stage two gives the
// whole step.
enum class THintStage { WhereToLook, WholeStep };

// What the grid shows of a hint: cell numbers in board order.
struct THintMarks {
  std::vector<std::uint8_t> cells;      // the pattern's cells, or the mistaken cell
  std::vector<std::uint8_t> units;      // where to look
  std::vector<TCandidate> candidates;   // the pattern's own candidates
  std::vector<TCandidate> eliminations; // what the step takes away
  std::vector<TCandidate> placements;   // what the step places
  bool Empty() const {
    return cells.empty() && units.empty() && candidates.empty() && eliminations.empty() &&
           placements.empty();
  }
};

struct THint {
  THintKind kind = THintKind::NoStep;
  THintStage stage = THintStage::WhereToLook;
  int cell = -1;           // the mistake's cell
  int digit = 0;           // the mistake's digit
  TStep step;              // for a step
  TCandidateGrid position; // what the step was found on
  THintMarks marks;
};

// The sentences a hint is told in, with %1, %2 ... for what goes in; the
// window hands in its own language's.
struct THintWords {
  std::string noSolution = "The puzzle has no solution.";
  std::string severalSolutions = "The puzzle has more than one solution.";
  std::string mistake = "The %1 in row %2, column %3 does not belong there.";
  std::string look = "Look for a %1 in %2.";
  std::string lookVowel = "Look for an %1 in %2."; // before "X-Wing", "Aligned ..."
  std::string solved = "The puzzle is solved.";
  std::string noStep = "No logical step is left; only guessing goes on from here.";
  std::string row = "row %1", column = "column %1", box = "box %1";
};

// The hint for a board, the player's mistakes first. The puzzle is the
// givens; the position is every decided cell, with the candidates of an
// open cell's notes where they keep the solution's digit.
THint FindHint(const TGrid &board, THintStage stage);
// The puzzle itself: the board's givens, without the player's digits.
TCandidateGrid GivensGrid(const TGrid &board);

std::string HintText(const THint &hint, const THintWords &words = {});

// "%1" .. "%9" in text replaced by the arguments in order.
std::string FillIn(std::string text, const std::vector<std::string> &arguments);
