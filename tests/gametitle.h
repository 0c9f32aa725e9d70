#pragma once

#include "game.h"

#include <string>

// The board as it stands under another title, the way a puzzle from
// elsewhere arrives: in Lock Mode, the clock as it was.
inline void Retitle(TGame &game, std::string title) {
  const TGrid board = game.Board();
  game.OpenPuzzle(board, std::move(title));
}
