#include "libraryfile.h"

#include "connection.h"
#include "filereplace.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

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

} // namespace

QString CreateTableStatement() {
  QString statement = QStringLiteral("CREATE TABLE Puzzles (N Number, Title TEXT(50)");
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      statement += (col == 0 ? QStringLiteral(",") : QStringLiteral(", ")) + CellColumn(col, row) +
                   QStringLiteral(" TEXT(10)");
  return statement + QStringLiteral(")");
}

QString TitleIndexStatement() {
  return QStringLiteral(
      "CREATE INDEX IF NOT EXISTS PuzzleTitles ON Puzzles (Title COLLATE NOCASE)");
}

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

void CreateLibraryFile(const QString &path) {
  TConnection connection(path, TConnection::TMode::Create);
  QSqlQuery query(connection.Database());
  RunQuery(query, CreateTableStatement());
  RunQuery(query, TitleIndexStatement());
}

void CopyLibraryFile(const QString &source, const QString &target) {
  // The read transaction also rolls back a hot journal first.
  TConnection connection(source, TConnection::TMode::Existing);
  TTransaction read(connection.Database(), TTransaction::TKind::Read);
  QSqlQuery lock(connection.Database());
  RunQuery(lock, QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
  lock.finish();
  WriteReplacing(target, [&](QFile &out) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
      throw TLibraryError(in.errorString());
    while (!in.atEnd()) {
      const QByteArray block = in.read(1 << 16);
      if (block.isEmpty() && in.error() != QFileDevice::NoError)
        throw TLibraryError(in.errorString());
      WriteAll(out, block);
    }
    return true;
  });
}
