// Hints against the game alone: the player's mistakes first, then the next
// step in two stages, applied as the player's own entry would be.
#include "fakeclock.h"
#include "game.h"
#include "puzzles.h"

#include <QtTest>

namespace {

// From cb000_ser.tsv, with SE's ER.
const char *Easy =
    "1.3..67........123.8..2.......314......5.....5..97...8.41....5.87..9..469........";
const char *Fiendish =
    ".23....8.......12.7.91.........97.46...3....29..6......6.9..5.457.....98.....4...";
const char *Diabolical =
    ".23..6.8......91...8.1..4..2.......7...8.....678.1......7.3.2...3...4.7....5.1.6.";

std::array<std::uint8_t, CellCount> SolutionOf(const char *line) {
  return CountSolutions(TCandidateGrid::FromText(line)).solution;
}

TSquare &At(TGrid &board, int cell) {
  return board[ColOf(cell)][RowOf(cell)];
}

} // namespace

class TestHint : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void fillIn_data();
  void fillIn();
  void noOrSeveralSolutions_data();
  void noOrSeveralSolutions();
  void mistakeComesFirst();
  void twoStages();
  void eliminationsWriteTheRemainingCandidates();
  void notesThatLostTheDigitAreNoGuide();
  void hintsFinishThePuzzle_data();
  void hintsFinishThePuzzle();
  void staleHintIsNotApplied();

private:
  std::unique_ptr<TFakeClock> m_clock;
  std::unique_ptr<TSeededRandom> m_random;
  std::unique_ptr<TGame> m_game;
};

void TestHint::init() {
  m_clock = std::make_unique<TFakeClock>(1'765'195'200'000, 0);
  m_random = std::make_unique<TSeededRandom>(11u);
  m_game = std::make_unique<TGame>(*m_clock, *m_random);
}

void TestHint::cleanup() {
  m_game.reset();
  m_random.reset();
  m_clock.reset();
}

void TestHint::fillIn_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("in order") << "%1 in %2"
                            << "a in b";
  QTest::newRow("out of order") << "%2, then %1"
                                << "b, then a";
  QTest::newRow("missing argument stays") << "%1 %3"
                                          << "a %3";
  QTest::newRow("a lone percent") << "100% %1"
                                  << "100% a";
}

void TestHint::fillIn() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(QString::fromStdString(FillIn(text.toStdString(), {"a", "b"})), expected);
}

void TestHint::noOrSeveralSolutions_data() {
  QTest::addColumn<QString>("givens");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("text");
  QString clash = Easy;
  clash[1] = '1'; // a second 1 in row 1
  QTest::newRow("clashing givens")
      << clash << int(THintKind::NoSolution) << "The puzzle has no solution.";
  QString fewer = Easy;
  fewer[0] = fewer[2] = fewer[5] = '.';
  QTest::newRow("too few givens") << fewer << int(THintKind::SeveralSolutions)
                                  << "The puzzle has more than one solution.";
  QTest::newRow("no givens") << QString(81, '.') << int(THintKind::SeveralSolutions)
                             << "The puzzle has more than one solution.";
}

void TestHint::noOrSeveralSolutions() {
  QFETCH(QString, givens);
  QFETCH(int, kind);
  QFETCH(QString, text);
  m_game->OpenPuzzle(Given(givens.toStdString()), "p");
  const THint hint = m_game->Hint();
  QCOMPARE(int(hint.kind), kind);
  QCOMPARE(QString::fromStdString(HintText(hint)), text);
  QVERIFY(!m_game->ApplyHint(hint));
}

void TestHint::mistakeComesFirst() {
  m_game->OpenPuzzle(Given(Fiendish), "p");
  const auto solution = SolutionOf(Fiendish);
  // Row 3, column 7: open in the puzzle. A wrong digit there that clashes
  // with nothing, and a right one elsewhere that must not be named.
  const int cell = CellOf(6, 2);
  QVERIFY(Fiendish[2 * 9 + 6] == '.');
  int wrong = 1;
  while (wrong == solution[cell] || !TCandidateGrid::FromText(Fiendish).Has(cell, wrong))
    ++wrong;
  const int right = CellOf(0, 0);
  m_game->ApplyEntry(0, 0, std::string(1, char('0' + solution[right])));
  m_game->ApplyEntry(6, 2, std::string(1, char('0' + wrong)));
  const THint hint = m_game->Hint();
  QCOMPARE(hint.kind, THintKind::Mistake);
  QCOMPARE(hint.cell, cell);
  QCOMPARE(QString::fromStdString(HintText(hint)),
           QStringLiteral("The %1 in row 3, column 7 does not belong there.").arg(wrong));
  QCOMPARE(hint.marks.cells, std::vector<std::uint8_t>{std::uint8_t(cell)});
  // The words come from the window's language.
  THintWords words;
  words.mistake = "Die %1 in Zeile %2, Spalte %3 gehört nicht dorthin.";
  QCOMPARE(QString::fromStdString(HintText(hint, words)),
           QStringLiteral("Die %1 in Zeile 3, Spalte 7 gehört nicht dorthin.").arg(wrong));
}

void TestHint::twoStages() {
  m_game->OpenPuzzle(Given(Easy), "p");
  const auto solution = SolutionOf(Easy);
  const THint first = m_game->Hint();
  QCOMPARE(first.kind, THintKind::Step);
  QCOMPARE(first.stage, THintStage::WhereToLook);
  QVERIFY(first.step.technique == TTechnique::HiddenSingle ||
          first.step.technique == TTechnique::NakedSingle);
  // Where to look gives no cell and no digit away.
  QCOMPARE(first.marks.units.size(), std::size_t(1));
  QVERIFY(first.marks.cells.empty() && first.marks.placements.empty());
  const int unit = first.marks.units.front();
  const QString where = QStringLiteral("%1 %2")
                            .arg(unit < 9    ? "row"
                                 : unit < 18 ? "column"
                                             : "box")
                            .arg(unit % 9 + 1);
  QCOMPARE(QString::fromStdString(HintText(first)),
           QStringLiteral("Look for a %1 in %2.")
               .arg(QString::fromUtf8(TechniqueName(first.step.technique).data()), where));
  // The first stage's step makes no change.
  QVERIFY(!m_game->ApplyHint(THint{}));

  const THint second = m_game->Hint();
  QCOMPARE(second.stage, THintStage::WholeStep);
  QCOMPARE(QString::fromStdString(HintText(second)), QString::fromStdString(StepText(second.step)));
  QCOMPARE(second.marks.placements.size(), std::size_t(1));
  const TCandidate placed = second.marks.placements.front();
  QVERIFY(UnitSets[unit].Has(placed.cell));
  // Asked a third time on the same board, still the whole step.
  QCOMPARE(m_game->Hint().stage, THintStage::WholeStep);

  const int before = m_game->History().HistoryPos();
  const TGrid board = m_game->Board();
  QVERIFY(m_game->ApplyHint(second));
  QCOMPARE(m_game->History().HistoryPos(), before + 1);
  const TSquare &square = At(m_game->Board(), placed.cell);
  QCOMPARE(square.Text, std::string(1, char('0' + solution[placed.cell])));
  QVERIFY(!square.Fixed);
  // Undo takes the hint back like any entry.
  m_game->ApplyEntry(0, 8, At(m_game->Board(), CellOf(0, 8)).Text);
  m_game->Undo();
  QVERIFY(m_game->Board() == board);
  // Back on the board of the hint, the hint goes on where it was; a changed
  // board starts again from the first stage.
  QCOMPARE(m_game->Hint().stage, THintStage::WholeStep);
  m_game->ApplyEntry(ColOf(placed.cell), RowOf(placed.cell), "19");
  QCOMPARE(m_game->Hint().stage, THintStage::WhereToLook);
}

void TestHint::eliminationsWriteTheRemainingCandidates() {
  m_game->OpenPuzzle(Given(Fiendish), "p");
  const auto solution = SolutionOf(Fiendish);
  // Place digits by hint until the next step only eliminates.
  THint hint;
  for (int steps = 0; steps < 81; ++steps) {
    m_game->Hint();
    hint = m_game->Hint();
    QCOMPARE(hint.kind, THintKind::Step);
    if (!hint.step.PlacesDigit())
      break;
    QVERIFY(m_game->ApplyHint(hint));
  }
  QVERIFY(!hint.step.PlacesDigit());
  QVERIFY(!hint.marks.eliminations.empty());
  QVERIFY(m_game->ApplyHint(hint));
  for (const TCandidate &e : hint.step.eliminations) {
    const std::string &text = At(m_game->Board(), e.cell).Text;
    QVERIFY2(text.find(char('0' + e.digit)) == std::string::npos, text.c_str());
    QVERIFY(text.find(char('0' + solution[e.cell])) != std::string::npos);
    // Every candidate the cell had from the decided cells, less the step's.
    for (int d = 1; d <= 9; ++d)
      if (hint.position.Has(e.cell, d) && d != e.digit &&
          std::none_of(hint.step.eliminations.begin(), hint.step.eliminations.end(),
                       [&](const TCandidate &o) { return o.cell == e.cell && o.digit == d; }))
        QVERIFY(text.find(char('0' + d)) != std::string::npos);
  }
  // The written candidates count: the next hint is another step.
  m_game->Hint();
  const THint next = m_game->Hint();
  QCOMPARE(next.kind, THintKind::Step);
  QVERIFY(next.step.eliminations != hint.step.eliminations ||
          next.step.placements != hint.step.placements);
}

void TestHint::notesThatLostTheDigitAreNoGuide() {
  m_game->OpenPuzzle(Given(Easy), "p");
  const auto solution = SolutionOf(Easy);
  const THint plain = m_game->Hint();
  // Notes in every open cell without the solution's digit change nothing.
  for (int cell = 0; cell < CellCount; ++cell)
    if (Easy[RowOf(cell) * 9 + ColOf(cell)] == '.') {
      std::string notes;
      for (int d = 1; d <= 9; ++d)
        if (d != solution[cell])
          notes += char('0' + d);
      m_game->ApplyEntry(ColOf(cell), RowOf(cell), notes);
    }
  const THint noted = m_game->Hint();
  QCOMPARE(noted.kind, THintKind::Step);
  QVERIFY(noted.step.placements == plain.step.placements);
}

void TestHint::hintsFinishThePuzzle_data() {
  QTest::addColumn<QString>("puzzle");
  QTest::newRow("easy") << Easy;
  QTest::newRow("fiendish") << Fiendish;
  QTest::newRow("diabolical") << Diabolical;
}

void TestHint::hintsFinishThePuzzle() {
  QFETCH(QString, puzzle);
  const std::string line = puzzle.toStdString();
  m_game->OpenPuzzle(Given(line), "p");
  m_game->ResetTimer();
  const auto solution = SolutionOf(line.c_str());
  int applied = 0;
  for (; applied < 400; ++applied) {
    const THint look = m_game->Hint();
    if (look.kind == THintKind::Solved)
      break;
    QCOMPARE(look.kind, THintKind::Step);
    const THint whole = m_game->Hint();
    QCOMPARE(whole.stage, THintStage::WholeStep);
    QVERIFY(m_game->ApplyHint(whole));
  }
  QVERIFY(applied < 400);
  for (int cell = 0; cell < CellCount; ++cell)
    QCOMPARE(At(m_game->Board(), cell).Text, std::string(1, char('0' + solution[cell])));
  // The completion test ran with the last step.
  QVERIFY(!m_game->TimerRunning());
  QCOMPARE(QString::fromStdString(HintText(m_game->Hint())),
           QStringLiteral("The puzzle is solved."));
}

void TestHint::staleHintIsNotApplied() {
  m_game->OpenPuzzle(Given(Easy), "p");
  m_game->Hint();
  const THint hint = m_game->Hint();
  m_game->ApplyEntry(1, 0, "4");
  const TGrid board = m_game->Board();
  QVERIFY(!m_game->ApplyHint(hint));
  QVERIFY(m_game->Board() == board);
}

QTEST_GUILESS_MAIN(TestHint)
#include "tst_hint.moc"
