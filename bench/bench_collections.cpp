// Times importing and exporting puzzle collections and the library commands
// on the imported library of every known 17-clue puzzle (49,158):
//   build-rel/bench/bench_collections [data folder]
#include "puzzleimport.h"
#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Time(const std::function<void()> &work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return timer.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Row(const char *what, const std::vector<double> &times) {
  const auto [low, high] = std::minmax_element(times.begin(), times.end());
  std::printf("%-44s %9.2f %9.2f %9.2f\n", what, Median(times), *low, *high);
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication application(argc, argv);
  const QDir data(argc > 1 ? QString::fromLocal8Bit(argv[1])
                           : QStringLiteral(NINEGROVE_BENCH_DATA));
  const QString source = data.filePath(QStringLiteral("17_clue.txt"));
  QTemporaryDir folder;
  constexpr int Rounds = 5;
  std::printf("compiler: %s %s\nflags: %s\n\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  std::printf("%-44s %9s %9s %9s\n", "milliseconds", "median", "best", "worst");

  // Each round imports into a new file; the last one stays for the rest.
  const QString path = folder.filePath(QStringLiteral("17_clue.ngl"));
  TPuzzleLibrary library;
  std::vector<double> import;
  int imported = 0;
  for (int round = 0; round < Rounds; ++round) {
    library.Close();
    QFile::remove(path);
    TPuzzleLibrary::Create(path);
    library.Open(path);
    import.push_back(Time([&] { imported = ImportPuzzles(library, source).imported;
  }));
}
std::printf("(%d puzzles imported from 17_clue.txt)\n", imported);
Row("import 17_clue.txt into a new library", import);

std::vector<double> open, load, save, newPuzzle, remove, exportTimes;
const QString exported = folder.filePath(QStringLiteral("exported.txt"));
for (int round = 0; round < Rounds; ++round) {
  library.Close();
  open.push_back(Time([&] { library.Open(path); }));
  load.push_back(Time([&] {
    TGrid board;
    LoadStoredCells(board, library.ReadCells(library.Count() / 2).value());
  }));
  const TStoredCells cells = library.ReadCells(library.Count() - 1).value();
  save.push_back(Time([&] { library.Save(library.Row(library.Count() - 1).title, cells); }));
  newPuzzle.push_back(Time([&] { library.AppendFree(QStringLiteral("New Puzzle")); }));
  library.Delete(library.Count() - 1);
  // The first row: every other row is renumbered.
  const TStoredCells first = library.ReadCells(0).value();
  const QString firstTitle = library.Row(0).title;
  remove.push_back(Time([&] { library.Delete(0); }));
  library.Save(firstTitle, first); // the count stays for the next round
  exportTimes.push_back(Time([&] { ExportPuzzles(library, exported); }));
}
std::printf("(%d puzzles in the library)\n", library.Count());
Row("open", open);
Row("load one", load);
Row("save one (existing title)", save);
Row("new puzzle (appended)", newPuzzle);
Row("delete the first (every other row renumbered)", remove);
Row("export", exportTimes);
}
