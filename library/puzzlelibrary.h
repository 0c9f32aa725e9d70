#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>

class QSqlDatabase;

// An error of the library's engine, with the engine's own text.
class TLibraryError : public std::runtime_error {
public:
  explicit TLibraryError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

class QSqlError;
class QSqlQuery;

// SQLite's own words, without Qt's "Unable to fetch row" that tells nobody anything.
QString EngineErrorText(const QSqlError &error);
// Runs a prepared query, or the statement; throws with SQLite's own words.
void RunQuery(QSqlQuery &query);
void RunQuery(QSqlQuery &query, const QString &statement);

struct TPuzzleRow {
  // With the title, the row's identity: SQLite gives the rowid of a deleted
  // last row to the next row added.
  qint64 rowid = 0; // valid only while the library stays open
  qint64 number = 0;
  QString title;
};

// Stored cell texts in the order of the table's cell columns, row by row,
// byte for byte as the file holds them: a cell nobody changed goes back as
// it came, even when it is no valid UTF-8.
using TStoredCells = std::array<QByteArray, 81>;

// "+" for a given, "-" for any other cell.
QByteArray CellMarker(bool fixed);
// The marker and the text, cut to the column's width.
QByteArray StoredCellText(const TSquare &cell);
// A given wherever a "+" stands; the text after the marker, at most nine
// characters. Empty and NULL columns give an empty open cell.
TSquare CellFromStored(const QByteArray &stored);
TStoredCells StoredCells(const TGrid &board);
// Fixed and Text of every cell; the error marks stay as they are.
void LoadStoredCells(TGrid &board, const TStoredCells &cells);

// One puzzle library file: an SQLite database with the table Puzzles, 83
// columns (N, Title, then the 81 cells row by row), no key and no index.
// Rows are kept in the order they were added and addressed by rowid.
//
// Another copy of the program may change the file between two commands, so
// every decision about titles is taken against the file inside the write
// transaction that acts on it, never against the list read before. Titles
// match with letter case folded as SQLite's NOCASE does (ASCII only).
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
  // True when the file holds the table Puzzles with its 83 columns. Opens
  // the file for writing so that SQLite rolls back a change that a crash
  // left half done; writes nothing else.
  static bool IsLibrary(const QString &path);

  // False when the file holds no library table. Throws with the engine's
  // text when SQLite cannot read it or finds it damaged. The open library
  // stays open on both.
  bool Open(const QString &path);
  void Close();
  bool IsOpen() const;
  // The library file at source, byte for byte, as a new file at target that
  // takes its name only once complete: a failure leaves any old file there
  // as it was. Throws with the text of what failed.
  static void Copy(const QString &source, const QString &target);
  QString FileName() const { return m_path; }
  // The open file's connection, for work in bulk such as importing puzzles.
  QSqlDatabase Database() const;

  int Count() const { return m_rows.size(); }
  const TPuzzleRow &Row(int index) const { return m_rows.at(index); }
  // Reads the list of rows again from the file.
  void Reload();
  // Work in bulk, such as an import, in one write transaction like every
  // change. work answers whether to keep what it wrote; what is kept is
  // renumbered and the list read again. False when work gave it up.
  bool WriteInBulk(const std::function<bool(QSqlDatabase &db)> &work);
  // Runs after every change of the list, for whoever shows it.
  std::function<void()> onRowsChanged;

  // The row Save would overwrite, looked up in the file; -1 when none, or
  // when the list has not caught up with the file yet.
  int Find(const QString &title) const;
  // The first of base, "base (1)", "base (2)", ... that no row has, cut so
  // that the number fits the column. Holds against other copies of the
  // program only inside a write transaction, as in AppendFree.
  QString FreeTitle(const QString &base) const;
  struct TAppended {
    int index;
    QString title;
  };
  // A new last row with N 0 and a free title made from base, renumbered.
  TAppended AppendFree(const QString &base);
  // Appends a row with N 0 and the title, renumbers; the new row's index.
  int Append(const QString &title);
  // Writes the cells under the title: the first row that has it (or, for
  // a title longer than the column, its stored form), or a new last row.
  // One transaction; returns the row's index.
  int Save(const QString &title, const TStoredCells &cells);
  // The cells of the listed row; nothing when another copy of the program
  // has deleted or retitled it since, and then the list is read again.
  std::optional<TStoredCells> ReadCells(int index);
  // Throws when the row is no longer in the file.
  void SetTitle(int index, const QString &title);
  // False when the row had gone already.
  bool Delete(int index);

  // The first width characters (code points), never half of one.
  static QString Cut(const QString &text, int width);
  // The same for UTF-8 bytes; a byte that starts no valid sequence counts
  // as one character.
  static QByteArray Cut(const QByteArray &text, int width);

private:
  class TWrite;
  QString Select(const QString &column) const;
  QString Bound() const;
  QVariant BindCell(const QByteArray &cell) const;
  QByteArray CellValue(const QVariant &value) const;
  std::optional<qint64> Lookup(const QString &title) const;
  std::optional<qint64> Locate(const QString &title) const;
  int IndexOf(qint64 rowid) const;
  // The row is still in the file as the list has it.
  bool Listed(const TPuzzleRow &row) const;
  // N of every row becomes its position, 1, 2, 3, ...; inside the change's transaction.
  void RenumberRows();
  qint64 Insert(const QString &title);
  void Drop(bool notify);

  QString m_connection;
  QString m_path;
  QVector<TPuzzleRow> m_rows;
  QStringList m_cellColumns; // by position, as the file lists them
  bool m_utf8 = true;        // the file's text encoding
};
