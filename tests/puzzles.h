#pragma once

#include "board.h"

#include <string>
#include <vector>

// Puzzle lines: 81 characters row by row, '1'-'9' for a given, anything else
// for an empty cell.
TGrid BoardFromLine(const std::string &line);
// The same with every digit a given.
TGrid Given(const std::string &line);
std::string LineFromBoard(const TGrid &board);
std::vector<std::string> ReadPuzzleFile(const std::string &path);

// Every cell one digit and no unit repeats a digit.
bool IsValidSolution(const TGrid &board);
// Every digit of the puzzle line stands in the same cell of the board.
bool KeepsGivens(const TGrid &board, const std::string &line);
