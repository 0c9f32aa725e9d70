#include "puzzles.h"
#include "solver.h"
#include "techniques.h"

#include <QtTest>

#include <fstream>
#include <sstream>

// The logic engine against the puzzle world's rating scale: ratings the
// reference rater gave, every step proved against the solution, and boards
// logic must refuse.
class TestLogic : public QObject {
  Q_OBJECT

private slots:
  void referenceRatings_data();
  void referenceRatings();
  void ratedCollection();
  void solutionCounts_data();
  void solutionCounts();
  void lengthBonus_data();
  void lengthBonus();
  void boardReading();
};

namespace {

std::string DataPath(const char *name) {
  return std::string(NINEGROVE_TEST_DATA) + "/" + name;
}

// Tenths from "7.1".
int Tenths(const std::string &text) {
  return int(std::stod(text) * 10 + 0.5);
}

// Every step of the path is true of the solution, and the path ends solved.
QString CheckPath(const TCandidateGrid &puzzle, const TRating &rating) {
  const TSolutionCount solutions = CountSolutions(puzzle);
  TCandidateGrid grid = puzzle;
  for (const TStep &step : rating.path) {
    for (const TCandidate &e : step.eliminations)
      if (solutions.solution[e.cell] == e.digit)
        return QString::fromStdString("takes the solution's digit: " + StepText(step));
    for (const TCandidate &p : step.placements)
      if (solutions.solution[p.cell] != p.digit)
        return QString::fromStdString("places a wrong digit: " + StepText(step));
    ApplyStep(grid, step);
  }
  if (!grid.Solved())
    return "the path stops short";
  for (int cell = 0; cell < CellCount; ++cell)
    if (grid.Value(cell) != solutions.solution[cell])
      return QString("cell %1 ends wrong").arg(cell);
  return {};
}

} // namespace

// Puzzles of every rating the collection holds, with ER, EP and ED as the
// reference rater gave them.
void TestLogic::referenceRatings_data() {
  QTest::addColumn<QString>("puzzle");
  QTest::addColumn<int>("er");
  QTest::addColumn<int>("ep");
  QTest::addColumn<int>("ed");
  std::ifstream in(DataPath("cb000_se_triples.txt"));
  std::string puzzle, rated;
  int n = 0;
  while (in >> puzzle >> rated) {
    // "ED=7.1/1.2/1.2"
    std::istringstream parts(rated.substr(3));
    std::string er, ep, ed;
    std::getline(parts, er, '/');
    std::getline(parts, ep, '/');
    std::getline(parts, ed);
    QTest::addRow("%d: ER %s", ++n, er.c_str())
        << QString::fromStdString(puzzle) << Tenths(er) << Tenths(ep) << Tenths(ed);
  }
  QVERIFY(n >= 100);
}

void TestLogic::referenceRatings() {
  QFETCH(QString, puzzle);
  QFETCH(int, er);
  QFETCH(int, ep);
  QFETCH(int, ed);
  const TCandidateGrid grid = TCandidateGrid::FromText(puzzle.toLatin1().constData());
  TRatingOptions options;
  options.keepPath = true;
  const TRating rating = RatePuzzle(grid, options);
  QCOMPARE(rating.result, TRatingResult::Solved);
  QCOMPARE(CheckPath(grid, rating), QString());
  const auto text = [](int er, int ep, int ed) {
    return QString::fromStdString(RatingText(er) + "/" + RatingText(ep) + "/" + RatingText(ed));
  };
  QCOMPARE(text(rating.er, rating.ep, rating.ed), text(er, ep, ed));
}

// A sample across the whole rated collection: agreement as the puzzle world
// would measure it, and no step that is not proved.
void TestLogic::ratedCollection() {
  std::ifstream in(DataPath("cb000_ser.tsv"));
  std::string line;
  int n = 0, sampled = 0, equal = 0, near = 0;
  QStringList differences;
  while (std::getline(in, line))
    if (n++ % 40 == 0) {
      const std::string puzzle = line.substr(0, 81);
      const int se = Tenths(line.substr(82));
      const TCandidateGrid grid = TCandidateGrid::FromText(puzzle.c_str());
      TRatingOptions options;
      options.keepPath = true;
      const TRating rating = RatePuzzle(grid, options);
      QCOMPARE(rating.result, TRatingResult::Solved);
      const QString fault = CheckPath(grid, rating);
      QVERIFY2(fault.isEmpty(), qPrintable(QString::fromStdString(puzzle) + ": " + fault));
      ++sampled;
      equal += rating.er == se;
      near += std::abs(rating.er - se) <= 2;
      if (rating.er != se)
        differences << QString("%1 %2 ours %3")
                           .arg(QString::fromStdString(puzzle),
                                QString::fromStdString(RatingText(se)),
                                QString::fromStdString(RatingText(rating.er)));
    }
  if (!differences.isEmpty())
    qInfo("%lld of %d differ:\n%s", qlonglong(differences.size()), sampled,
          qPrintable(differences.join('\n')));
  QVERIFY(sampled > 500);
  QVERIFY2(equal * 100 >= sampled * 95,
           qPrintable(QString("%1 of %2 equal").arg(equal).arg(sampled)));
  QVERIFY2(near * 100 >= sampled * 98, qPrintable(QString("%1 of %2 near").arg(near).arg(sampled)));
}

void TestLogic::solutionCounts_data() {
  QTest::addColumn<QString>("board");
  QTest::addColumn<int>("count");
  std::ifstream in(DataPath("solution_counts.tsv"));
  std::string board;
  int count = 0, n = 0;
  while (in >> board >> count)
    QTest::addRow("%d: %d solutions", ++n, count) << QString::fromStdString(board) << count;
}

// Logic never rates a board that has no solution or several: it says which.
void TestLogic::solutionCounts() {
  QFETCH(QString, board);
  QFETCH(int, count);
  const TCandidateGrid grid = TCandidateGrid::FromText(board.toLatin1().constData());
  QCOMPARE(CountSolutions(grid).count, std::min(count, 2));
  if (count == 1)
    return; // these are among the hardest known; the benchmark rates them
  const TRating rating = RatePuzzle(grid);
  QCOMPARE(rating.result, count == 0 ? TRatingResult::NoSolution : TRatingResult::SeveralSolutions);
  QCOMPARE(rating.er, 200);
  QCOMPARE(rating.ep, 200);
  QCOMPARE(rating.ed, 200);
}

void TestLogic::lengthBonus_data() {
  QTest::addColumn<int>("complexity");
  QTest::addColumn<int>("bonus");
  // The ceilings 4, 6, 8, 12, 16, 24, 32, 48, 64 on complexity minus 2.
  const int rows[][2] = {{2, 0},  {6, 0},  {7, 1},  {8, 1},  {9, 2},  {10, 2}, {11, 3},
                         {14, 3}, {15, 4}, {18, 4}, {19, 5}, {26, 5}, {27, 6}, {34, 6},
                         {35, 7}, {50, 7}, {51, 8}, {66, 8}, {67, 9}, {98, 9}, {99, 10}};
  for (const auto &row : rows)
    QTest::addRow("%d", row[0]) << row[0] << row[1];
}

void TestLogic::lengthBonus() {
  QFETCH(int, complexity);
  QFETCH(int, bonus);
  QCOMPARE(ChainLengthBonus(complexity), bonus);
}

// Only decided digits are rules: notes, marks and stray characters are not.
void TestLogic::boardReading() {
  const std::string puzzle =
      "..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9";
  TGrid board = BoardFromLine(puzzle);
  board[0][0].Text = "123";
  board[1][0].Text = "x";
  board[2][0].Text = "12";
  const TCandidateGrid fromBoard = TCandidateGrid::FromBoard(board);
  QVERIFY(fromBoard == TCandidateGrid::FromText(puzzle.c_str()));

  // Two equal digits in a row: no solution, however full the board.
  TGrid clash = BoardFromLine(std::string(81, '.'));
  clash[0][0].Text = "5";
  clash[8][0].Text = "5";
  QCOMPARE(RatePuzzle(TCandidateGrid::FromBoard(clash)).result, TRatingResult::NoSolution);
  QVERIFY(!NextStep(TCandidateGrid::FromText(
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179")));
}

QTEST_GUILESS_MAIN(TestLogic)
#include "tst_logic.moc"
