#pragma once

#include "solver.h"

#include <array>
#include <string>

enum class TExplain { No, Steps };

// What the program prints for one puzzle: its 81 cells ('.' for an empty
// one), a space and "ED=ER/EP/ED" as rated puzzle lists write it; with
// TExplain::Steps each step follows on a line of its own, indented, and a
// puzzle that logic cannot finish says why.
std::string RatedText(const std::array<char, 81> &cells, TExplain explain);
