#include "puzzlelibrary.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

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

// A connection that is removed again on every path.
class TScopedConnection {
public:
  TScopedConnection(const QString &path, const QString &options) : m_name(NewConnectionName()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(options);
  }
  ~TScopedConnection() {
    {
      QSqlDatabase db = QSqlDatabase::database(m_name, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
  }
  QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }

private:
  QString m_name;
};

QStringList TableColumns(const QSqlDatabase &db) {
  QStringList columns;
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA table_info(Puzzles)")))
    return columns;
  while (query.next())
    columns << query.value(1).toString();
  return columns;
}

} // namespace

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

QString CellMarker(bool fixed) {
  return fixed ? QStringLiteral("+") : QStringLiteral("-");
}

QString TPuzzleLibrary::Cut(const QString &text, int width) {
  if (text.size() <= width)
    return text;
  // Never split a character in two.
  int length = width;
  if (text.at(length - 1).isHighSurrogate())
    --length;
  return text.left(length);
}

QString StoredCellText(const TSquare &cell) {
  const QString text = QString::fromLatin1(cell.Text.data(), cell.Text.size());
  return TPuzzleLibrary::Cut(CellMarker(cell.Fixed) + text, TPuzzleLibrary::CellWidth);
}

TSquare CellFromStored(const QString &stored) {
  TSquare cell;
  cell.Fixed = stored.contains(QLatin1Char('+'));
  cell.Text = stored.mid(1, TPuzzleLibrary::CellWidth - 1).toLatin1().toStdString();
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
  Close();
}

void TPuzzleLibrary::Create(const QString &path) {
  TScopedConnection connection(path, QString());
  QSqlDatabase db = connection.Database();
  if (!db.open())
    throw TLibraryError(db.lastError().text());
  QSqlQuery query(db);
  if (!query.exec(CreateStatement) || !query.exec(TitleIndexStatement))
    throw TLibraryError(query.lastError().text());
}

bool TPuzzleLibrary::IsLibrary(const QString &path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable())
    return false;
  // Read-only: a file that is no library must not change, not even by a journal.
  TScopedConnection connection(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
  QSqlDatabase db = connection.Database();
  if (!db.open())
    return false;
  const QStringList columns = TableColumns(db);
  const QStringList expected = ExpectedColumns();
  if (columns.size() != expected.size())
    return false;
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].compare(expected[i], Qt::CaseInsensitive) != 0)
      return false;
  return true;
}

bool TPuzzleLibrary::Open(const QString &path) {
  if (!IsLibrary(path))
    return false;
  Close();
  m_connection = NewConnectionName();
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
  db.setDatabaseName(path);
  if (!db.open()) {
    const QString error = db.lastError().text();
    Close();
    throw TLibraryError(error);
  }
  m_path = path;
  m_cellColumns = TableColumns(db).mid(2);
  Load();
  return true;
}

void TPuzzleLibrary::Close() {
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
}

bool TPuzzleLibrary::IsOpen() const {
  return !m_connection.isEmpty();
}

QSqlDatabase TPuzzleLibrary::Database() const {
  return QSqlDatabase::database(m_connection, false);
}

void TPuzzleLibrary::Exec(QSqlQuery &query) const {
  if (!query.exec())
    throw TLibraryError(query.lastError().text());
}

void TPuzzleLibrary::Load() {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT rowid, N, Title FROM Puzzles ORDER BY rowid"));
  Exec(query);
  m_rows.clear();
  while (query.next())
    m_rows.push_back(
        {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toString()});
}

int TPuzzleLibrary::Find(const QString &title) const {
  // Titles are stored cut to the column; a longer one finds its stored form.
  const QString stored = Cut(title, TitleWidth);
  for (int i = 0; i < m_rows.size(); ++i)
    if (m_rows[i].title.compare(stored, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

qint64 TPuzzleLibrary::Insert(const QString &title) {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.prepare(QStringLiteral("INSERT INTO Puzzles (N, Title) VALUES (0, ?)"));
  query.addBindValue(Cut(title, TitleWidth));
  Exec(query);
  return query.lastInsertId().toLongLong();
}

namespace {

// Commits when the work is done, rolls back when an error leaves early.
class TTransaction {
public:
  explicit TTransaction(const QString &connection)
      : m_db(QSqlDatabase::database(connection, false)) {
    if (!m_db.transaction())
      throw TLibraryError(m_db.lastError().text());
    QSqlQuery index(m_db);
    if (!index.exec(TPuzzleLibrary::TitleIndexStatement)) {
      const QString error = index.lastError().text();
      m_db.rollback();
      throw TLibraryError(error);
    }
  }
  ~TTransaction() {
    if (!m_done)
      m_db.rollback();
  }
  void Commit() {
    if (!m_db.commit()) {
      const QString error = m_db.lastError().text();
      m_db.rollback();
      m_done = true;
      throw TLibraryError(error);
    }
    m_done = true;
  }

private:
  QSqlDatabase m_db;
  bool m_done = false;
};

} // namespace

int TPuzzleLibrary::Append(const QString &title) {
  {
    TTransaction transaction(m_connection);
    Insert(title);
    RenumberRows();
    transaction.Commit();
  }
  Load();
  return m_rows.size() - 1;
}

int TPuzzleLibrary::Save(const QString &title, const TStoredCells &cells) {
  const int found = Find(title);
  {
    TTransaction transaction(m_connection);
    const qint64 rowid = found >= 0 ? m_rows[found].rowid : Insert(title);
    QString statement = QStringLiteral("UPDATE Puzzles SET ");
    for (int i = 0; i < 81; ++i)
      statement += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) + m_cellColumns[i] +
                   QStringLiteral("\" = ?");
    statement += QStringLiteral(" WHERE rowid = ?");
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(statement);
    for (const QString &cell : cells)
      query.addBindValue(Cut(cell, CellWidth));
    query.addBindValue(rowid);
    Exec(query);
    RenumberRows();
    transaction.Commit();
  }
  Load();
  return found >= 0 ? found : m_rows.size() - 1;
}

TStoredCells TPuzzleLibrary::ReadCells(int index) const {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  query.prepare(QStringLiteral("SELECT * FROM Puzzles WHERE rowid = ?"));
  query.addBindValue(m_rows.at(index).rowid);
  Exec(query);
  TStoredCells cells;
  if (query.next())
    for (int i = 0; i < 81; ++i)
      cells[i] = query.value(2 + i).toString();
  return cells;
}

void TPuzzleLibrary::SetTitle(int index, const QString &title) {
  QSqlQuery query(QSqlDatabase::database(m_connection, false));
  if (!query.exec(TitleIndexStatement))
    throw TLibraryError(query.lastError().text());
  query.prepare(QStringLiteral("UPDATE Puzzles SET Title = ? WHERE rowid = ?"));
  query.addBindValue(Cut(title, TitleWidth));
  query.addBindValue(m_rows.at(index).rowid);
  Exec(query);
  m_rows[index].title = Cut(title, TitleWidth);
}

void TPuzzleLibrary::Delete(int index) {
  {
    TTransaction transaction(m_connection);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM Puzzles WHERE rowid = ?"));
    query.addBindValue(m_rows.at(index).rowid);
    Exec(query);
    RenumberRows();
    transaction.Commit();
  }
  Load();
}

void TPuzzleLibrary::RenumberRows() {
  // One statement over the table's own order; rows that already carry their
  // number are left alone.
  QSqlQuery update(QSqlDatabase::database(m_connection, false));
  update.prepare(QStringLiteral(
      "UPDATE Puzzles SET N = numbered.position "
      "FROM (SELECT rowid AS id, ROW_NUMBER() OVER (ORDER BY rowid) AS position FROM Puzzles) "
      "AS numbered WHERE Puzzles.rowid = numbered.id AND Puzzles.N IS NOT numbered.position"));
  Exec(update);
}
