// Bands and graded generation: every puzzle made has one solution, no given
// that can go, its symmetry, and an ER in its band by an independent rating.
#include "grading.h"

#include <QtTest>

Q_DECLARE_METATYPE(TBand)
Q_DECLARE_METATYPE(TSymmetry)

namespace {

TCandidateGrid GridOf(const TDigitsGrid &digits) {
  TCandidateGrid grid;
  for (int cell = 0; cell < CellCount; ++cell)
    if (digits[cell])
      grid.Place(cell, digits[cell]);
  return grid;
}

} // namespace

class TestGraded : public QObject {
  Q_OBJECT

private slots:
  void bandOf_data();
  void bandOf();
  void orbit_data();
  void orbit();
  void removeGivens_data();
  void removeGivens();
  void generate_data();
  void generate();
  void strictlyMinimalSymmetric();
  void extreme();
  void cancelAndAttempts();
  void sameDrawsSamePuzzle();
  void cancelStopsAChainSearch();
};

void TestGraded::bandOf_data() {
  QTest::addColumn<int>("er");
  QTest::addColumn<TBand>("band");
  QTest::addColumn<QString>("name");
  const struct {
    int er;
    TBand band;
    const char *name;
  } rows[] = {{10, TBand::Easy, "Easy"},
              {12, TBand::Easy, "Easy"},
              {13, TBand::Medium, "Medium"},
              {15, TBand::Medium, "Medium"},
              {16, TBand::Hard, "Hard"},
              {25, TBand::Hard, "Hard"},
              {26, TBand::Fiendish, "Fiendish"},
              {60, TBand::Fiendish, "Fiendish"},
              {61, TBand::Diabolical, "Diabolical"},
              {89, TBand::Diabolical, "Diabolical"},
              {90, TBand::Extreme, "Extreme"},
              {119, TBand::Extreme, "Extreme"},
              {200, TBand::Extreme, "Extreme"}};
  for (const auto &row : rows)
    QTest::addRow("%d", row.er) << row.er << row.band << row.name;
}

void TestGraded::bandOf() {
  QFETCH(int, er);
  QFETCH(TBand, band);
  QFETCH(QString, name);
  QCOMPARE(BandOf(er), band);
  QCOMPARE(QString::fromUtf8(BandName(band).data(), BandName(band).size()), name);
  const TBandRange range = BandRange(band);
  QVERIFY(er >= range.low && (range.high == 0 || er <= range.high));
}

void TestGraded::orbit_data() {
  QTest::addColumn<TSymmetry>("symmetry");
  QTest::addColumn<int>("col");
  QTest::addColumn<int>("row");
  QTest::addColumn<QList<int>>("cells");
  QTest::newRow("none") << TSymmetry::None << 1 << 2 << QList<int>{CellOf(1, 2)};
  QTest::newRow("180") << TSymmetry::Rotate180 << 1 << 2 << QList<int>{CellOf(1, 2), CellOf(7, 6)};
  QTest::newRow("180 centre") << TSymmetry::Rotate180 << 4 << 4 << QList<int>{CellOf(4, 4)};
  QTest::newRow("90") << TSymmetry::Rotate90 << 1 << 2
                      << QList<int>{CellOf(1, 2), CellOf(6, 1), CellOf(7, 6), CellOf(2, 7)};
  QTest::newRow("90 middle row") << TSymmetry::Rotate90 << 0 << 4
                                 << QList<int>{CellOf(0, 4), CellOf(4, 0), CellOf(8, 4),
                                               CellOf(4, 8)};
  QTest::newRow("mirror") << TSymmetry::Mirror << 1 << 2 << QList<int>{CellOf(1, 2), CellOf(7, 2)};
  QTest::newRow("mirror axis") << TSymmetry::Mirror << 4 << 6 << QList<int>{CellOf(4, 6)};
}

void TestGraded::orbit() {
  QFETCH(TSymmetry, symmetry);
  QFETCH(int, col);
  QFETCH(int, row);
  QFETCH(QList<int>, cells);
  const TOrbit orbit = OrbitOf(CellOf(col, row), symmetry);
  QList<int> got;
  for (int i = 0; i < orbit.size; ++i)
    got << orbit.cells[i];
  QCOMPARE(got, cells);
  // Every member has the same orbit.
  for (const int cell : cells)
    QCOMPARE(OrbitOf(cell, symmetry).size, orbit.size);
}

void TestGraded::removeGivens_data() {
  QTest::addColumn<TSymmetry>("symmetry");
  QTest::addColumn<uint>("seed");
  for (const auto &[name, symmetry] :
       {std::pair{"none", TSymmetry::None}, std::pair{"180", TSymmetry::Rotate180},
        std::pair{"90", TSymmetry::Rotate90}, std::pair{"mirror", TSymmetry::Mirror}})
    for (uint seed : {1u, 2u, 3u})
      QTest::addRow("%s %u", name, seed) << symmetry << seed;
}

void TestGraded::removeGivens() {
  QFETCH(TSymmetry, symmetry);
  QFETCH(uint, seed);
  const TDigitsGrid solution = {5, 6, 1, 8, 4, 7, 9, 2, 3, 3, 7, 9, 5, 2, 1, 6, 8, 4, 4, 2, 8,
                                9, 6, 3, 1, 7, 5, 6, 1, 3, 7, 8, 9, 5, 4, 2, 7, 9, 4, 6, 5, 2,
                                3, 1, 8, 8, 5, 2, 1, 3, 4, 7, 9, 6, 9, 3, 5, 4, 7, 8, 2, 6, 1,
                                1, 4, 6, 2, 9, 5, 8, 3, 7, 2, 8, 7, 3, 1, 6, 4, 5, 9};
  QVERIFY(HasOneSolution(solution));
  TSeededRandom random(seed);
  const TDigitsGrid givens = RemoveGivens(solution, symmetry, random);
  QVERIFY(HasOneSolution(givens));
  int count = 0;
  for (int cell = 0; cell < CellCount; ++cell) {
    if (!givens[cell])
      continue;
    ++count;
    QCOMPARE(givens[cell], solution[cell]);
    const TOrbit orbit = OrbitOf(cell, symmetry);
    TDigitsGrid fewer = givens;
    for (int i = 0; i < orbit.size; ++i) {
      QVERIFY(givens[orbit.cells[i]] != 0);
      fewer[orbit.cells[i]] = 0;
    }
    // No orbit can go.
    QVERIFY(!HasOneSolution(fewer));
  }
  QVERIFY(count >= 17 && count < 40);
  if (symmetry == TSymmetry::None)
    QVERIFY(IsMinimal(givens));
}

void TestGraded::generate_data() {
  QTest::addColumn<TBand>("band");
  QTest::addColumn<TSymmetry>("symmetry");
  const std::pair<const char *, TBand> bands[] = {{"easy", TBand::Easy},
                                                  {"medium", TBand::Medium},
                                                  {"hard", TBand::Hard},
                                                  {"fiendish", TBand::Fiendish},
                                                  {"diabolical", TBand::Diabolical}};
  const std::pair<const char *, TSymmetry> symmetries[] = {{"none", TSymmetry::None},
                                                           {"180", TSymmetry::Rotate180},
                                                           {"90", TSymmetry::Rotate90},
                                                           {"mirror", TSymmetry::Mirror}};
  for (const auto &[bandName, band] : bands)
    for (const auto &[symmetryName, symmetry] : symmetries)
      QTest::addRow("%s %s", bandName, symmetryName) << band << symmetry;
}

void TestGraded::generate() {
  QFETCH(TBand, band);
  QFETCH(TSymmetry, symmetry);
  TSeededRandom random(std::uint32_t(int(band) * 10 + int(symmetry)));
  const std::optional<TGradedPuzzle> puzzle = GenerateGraded(band, symmetry, random);
  QVERIFY(puzzle);
  QVERIFY(HasOneSolution(puzzle->givens));
  if (UsualMinimality(band, symmetry) == TMinimality::Strict)
    QVERIFY(IsMinimal(puzzle->givens));
  for (int cell = 0; cell < CellCount; ++cell)
    if (puzzle->givens[cell]) {
      QCOMPARE(puzzle->givens[cell], puzzle->solution[cell]);
      const TOrbit orbit = OrbitOf(cell, symmetry);
      TDigitsGrid fewer = puzzle->givens;
      for (int i = 0; i < orbit.size; ++i) {
        QVERIFY(puzzle->givens[orbit.cells[i]] != 0);
        fewer[orbit.cells[i]] = 0;
      }
      QVERIFY(!HasOneSolution(fewer));
    }
  // Rated again from scratch, to its end.
  const TRating rating = RatePuzzle(GridOf(puzzle->givens));
  QCOMPARE(rating.result, TRatingResult::Solved);
  QCOMPARE(rating.er, puzzle->rating.er);
  QCOMPARE(BandOf(rating.er), band);
  QVERIFY(puzzle->attempts >= 1);
}

void TestGraded::strictlyMinimalSymmetric() {
  // Asked for where it is not the usual choice; the seed draws one within a
  // few dozen attempts, where most take thousands.
  TSeededRandom random(8u);
  TGradedOptions options;
  options.minimality = TMinimality::Strict;
  QCOMPARE(UsualMinimality(TBand::Hard, TSymmetry::Rotate90), TMinimality::Symmetric);
  const auto puzzle = GenerateGraded(TBand::Hard, TSymmetry::Rotate90, random, options);
  QVERIFY(puzzle);
  QVERIFY(IsMinimal(puzzle->givens));
  for (int cell = 0; cell < CellCount; ++cell)
    QCOMPARE(puzzle->givens[cell] != 0, puzzle->givens[80 - cell] != 0);
}

void TestGraded::extreme() {
  TSeededRandom random(2026u);
  int told = 0;
  TGradedOptions options;
  options.progress = [&](int attempts) { told = attempts; };
  const std::optional<TGradedPuzzle> puzzle =
      GenerateGraded(TBand::Extreme, TSymmetry::None, random, options);
  QVERIFY(puzzle);
  QVERIFY(HasOneSolution(puzzle->givens));
  QVERIFY(IsMinimal(puzzle->givens));
  QCOMPARE(puzzle->rating.result, TRatingResult::Solved);
  QVERIFY(puzzle->rating.er >= 90);
  // Progress came for every sixteenth attempt before the last.
  QCOMPARE(told, puzzle->attempts / 16 * 16);
}

void TestGraded::cancelAndAttempts() {
  TSeededRandom random(5u);
  std::atomic<bool> cancel{true};
  TGradedOptions options;
  options.cancel = &cancel;
  QVERIFY(!GenerateGraded(TBand::Hard, TSymmetry::None, random, options));
  // Cancelled from the progress callback, as the window's Cancel does.
  cancel = false;
  options.progress = [&](int) { cancel = true; };
  QVERIFY(!GenerateGraded(TBand::Extreme, TSymmetry::None, random, options));
  // No more attempts than allowed: Extreme is far rarer than one in three.
  TGradedOptions few;
  few.maxAttempts = 3;
  QVERIFY(!GenerateGraded(TBand::Extreme, TSymmetry::None, random, few));
  few.maxAttempts = 40;
  const auto found = GenerateGraded(TBand::Diabolical, TSymmetry::None, random, few);
  QVERIFY(found && found->attempts <= 40);
}

void TestGraded::sameDrawsSamePuzzle() {
  TSeededRandom a(9u), b(9u);
  const auto first = GenerateGraded(TBand::Medium, TSymmetry::Rotate180, a);
  const auto second = GenerateGraded(TBand::Medium, TSymmetry::Rotate180, b);
  QVERIFY(first && second);
  QVERIFY(first->givens == second->givens);
  QCOMPARE(first->attempts, second->attempts);
}

void TestGraded::cancelStopsAChainSearch() {
  // SE's ER 7.1, from cb000_ser.tsv: walk its path to the first chain.
  TCandidateGrid grid = TCandidateGrid::FromText(
      ".23..6.8......91...8.1..4..2.......7...8.....678.1......7.3.2...3...4.7....5.1.6.");
  TRatingOptions keep;
  keep.keepPath = true;
  const TRating rating = RatePuzzle(grid, keep);
  QCOMPARE(rating.er, 71);
  auto chain = std::find_if(rating.path.begin(), rating.path.end(),
                            [](const TStep &step) { return step.technique >= TTechnique::XCycle; });
  QVERIFY(chain != rating.path.end());
  for (auto step = rating.path.begin(); step != chain; ++step)
    ApplyStep(grid, *step);
  const std::atomic<bool> go{false}, stop{true};
  const std::optional<TStep> found = NextStep(grid, TTechnique::NestedForcingChain, &go);
  QVERIFY(found);
  QCOMPARE(found->eliminations, chain->eliminations);
  // Cancelled, the chains give up before their first cell.
  QVERIFY(!NextStep(grid, TTechnique::NestedForcingChain, &stop));
  TRatingOptions cancelled;
  cancelled.cancel = &stop;
  QCOMPARE(RatePuzzle(grid, cancelled).result, TRatingResult::Cancelled);
}

QTEST_GUILESS_MAIN(TestGraded)
#include "tst_graded.moc"
