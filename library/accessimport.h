#pragma once

#include "storedtext.h"

#include <QString>

#include <vector>

// Old puzzle libraries kept as Access (Jet or ACE) files with the table
// Puzzles: N, Title and the 81 cell columns, row by row.

struct TImportedPuzzle {
  QString title;
  TStoredCells cells;
};

// By the file's header, whatever its name.
bool IsAccessFile(const QString &path);

// The rows of Puzzles in their stored order. Throws when the file cannot be
// read or holds no Puzzles table of at least 83 columns. Only reads the file.
std::vector<TImportedPuzzle> ReadAccessPuzzles(const QString &path);

// A new library at target holding the puzzles, numbered 1, 2, 3. Written
// beside the target and renamed into place once complete, so a failure
// leaves no partial file and any old file of that name as it was.
void WriteImportedLibrary(const QString &target, const std::vector<TImportedPuzzle> &puzzles);
