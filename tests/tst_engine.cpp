#include "engine.h"
#include "puzzles.h"

#include <QtTest>

#include <fstream>
#include <random>
#include <set>
#include <tuple>

// The candidate passes work on digit masks; these references follow the
// written rules over the texts alone, so any shortcut that changes a text or
// the order of a placement shows up as a difference.
namespace reference {

bool Stands(const TGrid &b, int c, int r, char d) {
  return b[c][r].Text == std::string(1, d);
}

void CandidatePass(TGrid &b) {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      if (b[c][r].Text.size() == 1)
        continue;
      std::string text;
      for (char d = '1'; d <= '9'; ++d) {
        bool excluded = false;
        for (int k = 0; k < 9; ++k)
          excluded |= Stands(b, k, r, d) || Stands(b, c, k, d);
        for (int x = BoxStart(c); x < BoxStart(c) + 3; ++x)
          for (int y = BoxStart(r); y < BoxStart(r) + 3; ++y)
            excluded |= Stands(b, x, y, d);
        if (!excluded)
          text += d;
      }
      b[c][r].Text = text;
    }
}

void ToFixedPoint(TGrid &b) {
  TGrid last;
  do {
    last = b;
    CandidatePass(b);
  } while (!BoardUnchanged(b, last));
}

void PlaceHiddenSingles(TGrid &b) {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      if (b[c][r].Text.size() <= 1)
        continue;
      for (int unit = 0; unit < 3; ++unit)
        for (char d = '1'; d <= '9'; ++d) {
          int count = 0, boxCol = 0, boxRow = 0;
          auto visit = [&](int x, int y) {
            const std::string &t = b[x][y].Text;
            if (t.size() > 1 && t.find(d) != std::string::npos)
              ++count, boxCol = x, boxRow = y;
          };
          if (unit == 0)
            for (int k = 0; k < 9; ++k)
              visit(k, r);
          else if (unit == 1)
            for (int k = 0; k < 9; ++k)
              visit(c, k);
          else
            for (int x = BoxStart(c); x < BoxStart(c) + 3; ++x)
              for (int y = BoxStart(r); y < BoxStart(r) + 3; ++y)
                visit(x, y);
          if (count == 1) {
            b[boxCol][boxRow].Text = std::string(1, d);
            ToFixedPoint(b);
          }
        }
    }
}

} // namespace reference

class TestEngine : public QObject {
  Q_OBJECT

private slots:
  void candidatePassCases();
  void hiddenSingleInRow();
  void matchesWrittenRules();
  void solvesEveryCollection_data();
  void solvesEveryCollection();
  void solutionCounts();
  void twoCandidateRetry();
  void deadCellIsUnsolvable();
  void pigeonholeIsUnsolvable();
  void guessLimitEndsTheSearch();
  void completeBoardsStayAsTheyAre();
  void clashingDigitsAreUnsolvable();
  void arbitraryTextsEnd();
  void clearedBoardBecomesRandomGrid();
  void removeClues_data();
  void removeClues();
};

namespace {

const QString DataDir = QStringLiteral(NINEGROVE_TEST_DATA);

const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

TSearchResult Solve(TGrid &board, TRandom &random) {
  Propagate(board);
  return SearchSolution(board, random);
}

} // namespace

void TestEngine::candidatePassCases() {
  TGrid board;
  QVERIFY(ComputeCandidates(board));
  for (const auto &column : board)
    for (const TSquare &cell : column)
      QCOMPARE(cell.Text, std::string("123456789"));
  QVERIFY(!ComputeCandidates(board));
  const TGrid before = board;
  Propagate(board);
  QVERIFY(BoardUnchanged(board, before));

  // Eight digits among the peers leave the ninth, placed in the same pass:
  // a cell visited later already sees it standing.
  board = TGrid();
  const char *peers[] = {"1", "2", "3", "4"};
  for (int k = 0; k < 4; ++k)
    board[0][k + 1].Text = peers[k]; // column 0
  board[1][0].Text = "5";
  board[2][0].Text = "6"; // row 0
  board[1][1].Text = "7";
  board[2][2].Text = "8";  // box 0
  board[0][8].Text = "91"; // a note, overwritten
  ComputeCandidates(board);
  QCOMPARE(board[0][0].Text, std::string("9"));
  QCOMPARE(board[0][8].Text, std::string("5678"));

  // Peers holding all nine digits leave an empty text.
  board = BoardFromLine(Solved);
  board[4][4].Text = "";
  board[4][5].Text = "";
  board[4][4].Fixed = true;
  board[3][4].Text = "5"; // 8 was here; now 5 stands twice in row 4
  ComputeCandidates(board);
  QCOMPARE(board[4][5].Text, std::string("2"));
  QCOMPARE(board[4][4].Text, std::string(""));
  QCOMPARE(int(BoardState(board)), int(bsEmptyCell));
  QVERIFY(board[4][4].Fixed); // the engine writes texts only
}

void TestEngine::hiddenSingleInRow() {
  // Ones in six columns and two other digits in row 0 leave (8, 0) the only
  // place for 1 in row 0, among six other candidates.
  TGrid board;
  for (auto [c, r] : {std::pair{0, 3}, {1, 6}, {3, 4}, {4, 7}, {6, 5}, {7, 8}})
    board[c][r].Text = "1";
  board[2][0].Text = "2";
  board[5][0].Text = "3";
  TGrid candidates = board;
  while (ComputeCandidates(candidates)) {
  }
  QCOMPARE(candidates[8][0].Text, std::string("1456789"));
  Propagate(board);
  QCOMPARE(board[8][0].Text, std::string("1"));
}

void TestEngine::matchesWrittenRules() {
  // Partial boards from hard puzzles, plus damaged texts of every kind.
  std::mt19937 random(20261208);
  const auto puzzles = ReadPuzzleFile((DataDir + "/top95.txt").toStdString());
  const char *odd[] = {"0", "x", "55", "91", "1234567890123", "\xE9", "", "5"};
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    TGrid board = BoardFromLine(puzzles[i]);
    for (int k = 0; k < 4; ++k)
      board[random() % 9][random() % 9].Text = odd[random() % std::size(odd)];
    TGrid expected = board;
    reference::ToFixedPoint(expected);
    TGrid candidates = board;
    while (ComputeCandidates(candidates)) {
    }
    QVERIFY2(BoardUnchanged(candidates, expected), puzzles[i].c_str());

    reference::PlaceHiddenSingles(expected);
    Propagate(board);
    QVERIFY2(BoardUnchanged(board, expected), puzzles[i].c_str());
  }
}

void TestEngine::solvesEveryCollection_data() {
  QTest::addColumn<QString>("file");
  for (const char *name : {"easy50.txt", "kaggle_bryanpark_sample69.txt", "norvig_hardest11.txt",
                           "hard20.txt", "top95.txt", "magictour_top1465.txt", "17_clue.txt"})
    QTest::newRow(name) << name;
}

void TestEngine::solvesEveryCollection() {
  QFETCH(QString, file);
  const auto puzzles = ReadPuzzleFile((DataDir + "/" + file).toStdString());
  QVERIFY(puzzles.size() >= 11);
  TSeededRandom random(12345);
  for (const std::string &line : puzzles) {
    TGrid board = BoardFromLine(line);
    QCOMPARE(int(Solve(board, random)), int(TSearchResult::Solved));
    QVERIFY2(IsValidSolution(board) && KeepsGivens(board, line), line.c_str());
  }
}

void TestEngine::solutionCounts() {
  std::ifstream in((DataDir + "/solution_counts.tsv").toStdString());
  TSeededRandom random(777);
  int boards = 0, unsolvable = 0;
  for (std::string row; std::getline(in, row);) {
    const auto tab = row.find('\t');
    if (tab == std::string::npos)
      continue;
    const std::string line = row.substr(0, tab);
    const int solutions = std::stoi(row.substr(tab + 1));
    TGrid board = BoardFromLine(line);
    const TSearchResult result = Solve(board, random);
    ++boards;
    if (solutions == 0) {
      ++unsolvable;
      QVERIFY2(result == TSearchResult::Unsolvable, line.c_str());
    } else {
      QVERIFY2(result == TSearchResult::Solved, line.c_str());
      QVERIFY2(IsValidSolution(board) && KeepsGivens(board, line), line.c_str());
    }
  }
  QCOMPARE(boards, 43);
  QCOMPARE(unsolvable, 10);
}

void TestEngine::twoCandidateRetry() {
  // The branching cell is the first two-character cell in row order, ahead of
  // one earlier in board order.
  TGrid board = BoardFromLine(Solved);
  board[5][0].Text = "89";
  board[0][1].Text = "67";
  TSeededRandom random(1);
  TSearchStats stats;
  QCOMPARE(int(SearchSolution(board, random, &stats)), int(TSearchResult::Solved));
  QCOMPARE(stats.firstCol, 5);
  QCOMPARE(stats.firstRow, 0);
  QCOMPARE(LineFromBoard(board), std::string(Solved));

  // Puzzles whose first guess is a wrong two-candidate choice: the saved board
  // comes back, the other candidate follows, and the one solution is found.
  int wrongFirstGuesses = 0;
  for (const std::string &line : ReadPuzzleFile((DataDir + "/top95.txt").toStdString())) {
    TGrid puzzle = BoardFromLine(line);
    Propagate(puzzle);
    TGrid solved = puzzle;
    TSearchStats run;
    QCOMPARE(int(SearchSolution(solved, random, &run)), int(TSearchResult::Solved));
    const std::string &first = puzzle[run.firstCol][run.firstRow].Text;
    if (first.size() != 2 || solved[run.firstCol][run.firstRow].Text[0] != first[1])
      continue;
    ++wrongFirstGuesses;
    QVERIFY(run.backtracks > 0);
    QVERIFY(IsValidSolution(solved) && KeepsGivens(solved, line));
  }
  QVERIFY(wrongFirstGuesses >= 5);
}

void TestEngine::deadCellIsUnsolvable() {
  TGrid board = BoardFromLine(Solved);
  board[4][4].Text.clear();
  board[4][4].Fixed = false;
  board[0][0].Text.clear();
  board[3][4].Text = "5"; // row 4 now repeats 5 and lacks 8: cell (4,4) is dead
  board[3][4].Fixed = true;
  TSeededRandom random(1);
  Propagate(board);
  QCOMPARE(int(SearchSolution(board, random)), int(TSearchResult::Unsolvable));
  QCOMPARE(board[3][4].Text, std::string("5"));

  // An empty-ish board with one cell whose peers hold all nine digits.
  board = TGrid();
  const char *digits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  for (int k = 1; k < 9; ++k)
    board[k][0].Text = digits[k - 1];
  board[0][5].Text = "9";
  QCOMPARE(int(Solve(board, random)), int(TSearchResult::Unsolvable));
}

void TestEngine::pigeonholeIsUnsolvable() {
  // Rows 7 and 8 hold 3, 5 and 7 in the two left boxes, so row 6 must put all
  // three into the two free cells of its right box. No digit lacks a place,
  // yet no grid exists; the search must find that out without roaming the
  // whole nearly empty board.
  TGrid board;
  for (auto [c, r, d] : {std::tuple{0, 0, "1"},
                         {8, 6, "2"},
                         {0, 7, "7"},
                         {3, 7, "3"},
                         {4, 7, "5"},
                         {0, 8, "3"},
                         {1, 8, "5"},
                         {4, 8, "7"}})
    board[c][r].Text = d;
  TSeededRandom random(1);
  QCOMPARE(int(Solve(board, random)), int(TSearchResult::Unsolvable));
  QCOMPARE(board[8][6].Text, std::string("2"));
}

void TestEngine::guessLimitEndsTheSearch() {
  // The hardest puzzle of a collection needs many guesses; allowed five, the
  // search stops as at the depth limit, with the givens in place.
  const auto puzzles = ReadPuzzleFile((DataDir + "/hard20.txt").toStdString());
  TSeededRandom random(1);
  std::string hardest;
  long most = 0;
  for (const std::string &line : puzzles) {
    TGrid board = BoardFromLine(line);
    Propagate(board);
    TSearchStats stats;
    SearchSolution(board, random, &stats);
    if (stats.guesses > most)
      most = stats.guesses, hardest = line;
  }
  QVERIFY(most > 5);
  TGrid board = BoardFromLine(hardest);
  Propagate(board);
  TSearchStats stats;
  QCOMPARE(int(SearchSolution(board, random, &stats, 5)), int(TSearchResult::DepthLimit));
  QCOMPARE(stats.guesses, 5L);
  QVERIFY(KeepsGivens(board, hardest));
  QVERIFY(BoardState(board) != bsComplete);
}

void TestEngine::completeBoardsStayAsTheyAre() {
  TGrid board = BoardFromLine(Solved);
  board[0][0].Text = "3"; // repeats 3 in row 0
  const TGrid before = board;
  TSeededRandom random(1);
  QCOMPARE(int(Solve(board, random)), int(TSearchResult::Solved));
  QVERIFY(board == before);
}

void TestEngine::clashingDigitsAreUnsolvable() {
  // Two 5s in a row of an otherwise empty board: no grid completes it, and
  // the search must say so at once rather than wander the whole tree.
  TGrid board;
  board[0][0].Text = "5";
  board[1][0].Text = "5";
  TSeededRandom random(1);
  QCOMPARE(int(Solve(board, random)), int(TSearchResult::Unsolvable));
  QCOMPARE(board[0][0].Text, std::string("5"));
  QCOMPARE(board[1][0].Text, std::string("5"));
}

void TestEngine::arbitraryTextsEnd() {
  // Texts an old library file may hold: every board ends, and a board called
  // solved is complete.
  std::mt19937 random(42);
  const char *odd[] = {"0", "x", "\xFF", "55", "9", "12345678901", "\x80\x81", "", " ", "3"};
  TSeededRandom seeded(1);
  for (int round = 0; round < 300; ++round) {
    TGrid board;
    const int cells = random() % 30;
    for (int k = 0; k < cells; ++k)
      board[random() % 9][random() % 9].Text = odd[random() % std::size(odd)];
    const TSearchResult result = Solve(board, seeded);
    if (result == TSearchResult::Solved)
      QCOMPARE(int(BoardState(board)), int(bsComplete));
  }
  // A decided cell that is no digit leaves nothing to solve for.
  TGrid wildcard;
  wildcard[0][0].Text = "0";
  QCOMPARE(int(Solve(wildcard, seeded)), int(TSearchResult::Unsolvable));
  QCOMPARE(wildcard[0][0].Text, std::string("0"));
}

void TestEngine::clearedBoardBecomesRandomGrid() {
  std::set<std::string> grids;
  for (int start : {0, 1000, 2000, 3000, 4000, 5000}) {
    TSeededRandom random(start * 997);
    TGrid board;
    QCOMPARE(int(Solve(board, random)), int(TSearchResult::Solved));
    QVERIFY(IsValidSolution(board));
    grids.insert(LineFromBoard(board));

    TSeededRandom again(start * 997);
    TGrid repeat;
    Solve(repeat, again);
    QCOMPARE(LineFromBoard(repeat), LineFromBoard(board));
  }
  QVERIFY(grids.size() >= 5);
}

void TestEngine::removeClues_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("emptied");
  QTest::newRow("level 1") << 1 << 10;
  QTest::newRow("level 25") << 25 << 34;
  QTest::newRow("level 50") << 50 << 59;
  QTest::newRow("level 72 empties every cell") << 72 << 81;
  QTest::newRow("level 0") << 0 << 0;
  QTest::newRow("level -3") << -3 << 0;
}

void TestEngine::removeClues() {
  QFETCH(int, level);
  QFETCH(int, emptied);
  const TGrid full = BoardFromLine(Solved);
  TGrid board = full;
  TSeededRandom random(50'000'000);
  RemoveClues(board, level, random);
  int empty = 0;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const TSquare &cell = board[c][r];
      if (cell.Text.empty()) {
        ++empty;
        QVERIFY(!cell.Fixed);
      } else {
        QVERIFY(cell.Fixed);
        QCOMPARE(cell.Text, full[c][r].Text);
      }
    }
  QCOMPARE(empty, emptied);

  // A board with fewer filled cells than asked for ends rather than waiting for ever.
  TGrid sparse;
  sparse[2][2].Text = "4";
  RemoveClues(sparse, 5, random);
  QVERIFY(sparse == TGrid());
}

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
