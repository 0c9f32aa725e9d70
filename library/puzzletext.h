#pragma once

#include "board.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// Puzzles as people trade them in text:
// - one puzzle a line: 81 cells, '1'-'9' a digit, '.', '0' or '-' an empty
//   cell; after whitespace, the rest of the line is the puzzle's title;
// - a block of nine lines of nine cells ('1'-'9', '.' or '0'), spaces and
//   the separators '|', '+' and '-' anywhere, separator lines between bands
//   and blank lines between puzzles;
// - lines whose first visible character is '#' are comments.
// Anything else is a skipped line: a line that is no puzzle, or a row of a
// block that a blank or foreign line cut short.

// Row by row, '1'-'9' for a digit and '.' for an empty cell.
using TPuzzleCells = std::array<char, 81>;

struct TTextPuzzle {
  TPuzzleCells cells;
  QString title;   // empty when the text gives none
  qint64 line = 0; // the line it starts on, counted from 1
};

// Reads text fed in pieces of any size, one line at a time. Only the first
// KeptLineBytes of a line are looked at, so a huge line costs time in
// proportion to its length and no memory beyond that.
class TPuzzleTextReader {
public:
  static constexpr qsizetype KeptLineBytes = 4096;
  static constexpr int ReportedSkips = 10;

  using TFound = std::function<void(const TTextPuzzle &)>;
  explicit TPuzzleTextReader(TFound found);

  // Told of every skipped line as it is skipped, with its number and its text
  // as read (the rows of a block when the block is given up), for a caller
  // that names each bad line rather than counting them.
  using TSkippedLine = std::function<void(qint64 line, QByteArrayView text)>;
  void SetSkippedLine(TSkippedLine skipped) { m_skippedLine = std::move(skipped); }

  void Feed(QByteArrayView bytes);
  // The end of the text: a last line without a line end, an open block.
  void Finish();

  qint64 Lines() const { return m_lineNumber; }
  qint64 Puzzles() const { return m_puzzles; }
  qint64 Skipped() const { return m_skipped; }
  // The first ReportedSkips skipped line numbers, in order.
  const QList<qint64> &FirstSkipped() const { return m_firstSkipped; }

private:
  void EndLine();
  void Skip(qint64 line, QByteArrayView text);
  void DropBlock();
  void Emit(const TTextPuzzle &puzzle);

  TFound m_found;
  TSkippedLine m_skippedLine;
  QByteArray m_line;
  bool m_lineCut = false;
  bool m_lineOpen = false;
  bool m_afterCarriageReturn = false;
  qint64 m_lineNumber = 0;
  qint64 m_puzzles = 0;
  qint64 m_skipped = 0;
  QList<qint64> m_firstSkipped;
  // The rows of a block read so far, with their line numbers.
  std::vector<std::array<char, 9>> m_rows;
  std::vector<qint64> m_rowLines;
  std::vector<QByteArray> m_rowTexts; // only for m_skippedLine
};

// The puzzle that Paste Puzzle finds in the clipboard's text: the program's
// own copy (nine lines of nine tab-separated cell texts, where a cell of one
// digit 1-9 is a given and anything else is empty), or else the first puzzle
// that the text forms above give. Digits become givens, every other cell is
// empty and open. Nothing when the text holds no puzzle.
std::optional<TGrid> PastedPuzzle(const QString &text);

// Digits as givens, every other cell empty and open.
TGrid GridFromCells(const TPuzzleCells &cells);
