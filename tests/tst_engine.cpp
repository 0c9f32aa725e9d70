#include "engine.h"
#include "fakeclock.h"
#include "fakerandom.h"
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

void Propagate(TGrid &b) {
  ToFixedPoint(b);
  reference::PlaceHiddenSingles(b);
}

// The nine cells of unit u: rows, then columns, then boxes.
std::vector<std::pair<int, int>> UnitCells(int u) {
  std::vector<std::pair<int, int>> cells;
  for (int k = 0; k < 9; ++k)
    if (u < 9)
      cells.emplace_back(k, u);
    else if (u < 18)
      cells.emplace_back(u - 9, k);
    else
      cells.emplace_back((u - 18) % 3 * 3 + k / 3, (u - 18) / 3 * 3 + k % 3);
  return cells;
}

bool IsDigit(char ch) {
  return ch >= '1' && ch <= '9';
}

// A decided cell that is no digit, or a digit twice in a unit.
bool Clash(const TGrid &b) {
  for (int u = 0; u < 27; ++u) {
    std::string seen;
    for (auto [c, r] : UnitCells(u)) {
      const std::string &t = b[c][r].Text;
      if (t.size() != 1)
        continue;
      if (!IsDigit(t[0]) || seen.find(t[0]) != std::string::npos)
        return true;
      seen += t;
    }
  }
  return false;
}

// Gives open cells k.. different digits of free, each one its text holds.
bool Assign(const std::vector<std::string> &open, std::size_t k, std::string &free) {
  if (k == open.size())
    return true;
  for (std::size_t j = 0; j < free.size(); ++j) {
    const char d = free[j];
    if (open[k].find(d) == std::string::npos)
      continue;
    free.erase(j, 1);
    const bool done = Assign(open, k + 1, free);
    free.insert(j, 1, d);
    if (done)
      return true;
  }
  return false;
}

// An empty cell, or a unit whose open cells cannot get the digits it lacks.
bool DeadUnit(const TGrid &b) {
  for (int u = 0; u < 27; ++u) {
    std::string standing;
    std::vector<std::string> open;
    for (auto [c, r] : UnitCells(u)) {
      const std::string &t = b[c][r].Text;
      if (t.empty())
        return true;
      if (t.size() == 1) {
        if (!IsDigit(t[0]) || standing.find(t[0]) != std::string::npos)
          return true;
        standing += t;
      } else {
        open.push_back(t);
      }
    }
    std::string lacking;
    for (char d = '1'; d <= '9'; ++d)
      if (standing.find(d) == std::string::npos)
        lacking += d;
    if (!Assign(open, 0, lacking))
      return true;
  }
  return false;
}

// The search as engine.h states it, over whole boards of texts.
TSearchResult SearchSolution(TGrid &b, TRandom &random, TSearchStats &stats, long limit) {
  if (Clash(b))
    return TSearchResult::Unsolvable;
  if (BoardState(b) == bsComplete)
    return TSearchResult::Solved;
  TGrid settled = b;
  ToFixedPoint(settled);
  if (DeadUnit(settled))
    return TSearchResult::Unsolvable;
  struct TLevel {
    int col = 0, row = 0, choice = 0;
    std::string candidates;
    TGrid saved;
  };
  std::vector<TLevel> levels(100);
  int level = 1;
  long guesses = 0;
  for (;;) {
    TLevel &record = levels[level];
    if (record.choice == 0) {
      // The first cell in row order with two characters, else three, else more.
      int found = -1;
      for (int want : {2, 3, 4})
        for (int i = 0; i < 81 && found < 0; ++i) {
          const std::size_t size = b[i % 9][i / 9].Text.size();
          if (want < 4 ? int(size) == want : size >= 4)
            found = i;
        }
      if (found >= 0) {
        record.col = found % 9, record.row = found / 9;
        record.candidates = b[record.col][record.row].Text;
        if (record.candidates.size() > 2) {
          const int drawn = random.Below(int(record.candidates.size()));
          const char first = record.candidates[drawn];
          record.candidates.erase(drawn, 1);
          record.candidates.insert(0, 1, first);
        }
        record.choice = 1;
        record.saved = b;
        if (stats.firstCol < 0)
          stats.firstCol = record.col, stats.firstRow = record.row;
      }
    }
    if (record.choice > 0) {
      if (++guesses > limit)
        return TSearchResult::DepthLimit;
      b[record.col][record.row].Text = record.candidates.substr(record.choice - 1, 1);
      ++stats.guesses;
      reference::Propagate(b);
    }
    const TBoardState state = BoardState(b);
    if (state == bsComplete)
      return TSearchResult::Solved;
    if (state == bsOpen && !DeadUnit(b)) {
      if (++level == 100)
        return TSearchResult::DepthLimit;
      continue;
    }
    for (;;) {
      TLevel &current = levels[level];
      if (current.choice > 0) {
        b = current.saved;
        if (current.choice < int(current.candidates.size())) {
          ++current.choice;
          ++stats.backtracks;
          break;
        }
        current.choice = 0;
      }
      if (--level == 0)
        return TSearchResult::Unsolvable;
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
  void searchMatchesWrittenRules_data();
  void searchMatchesWrittenRules();
  void solvesEveryCollection_data();
  void solvesEveryCollection();
  void solutionCounts();
  void twoCandidateRetry();
  void deadCellIsUnsolvable();
  void pigeonholeIsUnsolvable();
  void guessLimitEndsTheSearch();
  void completeBoardsStayAsTheyAre_data();
  void completeBoardsStayAsTheyAre();
  void clashingDigitsAreUnsolvable_data();
  void clashingDigitsAreUnsolvable();
  void arbitraryTextsEnd();
  void clearedBoardBecomesRandomGrid();
  void randomGuessesFollowTheScript_data();
  void randomGuessesFollowTheScript();
  void removeClues_data();
  void removeClues();
  void removeCluesDrawsColumnThenRow();
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
    // One pass and one hidden-singles pass straight on the damaged texts.
    TGrid pass = board, expectedPass = board;
    reference::CandidatePass(expectedPass);
    QCOMPARE(ComputeCandidates(pass), !BoardUnchanged(board, expectedPass));
    QVERIFY2(BoardUnchanged(pass, expectedPass), puzzles[i].c_str());
    TGrid hidden = board, expectedHidden = board;
    reference::PlaceHiddenSingles(expectedHidden);
    PlaceHiddenSingles(hidden);
    QVERIFY2(BoardUnchanged(hidden, expectedHidden), puzzles[i].c_str());

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

void TestEngine::searchMatchesWrittenRules_data() {
  // Every guess, retry and text of the search against the rules over whole
  // boards of texts, with the same random draws.
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("damage"); // odd texts written into each puzzle
  QTest::addColumn<bool>("propagated");
  QTest::newRow("hardest") << "norvig_hardest11.txt" << 0 << true;
  QTest::newRow("easy") << "easy50.txt" << 0 << true;
  QTest::newRow("damaged") << "norvig_hardest11.txt" << 3 << true;
  QTest::newRow("damaged, not propagated") << "easy50.txt" << 3 << false;
  QTest::newRow("cleared boards") << "" << 0 << true;
}

void TestEngine::searchMatchesWrittenRules() {
  QFETCH(QString, file);
  QFETCH(int, damage);
  QFETCH(bool, propagated);
  std::vector<std::string> lines(12, std::string(81, '.'));
  if (!file.isEmpty())
    lines = ReadPuzzleFile((DataDir + "/" + file).toStdString());
  std::mt19937 random(7);
  const char *odd[] = {"0", "x", "55", "91", "", "5", "19", "357", "xx", "3", "12345678901"};
  long guesses = 0, backtracks = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    TGrid board = BoardFromLine(lines[i]);
    for (int k = 0; k < damage; ++k)
      board[random() % 9][random() % 9].Text = odd[random() % std::size(odd)];
    if (propagated)
      Propagate(board);
    TGrid expected = board;
    TSeededRandom ours(static_cast<std::uint32_t>(i)), theirs(static_cast<std::uint32_t>(i));
    TSearchStats stats, expectedStats;
    const TSearchResult result = SearchSolution(board, ours, &stats, 20'000);
    const TSearchResult expectedResult =
        reference::SearchSolution(expected, theirs, expectedStats, 20'000);
    QCOMPARE(int(result), int(expectedResult));
    QVERIFY2(board == expected, lines[i].c_str());
    QCOMPARE(stats.guesses, expectedStats.guesses);
    QCOMPARE(stats.backtracks, expectedStats.backtracks);
    QCOMPARE(stats.firstCol, expectedStats.firstCol);
    QCOMPARE(stats.firstRow, expectedStats.firstRow);
    guesses += stats.guesses, backtracks += stats.backtracks;
  }
  // The rows go through the search, not around it.
  QVERIFY(guesses > 0);
  if (file.startsWith("norvig") && damage == 0)
    QVERIFY(backtracks > 0);
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

void TestEngine::completeBoardsStayAsTheyAre_data() {
  // A full board is left as it is; only a valid one counts as solved.
  QTest::addColumn<int>("col");
  QTest::addColumn<QString>("text"); // written into row 0 of the solved grid
  QTest::addColumn<int>("result");
  QTest::newRow("valid grid") << 0 << "5" << int(TSearchResult::Solved);
  QTest::newRow("a 3 twice in row 0") << 0 << "3" << int(TSearchResult::Unsolvable);
  QTest::newRow("a decided non-digit") << 4 << "x" << int(TSearchResult::Unsolvable);
}

void TestEngine::completeBoardsStayAsTheyAre() {
  QFETCH(int, col);
  QFETCH(QString, text);
  QFETCH(int, result);
  TGrid board = BoardFromLine(Solved);
  board[col][0].Text = text.toStdString();
  const TGrid before = board;
  TSeededRandom random(1);
  QCOMPARE(int(Solve(board, random)), result);
  QVERIFY(board == before);
}

void TestEngine::clashingDigitsAreUnsolvable_data() {
  // Cells written into an empty board, or (filled) into the solved grid with
  // the given cells emptied.
  QTest::addColumn<bool>("filled");
  QTest::addColumn<QString>("cells"); // column, row, digit; ...
  QTest::addColumn<QString>("emptied");
  // No grid completes it, and the search must say so at once rather than
  // wander the whole tree.
  QTest::newRow("two 5s in row 0, the rest empty") << false << "005,105"
                                                   << "";
  // Propagate alone fills the empty cells, and the clash stays.
  QTest::newRow("one cell filled by propagation") << true << "003"
                                                  << "44";
  QTest::newRow("four cells filled by propagation") << true << "003"
                                                    << "44,54,64,45";
  // 1 and 3 can swap in the emptied rectangle: only a guess fills it.
  QTest::newRow("filled by a guess") << true << "003"
                                     << "53,83,54,84";
}

void TestEngine::clashingDigitsAreUnsolvable() {
  QFETCH(bool, filled);
  QFETCH(QString, cells);
  QFETCH(QString, emptied);
  TGrid board = filled ? BoardFromLine(Solved) : TGrid();
  for (const QString &cell : emptied.split(',', Qt::SkipEmptyParts))
    board[cell[0].digitValue()][cell[1].digitValue()].Text.clear();
  for (const QString &cell : cells.split(','))
    board[cell[0].digitValue()][cell[1].digitValue()].Text = cell.mid(2).toStdString();
  const TGrid before = board;
  TSeededRandom random(1);
  QCOMPARE(int(Solve(board, random)), int(TSearchResult::Unsolvable));
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (before[c][r].Text.size() == 1)
        QCOMPARE(board[c][r].Text, before[c][r].Text);
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
  // One generator for a whole run, as the program holds it: solves of a
  // cleared board in a row give different grids, however little time passes.
  TFakeClock clock(43'200'000, 1);
  TSeededRandom random(clock);
  std::vector<std::string> grids;
  for (int draw = 0; draw < 1000; ++draw) {
    TGrid board;
    QCOMPARE(int(Solve(board, random)), int(TSearchResult::Solved));
    QVERIFY(IsValidSolution(board));
    grids.push_back(LineFromBoard(board));
  }
  QVERIFY(std::set<std::string>(grids.begin(), grids.end()).size() >= 990);
  QCOMPARE(clock.Now(), 43'200'001); // read once, when the generator was made

  // The same seed gives the same grids again.
  TSeededRandom again(43'200'000u);
  for (int draw = 0; draw < 10; ++draw) {
    TGrid board;
    Solve(board, again);
    QCOMPARE(LineFromBoard(board), grids[draw]);
  }
}

void TestEngine::randomGuessesFollowTheScript_data() {
  // On a cleared board the search guesses along row 0: cells of nine, eight,
  // ... three candidates draw a position, the two-candidate cell tries its
  // first one, and the last cell follows.
  QTest::addColumn<QList<int>>("draws");
  QTest::addColumn<QString>("row0");
  QTest::newRow("first candidates") << QList<int>{0, 0, 0, 0, 0, 0, 0} << "123456789";
  QTest::newRow("last candidates") << QList<int>{8, 7, 6, 5, 4, 3, 2} << "987654312";
  QTest::newRow("mixed") << QList<int>{4, 7, 0, 5, 2, 1, 2} << "591843726";
}

void TestEngine::randomGuessesFollowTheScript() {
  QFETCH(QList<int>, draws);
  QFETCH(QString, row0);
  TScriptedRandom random({draws[0], draws[1], draws[2], draws[3], draws[4], draws[5], draws[6]});
  TGrid board;
  TSearchStats stats;
  Propagate(board);
  QCOMPARE(int(SearchSolution(board, random, &stats)), int(TSearchResult::Solved));
  QVERIFY(IsValidSolution(board));
  QCOMPARE(QString::fromStdString(LineFromBoard(board).substr(0, 9)), row0);
  QVERIFY(random.ScriptUsed() && !random.outOfRange);
  const std::vector<int> firstDraws(random.asked.begin(), random.asked.begin() + 7);
  QCOMPARE(firstDraws, (std::vector<int>{9, 8, 7, 6, 5, 4, 3}));
  QCOMPARE(stats.firstCol, 0);
  QCOMPARE(stats.firstRow, 0);
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
  // A clock that never moves: the draws must not wait for it.
  TFakeClock clock(50'000'000, 0);
  TSeededRandom random(clock);
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

void TestEngine::removeCluesDrawsColumnThenRow() {
  // Level 1: ten cells, each drawn as a column and then a row; the draw of a
  // cell already emptied is drawn again.
  TScriptedRandom random({3, 5, 0, 8, 3, 5, 8, 0, 1, 2, 2, 1, 4, 4, 6, 7, 7, 6, 0, 0, 5, 3});
  TGrid board = BoardFromLine(Solved);
  RemoveClues(board, 1, random);
  QVERIFY(random.ScriptUsed() && !random.outOfRange);
  QCOMPARE(random.asked, std::vector<int>(22, 9));
  std::set<std::pair<int, int>> empty;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (board[c][r].Text.empty())
        empty.insert({c, r});
  const std::set<std::pair<int, int>> expected{{3, 5}, {0, 8}, {8, 0}, {1, 2}, {2, 1},
                                               {4, 4}, {6, 7}, {7, 6}, {0, 0}, {5, 3}};
  QCOMPARE(empty, expected);
}

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
