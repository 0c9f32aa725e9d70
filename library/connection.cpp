#include "connection.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

QString EngineErrorText(const QSqlError &error) {
  return error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
}

void RunQuery(QSqlQuery &query) {
  if (!query.exec())
    throw TLibraryError(EngineErrorText(query.lastError()));
}

void RunQuery(QSqlQuery &query, const QString &statement) {
  if (!query.exec(statement))
    throw TLibraryError(EngineErrorText(query.lastError()));
}

void CheckFinished(const QSqlQuery &query) {
  if (query.lastError().isValid())
    throw TLibraryError(EngineErrorText(query.lastError()));
}

TConnection::TConnection(const QString &path, TMode mode)
    : m_name(QStringLiteral("library-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
  if (mode == TMode::Create) {
    db.setDatabaseName(path);
  } else {
    const QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
  }
  if (!db.open()) {
    const QString error = EngineErrorText(db.lastError());
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    throw TLibraryError(error);
  }
}

TConnection::~TConnection() {
  {
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase TConnection::Database() const {
  return QSqlDatabase::database(m_name, false);
}

TTransaction::TTransaction(const QSqlDatabase &db, TKind kind) : m_db(db) {
  QSqlQuery begin(m_db);
  RunQuery(begin,
           kind == TKind::Write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

TTransaction::~TTransaction() {
  if (!m_done)
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

void TTransaction::Commit() {
  QSqlQuery commit(m_db);
  if (!commit.exec(QStringLiteral("COMMIT")))
    throw TLibraryError(EngineErrorText(commit.lastError())); // the destructor rolls back
  m_done = true;
}
