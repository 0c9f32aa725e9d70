#include "techniques.h"

#include <QtTest>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Unique rectangles and loops, BUG and aligned exclusion on positions met
// while solving (tests/data/patterns.txt). Each step's eliminations are
// proved here by search, the shape of its pattern is checked against the
// technique's definition, and its rating against the scale's rule for it.
class TestPatterns : public QObject {
  Q_OBJECT

private slots:
  void firstStep_data();
  void firstStep();
  void alignedDefinition_data();
  void alignedDefinition();
};

namespace {

struct TPosition {
  std::string technique;
  int type = 0, rating = 0, length = 0; // length: of the loop, or the BUG cells' count
  TCandidateGrid grid;
};

TCandidateGrid Position(const std::string &text) {
  TCandidateGrid grid;
  const std::size_t colon = text.find(':');
  for (int i = 0; i < CellCount; ++i)
    if (text[std::size_t(i)] >= '1' && text[std::size_t(i)] <= '9')
      grid.Place(CellOf(i % 9, i / 9), text[std::size_t(i)] - '0');
  std::istringstream deleted(text.substr(colon + 1));
  for (std::string item; deleted >> item;)
    grid.Eliminate(CellOf(item[2] - '1', item[1] - '1'), item[0] - '0');
  return grid;
}

std::vector<TPosition> ReadPositions() {
  std::vector<TPosition> positions;
  std::ifstream in(NINEGROVE_TEST_DATA "/patterns.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    TPosition position;
    std::string text;
    fields >> position.technique >> position.type >> position.rating >> position.length >> std::ws;
    std::getline(fields, text);
    position.grid = Position(text);
    positions.push_back(position);
  }
  return positions;
}

const std::vector<TPosition> &Positions() {
  static const std::vector<TPosition> positions = ReadPositions();
  return positions;
}

// Plain search: solutions counted up to limit.
int Solutions(const TCandidateGrid &grid, int limit) {
  int best = -1;
  for (const int cell : grid.OpenCells()) {
    const int count = DigitCount(grid.Candidates(cell));
    if (count == 0)
      return 0;
    if (best < 0 || count < DigitCount(grid.Candidates(best)))
      best = cell;
  }
  if (best < 0)
    return 1;
  int found = 0;
  for (TDigits rest = grid.Candidates(best); rest && found < limit;) {
    TCandidateGrid next = grid;
    next.Place(best, TakeDigit(rest));
    found += Solutions(next, limit - found);
  }
  return found;
}

bool Find(const std::string &technique, const TCandidateGrid &grid, TFind find, TSteps &out) {
  if (technique == "UR")
    return FindUniqueLoops(grid, find, out);
  if (technique == "BUG")
    return FindBug(grid, find, out);
  return FindAlignedExclusion(grid, technique == "APE" ? 2 : 3, find, out);
}

bool SameUnit(int a, int b) {
  return RowOf(a) == RowOf(b) || ColOf(a) == ColOf(b) || BoxOf(a) == BoxOf(b);
}

// A unique loop: every cell holds both digits, each cell shares a unit with
// the next, and every unit the loop touches holds two of its cells, one at
// an even and one at an odd place.
void CheckLoop(const TCandidateGrid &grid, const TStep &step) {
  const int length = step.complexity;
  QVERIFY(length >= 4 && length % 2 == 0 && length <= int(step.cells.size()));
  QCOMPARE(DigitCount(step.digits), 2);
  for (int unit = 0; unit < UnitCount; ++unit) {
    int even = 0, odd = 0;
    for (int i = 0; i < length; ++i)
      if (UnitSets[unit].Has(step.cells[std::size_t(i)]))
        ++(i % 2 ? odd : even);
    QVERIFY2((even == 0 && odd == 0) || (even == 1 && odd == 1), UnitName(unit).c_str());
  }
  for (int i = 0; i < length; ++i) {
    const int cell = step.cells[std::size_t(i)];
    QCOMPARE(grid.Candidates(cell) & step.digits, step.digits);
    QVERIFY(SameUnit(cell, step.cells[std::size_t((i + 1) % length)]));
  }
}

// 4.5 for a rectangle, more for a longer loop; a type 3 adds a tenth for
// each digit of its naked set beyond the first, or of its hidden set beyond
// the second. A hidden set's eliminations lie in its own cells.
int LoopRating(const TStep &step) {
  const int length = step.complexity;
  const int base = length >= 10 ? 50 : length >= 8 ? 47 : length >= 6 ? 46 : 45;
  if (step.variant != 3)
    return base;
  const int setCells = int(step.cells.size()) - length;
  bool hidden = true;
  for (const TCandidate &c : step.eliminations)
    hidden = hidden &&
             std::find(step.cells.begin() + length, step.cells.end(), c.cell) != step.cells.end();
  return base + (hidden ? setCells - 1 : setCells);
}

// Every open cell with two candidates, every digit with none or two places
// in each unit.
bool IsGrave(const TCandidateGrid &grid) {
  for (const int cell : grid.OpenCells())
    if (DigitCount(grid.Candidates(cell)) != 2)
      return false;
  for (int digit = 1; digit <= 9; ++digit)
    for (int unit = 0; unit < UnitCount; ++unit) {
      const int places = (grid.Cells(digit) & UnitSets[unit]).Count();
      if (places != 0 && places != 2)
        return false;
    }
  return true;
}

// Whether taking some of the BUG digits from each BUG cell, from cell k on,
// down to two candidates leaves a grave.
bool GraveWithout(const TCandidateGrid &grid, const TStep &step, int k) {
  if (k == step.complexity)
    return IsGrave(grid);
  const int cell = step.cells[std::size_t(k)];
  const TDigits bug = grid.Candidates(cell) & step.digits;
  for (TDigits taken = bug; taken; taken = TDigits((taken - 1) & bug)) {
    if (DigitCount(TDigits(grid.Candidates(cell) & ~taken)) != 2)
      continue;
    TCandidateGrid without = grid;
    for (TDigits rest = taken; rest;)
      without.Eliminate(cell, TakeDigit(rest));
    if (GraveWithout(without, step, k + 1))
      return true;
  }
  return false;
}

// The BUG cells hold three candidates or more, and without some of their
// BUG digits the grid would be a grave.
void CheckGrave(const TCandidateGrid &grid, const TStep &step) {
  QVERIFY(step.complexity >= 1 && step.complexity <= int(step.cells.size()));
  for (int k = 0; k < step.complexity; ++k)
    QVERIFY(DigitCount(grid.Candidates(step.cells[std::size_t(k)])) >= 3);
  QVERIFY(GraveWithout(grid, step, 0));
}

// The exclusion rule worked out by brute force over every combination of
// the base cells' digits: the digits of each base cell found in no allowed
// combination.
std::vector<TCandidate> Excluded(const TCandidateGrid &grid, const std::vector<int> &base,
                                 const std::vector<int> &excluders) {
  const int size = int(base.size());
  std::vector<TDigits> allowed(base.size(), 0);
  std::vector<int> digits(base.size(), 1);
  while (true) {
    bool possible = true;
    TDigits used = 0;
    for (int i = 0; i < size; ++i) {
      possible = possible && grid.Has(base[std::size_t(i)], digits[std::size_t(i)]);
      used |= DigitBit(digits[std::size_t(i)]);
      for (int j = 0; j < i; ++j)
        possible = possible && !(digits[std::size_t(i)] == digits[std::size_t(j)] &&
                                 ArePeers(base[std::size_t(i)], base[std::size_t(j)]));
    }
    for (const int cell : excluders)
      possible = possible && (grid.Candidates(cell) & ~used) != 0;
    if (possible)
      for (int i = 0; i < size; ++i)
        allowed[std::size_t(i)] |= DigitBit(digits[std::size_t(i)]);
    int k = 0;
    while (k < size && digits[std::size_t(k)] == 9)
      digits[std::size_t(k++)] = 1;
    if (k == size)
      break;
    ++digits[std::size_t(k)];
  }
  std::vector<TCandidate> result;
  for (int i = 0; i < size; ++i)
    for (int d = 1; d <= 9; ++d)
      if (grid.Has(base[std::size_t(i)], d) && (allowed[std::size_t(i)] & DigitBit(d)) == 0)
        result.push_back({std::uint8_t(base[std::size_t(i)]), std::uint8_t(d)});
  std::sort(result.begin(), result.end());
  return result;
}

// Base cells first, then excluders that see them all and hold two (for a
// pair) or two or three candidates; the eliminations are what the rule gives.
void CheckAligned(const TCandidateGrid &grid, const TStep &step) {
  const std::size_t size = std::size_t(step.variant);
  QVERIFY(size == 2 || size == 3);
  QVERIFY(step.cells.size() >= size + 2);
  const std::vector<int> base(step.cells.begin(), step.cells.begin() + std::ptrdiff_t(size));
  const std::vector<int> excluders(step.cells.begin() + std::ptrdiff_t(size), step.cells.end());
  for (const int cell : excluders) {
    const int count = DigitCount(grid.Candidates(cell));
    QVERIFY(count >= 2 && count <= int(size));
    for (const int b : base)
      QVERIFY(ArePeers(cell, b));
  }
  QCOMPARE(step.eliminations, Excluded(grid, base, excluders));
}

// Sorted, on candidates the grid holds, and each false: with it placed the
// position has no solution.
void CheckEliminations(const TCandidateGrid &grid, const TStep &step) {
  QVERIFY(!step.eliminations.empty());
  QVERIFY(std::is_sorted(step.eliminations.begin(), step.eliminations.end()));
  QVERIFY(std::adjacent_find(step.eliminations.begin(), step.eliminations.end()) ==
          step.eliminations.end());
  for (const TCandidate &c : step.eliminations) {
    QVERIFY(grid.Has(c.cell, c.digit));
    TCandidateGrid placed = grid;
    placed.Place(c.cell, c.digit);
    QVERIFY2(Solutions(placed, 1) == 0, qPrintable(QString::fromStdString(StepText(step))));
  }
}

} // namespace

void TestPatterns::firstStep_data() {
  QTest::addColumn<int>("index");
  const std::vector<TPosition> &positions = Positions();
  QCOMPARE(int(positions.size()), 19);
  for (std::size_t i = 0; i < positions.size(); ++i)
    QTest::addRow("%s type %d rating %d cells %d", positions[i].technique.c_str(),
                  positions[i].type, positions[i].rating, positions[i].length)
        << int(i);
}

// The first step is the one the scale's solver takes, and every step the
// finder offers in the position is proved and shaped as its rule says.
void TestPatterns::firstStep() {
  QFETCH(int, index);
  const TPosition &position = Positions()[std::size_t(index)];
  const TCandidateGrid &grid = position.grid;
  QCOMPARE(Solutions(grid, 2), 1); // what the uniqueness steps rest on
  TSteps first, all;
  QVERIFY(Find(position.technique, grid, TFind::First, first));
  QCOMPARE(int(first.size()), 1);
  QVERIFY(Find(position.technique, grid, TFind::All, all));
  QCOMPARE(first.front().eliminations, all.front().eliminations);
  QCOMPARE(first.front().cells, all.front().cells);
  const TStep &step = first.front();
  QCOMPARE(step.variant, position.type);
  QCOMPARE(step.rating, position.rating);
  QCOMPARE(step.complexity, position.length);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const TStep &each = all[i];
    CheckEliminations(grid, each);
    if (i > 0) // easiest first, the lower type on a tie
      QVERIFY(all[i - 1].rating < each.rating ||
              (all[i - 1].rating == each.rating && all[i - 1].variant <= each.variant));
    if (position.technique == "UR") {
      QCOMPARE(each.technique, TTechnique::UniqueRectangle);
      CheckLoop(grid, each);
      QCOMPARE(each.rating, LoopRating(each));
    } else if (position.technique == "BUG") {
      QCOMPARE(each.technique, TTechnique::BivalueUniversalGrave);
      CheckGrave(grid, each);
      const int set = int(each.cells.size()) - each.complexity; // a type 3's other cells
      QCOMPARE(each.rating, each.variant == 1 ? 56 : each.variant == 3 ? 57 + set : 57);
    } else {
      CheckAligned(grid, each);
    }
    if (QTest::currentTestFailed())
      return;
  }
}

void TestPatterns::alignedDefinition_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("size");
  const std::vector<TPosition> &positions = Positions();
  for (std::size_t i = 0; i < positions.size(); ++i)
    for (const int size : {2, 3})
      QTest::addRow("%s %d, size %d", positions[i].technique.c_str(), int(i), size)
          << int(i) << size;
}

// Every aligned exclusion in every position, whichever technique the
// position was collected for; and all of them together eliminate what the
// rule gives over every set of cells the scale's solver considers: base
// cells with two candidates or more, no peer with one and some excluder,
// and for a triplet a third cell that is an excluder of one of the others.
void TestPatterns::alignedDefinition() {
  QFETCH(int, index);
  QFETCH(int, size);
  const TCandidateGrid &grid = Positions()[std::size_t(index)].grid;
  TSteps steps;
  FindAlignedExclusion(grid, size, TFind::All, steps);
  for (const TStep &step : steps) {
    QCOMPARE(step.technique,
             size == 2 ? TTechnique::AlignedPairExclusion : TTechnique::AlignedTripletExclusion);
    QCOMPARE(step.rating, size == 2 ? 62 : 75);
    CheckAligned(grid, step);
    CheckEliminations(grid, step);
    if (QTest::currentTestFailed())
      return;
  }
  std::vector<TCandidate> found, expected;
  for (const TStep &step : steps)
    found.insert(found.end(), step.eliminations.begin(), step.eliminations.end());
  std::vector<int> base;
  std::vector<std::vector<int>> excluders(CellCount);
  const auto excluder = [&](int cell) {
    const int count = DigitCount(grid.Candidates(cell));
    return count >= 2 && count <= size;
  };
  for (int cell = 0; cell < CellCount; ++cell) {
    bool single = false;
    for (const int peer : Peers[cell]) {
      single = single || DigitCount(grid.Candidates(peer)) == 1;
      if (excluder(peer))
        excluders[std::size_t(cell)].push_back(peer);
    }
    if (DigitCount(grid.Candidates(cell)) >= 2 && !single && !excluders[std::size_t(cell)].empty())
      base.push_back(cell);
  }
  const auto common = [&](const std::vector<int> &cells) {
    std::vector<int> shared;
    for (const int e : excluders[std::size_t(cells[0])])
      if (std::all_of(cells.begin(), cells.end(), [&](int c) { return ArePeers(c, e); }))
        shared.push_back(e);
    return shared;
  };
  for (std::size_t i = 0; i < base.size(); ++i)
    for (std::size_t j = i + 1; j < base.size(); ++j) {
      std::vector<std::vector<int>> sets;
      if (size == 2)
        sets.push_back({base[i], base[j]});
      else
        for (const int third : base)
          if (third != base[i] && third != base[j] && excluder(third) &&
              (ArePeers(third, base[i]) || ArePeers(third, base[j])))
            sets.push_back({base[i], base[j], third});
      for (const std::vector<int> &cells : sets) {
        const std::vector<int> shared = common(cells);
        if (shared.size() < 2)
          continue;
        const std::vector<TCandidate> excluded = Excluded(grid, cells, shared);
        expected.insert(expected.end(), excluded.begin(), excluded.end());
      }
    }
  for (std::vector<TCandidate> *list : {&found, &expected}) {
    std::sort(list->begin(), list->end());
    list->erase(std::unique(list->begin(), list->end()), list->end());
  }
  QCOMPARE(found, expected);
}

QTEST_APPLESS_MAIN(TestPatterns)
#include "tst_patterns.moc"
