#include "accessimport.h"

#include "connection.h"
#include "filereplace.h"
#include "libraryfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>
#include <memory>

// libmdb's header needs glib's declared first.
#include <glib.h>
#include <mdbtools.h>

namespace {

constexpr int PuzzleColumns = 83;

struct TMdbCloser {
  void operator()(MdbHandle *handle) const { mdb_close(handle); }
};

struct TTableFreer {
  void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

} // namespace

bool IsAccessFile(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  const QByteArray head = file.read(19);
  return head.size() == 19 && head.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
         (head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB");
}

std::vector<TImportedPuzzle> ReadAccessPuzzles(const QString &path) {
  const QFileInfo info(path);
  // libmdb reads pages past the end of a cut-off file without asking.
  if (!info.isFile() || info.size() < 4096 || info.size() % 2048 != 0)
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "%1 is not a complete Access database.")
            .arg(path));
  std::unique_ptr<MdbHandle, TMdbCloser> mdb(
      mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
  if (!mdb)
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "%1 cannot be read as an Access database.")
            .arg(path));
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "%1 has no readable table list.").arg(path));
  char name[] = "Puzzles";
  std::unique_ptr<MdbTableDef, TTableFreer> table(
      mdb_read_table_by_name(mdb.get(), name, MDB_TABLE));
  if (!table || !mdb_read_columns(table.get()) || table->num_cols < PuzzleColumns)
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "%1 has no table Puzzles of 83 columns.")
            .arg(path));

  // Bound buffers must hold the library's bind size; NULL reads as empty.
  std::vector<std::vector<char>> buffers(PuzzleColumns, std::vector<char>(MDB_BIND_SIZE + 1));
  std::vector<int> lengths(PuzzleColumns, 0);
  for (int i = 0; i < PuzzleColumns; ++i)
    mdb_bind_column(table.get(), i + 1, buffers[i].data(), &lengths[i]);
  mdb_rewind_table(table.get());

  // libmdb hands out text as UTF-8.
  auto bytes = [&](int column) {
    return QByteArray(buffers[column].data(), std::clamp(lengths[column], 0, MDB_BIND_SIZE));
  };
  std::vector<TImportedPuzzle> puzzles;
  while (mdb_fetch_row(table.get())) {
    TImportedPuzzle puzzle;
    puzzle.title = Cut(QString::fromUtf8(bytes(1)), TitleWidth);
    for (int i = 0; i < 81; ++i)
      puzzle.cells[i] = Cut(bytes(2 + i), CellWidth);
    puzzles.push_back(std::move(puzzle));
    std::fill(lengths.begin(), lengths.end(), 0);
  }
  // libmdb ends the rows quietly where a cut-off file ends; the table's
  // definition knows how many there are.
  if (puzzles.size() != table->num_rows)
    throw TLibraryError(QStringLiteral("%1 holds %2 of the %3 rows of Puzzles.")
                            .arg(path)
                            .arg(puzzles.size())
                            .arg(table->num_rows));
  return puzzles;
}

void WriteImportedLibrary(const QString &target, const std::vector<TImportedPuzzle> &puzzles) {
  WriteReplacing(target, [&](const QString &part) {
    CreateLibraryFile(part);
    const TConnection connection(part, TConnection::TMode::Existing);
    TTransaction write(connection.Database(), TTransaction::TKind::Write);
    {
      QSqlQuery insert(connection.Database());
      // The cells' bytes are stored as text, unchanged.
      insert.prepare(QStringLiteral("INSERT INTO Puzzles VALUES (?, ?") +
                     QStringLiteral(", CAST(? AS TEXT)").repeated(81) + QStringLiteral(")"));
      qint64 number = 0;
      for (const TImportedPuzzle &puzzle : puzzles) {
        insert.bindValue(0, ++number);
        insert.bindValue(1, puzzle.title);
        for (int i = 0; i < 81; ++i)
          insert.bindValue(2 + i, puzzle.cells[i]);
        RunQuery(insert);
      }
    }
    write.Commit();
  });
}
