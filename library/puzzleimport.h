#pragma once

#include "puzzlelibrary.h"

#include <QList>
#include <QString>

#include <functional>

// Told now and then how far the work is (done of total, in the work's own
// units); answering false cancels it.
using TProgress = std::function<bool(qint64 done, qint64 total)>;

struct TImportResult {
  int imported = 0;
  qint64 skipped = 0;         // lines that held no puzzle
  QList<qint64> firstSkipped; // their first line numbers, in order
  bool canceled = false;      // then nothing was imported
};

// Reads the puzzles of a text file (the forms of puzzletext.h) into the open
// library, after its last row: digits as givens ("+" and the digit), every
// other cell "-". A puzzle's title is its own or the file's base name and the
// puzzle's number in the file, cut to the title column and made unique
// against every title in the library, letter case ignored as SQLite's
// NOCASE does: "T", else "T (1)", "T (2)" and so on. One transaction: a
// cancel or any failure leaves the file exactly as it was. Afterwards the
// rows are numbered 1, 2, 3, ... and the library lists the new rows.
// Throws TLibraryError with the file's or the engine's text.
TImportResult ImportPuzzles(TPuzzleLibrary &library, const QString &path,
                            const TProgress &progress = {});

struct TExportResult {
  int exported = 0;
  bool canceled = false; // then the target is as it was
};

// Writes every puzzle of the open library, in its order, one line each: the
// 81 characters of its givens ('.' for every other cell), a tab, its title
// (line breaks in it become spaces), "\n". Through a temporary file renamed
// into place only when complete. Throws TLibraryError on failure.
//
// With suffix, each title is followed by a tab and what suffix makes of the
// puzzle's 81 characters (its rating, say), and progress hears of every row.
using TTitleSuffix = std::function<QString(const QByteArray &givens)>;
TExportResult ExportPuzzles(const TPuzzleLibrary &library, const QString &path,
                            const TProgress &progress = {}, const TTitleSuffix &suffix = {});
