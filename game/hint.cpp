#include "hint.h"

#include <algorithm>

namespace {

bool Decided(const TSquare &square) {
  return square.Text.size() == 1 && square.Text[0] >= '1' && square.Text[0] <= '9';
}

const TSquare &At(const TGrid &board, int cell) {
  return board[ColOf(cell)][RowOf(cell)];
}

TDigits NotedDigits(const std::string &text) {
  TDigits digits = 0;
  for (const char c : text)
    if (c >= '1' && c <= '9')
      digits |= DigitBit(c - '0');
  return digits;
}

// Where to look without giving the step away: its first unit, else the box
// of the cell it starts from.
std::vector<std::uint8_t> WhereToLook(const TStep &step) {
  if (!step.units.empty())
    return {step.units.front()};
  int cell = -1;
  if (!step.cells.empty())
    cell = step.cells.front();
  else if (!step.chains.empty() && !step.chains.front().empty())
    cell = step.chains.front().front().candidate.cell;
  else if (!step.placements.empty())
    cell = step.placements.front().cell;
  else if (!step.eliminations.empty())
    cell = step.eliminations.front().cell;
  if (cell < 0)
    return {};
  return {std::uint8_t(BoxUnit(BoxOf(cell)))};
}

THintMarks WholeStepMarks(const TStep &step) {
  THintMarks marks;
  marks.units = step.units;
  marks.cells = step.cells;
  for (const int cell : step.cells)
    for (TDigits rest = step.digits; rest;) {
      const int digit = TakeDigit(rest);
      marks.candidates.push_back({std::uint8_t(cell), std::uint8_t(digit)});
    }
  for (const TChain &chain : step.chains)
    for (const TChainNode &node : chain) {
      if (std::find(marks.candidates.begin(), marks.candidates.end(), node.candidate) ==
          marks.candidates.end())
        marks.candidates.push_back(node.candidate);
      if (std::find(marks.cells.begin(), marks.cells.end(), node.candidate.cell) ==
          marks.cells.end())
        marks.cells.push_back(node.candidate.cell);
    }
  // A step is applied as its placements when it has any.
  if (step.PlacesDigit())
    marks.placements = step.placements;
  else
    marks.eliminations = step.eliminations;
  return marks;
}

std::string UnitWords(int unit, const THintWords &words) {
  const std::string number(1, char('1' + unit % 9));
  switch (UnitKind(unit)) {
  case TUnitKind::Row:
    return FillIn(words.row, {number});
  case TUnitKind::Column:
    return FillIn(words.column, {number});
  case TUnitKind::Box:
    break;
  }
  return FillIn(words.box, {number});
}

} // namespace

std::string FillIn(std::string text, const std::vector<std::string> &arguments) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next >= '1' && next <= '9' &&
        std::size_t(next - '1') < arguments.size()) {
      out += arguments[std::size_t(next - '1')];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

TCandidateGrid GivensGrid(const TGrid &board) {
  TGrid givens = board;
  for (auto &column : givens)
    for (TSquare &square : column)
      if (!square.Fixed)
        square.Text.clear();
  return TCandidateGrid::FromBoard(givens);
}

THint FindHint(const TGrid &board, THintStage stage) {
  THint hint;
  hint.stage = stage;
  const TSolutionCount solutions = CountSolutions(GivensGrid(board));
  if (solutions.count != 1) {
    hint.kind = solutions.count == 0 ? THintKind::NoSolution : THintKind::SeveralSolutions;
    return hint;
  }
  for (int cell = 0; cell < CellCount; ++cell) {
    const TSquare &square = At(board, cell);
    if (square.Fixed || !Decided(square) || square.Text[0] - '0' == solutions.solution[cell])
      continue;
    hint.kind = THintKind::Mistake;
    hint.cell = cell;
    hint.digit = square.Text[0] - '0';
    hint.marks.cells = {std::uint8_t(cell)};
    return hint;
  }
  TCandidateGrid grid = TCandidateGrid::FromBoard(board);
  // Notes the player wrote (or a hint did) narrow a cell, as long as they keep
  // the solution's digit; notes that lost it are no guide.
  for (int cell = 0; cell < CellCount; ++cell) {
    const TSquare &square = At(board, cell);
    if (Decided(square) || square.Text.size() < 2)
      continue;
    const TDigits noted = TDigits(NotedDigits(square.Text) & grid.Candidates(cell));
    if (noted & DigitBit(solutions.solution[cell]))
      grid.SetCandidates(cell, noted);
  }
  if (grid.Solved()) {
    hint.kind = THintKind::Solved;
    return hint;
  }
  std::optional<TStep> step = NextStep(grid);
  if (!step) {
    hint.kind = THintKind::NoStep;
    return hint;
  }
  hint.kind = THintKind::Step;
  hint.position = grid;
  hint.step = std::move(*step);
  if (stage == THintStage::WhereToLook)
    hint.marks.units = WhereToLook(hint.step);
  else
    hint.marks = WholeStepMarks(hint.step);
  return hint;
}

std::string HintText(const THint &hint, const THintWords &words) {
  switch (hint.kind) {
  case THintKind::NoSolution:
    return words.noSolution;
  case THintKind::SeveralSolutions:
    return words.severalSolutions;
  case THintKind::Mistake:
    return FillIn(words.mistake, {std::to_string(hint.digit), std::to_string(RowOf(hint.cell) + 1),
                                  std::to_string(ColOf(hint.cell) + 1)});
  case THintKind::Solved:
    return words.solved;
  case THintKind::NoStep:
    return words.noStep;
  case THintKind::Step:
    break;
  }
  if (hint.stage == THintStage::WholeStep)
    return StepText(hint.step);
  const std::vector<std::uint8_t> where = WhereToLook(hint.step);
  const std::string_view name = TechniqueName(hint.step.technique);
  const bool vowel = name.front() == 'A' || name.front() == 'X';
  return FillIn(
      vowel ? words.lookVowel : words.look,
      {std::string(name), where.empty() ? std::string() : UnitWords(where.front(), words)});
}
