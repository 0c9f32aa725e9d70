#include "puzzlelibrary.h"

#include "connection.h"
#include "libraryfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMetaType>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

namespace {

// Changes when another connection commits to the file, never for our own.
qint64 DataVersion(const QSqlDatabase &db) {
  QSqlQuery query(db);
  RunQuery(query, QStringLiteral("PRAGMA data_version"));
  if (!query.next())
    throw TLibraryError(QStringLiteral("The file's change counter gave no answer."));
  return query.value(0).toLongLong();
}

} // namespace

// Every change: one write transaction, with the list brought up to the file
// first when another copy of the program has changed it. A change given up
// reads the list again, since it may have changed the list on the way.
class TPuzzleLibrary::TChange {
public:
  explicit TChange(TPuzzleLibrary &library) : m_library(library) {
    const QSqlDatabase db = m_library.m_connection->Database();
    m_write.emplace(db, TTransaction::TKind::Write);
    QSqlQuery index(db);
    RunQuery(index, TitleIndexStatement());
    const qint64 version = DataVersion(db);
    if (version != m_library.m_dataVersion) {
      m_library.Adopt(ReadRows(db, version));
      m_reread = true;
    }
  }
  ~TChange() {
    if (m_done)
      return;
    m_write.reset(); // rolls back
    try {
      m_library.Reload();
    } catch (...) {
      m_library.m_dataVersion = -1; // read again by the next change
    }
  }
  TChange(const TChange &) = delete;
  TChange &operator=(const TChange &) = delete;
  QSqlDatabase Database() const { return m_library.m_connection->Database(); }
  enum class TShown { Changed, Unchanged };
  // Unchanged: the caller shows its own change, so the list is news only
  // when it was read again.
  void Commit(TShown shown = TShown::Changed) {
    m_write->Commit();
    m_done = true;
    if (shown == TShown::Changed || m_reread)
      m_library.Notify();
  }

private:
  TPuzzleLibrary &m_library;
  std::optional<TTransaction> m_write;
  bool m_done = false;
  bool m_reread = false;
};

// Free titles decided against the file inside the change's transaction, so
// rows added a moment ago count as well. Thousands of puzzles with one title
// would ask for "T (1)", "T (2)" ... from the start each time; since titles
// are only added while it lasts, numbers found taken stay taken and the
// search goes on where it ended.
class TPuzzleLibrary::TTitles {
public:
  explicit TTitles(const TPuzzleLibrary &library) : m_library(library) {}

  QString Free(const QString &wanted) {
    const QString title = Cut(wanted, TitleWidth);
    int &next = m_next[FoldedTitle(title)];
    if (next == 0) {
      if (!m_library.Lookup(title))
        return title;
      next = 1;
    }
    for (;; ++next) {
      const QString numbered = NumberedTitle(title, next);
      if (!m_library.Lookup(numbered)) {
        ++next;
        return numbered;
      }
    }
  }

private:
  const TPuzzleLibrary &m_library;
  QHash<QString, int> m_next;
};

class TPuzzleLibrary::TBulkWriter final : public TBulk {
public:
  TBulkWriter(TPuzzleLibrary &library, const QSqlDatabase &db)
      : m_library(library), m_titles(library), m_insert(db) {
    // By position: N, Title, then the 81 cells row by row.
    m_insert.prepare(QStringLiteral("INSERT INTO Puzzles VALUES (?, ?") +
                     (QStringLiteral(", ") + library.Bound()).repeated(81) + QStringLiteral(")"));
  }
  void Append(const QString &wanted, const TStoredCells &cells) override {
    const QString title = m_titles.Free(wanted);
    const qint64 number = m_library.m_numbered ? m_library.Count() + 1 : 0;
    m_insert.bindValue(0, number);
    m_insert.bindValue(1, title);
    for (int i = 0; i < 81; ++i)
      m_insert.bindValue(2 + i, m_library.BindCell(cells[i]));
    RunQuery(m_insert);
    m_library.m_rows.push_back({m_insert.lastInsertId().toLongLong(), number, title});
  }

private:
  TPuzzleLibrary &m_library;
  TTitles m_titles;
  QSqlQuery m_insert;
};

TPuzzleLibrary::TPuzzleLibrary() = default;
TPuzzleLibrary::~TPuzzleLibrary() = default;

void TPuzzleLibrary::Create(const QString &path) {
  CreateLibraryFile(path);
}

bool TPuzzleLibrary::IsLibrary(const QString &path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable())
    return false;
  try {
    const TConnection connection(path, TConnection::TMode::Existing);
    return LibraryShape(connection.Database()).has_value();
  } catch (const TLibraryError &) {
    return false;
  }
}

void TPuzzleLibrary::Copy(const QString &source, const QString &target) {
  CopyLibraryFile(source, target);
}

bool TPuzzleLibrary::Open(const QString &path) {
  if (!QFileInfo(path).isFile())
    return false;
  // The new file is checked whole before the open library is let go.
  auto connection = std::make_unique<TConnection>(path, TConnection::TMode::Existing);
  const QSqlDatabase db = connection->Database();
  // Room for a whole large library in memory (this connection's setting,
  // nothing in the file): a renumbering that touches every row then writes
  // each page once instead of spilling pages in the middle of it.
  QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -65536"));
  const std::optional<TShape> shape = LibraryShape(db);
  if (!shape)
    return false;
  QuickCheck(db);
  TList list = ReadList(db);
  m_connection = std::move(connection);
  Adopt(std::move(list));
  m_path = path;
  m_cellColumns = shape->cellColumns;
  m_utf8 = shape->utf8;
  Notify();
  return true;
}

void TPuzzleLibrary::Close() {
  if (!m_connection)
    return;
  m_connection.reset();
  m_path.clear();
  m_rows.clear();
  m_cellColumns.clear();
  m_dataVersion = -1;
  Notify();
}

bool TPuzzleLibrary::IsOpen() const {
  return m_connection != nullptr;
}

void TPuzzleLibrary::Notify() {
  if (onRowsChanged)
    onRowsChanged();
}

void TPuzzleLibrary::Reload() {
  Adopt(ReadList(m_connection->Database()));
  Notify();
}

TPuzzleLibrary::TList TPuzzleLibrary::ReadList(const QSqlDatabase &db) {
  // The counter and the rows from one moment of the file.
  TTransaction read(db, TTransaction::TKind::Read);
  TList list = ReadRows(db, DataVersion(db));
  read.Commit();
  return list;
}

TPuzzleLibrary::TList TPuzzleLibrary::ReadRows(const QSqlDatabase &db, qint64 version) {
  QSqlQuery query(db);
  query.setForwardOnly(true);
  RunQuery(query, QStringLiteral("SELECT rowid, N, Title FROM Puzzles ORDER BY rowid"));
  TList list{{}, true, version};
  while (query.next()) {
    const QVariant number = query.value(1);
    const qint64 position = list.rows.size() + 1;
    list.numbered =
        list.numbered && number.typeId() == QMetaType::LongLong && number.toLongLong() == position;
    list.rows.push_back(
        {query.value(0).toLongLong(), number.toLongLong(), query.value(2).toString()});
  }
  CheckFinished(query);
  return list;
}

void TPuzzleLibrary::Adopt(TList list) {
  m_rows = std::move(list.rows);
  m_numbered = list.numbered;
  m_dataVersion = list.version;
}

int TPuzzleLibrary::IndexOf(qint64 rowid) const {
  const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), rowid,
                                   [](const TPuzzleRow &row, qint64 id) { return row.rowid < id; });
  return at != m_rows.end() && at->rowid == rowid ? int(at - m_rows.begin()) : -1;
}

std::optional<qint64> TPuzzleLibrary::Lookup(const QString &title) const {
  QSqlQuery query(m_connection->Database());
  query.setForwardOnly(true);
  if (title.isEmpty()) {
    // A NULL title reads as empty, as the list shows it (old libraries have them).
    RunQuery(query, QStringLiteral("SELECT rowid FROM Puzzles WHERE Title IS NULL OR "
                                   "Title = '' COLLATE NOCASE ORDER BY rowid LIMIT 1"));
  } else {
    query.prepare(QStringLiteral(
        "SELECT rowid FROM Puzzles WHERE Title = ? COLLATE NOCASE ORDER BY rowid LIMIT 1"));
    query.addBindValue(title);
    RunQuery(query);
  }
  if (query.next())
    return query.value(0).toLongLong();
  CheckFinished(query);
  return std::nullopt;
}

std::optional<qint64> TPuzzleLibrary::Locate(const QString &title) const {
  // A title over the column's width was stored cut, unless another program
  // stored it whole.
  const std::optional<qint64> whole = Lookup(title);
  const QString stored = Cut(title, TitleWidth);
  return whole || stored == title ? whole : Lookup(stored);
}

bool TPuzzleLibrary::Listed(const TPuzzleRow &row) const {
  QSqlQuery query(m_connection->Database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT Title FROM Puzzles WHERE rowid = ?"));
  query.addBindValue(row.rowid);
  RunQuery(query);
  if (query.next())
    return query.value(0).toString() == row.title;
  CheckFinished(query);
  return false;
}

void TPuzzleLibrary::RenumberRows() {
  // One statement over the table's own order; rows that already carry their
  // number are left alone.
  QSqlQuery update(m_connection->Database());
  RunQuery(update, QStringLiteral(
                       "UPDATE Puzzles SET N = numbered.position "
                       "FROM (SELECT rowid AS id, ROW_NUMBER() OVER (ORDER BY rowid) AS position "
                       "FROM Puzzles) AS numbered "
                       "WHERE Puzzles.rowid = numbered.id AND Puzzles.N IS NOT numbered.position"));
  for (int i = 0; i < m_rows.size(); ++i)
    m_rows[i].number = i + 1;
  m_numbered = true;
}

int TPuzzleLibrary::Insert(const QString &title) {
  const QString stored = Cut(title, TitleWidth);
  const bool numbered = m_numbered;
  const qint64 number = numbered ? Count() + 1 : 0;
  QSqlQuery query(m_connection->Database());
  query.prepare(QStringLiteral("INSERT INTO Puzzles (N, Title) VALUES (?, ?)"));
  query.addBindValue(number);
  query.addBindValue(stored);
  RunQuery(query);
  m_rows.push_back({query.lastInsertId().toLongLong(), number, stored});
  if (!numbered)
    RenumberRows();
  return Count() - 1;
}

QString TPuzzleLibrary::Bound() const {
  // The bytes go in as a blob and are stored as the same bytes of text.
  return m_utf8 ? QStringLiteral("CAST(? AS TEXT)") : QStringLiteral("?");
}

QVariant TPuzzleLibrary::BindCell(const QByteArray &cell) const {
  const QByteArray stored = Cut(cell, CellWidth);
  return m_utf8 ? QVariant(stored) : QVariant(QString::fromUtf8(stored));
}

QByteArray TPuzzleLibrary::CellValue(const QVariant &value) const {
  return m_utf8 ? value.toByteArray() : value.toString().toUtf8();
}

QString TPuzzleLibrary::CellSelect() const {
  QString columns;
  for (const QString &column : m_cellColumns) {
    const QString quoted = QLatin1Char('"') + column + QLatin1Char('"');
    columns +=
        QStringLiteral(", ") + (m_utf8 ? QStringLiteral("CAST(%1 AS BLOB)").arg(quoted) : quoted);
  }
  return columns;
}

void TPuzzleLibrary::WriteCells(qint64 rowid, const TStoredCells &cells) {
  QString statement = QStringLiteral("UPDATE Puzzles SET ");
  for (int i = 0; i < 81; ++i)
    statement += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) + m_cellColumns[i] +
                 QStringLiteral("\" = ") + Bound();
  statement += QStringLiteral(" WHERE rowid = ?");
  QSqlQuery query(m_connection->Database());
  query.prepare(statement);
  for (const QByteArray &cell : cells)
    query.addBindValue(BindCell(cell));
  query.addBindValue(rowid);
  RunQuery(query);
}

TPuzzleLibrary::TAppended TPuzzleLibrary::AppendFree(const QString &base) {
  TChange change(*this);
  const QString title = TTitles(*this).Free(base);
  const int index = Insert(title);
  change.Commit();
  return {index, title};
}

int TPuzzleLibrary::Save(const QString &title, const TStoredCells &cells) {
  TChange change(*this);
  const std::optional<qint64> found = Locate(title);
  const int index = found ? IndexOf(*found) : Insert(title);
  if (index < 0)
    throw TLibraryError(QStringLiteral("The list of puzzles does not match the file."));
  WriteCells(m_rows[index].rowid, cells);
  if (!m_numbered)
    RenumberRows();
  change.Commit();
  return index;
}

std::optional<TStoredCells> TPuzzleLibrary::ReadCells(int index) {
  const TPuzzleRow &row = m_rows.at(index);
  QSqlQuery query(m_connection->Database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT Title") + CellSelect() +
                QStringLiteral(" FROM Puzzles WHERE rowid = ?"));
  query.addBindValue(row.rowid);
  RunQuery(query);
  if (!query.next() || query.value(0).toString() != row.title) {
    CheckFinished(query);
    query.finish();
    Reload();
    return std::nullopt;
  }
  TStoredCells cells;
  for (int i = 0; i < 81; ++i)
    cells[i] = CellValue(query.value(1 + i));
  return cells;
}

void TPuzzleLibrary::ReadEvery(
    const std::function<bool(const QString &, const TStoredCells &)> &row) const {
  QSqlQuery query(m_connection->Database());
  query.setForwardOnly(true);
  RunQuery(query, QStringLiteral("SELECT Title") + CellSelect() +
                      QStringLiteral(" FROM Puzzles ORDER BY rowid"));
  TStoredCells cells;
  while (query.next()) {
    for (int i = 0; i < 81; ++i)
      cells[i] = CellValue(query.value(1 + i));
    if (!row(query.value(0).toString(), cells))
      return;
  }
  CheckFinished(query);
}

void TPuzzleLibrary::SetTitle(int index, const QString &title) {
  const TPuzzleRow row = m_rows.at(index);
  const QString stored = Cut(title, TitleWidth);
  TChange change(*this);
  const int at = IndexOf(row.rowid);
  if (at < 0 || !Listed(row))
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "This puzzle is no longer in the library."));
  QSqlQuery query(m_connection->Database());
  query.prepare(QStringLiteral("UPDATE Puzzles SET Title = ? WHERE rowid = ?"));
  query.addBindValue(stored);
  query.addBindValue(row.rowid);
  RunQuery(query);
  m_rows[at].title = stored;
  change.Commit(TChange::TShown::Unchanged);
}

bool TPuzzleLibrary::Delete(int index) {
  const TPuzzleRow row = m_rows.at(index);
  TChange change(*this);
  const int at = IndexOf(row.rowid);
  const bool deleted = at >= 0 && Listed(row);
  if (deleted) {
    QSqlQuery query(m_connection->Database());
    query.prepare(QStringLiteral("DELETE FROM Puzzles WHERE rowid = ?"));
    query.addBindValue(row.rowid);
    RunQuery(query);
    m_rows.remove(at);
    if (m_numbered && at < m_rows.size()) {
      // Only the rows after it move up.
      query.prepare(QStringLiteral("UPDATE Puzzles SET N = N - 1 WHERE rowid > ?"));
      query.addBindValue(row.rowid);
      RunQuery(query);
      for (int i = at; i < m_rows.size(); ++i)
        m_rows[i].number = i + 1;
    }
  }
  if (!m_numbered)
    RenumberRows();
  change.Commit();
  return deleted;
}

bool TPuzzleLibrary::WriteInBulk(const std::function<bool(TBulk &)> &work) {
  TChange change(*this);
  TBulkWriter bulk(*this, change.Database());
  if (!work(bulk))
    return false; // rolled back
  if (!m_numbered)
    RenumberRows();
  change.Commit();
  return true;
}
