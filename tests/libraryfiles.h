#pragma once

// Real library files for the library tests: digests, the connection another
// program would have, and libraries of many rows made in one go.

#include "puzzlelibrary.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

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
