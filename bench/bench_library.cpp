// Times the library's commands on a file of 10,000 puzzles:
//   build/bench/bench_library
#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

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

} // namespace

int main(int argc, char **argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder;
  const QString path = folder.filePath("bench.ngl");
  constexpr int Rows = 10'000;

  TPuzzleLibrary::Create(path);
  TPuzzleLibrary library;
  TGrid board;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      board[c][r] = {(c + r) % 2 == 0, (c + r) % 3 ? std::to_string((c * 3 + r) % 9 + 1) : "1357",
                     false};
  const TStoredCells cells = StoredCells(board);
  {
    // Filled in one go; the commands themselves are what is measured.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    db.open();
    db.transaction();
    QString statement = QStringLiteral("INSERT INTO Puzzles VALUES (?, ?") +
                        QStringLiteral(", ?").repeated(81) + QStringLiteral(")");
    QSqlQuery insert(db);
    insert.prepare(statement);
    for (int i = 0; i < Rows; ++i) {
      insert.bindValue(0, i + 1);
      insert.bindValue(1, QStringLiteral("Puzzle %1").arg(i));
      for (int k = 0; k < 81; ++k)
        insert.bindValue(2 + k, cells[k]);
      insert.exec();
    }
    db.commit();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fill"));

  std::vector<double> open, load, save, saveNew, remove;
  for (int round = 0; round < 7; ++round) {
    open.push_back(Time([&] { library.Open(path); }));
    load.push_back(Time([&] {
      TGrid loaded;
      LoadStoredCells(loaded, library.ReadCells(Rows / 2).value());
    }));
    save.push_back(Time([&] { library.Save(QStringLiteral("Puzzle %1").arg(Rows - 1), cells); }));
    saveNew.push_back(Time([&] { library.Save(QStringLiteral("Extra %1").arg(round), cells); }));
    // The first row: every other row is renumbered.
    remove.push_back(Time([&] { library.Delete(0); }));
    library.Close();
  }
  std::printf("median of 7 rounds, milliseconds\n");
  std::printf("open                              %8.2f\n", Median(open));
  std::printf("load one                          %8.2f\n", Median(load));
  std::printf("save one, existing title (last)   %8.2f\n", Median(save));
  std::printf("save one, new title (appended)    %8.2f\n", Median(saveNew));
  std::printf("delete the first (renumber all)   %8.2f\n", Median(remove));
}
