#pragma once

// Real library files for the library tests: digests, the connection another
// program would have, and libraries of many rows made in one go.

#include "puzzlelibrary.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The table as the design's statement makes it, byte for byte: what files
// made by other programs hold.
inline const QString DesignCreateStatement =
    QStringLiteral("CREATE TABLE Puzzles (N Number, Title TEXT(50),"
                   "S00 TEXT(10), S10 TEXT(10), S20 TEXT(10), S30 TEXT(10), S40 TEXT(10), S50 "
                   "TEXT(10), S60 TEXT(10), S70 TEXT(10), S80 TEXT(10),"
                   "S01 TEXT(10), S11 TEXT(10), S21 TEXT(10), S31 TEXT(10), S41 TEXT(10), S51 "
                   "TEXT(10), S61 TEXT(10), S71 TEXT(10), S81 TEXT(10),"
                   "S02 TEXT(10), S12 TEXT(10), S22 TEXT(10), S32 TEXT(10), S42 TEXT(10), S52 "
                   "TEXT(10), S62 TEXT(10), S72 TEXT(10), S82 TEXT(10),"
                   "S03 TEXT(10), S13 TEXT(10), S23 TEXT(10), S33 TEXT(10), S43 TEXT(10), S53 "
                   "TEXT(10), S63 TEXT(10), S73 TEXT(10), S83 TEXT(10),"
                   "S04 TEXT(10), S14 TEXT(10), S24 TEXT(10), S34 TEXT(10), S44 TEXT(10), S54 "
                   "TEXT(10), S64 TEXT(10), S74 TEXT(10), S84 TEXT(10),"
                   "S05 TEXT(10), S15 TEXT(10), S25 TEXT(10), S35 TEXT(10), S45 TEXT(10), S55 "
                   "TEXT(10), S65 TEXT(10), S75 TEXT(10), S85 TEXT(10),"
                   "S06 TEXT(10), S16 TEXT(10), S26 TEXT(10), S36 TEXT(10), S46 TEXT(10), S56 "
                   "TEXT(10), S66 TEXT(10), S76 TEXT(10), S86 TEXT(10),"
                   "S07 TEXT(10), S17 TEXT(10), S27 TEXT(10), S37 TEXT(10), S47 TEXT(10), S57 "
                   "TEXT(10), S67 TEXT(10), S77 TEXT(10), S87 TEXT(10),"
                   "S08 TEXT(10), S18 TEXT(10), S28 TEXT(10), S38 TEXT(10), S48 TEXT(10), S58 "
                   "TEXT(10), S68 TEXT(10), S78 TEXT(10), S88 TEXT(10))");

inline QByteArray Digest(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A second, independent connection to a file, as another program would have.
class TOtherConnection {
public:
  explicit TOtherConnection(const QString &path, const QString &name = "other") : m_name(name) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
    db.setDatabaseName(path);
    db.open();
  }
  ~TOtherConnection() {
    {
      QSqlDatabase db = QSqlDatabase::database(m_name, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
  }
  QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }
  QSqlQuery Query(const QString &statement) {
    QSqlQuery query(Database());
    query.exec(statement);
    return query;
  }
  // One value of a one-row query.
  QVariant Value(const QString &statement) {
    QSqlQuery query = Query(statement);
    return query.next() ? query.value(0) : QVariant();
  }

private:
  QString m_name;
};

// A new library of count rows titled "Puzzle 1", "Puzzle 2", ..., numbered,
// every cell "-" followed by the row's number.
inline bool FillLibrary(const QString &path, int count) {
  TPuzzleLibrary::Create(path);
  TOtherConnection other(path, "fill");
  QSqlDatabase db = other.Database();
  QSqlQuery insert(db);
  if (!db.transaction() ||
      !insert.prepare("INSERT INTO Puzzles VALUES (?, ?" + QString(", ?").repeated(81) + ")"))
    return false;
  for (int row = 1; row <= count; ++row) {
    insert.bindValue(0, row);
    insert.bindValue(1, QString("Puzzle %1").arg(row));
    for (int i = 0; i < 81; ++i)
      insert.bindValue(2 + i, QString("-%1").arg(row));
    if (!insert.exec())
      return false;
  }
  insert.finish();
  return db.commit();
}

// The first listed row with the title, or -1.
inline int ListedIndex(const TPuzzleLibrary &library, const QString &title) {
  for (int i = 0; i < library.Count(); ++i)
    if (library.Row(i).title == title)
      return i;
  return -1;
}
