#pragma once

#include "libraryerror.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;
class QSqlQuery;

// SQLite's own words, without Qt's "Unable to fetch row" that tells nobody anything.
QString EngineErrorText(const QSqlError &error);
// Runs a prepared query, or the statement; throws with SQLite's own words.
void RunQuery(QSqlQuery &query);
void RunQuery(QSqlQuery &query, const QString &statement);
// After the last next(): a read that stopped at damage is no end of the rows.
void CheckFinished(const QSqlQuery &query);

// One QSQLITE connection under a name of its own, closed and removed again
// on every path. An existing file is opened for writing (SQLite rolls back a
// hot journal only then) but never created.
class TConnection {
public:
  enum class TMode { Create, Existing };
  // Throws with the engine's text when the file cannot be opened.
  TConnection(const QString &path, TMode mode);
  ~TConnection();
  TConnection(const TConnection &) = delete;
  TConnection &operator=(const TConnection &) = delete;

  QSqlDatabase Database() const;

private:
  QString m_name;
};

// One transaction on a connection, rolled back on every path that does not
// commit. A write is taken at once (BEGIN IMMEDIATE), so that no other copy
// of the program writes between a decision and the change made on it; a
// read keeps them from writing while it lasts.
class TTransaction {
public:
  enum class TKind { Read, Write };
  TTransaction(const QSqlDatabase &db, TKind kind);
  ~TTransaction();
  TTransaction(const TTransaction &) = delete;
  TTransaction &operator=(const TTransaction &) = delete;
  void Commit();

private:
  QSqlDatabase m_db;
  bool m_done = false;
};
