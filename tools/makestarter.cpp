// Builds the starter library from graded puzzle lists: each list's puzzles
// are imported in order under the titles the lists give them ("Fiendish
// 4.2"); tools/pickstarter.py writes the lists.
//   makestarter OUTPUT LIST...
#include "filereplace.h"
#include "puzzleimport.h"
#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: makestarter OUTPUT LIST...\n");
    return 2;
  }
  const QString target = arguments[1];
  try {
    // Built beside the target and renamed into place, so a failed build
    // never leaves half a library where the program looks for it.
    WriteReplacing(target, [&](const QString &part) {
      TPuzzleLibrary::Create(part);
      TPuzzleLibrary library;
      if (!library.Open(part))
        throw TLibraryError(QStringLiteral("The new library cannot be opened."));
      for (const QString &list : arguments.mid(2)) {
        const TImportResult result = ImportPuzzles(library, list);
        if (result.skipped > 0 || result.imported == 0)
          throw TLibraryError(QStringLiteral("%1: %2 puzzles, %3 lines skipped (first: line %4)")
                                  .arg(list)
                                  .arg(result.imported)
                                  .arg(result.skipped)
                                  .arg(result.firstSkipped.value(0)));
        std::printf("%s: %d puzzles\n", qPrintable(QFileInfo(list).fileName()), result.imported);
      }
    });
  } catch (const TLibraryError &error) {
    std::fprintf(stderr, "makestarter: %s\n", error.what());
    return 1;
  }
  return 0;
}
