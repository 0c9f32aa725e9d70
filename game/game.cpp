#include "game.h"

#include "count.h"
#include "engine.h"

#include <algorithm>
#include <cstdio>

namespace {
// A tick lands this long after the whole second, so it never shows the
// second before.
constexpr int TickMargin = 5;
} // namespace

TGame::TGame(TClock &clock, TRandom &random)
    : levelTitle([](int level) { return "Puzzle Level " + std::to_string(level); }), m_clock(clock),
      m_random(random) {
  m_startTime = m_clock.MillisecondsSinceEpoch();
}

TEntryResult TGame::ApplyEntry(int col, int row, const std::string &text) {
  // The snapshot comes first, so it still holds the marks the entry clears.
  m_history.PushHistory(m_board);
  ClearErrors(m_board);
  TSquare &cell = m_board[col][row];
  if (m_mode == TMode::Edit)
    cell.Fixed = text.size() == 1;
  TEntryResult result = TEntryResult::Written;
  if (m_mode != TMode::Lock || !cell.Fixed)
    cell.Text = text;
  else
    result = TEntryResult::Refused;
  // Also after a refused entry, and in Edit Mode.
  if (BoardState(m_board) == bsComplete && !CheckErrors(m_board, false))
    m_running = false;
  return result;
}

TEntryResult TGame::AppendDigit(int col, int row, std::string &entry, int digit) {
  // Unlike typing, the buttons are not held to nine characters.
  entry += static_cast<char>('0' + digit);
  return ApplyEntry(col, row, entry);
}

TEntryResult TGame::ClearEntry(int col, int row, std::string &entry) {
  entry.clear();
  return ApplyEntry(col, row, entry);
}

void TGame::ClearGrid() {
  ClearBoard(m_board);
}

void TGame::NewPuzzle(std::string title) {
  m_title = std::move(title);
  ClearGrid();
  m_mode = TMode::Edit;
  StopTimerAndReset();
}

void TGame::DesignPuzzle(std::string title) {
  m_title = std::move(title);
  ClearGrid();
  m_mode = TMode::Edit;
  Propagate(m_board);
  SearchSolution(m_board, m_random);
  RemoveClues(m_board, 0, m_random);
  StopTimerAndReset();
}

void TGame::EditLock() {
  m_mode = m_mode == TMode::Lock ? TMode::Edit : TMode::Lock;
  StopTimerAndReset();
}

void TGame::Generate(int level) {
  ClearGrid();
  m_mode = TMode::Lock;
  m_title = levelTitle(level);
  Propagate(m_board);
  SearchSolution(m_board, m_random);
  RemoveClues(m_board, level, m_random);
  StartTimer();
}

TSolveResult TGame::Solve() {
  m_mode = TMode::Lock;
  Propagate(m_board);
  const TSearchResult result = SearchSolution(m_board, m_random);
  ClearErrors(m_board);
  switch (result) {
  case TSearchResult::Solved:
    return TSolveResult::Solved;
  case TSearchResult::Unsolvable:
    return TSolveResult::Unsolvable;
  case TSearchResult::DepthLimit:
    break;
  }
  return TSolveResult::GaveUp;
}

void TGame::Fill19() {
  m_mode = TMode::Lock;
  ComputeCandidates(m_board);
  ClearErrors(m_board);
}

void TGame::ShowErrors() {
  CheckErrors(m_board, true);
}

void TGame::ResetTimer() {
  ClearOpenCells(m_board);
  StartTimer();
}

bool TGame::Undo() {
  return m_history.Undo(m_board);
}

bool TGame::Redo() {
  return m_history.Redo(m_board);
}

void TGame::LoadPuzzle(const TGrid &stored, std::string title) {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      m_board[c][r].Fixed = stored[c][r].Fixed;
      m_board[c][r].Text = stored[c][r].Text;
    }
  m_title = std::move(title);
}

void TGame::OpenPuzzle(const TGrid &puzzle, std::string title) {
  m_history.PushHistory(m_board);
  m_board = puzzle;
  m_history.PushHistory(m_board);
  m_mode = TMode::Lock;
  m_title = std::move(title);
}

int TGame::CountSolutions() const {
  // The puzzle is its givens; the player's digits and notes are no part of it.
  TGrid givens = m_board;
  for (auto &column : givens)
    for (TSquare &cell : column)
      if (!cell.Fixed)
        cell.Text.clear();
  return ::CountSolutions(givens, 2);
}

THint TGame::Hint() {
  const bool again = m_hintShown && m_hintBoard == m_board;
  THint hint = FindHint(m_board, again ? THintStage::WholeStep : THintStage::WhereToLook);
  m_hintBoard = m_board;
  m_hintShown = hint.kind == THintKind::Step;
  return hint;
}

bool TGame::ApplyHint(const THint &hint) {
  // A hint is for the board it was found on.
  if (hint.kind != THintKind::Step || !(m_hintBoard == m_board))
    return false;
  TCandidateGrid after = hint.position;
  ApplyStep(after, hint.step);
  m_history.PushHistory(m_board);
  ClearErrors(m_board);
  auto write = [this](int cell, std::string text) {
    TSquare &square = m_board[ColOf(cell)][RowOf(cell)];
    if (m_mode == TMode::Edit)
      square.Fixed = text.size() == 1;
    if (m_mode != TMode::Lock || !square.Fixed)
      square.Text = std::move(text);
  };
  if (hint.step.PlacesDigit()) {
    for (const TCandidate &p : hint.step.placements)
      write(p.cell, std::string(1, char('0' + p.digit)));
  } else {
    for (const TCandidate &e : hint.step.eliminations) {
      std::string candidates;
      for (int d = 1; d <= 9; ++d)
        if (after.Has(e.cell, d))
          candidates += char('0' + d);
      write(e.cell, candidates);
    }
  }
  if (BoardState(m_board) == bsComplete && !CheckErrors(m_board, false))
    m_running = false;
  return true;
}

void TGame::OpenGenerated(const TDigitsGrid &givens, std::string title) {
  ClearGrid();
  m_mode = TMode::Lock;
  m_title = std::move(title);
  for (int cell = 0; cell < CellCount; ++cell)
    if (givens[cell] != 0) {
      TSquare &square = m_board[ColOf(cell)][RowOf(cell)];
      square.Text = std::string(1, char('0' + givens[cell]));
      square.Fixed = true;
    }
  StartTimer();
}

void TGame::StopTimerAndReset() {
  m_running = false;
  m_shownSeconds = 0;
}

void TGame::StartTimer() {
  // The label keeps its old time until the first tick.
  m_startTime = m_clock.MillisecondsSinceEpoch();
  m_running = true;
}

void TGame::Tick() {
  if (!m_running)
    return;
  // Measured on the calendar, so a game that runs past midnight counts on; a
  // clock set back shows no negative time.
  const std::int64_t elapsed =
      std::max<std::int64_t>(0, m_clock.MillisecondsSinceEpoch() - m_startTime);
  m_shownSeconds = elapsed / 1000;
}

std::string TGame::ElapsedText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(m_shownSeconds / 3600 % 24),
                static_cast<int>(m_shownSeconds / 60 % 60), static_cast<int>(m_shownSeconds % 60));
  return text;
}

int TGame::MillisecondsToNextTick() {
  const std::int64_t elapsed =
      std::max<std::int64_t>(0, m_clock.MillisecondsSinceEpoch() - m_startTime);
  return static_cast<int>(1000 - elapsed % 1000) + TickMargin;
}
