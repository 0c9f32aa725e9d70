#include "puzzleimport.h"

#include "puzzletext.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

constexpr qint64 ChunkBytes = 1 << 16;
constexpr int ExportRowsPerReport = 1000;

// SQLite's NOCASE folds the 26 ASCII capitals and nothing else.
QString NoCaseKey(QString title) {
  for (QChar &c : title)
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
      c = QChar(c.unicode() + ('a' - 'A'));
  return title;
}

// Free titles decided against the file itself, inside the import's
// transaction, so rows imported a moment ago count as well. A file of
// thousands of puzzles with one title would ask for "T (1)", "T (2)" ...
// from the start each time; since titles are only added while importing,
// the numbers found taken stay taken and the search goes on where it ended.
class TTitleChooser {
public:
  explicit TTitleChooser(const QSqlDatabase &db) : m_lookup(db) {
    m_lookup.prepare(
        QStringLiteral("SELECT 1 FROM Puzzles WHERE Title = ? COLLATE NOCASE LIMIT 1"));
  }

  QString Free(const QString &wanted) {
    const QString title = TPuzzleLibrary::Cut(wanted, TPuzzleLibrary::TitleWidth);
    int &next = m_next[NoCaseKey(title)];
    if (next == 0) {
      if (!Taken(title))
        return title;
      next = 1;
    }
    for (;; ++next) {
      const QString suffix = QStringLiteral(" (%1)").arg(next);
      const QString candidate =
          TPuzzleLibrary::Cut(title, TPuzzleLibrary::TitleWidth - int(suffix.size())) + suffix;
      if (!Taken(candidate)) {
        ++next;
        return candidate;
      }
    }
  }

private:
  bool Taken(const QString &title) {
    m_lookup.bindValue(0, title);
    RunQuery(m_lookup);
    const bool taken = m_lookup.next();
    m_lookup.finish();
    return taken;
  }

  QSqlQuery m_lookup;
  QHash<QString, int> m_next;
};

qint64 RowCount(const QSqlDatabase &db) {
  QSqlQuery query(db);
  RunQuery(query, QStringLiteral("SELECT count(*) FROM Puzzles"));
  return query.next() ? query.value(0).toLongLong() : 0;
}

// The givens of a JSON array of stored cell texts, read as Load Puzzle
// reads them: a given where a '+' stands, its text what follows the first
// character. So a given digit is exactly "+" and the digit, which needs no
// escape in JSON; any other string or null is an empty cell.
TPuzzleCells GivensOf(QStringView array) {
  TPuzzleCells givens;
  givens.fill('.');
  const qsizetype size = array.size();
  int cell = 0;
  for (qsizetype at = 0; at < size && cell < 81; ++at) {
    if (array[at] == u',') {
      ++cell;
    } else if (array[at] == u'"') {
      const qsizetype start = at + 1;
      for (at = start; at < size && array[at] != u'"'; ++at)
        if (array[at] == u'\\')
          ++at;
      const QStringView text = array.sliced(start, std::min(at, size) - start);
      if (text.size() == 2 && text[0] == u'+' && text[1] >= u'1' && text[1] <= u'9')
        givens[cell] = char(text[1].unicode());
    }
  }
  return givens;
}

} // namespace

TImportResult ImportPuzzles(TPuzzleLibrary &library, const QString &path,
                            const TProgress &progress) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw TLibraryError(file.errorString());
  const qint64 size = file.size();
  const QString baseName = QFileInfo(path).completeBaseName();

  TImportResult result;
  const bool kept = library.WriteInBulk([&](QSqlDatabase &db) {
    qint64 number = RowCount(db);
    TTitleChooser titles(db);
    // By position: N, Title, then the 81 cells row by row. The engine makes
    // each stored cell ("+" and the digit, or "-") from the puzzle's line, so
    // three values are bound a row instead of 83.
    QString cells;
    for (int i = 1; i <= 81; ++i)
      cells += QStringLiteral(", iif(substr(line, %1, 1) = '.', '-', '+' || substr(line, %1, 1))")
                   .arg(i);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO Puzzles SELECT ?, ?") + cells +
                   QStringLiteral(" FROM (SELECT ? AS line)"));

    TPuzzleTextReader reader([&](const TTextPuzzle &puzzle) {
      const QString title = puzzle.title.isEmpty()
                                ? QStringLiteral("%1 %2").arg(baseName).arg(result.imported + 1)
                                : puzzle.title;
      insert.bindValue(0, ++number);
      insert.bindValue(1, titles.Free(title));
      insert.bindValue(2, QString::fromLatin1(puzzle.cells.data(), puzzle.cells.size()));
      RunQuery(insert);
      ++result.imported;
    });

    QByteArray chunk;
    while (!file.atEnd()) {
      chunk = file.read(ChunkBytes);
      if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
        throw TLibraryError(file.errorString());
      reader.Feed(chunk);
      if (progress && !progress(file.pos(), size))
        return false;
    }
    if (file.error() != QFileDevice::NoError)
      throw TLibraryError(file.errorString());
    reader.Finish();
    result.skipped = reader.Skipped();
    result.firstSkipped = reader.FirstSkipped();
    return true;
  });
  if (!kept)
    return TImportResult{0, 0, {}, true};
  return result;
}

TExportResult ExportPuzzles(const TPuzzleLibrary &library, const QString &path,
                            const TProgress &progress, const TTitleSuffix &suffix) {
  const QSqlDatabase db = library.Database();
  const qint64 total = RowCount(db);
  // The 81 cells come as one JSON array a row: one value for Qt to carry
  // instead of 81. Cells by position; CAST keeps a stray BLOB from failing
  // the whole query.
  const QSqlRecord columns = db.record(QStringLiteral("Puzzles"));
  if (columns.count() < 83)
    throw TLibraryError(
        QCoreApplication::translate("TPuzzleLibrary", "The table Puzzles lacks columns."));
  QStringList cells;
  for (int i = 0; i < 81; ++i)
    cells << QStringLiteral("CAST(\"%1\" AS TEXT)").arg(columns.fieldName(2 + i));
  QSqlQuery query(db);
  query.setForwardOnly(true);
  RunQuery(query, QStringLiteral("SELECT \"%1\", json_array(%2) FROM Puzzles ORDER BY rowid")
                      .arg(columns.fieldName(1), cells.join(QStringLiteral(", "))));

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly))
    throw TLibraryError(out.errorString());
  const auto flush = [&](QByteArray &buffer) {
    if (out.write(buffer) != buffer.size())
      throw TLibraryError(out.errorString());
    buffer.clear();
  };

  TExportResult result;
  QByteArray buffer;
  while (query.next()) {
    QString title = query.value(0).toString();
    title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const TPuzzleCells givens = GivensOf(query.value(1).toString());
    buffer.append(givens.data(), givens.size());
    buffer.append('\t');
    buffer.append(title.toUtf8());
    if (suffix) {
      buffer.append('\t');
      buffer.append(suffix(QByteArray(givens.data(), qsizetype(givens.size()))).toUtf8());
    }
    buffer.append('\n');
    ++result.exported;
    if (result.exported % (suffix ? 1 : ExportRowsPerReport) == 0) {
      flush(buffer);
      if (progress && !progress(result.exported, total)) {
        out.cancelWriting();
        return TExportResult{0, true};
      }
    }
  }
  if (query.lastError().isValid())
    throw TLibraryError(EngineErrorText(query.lastError()));
  flush(buffer);
  if (!out.commit())
    throw TLibraryError(out.errorString());
  return result;
}
