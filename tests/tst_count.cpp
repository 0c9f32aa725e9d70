#include "count.h"
#include "puzzles.h"

#include <QtTest>

#include <fstream>

class TestCount : public QObject {
  Q_OBJECT

private slots:
  void knownCounts_data();
  void knownCounts();
  void boards_data();
  void boards();
  void cellTexts_data();
  void cellTexts();
};

namespace {

constexpr const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

TGrid Board(const std::string &line) {
  return BoardFromLine(line);
}

// The 6s and 7s of rows 0 and 3 in columns 3 and 4 (two boxes) taken out:
// they go back in two ways.
std::string TwoWays() {
  std::string line(Solved);
  for (const int cell : {3, 4, 30, 31})
    line.at(cell) = '.';
  return line;
}

QString With(QString line, int cell, char c) {
  line[cell] = QLatin1Char(c);
  return line;
}

} // namespace

void TestCount::knownCounts_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<int>("count");
  std::ifstream in(NINEGROVE_TEST_DATA "/solution_counts.tsv");
  int row = 0;
  for (std::string text; std::getline(in, text);) {
    const auto tab = text.find('\t');
    QVERIFY(tab == 81);
    QTest::addRow("%d", ++row) << QString::fromStdString(text.substr(0, 81))
                               << std::stoi(text.substr(tab + 1));
  }
  QCOMPARE(row, 43);
}

void TestCount::knownCounts() {
  QFETCH(QString, line);
  QFETCH(int, count);
  const TGrid board = Board(line.toStdString());
  const TGrid before = board;
  QCOMPARE(CountSolutions(board, 1000), count);
  QCOMPARE(CountSolutions(board), std::min(count, 2));
  QCOMPARE(CountSolutions(board, 1), std::min(count, 1));
  QVERIFY(board == before);
}

void TestCount::boards_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<int>("limit");
  QTest::addColumn<int>("count");
  const QString empty(81, QLatin1Char('.'));
  const std::string rectangle = TwoWays();
  QTest::newRow("solved grid") << QString::fromLatin1(Solved) << 2 << 1;
  QTest::newRow("empty board, limit 2") << empty << 2 << 2;
  QTest::newRow("empty board, limit 7") << empty << 7 << 7;
  QTest::newRow("limit 0 counts as 1") << empty << 0 << 1;
  QTest::newRow("two solutions") << QString::fromStdString(rectangle) << 10 << 2;
  QTest::newRow("one wrong digit") << With(QString::fromLatin1(Solved), 40, '1') << 2 << 0;
  QTest::newRow("clash in a row") << With(With(empty, 0, '5'), 8, '5') << 2 << 0;
  QTest::newRow("clash in a column") << With(With(empty, 4, '7'), 76, '7') << 2 << 0;
  QTest::newRow("clash in a box") << With(With(empty, 30, '2'), 50, '2') << 2 << 0;
}

void TestCount::boards() {
  QFETCH(QString, line);
  QFETCH(int, limit);
  QFETCH(int, count);
  QCOMPARE(CountSolutions(Board(line.toStdString()), limit), count);
}

// Only texts of one character decide a cell: candidates leave it open, a
// character other than 1-9 leaves no solution. The given flag plays no part.
void TestCount::cellTexts_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<int>("cell");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("count");
  const QString solved = QString::fromLatin1(Solved);
  const QString twoWays = QString::fromStdString(TwoWays());
  QTest::newRow("candidates over a digit") << solved << 40 << "123456789" << 1;
  QTest::newRow("one digit decides") << twoWays << 3 << "6" << 1;
  QTest::newRow("candidates decide nothing") << twoWays << 3 << "67" << 2;
  QTest::newRow("other candidates too") << twoWays << 3 << "12" << 2;
  QTest::newRow("zero") << twoWays << 3 << "0" << 0;
  QTest::newRow("letter") << solved << 80 << "x" << 0;
}

void TestCount::cellTexts() {
  QFETCH(QString, line);
  QFETCH(int, cell);
  QFETCH(QString, text);
  QFETCH(int, count);
  TGrid board = Board(line.toStdString());
  board[cell % 9][cell / 9].Text = text.toStdString();
  QCOMPARE(CountSolutions(board, 10), count);
  for (auto &column : board)
    for (TSquare &square : column)
      square.Fixed = !square.Fixed;
  QCOMPARE(CountSolutions(board, 10), count);
}

QTEST_GUILESS_MAIN(TestCount)
#include "tst_count.moc"
