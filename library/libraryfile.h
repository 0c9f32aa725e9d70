#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// The file's shape: one table Puzzles of 83 columns (N, Title, then the 81
// cells row by row), checked whole before a file counts as a library.

QString CreateTableStatement();
// Keeps the title lookups fast on large libraries; made with the table and
// with the first change of an older file, never by a check that only reads.
QString TitleIndexStatement();

struct TShape {
  QStringList cellColumns; // by position, as the file lists them
  bool utf8 = true;        // the file's text encoding
};

// Only a real table (no view, no virtual table, rows with a rowid) with the
// 83 columns in their order is a library. Throws when SQLite cannot read the
// file's schema at all.
std::optional<TShape> LibraryShape(const QSqlDatabase &db);

// SQLite's quick check: every page of the file read and its structure
// tested, so that damage shows now and not halfway through a change. Throws
// with SQLite's answer.
void QuickCheck(const QSqlDatabase &db);

// A new file with the empty table and its index; throws with the engine's text.
void CreateLibraryFile(const QString &path);
// The file's bytes as a new file at target, read while a read transaction
// keeps other copies of the program from writing it.
void CopyLibraryFile(const QString &source, const QString &target);
