#include "board.h"
#include "history.h"
#include "puzzles.h"

#include <QtTest>

class TestBoard : public QObject {
  Q_OBJECT

private slots:
  void boardState_data();
  void boardState();
  void copiesShareNothing();
  void clearing();
  void checkErrors_data();
  void checkErrors();
  void checkErrorsNeverClears();

  void historyThreeEntries();
  void historyBeforeFirstSnapshot();
  void historyOneEntry();
  void historyFullDropsOldest();
  void historyNewEntryCutsRedo();
  void historyRestoresFlags();
};

namespace {

TGrid FilledWith(const std::string &text) {
  TGrid board;
  for (auto &column : board)
    for (TSquare &cell : column)
      cell.Text = text;
  return board;
}

const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

} // namespace

void TestBoard::boardState_data() {
  QTest::addColumn<QString>("change"); // "c,r=text" applied to a solved grid
  QTest::addColumn<int>("state");
  QTest::newRow("solved grid") << "" << int(bsComplete);
  QTest::newRow("one candidate list") << "4,4=12" << int(bsOpen);
  QTest::newRow("one empty cell") << "8,8=" << int(bsEmptyCell);
  QTest::newRow("empty wins over a later list") << "0,0=;8,8=12" << int(bsEmptyCell);
  QTest::newRow("empty wins over an earlier list") << "0,0=12;8,8=" << int(bsEmptyCell);
  QTest::newRow("repeated digit is still complete") << "1,0=5" << int(bsComplete);
}

void TestBoard::boardState() {
  QFETCH(QString, change);
  QFETCH(int, state);
  TGrid board = BoardFromLine(Solved);
  for (const QString &part : change.split(';', Qt::SkipEmptyParts)) {
    const QStringList sides = part.split('=');
    const QStringList at = sides[0].split(',');
    board[at[0].toInt()][at[1].toInt()].Text = sides[1].toStdString();
  }
  QCOMPARE(int(BoardState(board)), state);
}

void TestBoard::copiesShareNothing() {
  QCOMPARE(int(BoardState(TGrid())), int(bsEmptyCell));
  QCOMPARE(int(BoardState(FilledWith("123456789"))), int(bsOpen));

  TGrid board = BoardFromLine(Solved);
  board[2][3].Fixed = true;
  const TGrid copy = board;
  board[2][3].Text = "47";
  board[2][3].Fixed = false;
  board[2][3].Error = true;
  QCOMPARE(copy[2][3].Text, std::string("9"));
  QVERIFY(copy[2][3].Fixed);
  QVERIFY(!copy[2][3].Error);
}

void TestBoard::clearing() {
  TGrid board = BoardFromLine(Solved);
  board[0][0].Fixed = true;
  board[1][0].Error = true;
  board[0][0].Error = true;
  board[2][0].Text = "12";

  TGrid errorsCleared = board;
  ClearErrors(errorsCleared);
  QCOMPARE(LineFromBoard(errorsCleared), LineFromBoard(board));
  QCOMPARE(errorsCleared[2][0].Text, std::string("12"));
  QVERIFY(errorsCleared[0][0].Fixed);
  QVERIFY(!errorsCleared[0][0].Error && !errorsCleared[1][0].Error);

  TGrid open = board;
  ClearOpenCells(open);
  QCOMPARE(open[0][0].Text, std::string("5"));
  QVERIFY(open[0][0].Fixed && !open[0][0].Error);
  QVERIFY(open[1][0].Text.empty() && open[2][0].Text.empty() && !open[1][0].Error);

  ClearBoard(board);
  QVERIFY(board == TGrid());
}

void TestBoard::checkErrors_data() {
  // Cells: "c,r,text[,F]" where F marks a given. Expected: the marked cells.
  QTest::addColumn<QStringList>("cells");
  QTest::addColumn<bool>("conflict");
  QTest::addColumn<QStringList>("marked");
  QTest::newRow("two open 5 in a row")
      << QStringList{"1,4,5", "7,4,5"} << true << QStringList{"1,4", "7,4"};
  QTest::newRow("open 5 in the box of a given 5")
      << QStringList{"3,3,5,F", "5,5,5"} << true << QStringList{"5,5"};
  QTest::newRow("two given 7 in a column")
      << QStringList{"2,0,7,F", "2,8,7,F"} << true << QStringList{};
  QTest::newRow("candidates beside a digit")
      << QStringList{"0,0,58", "1,0,5"} << false << QStringList{};
  QTest::newRow("two 55 lists in a row")
      << QStringList{"0,0,55", "8,0,55"} << false << QStringList{};
  QTest::newRow("same digit in different units")
      << QStringList{"0,0,3", "4,4,3"} << false << QStringList{};
  QTest::newRow("three in a column, one given")
      << QStringList{"6,0,9", "6,4,9", "6,8,9,F"} << true << QStringList{"6,0", "6,4"};
}

void TestBoard::checkErrors() {
  QFETCH(QStringList, cells);
  QFETCH(bool, conflict);
  QFETCH(QStringList, marked);
  TGrid board;
  for (const QString &cell : cells) {
    const QStringList f = cell.split(',');
    TSquare &square = board[f[0].toInt()][f[1].toInt()];
    square.Text = f[2].toStdString();
    square.Fixed = f.size() > 3;
  }
  TGrid unmarked = board;
  QCOMPARE(CheckErrors(unmarked, false), conflict);
  QVERIFY(unmarked == board);

  QCOMPARE(CheckErrors(board, true), conflict);
  QStringList found;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (board[c][r].Error)
        found << QString("%1,%2").arg(c).arg(r);
  QCOMPARE(found, marked);
}

void TestBoard::checkErrorsNeverClears() {
  TGrid board = BoardFromLine(Solved);
  board[4][4].Error = true;
  QVERIFY(!CheckErrors(board, true));
  QVERIFY(board[4][4].Error);
}

namespace {

TGrid WithDigit(TGrid board, int c, int r, const char *digit) {
  board[c][r].Text = digit;
  return board;
}

} // namespace

void TestBoard::historyThreeEntries() {
  THistory history;
  const TGrid empty;
  const TGrid a = WithDigit(empty, 0, 0, "1");
  const TGrid ab = WithDigit(a, 1, 1, "2");
  const TGrid abc = WithDigit(ab, 2, 2, "3");
  history.PushHistory(empty);
  history.PushHistory(a);
  history.PushHistory(ab);
  QCOMPARE(history.HistoryPos(), 3);

  TGrid board = abc;
  const TGrid expected[] = {a, empty, empty, a, ab, ab};
  for (int step = 0; step < 6; ++step) {
    QVERIFY(step < 3 ? history.Undo(board) : history.Redo(board));
    QVERIFY2(board == expected[step], qPrintable(QString("step %1").arg(step)));
  }
  QCOMPARE(history.HistoryPos(), 3);
  QCOMPARE(history.HistoryTop(), 3);
}

void TestBoard::historyBeforeFirstSnapshot() {
  THistory history;
  TGrid board = WithDigit(TGrid(), 4, 4, "9");
  const TGrid before = board;
  QVERIFY(!history.Undo(board));
  QVERIFY(!history.Redo(board));
  QVERIFY(board == before);
  QCOMPARE(history.HistoryPos(), 0);
  QCOMPARE(history.HistoryTop(), 0);
}

void TestBoard::historyOneEntry() {
  THistory history;
  const TGrid before = WithDigit(TGrid(), 0, 0, "4");
  history.PushHistory(before);
  TGrid board = WithDigit(before, 0, 1, "5");
  history.Undo(board);
  QVERIFY(board == before);
  board = TGrid();
  history.Redo(board);
  QVERIFY(board == before);
  QCOMPARE(history.HistoryPos(), 1);
}

void TestBoard::historyFullDropsOldest() {
  THistory history;
  TGrid board;
  for (int entry = 1; entry <= 101; ++entry) {
    board[0][0].Text = std::to_string(entry);
    history.PushHistory(board);
  }
  QCOMPARE(history.HistoryPos(), 100);
  QCOMPARE(history.HistoryTop(), 100);
  QCOMPARE(history.Slot(1)[0][0].Text, std::string("2"));
  QCOMPARE(history.Slot(100)[0][0].Text, std::string("101"));
  for (int i = 0; i < 150; ++i)
    history.Undo(board);
  QCOMPARE(history.HistoryPos(), 1);
  QCOMPARE(board[0][0].Text, std::string("2"));
  for (int i = 0; i < 150; ++i)
    history.Redo(board);
  QCOMPARE(board[0][0].Text, std::string("101"));
}

void TestBoard::historyNewEntryCutsRedo() {
  THistory history;
  TGrid board;
  for (int entry = 1; entry <= 5; ++entry) {
    board[0][0].Text = std::to_string(entry);
    history.PushHistory(board);
  }
  history.Undo(board);
  history.Undo(board);
  QCOMPARE(history.HistoryPos(), 3);
  board[0][0].Text = "9";
  history.PushHistory(board);
  QCOMPARE(history.HistoryPos(), 4);
  QCOMPARE(history.HistoryTop(), 4);
  history.Redo(board);
  QCOMPARE(board[0][0].Text, std::string("9"));
}

void TestBoard::historyRestoresFlags() {
  THistory history;
  TGrid board;
  board[3][3].Text = "6";
  board[3][3].Fixed = true;
  board[5][5].Text = "6";
  board[5][5].Error = true;
  history.PushHistory(board);
  ClearErrors(board);
  board[3][3] = TSquare{};
  history.PushHistory(board);
  history.Undo(board);
  QVERIFY(board[3][3].Fixed);
  QCOMPARE(board[3][3].Text, std::string("6"));
  QVERIFY(board[5][5].Error);
}

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
