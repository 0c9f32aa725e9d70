#pragma once

#include "board.h"

// The number of complete grids that agree with the board's decided cells,
// counted up to limit: the search stops as soon as it has found limit of
// them, so the result is min(true count, limit). A limit below 1 counts as 1.
//
// A cell decides when its text is one character; that character must be a
// digit 1-9, or the board has no solution. Every other cell (empty or
// candidates) is open: candidate notes are the player's guesses, not rules.
// Two equal digits in a row, column or box leave no solution either.
// The board is only read.
int CountSolutions(const TGrid &board, int limit = 2);
