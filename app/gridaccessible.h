#pragma once

#include "stringgrid.h"

#include <QString>

// The grid as assistive technology sees it: a table of 9 rows and 9 columns
// whose cells are named by row, column and content, with the current cell
// selected (and focused while the grid has the focus).

// Lets Qt build the table interface of every TStringGrid; installing twice is harmless.
void InstallGridAccessible();

// What a screen reader says for a cell, rows and columns counted from 1:
// "row 3, column 5, 7, given", "row 1, column 2, candidates 1 5 9".
QString CellAccessibleName(int col, int row, const QString &text, TCellMarks marks);

// What just changed in the grid, for whoever listens; nothing while no one does.
void NotifyCellChanged(TStringGrid &grid, int col, int row);
// The selection moved from the old cell to the current one.
void NotifyCurrentMoved(TStringGrid &grid, int oldCol, int oldRow);
// The current cell has the focus, if the grid has.
void NotifyCurrentFocused(TStringGrid &grid);
