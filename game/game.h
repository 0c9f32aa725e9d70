#pragma once

#include "board.h"
#include "clock.h"
#include "grading.h"
#include "hint.h"
#include "history.h"
#include "random.h"

#include <cstdint>
#include <functional>
#include <string>

enum class TMode { Edit, Lock };

// An entry is refused only for a given in Lock Mode; the player is told so.
enum class TEntryResult { Written, Refused };

enum class TSolveResult { Solved, Unsolvable, GaveUp };

// The game behind the window: the board, its history, the mode, the title and
// the game clock, with every command of play as a call that says what
// happened. It knows no window; the window shows what comes back.
class TGame {
public:
  TGame(TClock &clock, TRandom &random);

  TGrid &Board() { return m_board; }
  const TGrid &Board() const { return m_board; }
  const THistory &History() const { return m_history; }
  TMode Mode() const { return m_mode; }
  const std::string &Title() const { return m_title; }

  // The entry text for the cell at col, row, under the rules of the mode.
  TEntryResult ApplyEntry(int col, int row, const std::string &text);
  // The digit buttons append to the entry text, Clear empties it; either way
  // the text is then applied.
  TEntryResult AppendDigit(int col, int row, std::string &entry, int digit);
  TEntryResult ClearEntry(int col, int row, std::string &entry);

  void NewPuzzle(std::string title);
  void DesignPuzzle(std::string title);
  void EditLock();
  void ClearGrid();
  void Generate(int level);
  TSolveResult Solve();
  void Fill19();
  void ShowErrors();
  void ResetTimer();
  // Both load the snapshot they reach; false before the first entry.
  bool Undo();
  bool Redo();
  // Givens and texts of every cell from a stored puzzle; marks, mode, timer
  // and history stay.
  void LoadPuzzle(const TGrid &stored, std::string title);
  // A puzzle from elsewhere to play: its board in Lock Mode under title, the
  // clock as it was. Undo brings back the board it replaced, Redo the puzzle.
  void OpenPuzzle(const TGrid &puzzle, std::string title);
  // How many grids complete the givens, counted no further than two.
  int CountSolutions() const;

  // A hint for the board: asked again on the same board, the whole step.
  THint Hint();
  // Makes a hint's step as the player's own entry would: one snapshot, the
  // marks cleared, a placement's digit or the remaining candidates of every
  // cell an elimination touches, then the completion test. False when the
  // hint has no step to make.
  bool ApplyHint(const THint &hint);
  // A generated puzzle to play, as Generate leaves one: Lock Mode, the
  // title, the clock started.
  void OpenGenerated(const TDigitsGrid &givens, std::string title);

  // The game clock. The shown time changes only on a tick, from the start
  // time and the clock, never by counting ticks.
  bool TimerRunning() const { return m_running; }
  void Tick();
  // "hh:mm:ss" as the time label shows it.
  std::string ElapsedText() const;
  // How long until the shown time next changes: just past the next whole
  // second of elapsed time.
  int MillisecondsToNextTick();

  // The title a generated puzzle gets; the window hands in its own words.
  std::function<std::string(int level)> levelTitle;

private:
  void StopTimerAndReset();
  void StartTimer();

  TClock &m_clock;
  TRandom &m_random;
  TGrid m_board;
  THistory m_history;
  TMode m_mode = TMode::Lock;
  std::string m_title;
  bool m_running = false;
  std::int64_t m_startTime = 0;
  std::int64_t m_shownSeconds = 0;
  // The board the last hint was for, and whether its first stage was shown.
  TGrid m_hintBoard;
  bool m_hintShown = false;
};
