#include "puzzleimport.h"

#include "filereplace.h"
#include "puzzletext.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 ChunkBytes = 1 << 16;
constexpr int ExportRowsPerReport = 1000;

// The givens as Load Puzzle reads them; every other cell '.'.
TPuzzleCells GivensOf(const TStoredCells &stored) {
  TPuzzleCells givens;
  for (int i = 0; i < 81; ++i) {
    const TSquare cell = CellFromStored(stored[i]);
    givens[i] = cell.Fixed && cell.Text.size() == 1 && cell.Text[0] >= '1' && cell.Text[0] <= '9'
                    ? cell.Text[0]
                    : '.';
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
  const bool kept = library.WriteInBulk([&](TPuzzleLibrary::TBulk &bulk) {
    TPuzzleTextReader reader([&](const TTextPuzzle &puzzle) {
      const QString title = puzzle.title.isEmpty()
                                ? QStringLiteral("%1 %2").arg(baseName).arg(result.imported + 1)
                                : puzzle.title;
      bulk.Append(title, StoredCells(GridFromCells(puzzle.cells)));
      ++result.imported;
    });
    while (!file.atEnd()) {
      const QByteArray chunk = file.read(ChunkBytes);
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
  const qint64 total = library.Count();
  TExportResult result;
  const bool kept = WriteReplacing(path, [&](QFile &out) {
    QByteArray buffer;
    bool going = true;
    library.ReadEvery([&](const QString &stored, const TStoredCells &cells) {
      QString title = stored;
      title.replace(QLatin1Char('\r'), QLatin1Char(' '))
          .replace(QLatin1Char('\n'), QLatin1Char(' '));
      const TPuzzleCells givens = GivensOf(cells);
      buffer.append(givens.data(), givens.size());
      buffer.append('\t');
      buffer.append(title.toUtf8());
      if (suffix) {
        buffer.append('\t');
        buffer.append(suffix(QByteArray(givens.data(), qsizetype(givens.size()))).toUtf8());
      }
      buffer.append('\n');
      ++result.exported;
      if (result.exported % ExportRowsPerReport != 0)
        return true;
      WriteAll(out, buffer);
      buffer.clear();
      going = !progress || progress(result.exported, total);
      return going;
    });
    WriteAll(out, buffer);
    return going;
  });
  if (!kept)
    return TExportResult{0, true};
  return result;
}
