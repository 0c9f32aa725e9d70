#pragma once

#include "board.h"

#include <QString>
#include <QVector>

#include <array>
#include <stdexcept>

class QSqlDatabase;

// An error of the library's engine, with the engine's own text.
class TLibraryError : public std::runtime_error {
public:
  explicit TLibraryError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

struct TPuzzleRow {
  qint64 rowid = 0; // valid only while the library stays open
  qint64 number = 0;
  QString title;
};

// Stored cell texts in the order of the table's cell columns: row by row.
using TStoredCells = std::array<QString, 81>;

// "+" for a given, "-" for any other cell.
QString CellMarker(bool fixed);
// The marker and the text, cut to the column's width.
QString StoredCellText(const TSquare &cell);
// A given wherever a "+" stands; the text after the marker, at most nine
// characters. Empty and NULL columns give an empty open cell.
TSquare CellFromStored(const QString &stored);
TStoredCells StoredCells(const TGrid &board);
// Fixed and Text of every cell; the error marks stay as they are.
void LoadStoredCells(TGrid &board, const TStoredCells &cells);

// One puzzle library file: an SQLite database with the table Puzzles, 83
// columns (N, Title, then the 81 cells row by row), no key and no index.
// Rows are kept in the order they were added and addressed by rowid.
class TPuzzleLibrary {
public:
  static constexpr int TitleWidth = 50;
  static constexpr int CellWidth = 10;
  static const QString CreateStatement;
  // Keeps the title lookups fast on large libraries; made by Create and by
  // every change, never by a check that only reads.
  static const QString TitleIndexStatement;

  TPuzzleLibrary();
  ~TPuzzleLibrary();
  TPuzzleLibrary(const TPuzzleLibrary &) = delete;
  TPuzzleLibrary &operator=(const TPuzzleLibrary &) = delete;

  // A new file with an empty table; throws with the engine's text.
  static void Create(const QString &path);
  // True when the file is a library. Anything else is left exactly as it was.
  static bool IsLibrary(const QString &path);

  // Closes the open library first only when path holds a library.
  bool Open(const QString &path);
  void Close();
  bool IsOpen() const;
  QString FileName() const { return m_path; }
  // The open file's connection, for work in bulk such as importing puzzles.
  QSqlDatabase Database() const;

  int Count() const { return m_rows.size(); }
  const TPuzzleRow &Row(int index) const { return m_rows.at(index); }
  // The first row with this title, letter case ignored; -1 when none.
  int Find(const QString &title) const;
  // Appends a row with N 0 and the title, renumbers; the new row's index.
  int Append(const QString &title);
  // Writes the cells under the title: the first row that has it, or a new
  // last row. One transaction; returns the row's index.
  int Save(const QString &title, const TStoredCells &cells);
  TStoredCells ReadCells(int index) const;
  void SetTitle(int index, const QString &title);
  void Delete(int index);

  static QString Cut(const QString &text, int width);

private:
  void Load();
  void Exec(class QSqlQuery &query) const;
  // N of every row becomes its position, 1, 2, 3, ...; inside the change's transaction.
  void RenumberRows();
  qint64 Insert(const QString &title);

  QString m_connection;
  QString m_path;
  QVector<TPuzzleRow> m_rows;
  QStringList m_cellColumns; // by position, as the file lists them
};
