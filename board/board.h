#pragma once

#include <array>
#include <string>
#include <string_view>

// One cell. The text alone carries the cell's content: empty, one decided
// character, or two or more candidate digits.
struct TSquare {
  bool Fixed = false;
  std::string Text;
  bool Error = false;

  bool operator==(const TSquare &) const = default;
};

// Indexed [column][row]; laid out column by column, which is also the order
// of every whole-board scan.
using TGrid = std::array<std::array<TSquare, 9>, 9>;

enum TBoardState { bsOpen = 0, bsComplete = 1, bsEmptyCell = 2 };

constexpr int BoxStart(int index) {
  return index - index % 3;
}

TBoardState BoardState(const TGrid &board);
void ClearErrors(TGrid &board);

// Clear Grid: no givens, no texts, no marks.
void ClearBoard(TGrid &board);

// Reset/Start Timer: givens stay, everything the player wrote goes.
void ClearOpenCells(TGrid &board);

// Row, column and box conflicts between one-character texts. With mark set,
// every open cell that takes part in a conflict gets its Error flag; givens
// never do. Never clears a flag.
bool CheckErrors(TGrid &board, bool mark);

// How a cell's text is set. Screen and paper follow one rule: a given stands
// out (black on screen, bold on paper), a single character is large; on screen
// a given and a text with a space are large too.
enum class TMedium { Screen, Paper };
struct TCellType {
  bool given;
  bool large;
};
TCellType CellType(bool fixed, std::string_view text, TMedium medium);
