// Times the library's commands on files of 10,000 and 50,000 puzzles:
//   build/bench/bench_library
#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rounds = 7;

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Time(const std::function<void()> &work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return timer.nsecsElapsed() / 1e6;
}

// Filled in one go; the commands themselves are what is measured.
void Fill(const QString &path, int rows, const TStoredCells &cells) {
  TPuzzleLibrary::Create(path);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    db.open();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO Puzzles VALUES (?, ?") +
                   QStringLiteral(", CAST(? AS TEXT)").repeated(81) + QStringLiteral(")"));
    for (int i = 0; i < rows; ++i) {
      insert.bindValue(0, i + 1);
      insert.bindValue(1, QStringLiteral("Puzzle %1").arg(i));
      for (int k = 0; k < 81; ++k)
        insert.bindValue(2 + k, cells[k]);
      insert.exec();
    }
    insert.finish();
    db.commit();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// SQLite's integrity check alone, on a connection of its own.
double QuickCheck(const QString &path) {
  double time = 0;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery query(db);
    time = Time([&] {
      query.exec(QStringLiteral("PRAGMA quick_check"));
      query.next();
    });
    query.finish();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("check"));
  return time;
}

void Measure(int rows, const TStoredCells &cells) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("bench.ngl"));
  Fill(path, rows, cells);

  TPuzzleLibrary library;
  std::vector<double> open, check, load, save, saveNew, newPuzzle, remove, copy;
  for (int round = 0; round <= Rounds; ++round) { // round 0 warms up
    const bool counted = round > 0;
    const double opened = Time([&] { library.Open(path); });
    const double checked = QuickCheck(path);
    const double loaded = Time([&] {
      TGrid board;
      LoadStoredCells(board, library.ReadCells(rows / 2).value());
    });
    const double saved =
        Time([&] { library.Save(QStringLiteral("Puzzle %1").arg(rows - 1), cells); });
    const double appended =
        Time([&] { library.Save(QStringLiteral("Extra %1").arg(round), cells); });
    const double designed = Time([&] { library.AppendFree(QStringLiteral("New Puzzle")); });
    // The first row: every other row is renumbered.
    const double deleted = Time([&] { library.Delete(0); });
    library.Close();
    const double copied =
        Time([&] { TPuzzleLibrary::Copy(path, folder.filePath(QStringLiteral("copy.ngl"))); });
    if (!counted)
      continue;
    open.push_back(opened);
    check.push_back(checked);
    load.push_back(loaded);
    save.push_back(saved);
    saveNew.push_back(appended);
    newPuzzle.push_back(designed);
    remove.push_back(deleted);
    copy.push_back(copied);
  }
  std::printf("\n%d puzzles, file of %.1f MB, median of %d rounds, milliseconds\n", rows,
              QFileInfo(path).size() / 1e6, Rounds);
  std::printf("open (integrity check and list)   %8.2f\n", Median(open));
  std::printf("  of which PRAGMA quick_check     %8.2f\n", Median(check));
  std::printf("load one                          %8.2f\n", Median(load));
  std::printf("save one, existing title (last)   %8.2f\n", Median(save));
  std::printf("save one, new title (appended)    %8.2f\n", Median(saveNew));
  std::printf("new puzzle, numbered title        %8.2f\n", Median(newPuzzle));
  std::printf("delete the first (rest moved up)  %8.2f\n", Median(remove));
  std::printf("save database as (copy)           %8.2f\n", Median(copy));
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication application(argc, argv);
  std::printf("compiler: %s %s\nflags: %s\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  TGrid board;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      board[c][r] = {(c + r) % 2 == 0, (c + r) % 3 ? std::to_string((c * 3 + r) % 9 + 1) : "1357",
                     false};
  const TStoredCells cells = StoredCells(board);
  for (const int rows : {10'000, 50'000})
    Measure(rows, cells);
}
