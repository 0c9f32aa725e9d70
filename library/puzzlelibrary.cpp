#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

#include <algorithm>
#include <utility>

namespace {

QString CellColumn(int col, int row) {
  return QStringLiteral("S%1%2").arg(col).arg(row);
}

QStringList ExpectedColumns() {
  QStringList columns{QStringLiteral("N"), QStringLiteral("Title")};
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      columns << CellColumn(col, row);
  return columns;
}

QString NewConnectionName() {
  return QStringLiteral("library-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// After the last next(): a read that stopped at damage is no end of the rows.
void CheckFinished(const QSqlQuery &query) {
  if (query.lastError().isValid())
    throw TLibraryError(EngineErrorText(query.lastError()));
}

enum class TOpenMode { Create, Existing };

// A connection that is removed again on every path unless released. An
// existing file is opened for writing (SQLite rolls back a hot journal only
// then) but never created.
class TConnection {
public:
  TConnection(const QString &path, TOpenMode mode) : m_name(NewConnectionName()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    if (mode == TOpenMode::Create) {
      db.setDatabaseName(path);
    } else {
      const QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
      db.setDatabaseName(uri.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
      db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    }
  }
  ~TConnection() {
    if (m_name.isEmpty())
      return;
    {
      QSqlDatabase db = QSqlDatabase::database(m_name, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
  }
  TConnection(const TConnection &) = delete;
  TConnection &operator=(const TConnection &) = delete;
  QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }
  QString Release() { return std::exchange(m_name, QString()); }

private:
  QString m_name;
};

struct TShape {
  QStringList cellColumns;
  bool utf8 = true;
};

// Only a real table (no view, no virtual table, rows with a rowid) with the
// 83 columns in their order is a library. Throws when SQLite cannot read the
// file's schema at all.
std::optional<TShape> LibraryShape(const QSqlDatabase &db) {
  QSqlQuery query(db);
  // A trigger may have the name too; tables and views share theirs.
  RunQuery(query,
           QStringLiteral("SELECT type, sql FROM sqlite_master "
                          "WHERE type IN ('table', 'view') AND name = 'Puzzles' COLLATE NOCASE"));
  if (!query.next()) {
    CheckFinished(query);
    return std::nullopt;
  }
  if (query.value(0).toString() != QLatin1String("table") ||
      query.value(1).toString().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
    return std::nullopt;
  RunQuery(query, QStringLiteral("PRAGMA table_info(Puzzles)"));
  QStringList columns;
  while (query.next())
    columns << query.value(1).toString();
  CheckFinished(query);
  const QStringList expected = ExpectedColumns();
  if (columns.size() != expected.size())
    return std::nullopt;
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].compare(expected[i], Qt::CaseInsensitive) != 0)
      return std::nullopt;
  if (!query.exec(QStringLiteral("SELECT rowid FROM Puzzles LIMIT 0")))
    return std::nullopt;
  RunQuery(query, QStringLiteral("PRAGMA encoding"));
  if (!query.next())
    throw TLibraryError(EngineErrorText(query.lastError()));
  return TShape{columns.mid(2), query.value(0).toString() == QLatin1String("UTF-8")};
}

// SQLite's quick check: every page of the file read and its structure
// tested, so that damage shows now and not halfway through a change.
void QuickCheck(const QSqlDatabase &db) {
  QSqlQuery check(db);
  check.setForwardOnly(true);
  RunQuery(check, QStringLiteral("PRAGMA quick_check"));
  if (!check.next()) {
    CheckFinished(check);
    throw TLibraryError(QStringLiteral("The integrity check gave no answer."));
  }
  const QString answer = check.value(0).toString();
  if (answer != QLatin1String("ok"))
    throw TLibraryError(answer);
}

QVector<TPuzzleRow> ReadRows(const QSqlDatabase &db) {
  QSqlQuery query(db);
  query.setForwardOnly(true);
  RunQuery(query, QStringLiteral("SELECT rowid, N, Title FROM Puzzles ORDER BY rowid"));
  QVector<TPuzzleRow> rows;
  while (query.next())
    rows.push_back(
        {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toString()});
  CheckFinished(query);
  return rows;
}

// NOCASE folds only the 26 ASCII letters.
QString FoldAscii(QString text) {
  for (QChar &c : text)
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
      c = QChar(c.unicode() + ('a' - 'A'));
  return text;
}

QString LikePrefix(const QString &text) {
  QString pattern;
  for (const QChar c : text) {
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
      pattern += QLatin1Char('\\');
    pattern += c;
  }
  return pattern + QLatin1Char('%');
}

// The length of the UTF-8 sequence at i, or 1 for a byte that starts none.
int SequenceLength(const QByteArray &text, int i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const int length = lead >= 0xF0 && lead <= 0xF4   ? 4
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                                                    : 1;
  if (i + length > text.size())
    return 1;
  for (int k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
      return 1;
  return length;
}

} // namespace

// One write transaction, taken at once so that no other copy of the program
// writes between a decision and the change made on it.
class TPuzzleLibrary::TWrite {
public:
  explicit TWrite(const QString &connection) : m_db(QSqlDatabase::database(connection, false)) {
    QSqlQuery begin(m_db);
    RunQuery(begin, QStringLiteral("BEGIN IMMEDIATE"));
    // Title lookups stay fast in large libraries; the index comes with the
    // first write, never with a check that only reads.
    QSqlQuery index(m_db);
    if (!index.exec(TitleIndexStatement)) {
      const QString error = EngineErrorText(index.lastError());
      QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
      throw TLibraryError(error);
    }
  }
  ~TWrite() {
    if (!m_done)
      QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
  }
  TWrite(const TWrite &) = delete;
  TWrite &operator=(const TWrite &) = delete;
  void Commit() {
    QSqlQuery commit(m_db);
    if (!commit.exec(QStringLiteral("COMMIT")))
      throw TLibraryError(EngineErrorText(commit.lastError())); // the destructor rolls back
    m_done = true;
  }

private:
  QSqlDatabase m_db;
  bool m_done = false;
};

void RunQuery(QSqlQuery &query) {
  if (!query.exec())
    throw TLibraryError(EngineErrorText(query.lastError()));
}

void RunQuery(QSqlQuery &query, const QString &statement) {
  if (!query.exec(statement))
    throw TLibraryError(EngineErrorText(query.lastError()));
}

QString EngineErrorText(const QSqlError &error) {
  return error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
}

const QString TPuzzleLibrary::CreateStatement = [] {
  QString statement = QStringLiteral("CREATE TABLE Puzzles (N Number, Title TEXT(50)");
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      statement += (col == 0 ? QStringLiteral(",") : QStringLiteral(", ")) + CellColumn(col, row) +
                   QStringLiteral(" TEXT(10)");
  return statement + QStringLiteral(")");
}();

const QString TPuzzleLibrary::TitleIndexStatement =
    QStringLiteral("CREATE INDEX IF NOT EXISTS PuzzleTitles ON Puzzles (Title COLLATE NOCASE)");

QByteArray CellMarker(bool fixed) {
  return fixed ? QByteArrayLiteral("+") : QByteArrayLiteral("-");
}

QString TPuzzleLibrary::Cut(const QString &text, int width) {
  qsizetype units = 0;
  for (int characters = 0; units < text.size() && characters < width; ++characters)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                     text.at(units + 1).isLowSurrogate()
                 ? 2
                 : 1;
  return text.left(units);
}

QByteArray TPuzzleLibrary::Cut(const QByteArray &text, int width) {
  int bytes = 0;
  for (int characters = 0; bytes < text.size() && characters < width; ++characters)
    bytes += SequenceLength(text, bytes);
  return text.left(bytes);
}

QByteArray StoredCellText(const TSquare &cell) {
  return TPuzzleLibrary::Cut(CellMarker(cell.Fixed) + QByteArray::fromStdString(cell.Text),
                             TPuzzleLibrary::CellWidth);
}

TSquare CellFromStored(const QByteArray &stored) {
  TSquare cell;
  cell.Fixed = stored.contains('+');
  if (!stored.isEmpty()) {
    const QByteArray text = stored.mid(SequenceLength(stored, 0));
    cell.Text = TPuzzleLibrary::Cut(text, TPuzzleLibrary::CellWidth - 1).toStdString();
  }
  return cell;
}

TStoredCells StoredCells(const TGrid &board) {
  TStoredCells cells;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      cells[row * 9 + col] = StoredCellText(board[col][row]);
  return cells;
}

void LoadStoredCells(TGrid &board, const TStoredCells &cells) {
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const TSquare cell = CellFromStored(cells[row * 9 + col]);
      board[col][row].Fixed = cell.Fixed;
      board[col][row].Text = cell.Text;
    }
}

TPuzzleLibrary::TPuzzleLibrary() = default;

TPuzzleLibrary::~TPuzzleLibrary() {
  // Whoever shows the list may be gone already.
  Drop(false);
}

void TPuzzleLibrary::Create(const QString &path) {
  TConnection connection(path, TOpenMode::Create);
  QSqlDatabase db = connection.Database();
  if (!db.open())
    throw TLibraryError(EngineErrorText(db.lastError()));
  QSqlQuery query(db);
  RunQuery(query, CreateStatement);
  RunQuery(query, TitleIndexStatement);
}

bool TPuzzleLibrary::IsLibrary(const QString &path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable())
    return false;
  TConnection connection(path, TOpenMode::Existing);
  QSqlDatabase db = connection.Database();
  try {
    return db.open() && LibraryShape(db).has_value();
  } catch (const TLibraryError &) {
    return false;
  }
}

bool TPuzzleLibrary::Open(const QString &path) {
  if (!QFileInfo(path).isFile())
    return false;
  // The new file is checked whole before the open library is let go.
  TConnection connection(path, TOpenMode::Existing);
  QSqlDatabase db = connection.Database();
  if (!db.open())
    throw TLibraryError(EngineErrorText(db.lastError()));
  // Room for a whole large library in memory (this connection's setting,
  // nothing in the file): a renumbering that touches every row then writes
  // each page once instead of spilling pages in the middle of it.
  QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -65536"));
  const std::optional<TShape> shape = LibraryShape(db);
  if (!shape)
    return false;
  QuickCheck(db);
  QVector<TPuzzleRow> rows = ReadRows(db);
  db = QSqlDatabase();
  Drop(false);
  m_connection = connection.Release();
  m_path = path;
  m_rows = std::move(rows);
  m_cellColumns = shape->cellColumns;
  m_utf8 = shape->utf8;
  if (onRowsChanged)
    onRowsChanged();
  return true;
}

void TPuzzleLibrary::Copy(const QString &source, const QString &target) {
  // A read transaction keeps other copies of the program from writing the
  // file while its bytes are read; it also rolls back a hot journal first.
  TConnection connection(source, TOpenMode::Existing);
  QSqlDatabase db = connection.Database();
  if (!db.open())
    throw TLibraryError(EngineErrorText(db.lastError()));
  QSqlQuery read(db);
  RunQuery(read, QStringLiteral("BEGIN"));
  RunQuery(read, QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
  QString error;
  {
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly))
      error = in.errorString();
    else if (!out.open(QIODevice::WriteOnly))
      error = out.errorString();
    while (error.isEmpty() && !in.atEnd()) {
      const QByteArray block = in.read(1 << 16);
      if (block.isEmpty() && in.error() != QFileDevice::NoError)
        error = in.errorString();
      // A write cut short by a full disk says why only when tried again.
      for (qint64 done = 0; error.isEmpty() && done < block.size();) {
        const qint64 written = out.write(block.constData() + done, block.size() - done);
        if (written <= 0)
          error = out.errorString();
        done += written;
      }
    }
    if (error.isEmpty() && !out.commit())
      error = out.errorString();
    read.finish();
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
  }
  if (!error.isEmpty())
    throw TLibraryError(error);
}

void TPuzzleLibrary::Close() {
  Drop(true);
}

void TPuzzleLibrary::Drop(bool notify) {
  if (m_connection.isEmpty())
    return;
  {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(m_connection);
  m_connection.clear();
  m_path.clear();
  m_rows.clear();
  m_cellColumns.clear();
  if (notify && onRowsChanged)
    onRowsChanged();
}

bool TPuzzleLibrary::IsOpen() const {
  return !m_connection.isEmpty();
}

QSqlDatabase TPuzzleLibrary::Database() const {
  return QSqlDatabase::database(m_connection, false);
}

void TPuzzleLibrary::Reload() {
  m_rows = ReadRows(QSqlDatabase::database(m_connection, false));
  if (onRowsChanged)
    onRowsChanged();
}

int TPuzzleLibrary::IndexOf(qint64 rowid) const {
  const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), rowid,
                                   [](const TPuzzleRow &row, qint64 id) { return row.rowid < id; });
  return at != m_rows.end() && at->rowid == rowid ? int(at - m_rows.begin()) : -1;
}

std::optional<qint64> TPuzzleLibrary::Lookup(const QString &title) const {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.setForwardOnly(true);
  query.prepare(QStringLiteral(
      "SELECT rowid FROM Puzzles WHERE Title = ? COLLATE NOCASE ORDER BY rowid LIMIT 1"));
  query.addBindValue(title);
  RunQuery(query);
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

int TPuzzleLibrary::Find(const QString &title) const {
  const std::optional<qint64> rowid = Locate(title);
  return rowid ? IndexOf(*rowid) : -1;
}

QString TPuzzleLibrary::FreeTitle(const QString &base) const {
  const QString plain = Cut(base, TitleWidth);
  if (!Lookup(plain))
    return plain;
  // Every title that a numbered one could match, in one pass over the table.
  constexpr int LongestNumber = 10; // " (1234567)"
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT Title FROM Puzzles WHERE Title LIKE ? ESCAPE '\\'"));
  query.addBindValue(LikePrefix(Cut(base, TitleWidth - LongestNumber)));
  RunQuery(query);
  QSet<QString> taken;
  while (query.next())
    taken.insert(FoldAscii(query.value(0).toString()));
  CheckFinished(query);
  for (int number = 1;; ++number) {
    const QString suffix = QStringLiteral(" (%1)").arg(number);
    const QString title = Cut(base, TitleWidth - int(suffix.size())) + suffix;
    if (!taken.contains(FoldAscii(title)))
      return title;
  }
}

qint64 TPuzzleLibrary::Insert(const QString &title) {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.prepare(QStringLiteral("INSERT INTO Puzzles (N, Title) VALUES (0, ?)"));
  query.addBindValue(Cut(title, TitleWidth));
  RunQuery(query);
  return query.lastInsertId().toLongLong();
}

TPuzzleLibrary::TAppended TPuzzleLibrary::AppendFree(const QString &base) {
  QString title;
  qint64 rowid = 0;
  {
    TWrite write(m_connection);
    title = FreeTitle(base);
    rowid = Insert(title);
    RenumberRows();
    write.Commit();
  }
  Reload();
  return {IndexOf(rowid), title};
}

int TPuzzleLibrary::Append(const QString &title) {
  qint64 rowid = 0;
  {
    TWrite write(m_connection);
    rowid = Insert(title);
    RenumberRows();
    write.Commit();
  }
  Reload();
  return IndexOf(rowid);
}

QString TPuzzleLibrary::Select(const QString &column) const {
  const QString quoted = QLatin1Char('"') + column + QLatin1Char('"');
  return m_utf8 ? QStringLiteral("CAST(%1 AS BLOB)").arg(quoted) : quoted;
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

int TPuzzleLibrary::Save(const QString &title, const TStoredCells &cells) {
  qint64 rowid = 0;
  {
    TWrite write(m_connection);
    const std::optional<qint64> found = Locate(title);
    rowid = found ? *found : Insert(title);
    QString statement = QStringLiteral("UPDATE Puzzles SET ");
    for (int i = 0; i < 81; ++i)
      statement += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) + m_cellColumns[i] +
                   QStringLiteral("\" = ") + Bound();
    statement += QStringLiteral(" WHERE rowid = ?");
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(statement);
    for (const QByteArray &cell : cells)
      query.addBindValue(BindCell(cell));
    query.addBindValue(rowid);
    RunQuery(query);
    RenumberRows();
    write.Commit();
  }
  Reload();
  return IndexOf(rowid);
}

bool TPuzzleLibrary::Listed(const TPuzzleRow &row) const {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT Title FROM Puzzles WHERE rowid = ?"));
  query.addBindValue(row.rowid);
  RunQuery(query);
  if (query.next())
    return query.value(0).toString() == row.title;
  CheckFinished(query);
  return false;
}

std::optional<TStoredCells> TPuzzleLibrary::ReadCells(int index) {
  const TPuzzleRow &row = m_rows.at(index);
  QString statement = QStringLiteral("SELECT Title");
  for (int i = 0; i < 81; ++i)
    statement += QStringLiteral(", ") + Select(m_cellColumns[i]);
  statement += QStringLiteral(" FROM Puzzles WHERE rowid = ?");
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.setForwardOnly(true);
  query.prepare(statement);
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

void TPuzzleLibrary::SetTitle(int index, const QString &title) {
  TPuzzleRow &row = m_rows[index];
  const QString stored = Cut(title, TitleWidth);
  {
    TWrite write(m_connection);
    if (!Listed(row))
      throw TLibraryError(QCoreApplication::translate("TPuzzleLibrary",
                                                      "This puzzle is no longer in the library."));
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE Puzzles SET Title = ? WHERE rowid = ?"));
    query.addBindValue(stored);
    query.addBindValue(row.rowid);
    RunQuery(query);
    write.Commit();
  }
  row.title = stored;
}

bool TPuzzleLibrary::Delete(int index) {
  bool deleted = false;
  {
    TWrite write(m_connection);
    if (Listed(m_rows.at(index))) {
      QSqlQuery query(QSqlDatabase::database(m_connection, false));
      query.prepare(QStringLiteral("DELETE FROM Puzzles WHERE rowid = ?"));
      query.addBindValue(m_rows.at(index).rowid);
      RunQuery(query);
      RenumberRows();
      deleted = true;
    }
    write.Commit();
  }
  Reload();
  return deleted;
}

bool TPuzzleLibrary::WriteInBulk(const std::function<bool(QSqlDatabase &)> &work) {
  {
    TWrite write(m_connection);
    QSqlDatabase db = Database();
    if (!work(db))
      return false; // rolled back
    RenumberRows();
    write.Commit();
  }
  Reload();
  return true;
}

void TPuzzleLibrary::RenumberRows() {
  // One statement over the table's own order; rows that already carry their
  // number are left alone.
  QSqlQuery update(QSqlDatabase::database(m_connection, false));
  update.prepare(QStringLiteral(
      "UPDATE Puzzles SET N = numbered.position "
      "FROM (SELECT rowid AS id, ROW_NUMBER() OVER (ORDER BY rowid) AS position FROM Puzzles) "
      "AS numbered WHERE Puzzles.rowid = numbered.id AND Puzzles.N IS NOT numbered.position"));
  RunQuery(update);
}
