#pragma once

#include "board.h"

#include <QString>

class QPainter;

// Nine lines of the nine cells' texts, tab-separated, each line ended by CR LF.
QString ClipboardText(const TGrid &board);

// The printed page in device pixels of whatever the painter paints on: the
// title band, the grid of 194-pixel cells and the thick lines; texts, bold
// and size from the board's cells.
void PaintPage(QPainter &painter, const QString &title, const TGrid &board);

namespace page {
constexpr int GridWidth = 1750;
constexpr int FrameTop = 250;
constexpr int GridTop = 400;
constexpr int FrameBottom = GridTop + GridWidth; // 2150
constexpr int Cell = GridWidth / 9;              // 194
constexpr int LineWidth = 10;
} // namespace page
