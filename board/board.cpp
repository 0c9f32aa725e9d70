#include "board.h"

TBoardState BoardState(const TGrid &board) {
  TBoardState result = bsComplete;
  for (const auto &column : board)
    for (const TSquare &cell : column) {
      if (cell.Text.size() > 1 && result != bsEmptyCell)
        result = bsOpen;
      if (cell.Text.empty())
        result = bsEmptyCell;
    }
  return result;
}

void ClearErrors(TGrid &board) {
  for (auto &column : board)
    for (TSquare &cell : column)
      cell.Error = false;
}

void ClearBoard(TGrid &board) {
  for (auto &column : board)
    for (TSquare &cell : column)
      cell = TSquare{};
}

void ClearOpenCells(TGrid &board) {
  for (auto &column : board)
    for (TSquare &cell : column) {
      if (!cell.Fixed)
        cell.Text.clear();
      cell.Error = false;
    }
}

bool CheckErrors(TGrid &board, bool mark) {
  bool result = false;
  auto conflict = [&](TSquare &partner) {
    result = true;
    if (mark && !partner.Fixed)
      partner.Error = true;
  };
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const std::string &d = board[c][r].Text;
      if (d.size() != 1)
        continue;
      for (int k = 0; k < 9; ++k) {
        if (k != c && board[k][r].Text == d)
          conflict(board[k][r]);
        if (k != r && board[c][k].Text == d)
          conflict(board[c][k]);
      }
      for (int x = BoxStart(c); x < BoxStart(c) + 3; ++x)
        for (int y = BoxStart(r); y < BoxStart(r) + 3; ++y)
          if ((x != c || y != r) && board[x][y].Text == d)
            conflict(board[x][y]);
    }
  return result;
}

TCellType CellType(bool fixed, std::string_view text, TMedium medium) {
  // Characters, not bytes: a text from a library file may hold any.
  std::size_t characters = 0;
  for (const char byte : text)
    characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  if (medium == TMedium::Paper)
    return {fixed, characters == 1};
  return {fixed, fixed || characters == 1 || text.find(' ') != std::string_view::npos};
}
