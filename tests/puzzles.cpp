#include "puzzles.h"

#include <fstream>

TGrid BoardFromLine(const std::string &line) {
  TGrid board;
  for (int i = 0; i < 81 && i < static_cast<int>(line.size()); ++i)
    if (line[i] >= '1' && line[i] <= '9')
      board[i % 9][i / 9].Text = std::string(1, line[i]);
  return board;
}

TGrid Given(const std::string &line) {
  TGrid board = BoardFromLine(line);
  for (auto &column : board)
    for (TSquare &cell : column)
      cell.Fixed = !cell.Text.empty();
  return board;
}

std::string LineFromBoard(const TGrid &board) {
  std::string line;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c)
      line += board[c][r].Text.size() == 1 ? board[c][r].Text : std::string(".");
  return line;
}

std::vector<std::string> ReadPuzzleFile(const std::string &path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.size() >= 81)
      lines.push_back(line);
  }
  return lines;
}

bool IsValidSolution(const TGrid &board) {
  for (int i = 0; i < 9; ++i) {
    int row = 0, col = 0, box = 0;
    for (int k = 0; k < 9; ++k) {
      auto bit = [&](int c, int r) {
        const std::string &t = board[c][r].Text;
        return t.size() == 1 && t[0] >= '1' && t[0] <= '9' ? 1 << (t[0] - '0') : 0;
      };
      row |= bit(k, i);
      col |= bit(i, k);
      box |= bit(i % 3 * 3 + k % 3, i / 3 * 3 + k / 3);
    }
    if (row != 0x3FE || col != 0x3FE || box != 0x3FE)
      return false;
  }
  return true;
}

bool KeepsGivens(const TGrid &board, const std::string &line) {
  for (int i = 0; i < 81; ++i)
    if (line[i] >= '1' && line[i] <= '9' && board[i % 9][i / 9].Text != std::string(1, line[i]))
      return false;
  return true;
}
