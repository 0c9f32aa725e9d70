// The rules of play against the game alone, with no widget in sight.
#include "engine.h"
#include "fakeclock.h"
#include "game.h"
#include "puzzles.h"

#include <QtTest>

namespace {

const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

int Givens(const TGrid &board) {
  int givens = 0;
  for (const auto &column : board)
    for (const TSquare &cell : column)
      givens += cell.Fixed;
  return givens;
}

} // namespace

class TestGame : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void entry_data();
  void entry();
  void completionStopsTheClock();
  void undoRedoChain();
  void historyDropsTheOldest();
  void modesAndTheClock();
  void resetKeepsGivens();
  void newAndDesignPuzzle();
  void generate_data();
  void generate();
  void solveFillAndErrors();
  void loadKeepsMarksModeAndClock();
  void openPuzzleUndoes();
  void elapsedText_data();
  void elapsedText();
  void ticksLandAfterWholeSeconds();

private:
  std::unique_ptr<TFakeClock> m_clock;
  std::unique_ptr<TSeededRandom> m_random;
  std::unique_ptr<TGame> m_game;
};

void TestGame::init() {
  m_clock = std::make_unique<TFakeClock>(1'765'195'200'000, 0);
  m_random = std::make_unique<TSeededRandom>(7u);
  m_game = std::make_unique<TGame>(*m_clock, *m_random);
}

void TestGame::cleanup() {
  m_game.reset();
  m_random.reset();
  m_clock.reset();
}

void TestGame::entry_data() {
  QTest::addColumn<bool>("editMode");
  QTest::addColumn<bool>("givenBefore");
  QTest::addColumn<QString>("textBefore");
  QTest::addColumn<QString>("entry");
  QTest::addColumn<bool>("refused");
  QTest::addColumn<bool>("givenAfter");
  QTest::addColumn<QString>("textAfter");
  QTest::newRow("edit: one digit makes a given") << true << false << ""
                                                 << "5" << false << true << "5";
  QTest::newRow("edit: a second digit opens it") << true << true << "5"
                                                 << "57" << false << false << "57";
  QTest::newRow("edit: clear removes a given") << true << true << "8"
                                               << "" << false << false << "";
  QTest::newRow("lock: an open cell takes notes") << false << false << ""
                                                  << "4433" << false << false << "4433";
  QTest::newRow("lock: clear on an open cell") << false << false << "62"
                                               << "" << false << false << "";
  QTest::newRow("lock: a given refuses a digit") << false << true << "3"
                                                 << "35" << true << true << "3";
  QTest::newRow("lock: a given refuses clear") << false << true << "8"
                                               << "" << true << true << "8";
  QTest::newRow("lock: even its own text") << false << true << "8"
                                           << "8" << true << true << "8";
}

void TestGame::entry() {
  QFETCH(bool, editMode);
  QFETCH(bool, givenBefore);
  QFETCH(QString, textBefore);
  QFETCH(QString, entry);
  QFETCH(bool, refused);
  QFETCH(bool, givenAfter);
  QFETCH(QString, textAfter);
  if (editMode)
    m_game->EditLock();
  TGrid &board = m_game->Board();
  board[2][6] = {givenBefore, textBefore.toStdString(), false};
  board[0][0] = {false, "1", true}; // a mark from Show Errors
  const TGrid before = board;
  const TEntryResult result = m_game->ApplyEntry(2, 6, entry.toStdString());
  QCOMPARE(result == TEntryResult::Refused, refused);
  QCOMPARE(board[2][6].Fixed, givenAfter);
  QCOMPARE(QString::fromStdString(board[2][6].Text), textAfter);
  // Every entry, refused or not, is one snapshot of the board from before it,
  // marks included, and clears the marks.
  QCOMPARE(m_game->History().HistoryPos(), 1);
  QVERIFY(m_game->History().Slot(1) == before);
  QVERIFY(!board[0][0].Error);
}

void TestGame::completionStopsTheClock() {
  auto start = [&] {
    m_game->Board() = Given(Solved);
    m_game->Board()[8][8] = TSquare{};
    m_game->ResetTimer();
    QVERIFY(m_game->TimerRunning());
  };
  start();
  m_game->ApplyEntry(8, 8, "8"); // clashes with the 8 in its row
  QVERIFY(m_game->TimerRunning());
  m_clock->Set(m_clock->Now() + 65'000);
  m_game->Tick();
  m_game->ApplyEntry(8, 8, "9");
  QVERIFY(!m_game->TimerRunning());
  m_clock->Set(m_clock->Now() + 65'000);
  m_game->Tick();
  QCOMPARE(m_game->ElapsedText(), std::string("00:01:05")); // the last time shown stays

  // A full board with clashing givens never stops the clock.
  start();
  m_game->Board()[0][0].Text = "3";
  m_game->Board()[1][0].Text = "3";
  m_game->ApplyEntry(8, 8, "9");
  QVERIFY(m_game->TimerRunning());
}

void TestGame::undoRedoChain() {
  // One digit each into A, B and C: slots hold the boards from before each.
  m_game->ApplyEntry(0, 0, "1");
  m_game->ApplyEntry(1, 0, "2");
  m_game->ApplyEntry(2, 0, "3");
  auto line = [&] { return LineFromBoard(m_game->Board()).substr(0, 3); };
  const struct {
    bool undo;
    const char *shown;
  } steps[] = {{true, "1.."},  {true, "..."},  {true, "..."},
               {false, "1.."}, {false, "12."}, {false, "12."}};
  for (const auto &step : steps) {
    QVERIFY(step.undo ? m_game->Undo() : m_game->Redo());
    QCOMPARE(line(), std::string(step.shown));
  }
  // After two Undos a new entry cuts off what Redo could reach.
  m_game->Undo();
  m_game->Undo();
  m_game->ApplyEntry(5, 5, "7");
  QCOMPARE(m_game->History().HistoryTop(), m_game->History().HistoryPos());
  // Undo restores the given flag with the text.
  m_game->EditLock();
  m_game->ApplyEntry(4, 4, "6");
  m_game->ApplyEntry(4, 4, "");
  m_game->ApplyEntry(5, 5, "1");
  m_game->Undo(); // to the board from before the entry that emptied it
  QVERIFY(m_game->Board()[4][4].Fixed);
  QCOMPARE(m_game->Mode(), TMode::Edit);
}

void TestGame::historyDropsTheOldest() {
  std::string entry;
  for (int step = 1; step <= 101; ++step)
    m_game->AppendDigit(0, 0, entry, step % 9 + 1);
  QCOMPARE(entry.size(), std::size_t(101)); // the buttons are not held to nine
  QCOMPARE(m_game->History().HistoryPos(), 100);
  for (int i = 0; i < 120; ++i)
    m_game->Undo();
  // The oldest snapshot left is the board before the second entry.
  QCOMPARE(m_game->Board()[0][0].Text, std::string("2"));
}

void TestGame::modesAndTheClock() {
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QVERIFY(!m_game->TimerRunning());
  m_game->ResetTimer();
  m_clock->Set(m_clock->Now() + 9'000);
  m_game->Tick();
  QCOMPARE(m_game->ElapsedText(), std::string("00:00:09"));
  for (TMode expected : {TMode::Edit, TMode::Lock}) {
    m_game->EditLock();
    QCOMPARE(m_game->Mode(), expected);
    QVERIFY(!m_game->TimerRunning());
    QCOMPARE(m_game->ElapsedText(), std::string("00:00:00"));
  }
  // Clear Grid keeps the mode and a running clock; the history stays.
  m_game->ResetTimer();
  m_game->ApplyEntry(3, 3, "4");
  m_game->Board()[0][0] = {true, "3", true};
  m_game->ClearGrid();
  QVERIFY(m_game->Board() == TGrid());
  QVERIFY(m_game->TimerRunning());
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QCOMPARE(m_game->History().HistoryPos(), 1);
}

void TestGame::resetKeepsGivens() {
  m_game->EditLock();
  m_game->ApplyEntry(1, 0, "7"); // a single digit typed in Edit Mode is a given
  TGrid &board = m_game->Board();
  board[0][0] = {true, "5", true};
  board[2][0] = {false, "123", true};
  m_clock->Set(m_clock->Now() + 3'000);
  m_game->ResetTimer();
  QVERIFY(board[0][0] == (TSquare{true, "5", false}));
  QVERIFY(board[1][0] == (TSquare{true, "7", false}));
  QVERIFY(board[2][0] == TSquare{});
  QCOMPARE(m_game->Mode(), TMode::Edit);
  QVERIFY(m_game->TimerRunning());
  // The count starts from the reset.
  m_clock->Set(m_clock->Now() + 2'500);
  m_game->Tick();
  QCOMPARE(m_game->ElapsedText(), std::string("00:00:02"));
}

void TestGame::newAndDesignPuzzle() {
  m_game->ResetTimer();
  m_game->ApplyEntry(0, 0, "3");
  m_game->NewPuzzle("New Puzzle (2)");
  QVERIFY(m_game->Board() == TGrid());
  QCOMPARE(m_game->Title(), std::string("New Puzzle (2)"));
  QCOMPARE(m_game->Mode(), TMode::Edit);
  QVERIFY(!m_game->TimerRunning());
  QCOMPARE(m_game->History().HistoryPos(), 1);

  m_game->EditLock();
  m_game->ResetTimer();
  m_game->DesignPuzzle("New Puzzle");
  QCOMPARE(m_game->Mode(), TMode::Edit);
  QCOMPARE(Givens(m_game->Board()), 81);
  QVERIFY(IsValidSolution(m_game->Board()));
  QVERIFY(!m_game->TimerRunning());
  // Emptying one cell in Edit Mode makes it open; the board is not complete.
  m_game->ApplyEntry(3, 3, "");
  QCOMPARE(Givens(m_game->Board()), 80);
  QCOMPARE(int(BoardState(m_game->Board())), int(bsEmptyCell));
}

void TestGame::generate_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("givens");
  QTest::newRow("level 1") << 1 << 71;
  QTest::newRow("level 7") << 7 << 65;
  QTest::newRow("level 50") << 50 << 22;
  QTest::newRow("level 0 empties nothing") << 0 << 81;
}

void TestGame::generate() {
  QFETCH(int, level);
  QFETCH(int, givens);
  m_game->EditLock();
  m_game->ApplyEntry(0, 0, "9");
  m_game->Generate(level);
  QCOMPARE(m_game->Title(), "Puzzle Level " + std::to_string(level));
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QVERIFY(m_game->TimerRunning());
  QCOMPARE(Givens(m_game->Board()), givens);
  QCOMPARE(m_game->History().HistoryPos(), 1);
  // The givens belong to a complete grid; every other cell is empty.
  TGrid solved = m_game->Board();
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      QCOMPARE(solved[c][r].Fixed, !solved[c][r].Text.empty());
  Propagate(solved);
  TSeededRandom random(1);
  QCOMPARE(int(SearchSolution(solved, random)), int(TSearchResult::Solved));
  QVERIFY(IsValidSolution(solved));
}

void TestGame::solveFillAndErrors() {
  const auto line = ReadPuzzleFile(NINEGROVE_TEST_DATA "/easy50.txt").front();
  m_game->Board() = Given(line);
  m_game->Board()[0][0].Error = true;
  m_game->EditLock();
  QCOMPARE(int(m_game->Solve()), int(TSolveResult::Solved));
  QVERIFY(IsValidSolution(m_game->Board()) && KeepsGivens(m_game->Board(), line));
  QCOMPARE(Givens(m_game->Board()), Givens(Given(line))); // solved cells are not givens
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QVERIFY(!m_game->Board()[0][0].Error);
  QCOMPARE(m_game->History().HistoryPos(), 0);

  // A cell with no digit left: the search runs out of guesses.
  TGrid dead;
  for (int c = 1; c < 9; ++c)
    dead[c][0] = {true, std::to_string(c), false};
  dead[0][6] = {true, "9", false};
  m_game->Board() = dead;
  QCOMPARE(int(m_game->Solve()), int(TSolveResult::Unsolvable));
  for (int c = 1; c < 9; ++c)
    QCOMPARE(m_game->Board()[c][0].Text, std::to_string(c));

  // Digits that clash are unsolvable, also where propagation alone fills the
  // board or it is full already; the board stays as it was.
  for (int open : {1, 0}) {
    TGrid clash = Given(Solved);
    std::swap(clash[0][0], clash[1][0]); // two columns now hold a digit twice
    for (int c = 0; c < open; ++c)
      clash[8][8] = TSquare{};
    m_game->Board() = clash;
    QCOMPARE(int(m_game->Solve()), int(TSolveResult::Unsolvable));
    QCOMPARE(LineFromBoard(m_game->Board()).substr(0, 80), LineFromBoard(clash).substr(0, 80));
  }

  // Fill 1-9: one pass, notes replaced, digits kept, marks cleared.
  m_game->EditLock();
  m_game->ClearGrid();
  m_game->Board()[3][3].Text = "91";
  m_game->Board()[8][0] = {true, "4", true};
  m_game->Fill19();
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QCOMPARE(m_game->Board()[0][0].Text, std::string("12356789"));
  QCOMPARE(m_game->Board()[3][3].Text, std::string("123456789"));
  QVERIFY(m_game->Board()[8][0] == (TSquare{true, "4", false}));

  // Show Errors marks open cells in a clash, never a given, never notes.
  m_game->ClearGrid();
  TGrid &board = m_game->Board();
  board[0][0] = {true, "5", false};
  board[1][1] = {false, "5", false};
  board[4][0] = {false, "5", false};
  board[8][8] = {false, "58", false};
  m_game->ShowErrors();
  QVERIFY(!board[0][0].Error && board[1][1].Error && board[4][0].Error && !board[8][8].Error);
}

void TestGame::loadKeepsMarksModeAndClock() {
  m_game->EditLock();
  m_game->ResetTimer();
  m_game->ApplyEntry(0, 0, "1");
  m_game->Board()[4][4].Error = true;
  TGrid stored = Given(Solved);
  stored[4][4] = {false, "12", false};
  m_game->LoadPuzzle(stored, "Puzzle 5");
  QCOMPARE(m_game->Title(), std::string("Puzzle 5"));
  QCOMPARE(m_game->Board()[4][4].Text, std::string("12"));
  QVERIFY(m_game->Board()[4][4].Error);
  QVERIFY(m_game->Board()[0][0].Fixed);
  QCOMPARE(m_game->Mode(), TMode::Edit);
  QVERIFY(m_game->TimerRunning());
  QCOMPARE(m_game->History().HistoryPos(), 1);
}

void TestGame::openPuzzleUndoes() {
  m_game->EditLock();
  m_game->ApplyEntry(0, 0, "1");
  m_game->ApplyEntry(1, 0, "2");
  const TGrid played = m_game->Board();
  const TGrid puzzle = Given(Solved);
  m_game->OpenPuzzle(puzzle, "Pasted Puzzle");
  QVERIFY(m_game->Board() == puzzle);
  QCOMPARE(m_game->Mode(), TMode::Lock);
  QCOMPARE(m_game->Title(), std::string("Pasted Puzzle"));
  QVERIFY(!m_game->TimerRunning());
  QVERIFY(m_game->Undo());
  QVERIFY(m_game->Board() == played);
  QVERIFY(m_game->Redo());
  QVERIFY(m_game->Board() == puzzle);
}

void TestGame::elapsedText_data() {
  QTest::addColumn<qint64>("start");
  QTest::addColumn<qint64>("elapsed");
  QTest::addColumn<QString>("shown");
  const qint64 noon = 1'765'195'200'000; // a day's midday, UTC
  QTest::newRow("9 seconds") << noon << qint64(9'000) << "00:00:09";
  QTest::newRow("10 minutes") << noon << qint64(600'000) << "00:10:00";
  QTest::newRow("seconds are cut") << noon << qint64(3'723'900) << "01:02:03";
  QTest::newRow("across midnight") << noon + 43'190'000 << qint64(25'000) << "00:00:25";
  QTest::newRow("a clock set back") << noon << qint64(-5'000) << "00:00:00";
}

void TestGame::elapsedText() {
  QFETCH(qint64, start);
  QFETCH(qint64, elapsed);
  QFETCH(QString, shown);
  m_clock->Set(start);
  m_game->ResetTimer();
  QCOMPARE(m_game->ElapsedText(), std::string("00:00:00"));
  m_clock->Set(start + elapsed);
  m_game->Tick();
  QCOMPARE(QString::fromStdString(m_game->ElapsedText()), shown);
}

void TestGame::ticksLandAfterWholeSeconds() {
  // A tick timed by MillisecondsToNextTick shows a new second every time,
  // however late the previous tick came.
  const qint64 start = m_clock->Now();
  m_game->ResetTimer();
  qint64 now = start;
  for (int second = 1; second <= 9; ++second) {
    const int wait = m_game->MillisecondsToNextTick();
    QVERIFY(wait > 0 && wait <= 1010);
    now += wait + (second % 3) * 7; // the timer may come a little late
    m_clock->Set(now);
    m_game->Tick();
    QCOMPARE(m_game->ElapsedText(), "00:00:0" + std::to_string(second));
  }
}

QTEST_APPLESS_MAIN(TestGame)
#include "tst_game.moc"
