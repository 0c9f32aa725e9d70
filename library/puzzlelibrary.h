#pragma once

#include "libraryerror.h"
#include "storedtext.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QSqlDatabase;
class TConnection;

struct TPuzzleRow {
  // With the title, the row's identity: SQLite gives the rowid of a deleted
  // last row to the next row added.
  qint64 rowid = 0; // valid only while the library stays open
  qint64 number = 0;
  QString title; // a NULL title reads as empty
};

// One puzzle library file: an SQLite database with the table Puzzles, 83
// columns (N, Title, then the 81 cells row by row), no key and one index on
// the titles. Rows are kept in the order they were added and addressed by
// rowid; N numbers them 1, 2, 3, ... in that order after every change.
//
// Another copy of the program may change the file between two commands, so
// every decision about titles is taken against the file inside the write
// transaction that acts on it, never against the list read before; the list
// is read again only when the file says someone else changed it. Titles
// match with letter case folded as SQLite's NOCASE does (ASCII only).
class TPuzzleLibrary {
public:
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
  // The library file at source, byte for byte, as a new file at target that
  // takes its name only once complete: a failure leaves any old file there
  // as it was. Throws with the text of what failed.
  static void Copy(const QString &source, const QString &target);

  // False when the file holds no library table. Throws with the engine's
  // text when SQLite cannot read it or finds it damaged. The open library
  // stays open on both.
  bool Open(const QString &path);
  void Close();
  bool IsOpen() const;
  QString FileName() const { return m_path; }

  // The list of rows, as the file had them after the last command.
  int Count() const { return int(m_rows.size()); }
  const TPuzzleRow &Row(int index) const { return m_rows.at(index); }
  // Reads the list of rows again from the file.
  void Reload();
  // Runs after every change of the list, for whoever shows it.
  std::function<void()> onRowsChanged;

  struct TAppended {
    int index;
    QString title;
  };
  // A new last row with no cells and a free title made from base.
  TAppended AppendFree(const QString &base);
  // Writes the cells under the title: the first row that has it (or, for
  // a title longer than the column, its stored form; an empty title is the
  // first row whose title is empty or NULL), or a new last row. One
  // transaction; returns the row's index.
  int Save(const QString &title, const TStoredCells &cells);
  // The cells of the listed row; nothing when another copy of the program
  // has deleted or retitled it since, and then the list is read again.
  std::optional<TStoredCells> ReadCells(int index);
  // Throws when the row is no longer in the file.
  void SetTitle(int index, const QString &title);
  // False when the row had gone already.
  bool Delete(int index);

  // New last rows in one write transaction, as an import adds them; each
  // gets the first free title made from the one it asks for.
  class TBulk {
  public:
    virtual ~TBulk() = default;
    virtual void Append(const QString &wanted, const TStoredCells &cells) = 0;
  };
  // work answers whether to keep what it appended; false when it gave up,
  // and then the file is as it was.
  bool WriteInBulk(const std::function<bool(TBulk &bulk)> &work);
  // Every row's title and cells in the list's order, read in one pass;
  // stops when row answers false.
  void
  ReadEvery(const std::function<bool(const QString &title, const TStoredCells &cells)> &row) const;

private:
  class TChange;
  class TTitles;
  class TBulkWriter;
  std::optional<qint64> Lookup(const QString &title) const;
  std::optional<qint64> Locate(const QString &title) const;
  int IndexOf(qint64 rowid) const;
  // The row is still in the file as the list has it.
  bool Listed(const TPuzzleRow &row) const;
  // The rows, whether they number 1, 2, 3, ..., and the file's change
  // counter they were read at.
  struct TList {
    QVector<TPuzzleRow> rows;
    bool numbered = true;
    qint64 version = -1;
  };
  static TList ReadList(const QSqlDatabase &db);
  static TList ReadRows(const QSqlDatabase &db, qint64 version);
  void Adopt(TList list);
  // A new last row, numbered after the rows before it; its index.
  int Insert(const QString &title);
  void WriteCells(qint64 rowid, const TStoredCells &cells);
  QString Bound() const;
  QVariant BindCell(const QByteArray &cell) const;
  QByteArray CellValue(const QVariant &value) const;
  QString CellSelect() const;
  // N of every row becomes its position; only rows whose number is wrong are written.
  void RenumberRows();
  void Notify();

  std::unique_ptr<TConnection> m_connection;
  QString m_path;
  QVector<TPuzzleRow> m_rows;
  // The file's change counter when the list last matched it, and whether
  // the rows then numbered 1, 2, 3, ...
  qint64 m_dataVersion = -1;
  bool m_numbered = false;
  QStringList m_cellColumns; // by position, as the file lists them
  bool m_utf8 = true;        // the file's text encoding
};
