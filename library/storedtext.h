#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>

#include <array>

// The stored form of a puzzle's texts: the cells as the file holds them and
// the titles as they are compared and numbered.

inline constexpr int TitleWidth = 50;
inline constexpr int CellWidth = 10;

// Stored cell texts in the order of the table's cell columns, row by row,
// byte for byte as the file holds them: a cell nobody changed goes back as
// it came, even when it is no valid UTF-8.
using TStoredCells = std::array<QByteArray, 81>;

// A given wherever a "+" stands; the text after the marker, at most nine
// characters. Empty and NULL columns give an empty open cell.
TSquare CellFromStored(const QByteArray &stored);
// Each cell's marker ("+" for a given, "-" for any other cell) and text,
// cut to the column's width.
TStoredCells StoredCells(const TGrid &board);
// Fixed and Text of every cell; the error marks stay as they are.
void LoadStoredCells(TGrid &board, const TStoredCells &cells);

// The first width characters (code points), never half of one.
QString Cut(const QString &text, int width);
// The same for UTF-8 bytes; a byte that starts no valid sequence counts as
// one character.
QByteArray Cut(const QByteArray &text, int width);

// Titles match as SQLite's NOCASE compares them: the 26 ASCII capitals
// folded, nothing else.
QString FoldedTitle(QString title);
// "base (n)", base cut so that the whole fits the title column.
QString NumberedTitle(const QString &base, int number);
