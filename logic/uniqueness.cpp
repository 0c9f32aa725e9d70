#include "cellscan.h"
#include "eliminations.h"
#include "techniques.h"

#include <algorithm>
#include <array>

// Unique rectangles and loops. Take a closed path of cells that all hold two
// digits a and b, in which every unit the path touches holds exactly two of
// its cells, one at an even and one at an odd place. If those cells held only
// a and b, a and b could swap along the whole path, and the puzzle would have
// two solutions. It has one (the rater checks that before any step), so the
// cells that hold more than a and b must keep the pattern from forming.
//
// The loops are searched, and the steps ranked, as the reference rater does
// it: from each bivalue cell in row-major order, units box, row, column; all
// steps are gathered and the easiest wins, the lower type on a tie, then the
// one found first. The rater's search carries one quirk that decides which
// loops it finds: the extra digits it collects at one depth of the search
// build up across the sibling cells it tries there, not only along the path.
//
// A step lists the loop's cells in loop order, and its complexity is the
// loop's length, so that a type 3 step's set cells, which follow, can be told
// from the loop.

namespace {

constexpr int MaxLoop = 18; // the even cells take nine distinct rows, as do the odd ones

std::uint32_t UnitMask(int cell) {
  return std::uint32_t(1) << RowUnit(RowOf(cell)) | std::uint32_t(1) << ColumnUnit(ColOf(cell)) |
         std::uint32_t(1) << BoxUnit(BoxOf(cell));
}

// A longer loop is harder to see: 4.5 for a rectangle, +0.1 for six cells,
// +0.2 for eight, +0.5 for ten or more.
int LoopRating(int length) {
  return length >= 10 ? 50 : length >= 8 ? 47 : length >= 6 ? 46 : 45;
}

// The rater tells its steps apart by kind, where a naked and a hidden type 3
// are different kinds.
enum class TKind { Type1, Type2, Naked, Hidden, Type4 };

struct TFound {
  TStep step;
  TKind kind;
  TCellSet loop;
  TCellSet setCells; // type 3: the cells of the naked or hidden set besides the loop's
  TDigits setDigits = 0;

  bool SameAs(const TFound &other) const {
    if (kind != other.kind || !(loop == other.loop))
      return false;
    if (kind != TKind::Naked && kind != TKind::Hidden)
      return true;
    return step.units == other.step.units && setCells == other.setCells &&
           setDigits == other.setDigits;
  }
};

class TLoopFinder {
public:
  TLoopFinder(const TCandidateGrid &grid, TFind find) : m_grid(grid), m_find(find) {}

  void Run() {
    for (const int cell : scan::RowMajorCells) {
      const TDigits digits = m_grid.Candidates(cell);
      if (DigitCount(digits) != 2)
        continue;
      m_pair = digits;
      Explore(cell, 2, 0, -1);
      if (m_done)
        return;
    }
  }

  bool Emit(TSteps &out) {
    if (m_found.empty())
      return false;
    std::stable_sort(m_found.begin(), m_found.end(), [](const TFound &a, const TFound &b) {
      return a.step.rating != b.step.rating ? a.step.rating < b.step.rating
                                            : a.step.variant < b.step.variant;
    });
    for (TFound &found : m_found)
      out.push_back(std::move(found.step));
    return true;
  }

private:
  void Explore(int cell, int allowedExtra, TDigits extra, int lastKind);
  void Closed();
  void Type2(const std::array<int, MaxLoop> &extraCells, int count);
  void Type3(int c1, int c2, TDigits extra);
  void Type4(int c1, int c2);

  // Whether a step of this rating and type could still be the one offered.
  bool Wanted(int rating, int type) const {
    if (m_find == TFind::All || m_found.empty())
      return true;
    const TStep &best = m_found.front().step;
    return rating < best.rating || (rating == best.rating && type < best.variant);
  }
  TStep LoopStep(int type, int rating) const;
  void Offer(TFound &&found);

  const TCandidateGrid &m_grid;
  const TFind m_find;
  TDigits m_pair = 0;
  std::array<int, MaxLoop> m_loop{};
  int m_length = 0;
  TCellSet m_inLoop;
  std::uint32_t m_used[2] = {0, 0}; // the units of the even and of the odd cells
  bool m_done = false;
  std::vector<TFound> m_found; // with TFind::First, only the best so far
};

void TLoopFinder::Explore(int cell, int allowedExtra, TDigits extra, int lastKind) {
  const int parity = m_length % 2;
  m_loop[m_length++] = cell;
  m_inLoop.Add(cell);
  m_used[parity] |= UnitMask(cell);
  for (int k = 0; k < 3 && !m_done; ++k) {
    if (k == lastKind)
      continue;
    for (const int next : scan::Cells[scan::UnitOf(cell, scan::Kinds[k])]) {
      if (next == m_loop[0] && m_length >= 4) {
        Closed();
        if (m_done)
          break;
        continue;
      }
      if (m_inLoop.Has(next))
        continue;
      const TDigits digits = m_grid.Candidates(next);
      if ((digits & m_pair) != m_pair)
        continue;
      extra |= digits & ~m_pair;
      const bool plain = DigitCount(digits) == 2;
      // Cells beyond the two digits: at most two, or any number that share
      // one single extra digit.
      if (!plain && DigitCount(extra) != 1 && allowedExtra <= 0)
        continue;
      // A path that meets a unit twice at the same parity can never close into
      // a loop the rater accepts; it would walk on and throw every such loop away.
      if (m_length == MaxLoop || (UnitMask(next) & m_used[m_length % 2]) != 0)
        continue;
      Explore(next, allowedExtra - (plain ? 0 : 1), extra, k);
      if (m_done)
        break;
    }
  }
  --m_length;
  m_inLoop.Remove(cell);
  m_used[parity] &= ~UnitMask(cell);
}

TStep TLoopFinder::LoopStep(int type, int rating) const {
  TStep step;
  step.technique = TTechnique::UniqueRectangle;
  step.rating = rating;
  step.variant = type;
  step.digits = m_pair;
  step.complexity = m_length;
  step.cells.assign(m_loop.begin(), m_loop.begin() + m_length);
  return step;
}

void TLoopFinder::Offer(TFound &&found) {
  found.loop = m_inLoop;
  if (m_find == TFind::First) {
    m_found.clear();
    m_found.push_back(std::move(found));
    const TStep &step = m_found.front().step;
    m_done = step.rating == LoopRating(4) && step.variant == 1; // nothing can beat it
    return;
  }
  for (const TFound &earlier : m_found)
    if (earlier.SameAs(found))
      return;
  m_found.push_back(std::move(found));
}

void TLoopFinder::Closed() {
  if (m_used[0] != m_used[1])
    return; // some unit holds only one of the cells
  std::array<int, MaxLoop> extraCells{};
  int count = 0;
  for (int i = 0; i < m_length; ++i)
    if (DigitCount(m_grid.Candidates(m_loop[i])) > 2)
      extraCells[count++] = m_loop[i];
  const int rating = LoopRating(m_length);
  if (count == 1) {
    if (!Wanted(rating, 1))
      return;
    TFound found{LoopStep(1, rating), TKind::Type1, {}, {}, 0};
    TEliminations removed;
    removed.Add(extraCells[0], m_pair);
    removed.AppendTo(found.step);
    Offer(std::move(found));
  } else if (count > 2) {
    Type2(extraCells, count);
  } else if (count == 2) {
    const int c1 = extraCells[0], c2 = extraCells[1];
    const TDigits extra = (m_grid.Candidates(c1) | m_grid.Candidates(c2)) & ~m_pair;
    if (DigitCount(extra) == 1)
      Type2(extraCells, count);
    else
      Type3(c1, c2, extra);
    Type4(c1, c2);
  }
  // No cell beyond the two digits: the puzzle would have two solutions.
}

// One of the cells with the one extra digit must hold it.
void TLoopFinder::Type2(const std::array<int, MaxLoop> &extraCells, int count) {
  const int rating = LoopRating(m_length);
  if (!Wanted(rating, 2))
    return;
  const TDigits extra = m_grid.Candidates(extraCells[0]) & ~m_pair;
  const int digit = FirstDigit(extra);
  TCellSet seeAll = m_grid.Cells(digit);
  TCellSet holders;
  for (int i = 0; i < count; ++i) {
    seeAll &= PeerSets[extraCells[i]];
    holders.Add(extraCells[i]);
  }
  seeAll -= holders;
  if (seeAll.Empty())
    return;
  TFound found{LoopStep(2, rating), TKind::Type2, {}, {}, 0};
  TEliminations removed;
  removed.Add(seeAll, DigitBit(digit));
  removed.AppendTo(found.step);
  Offer(std::move(found));
}

// Two extra cells in one unit: one of them holds an extra digit, so together
// they act as one cell with the extra digits, which may complete a naked set;
// or, since at most one of them holds a or b, as one cell that may complete a
// hidden set of a, b and digits neither of them holds.
void TLoopFinder::Type3(int c1, int c2, TDigits extra) {
  const int base = LoopRating(m_length);
  const TDigits both = m_grid.Candidates(c1) & m_grid.Candidates(c2);
  for (int degree = DigitCount(extra); degree <= 7; ++degree) {
    for (const TUnitKind kind : scan::Kinds) {
      const int unit = scan::UnitOf(c1, kind);
      if (unit != scan::UnitOf(c2, kind))
        continue;
      const auto &cells = scan::Cells[unit];
      const int index1 = scan::IndexOf(unit, c1), index2 = scan::IndexOf(unit, c2);
      const int open = (UnitSets[unit] & m_grid.OpenCells()).Count();

      const int nakedRating = base + degree - 1;
      if (degree * 2 <= open && Wanted(nakedRating, 3)) {
        unsigned mask = scan::FirstSubset(degree);
        do {
          if ((mask >> index1 & 1) == 0 || (mask >> index2 & 1) != 0)
            continue;
          // Each extra digit must lie in both loop cells or in a set cell.
          TDigits strict = extra & both, all = extra;
          TCellSet members;
          bool usable = true;
          for (int i = 0; i < 9 && usable; ++i)
            if ((mask >> i & 1) != 0 && i != index1) {
              const TDigits digits = m_grid.Candidates(cells[i]);
              usable = DigitCount(digits) > 1;
              strict |= digits;
              all |= digits;
              members.Add(cells[i]);
            }
          if (!usable || DigitCount(strict) != degree || DigitCount(all) != degree)
            continue;
          TEliminations removed;
          for (const int cell : UnitSets[unit] - members - TCellSet::Of(c1) - TCellSet::Of(c2))
            removed.Add(cell, m_grid.Candidates(cell) & all);
          if (removed.Empty())
            continue;
          TFound found{LoopStep(3, nakedRating), TKind::Naked, {}, members, all};
          for (int i = 0; i < 9; ++i)
            if (members.Has(cells[i]))
              found.step.cells.push_back(std::uint8_t(cells[i]));
          found.step.units.push_back(std::uint8_t(unit));
          removed.AppendTo(found.step);
          Offer(std::move(found));
          if (!Wanted(nakedRating, 3))
            break;
        } while (scan::NextSubset(mask, 9));
      }

      const TDigits others = TDigits(AllDigits & ~m_pair & ~extra);
      const int hiddenRating = base + degree - 2;
      if (degree * 2 < open && degree - 2 <= DigitCount(others) && Wanted(hiddenRating, 3)) {
        // The rater picks the other digits of the set as combinations of the
        // digits that are left, in ascending order.
        std::array<int, 9> spare{};
        int spareCount = 0;
        for (TDigits rest = others; rest;)
          spare[spareCount++] = TakeDigit(rest);
        unsigned pick = scan::FirstSubset(degree - 2);
        do {
          TDigits digits = m_pair;
          for (int i = 0; i < spareCount; ++i)
            if ((pick >> i & 1) != 0)
              digits |= DigitBit(spare[i]);
          // The positions of the set's digits, c2 counted as c1.
          std::uint32_t where = 0;
          bool usable = true;
          for (TDigits rest = digits; rest && usable;) {
            const int digit = TakeDigit(rest);
            std::uint32_t at = 0;
            for (int i = 0; i < 9; ++i)
              if (m_grid.Has(cells[i], digit) && i != index2)
                at |= std::uint32_t(1) << i;
            usable = at != 0;
            where |= at;
          }
          if (!usable || BitCount(where) != degree)
            continue;
          TEliminations removed;
          TCellSet members;
          for (int i = 0; i < 9; ++i)
            if ((where >> i & 1) != 0 && i != index1) {
              members.Add(cells[i]);
              removed.Add(cells[i], TDigits(m_grid.Candidates(cells[i]) & ~digits));
            }
          if (removed.Empty())
            continue;
          const int rating = base + members.Count() - 1;
          TFound found{LoopStep(3, rating), TKind::Hidden, {}, members, digits};
          for (int i = 0; i < 9; ++i)
            if (members.Has(cells[i]))
              found.step.cells.push_back(std::uint8_t(cells[i]));
          found.step.units.push_back(std::uint8_t(unit));
          removed.AppendTo(found.step);
          if (Wanted(rating, 3))
            Offer(std::move(found));
          if (!Wanted(hiddenRating, 3))
            break;
        } while (scan::NextSubset(pick, spareCount));
      }
    }
  }
}

// Two extra cells in one unit where one loop digit has no other place: one
// of the two cells holds it, so the other must not hold the other loop digit.
void TLoopFinder::Type4(int c1, int c2) {
  const int rating = LoopRating(m_length);
  if (!Wanted(rating, 4))
    return;
  const TCellSet pair = TCellSet::Of(c1) | TCellSet::Of(c2);
  const int low = FirstDigit(m_pair), high = FirstDigit(TDigits(m_pair & (m_pair - 1)));
  int lockLow = -1, lockHigh = -1; // the last unit of each kind order that locks the digit
  for (const TUnitKind kind : scan::Kinds) {
    const int unit = scan::UnitOf(c1, kind);
    if (unit != scan::UnitOf(c2, kind))
      continue;
    const TCellSet rest = UnitSets[unit] - pair;
    if ((rest & m_grid.Cells(low)).Empty())
      lockLow = unit;
    if ((rest & m_grid.Cells(high)).Empty())
      lockHigh = unit;
  }
  if (lockLow < 0 && lockHigh < 0)
    return;
  const int unit = lockLow >= 0 ? lockLow : lockHigh;
  const int removed = lockLow >= 0 ? high : low;
  TFound found{LoopStep(4, rating), TKind::Type4, {}, {}, 0};
  found.step.units.push_back(std::uint8_t(unit));
  TEliminations eliminations;
  eliminations.Add(pair, DigitBit(removed));
  eliminations.AppendTo(found.step);
  Offer(std::move(found));
}

} // namespace

bool FindUniqueLoops(const TCandidateGrid &grid, TFind find, TSteps &out) {
  TLoopFinder finder(grid, find);
  finder.Run();
  return finder.Emit(out);
}
