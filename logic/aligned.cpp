#include "cellscan.h"
#include "eliminations.h"
#include "techniques.h"

#include <array>

// Aligned pair and triplet exclusion. Take two (or three) base cells and the
// cells with two (or two or three) candidates that see all of them, the
// excluders. A combination of digits for the base cells is impossible if two
// base cells that see each other get the same digit, or if it uses up every
// candidate of one excluder. A base cell's digit that appears in no possible
// combination is eliminated.
//
// Base cells and their order are the reference rater's: cells with two or
// more candidates, row by row, that see at least one excluder and no cell
// with a single candidate. Pairs of base cells come in the order of its
// combinations, the later cell outer; a triplet's third cell is an excluder
// of one of the first two that is itself a base cell, in the order of their
// peer lists. The base cells need not share a unit.

namespace {

constexpr int MaxExcluders = 20;

constexpr std::array<std::array<std::uint8_t, CellCount>, CellCount> MakePeerIndex() {
  std::array<std::array<std::uint8_t, CellCount>, CellCount> index{};
  for (int cell = 0; cell < CellCount; ++cell)
    for (int i = 0; i < 20; ++i)
      index[cell][scan::Peers[cell][i]] = std::uint8_t(i);
  return index;
}
constexpr auto PeerIndexes = MakePeerIndex();

// Whether a set holds two cells or more, without counting them.
bool TwoOrMore(const TCellSet &set) {
  return ((set.low & (set.low - 1)) | (set.high & (set.high - 1))) != 0 ||
         (set.low != 0 && set.high != 0);
}

bool Sees(int a, int b) {
  return PeerSets[a].Has(b);
}

// Where a peer comes in a cell's peer order.
int PeerIndex(int cell, int peer) {
  return PeerIndexes[cell][peer];
}

class TAlignedFinder {
public:
  TAlignedFinder(const TCandidateGrid &grid, int size, TFind find, TSteps &out)
      : m_grid(grid), m_size(size), m_find(find), m_out(out) {}

  void Run() {
    TCellSet single, small;
    for (const int cell : m_grid.OpenCells()) {
      const int count = DigitCount(m_grid.Candidates(cell));
      if (count == 1)
        single.Add(cell);
      else if (count <= m_size)
        small.Add(cell);
    }
    for (const int cell : scan::RowMajorCells) {
      if (DigitCount(m_grid.Candidates(cell)) < 2 || (PeerSets[cell] & single).Any())
        continue;
      m_excluders[cell] = PeerSets[cell] & small;
      if (m_excluders[cell].Empty())
        continue;
      m_base[m_count++] = std::uint8_t(cell);
      m_isBase.Add(cell);
    }
    if (m_count < m_size)
      return;
    for (int j = 1; j < m_count; ++j)
      for (int i = 0; i < j; ++i) {
        const int a = m_base[i], b = m_base[j];
        const TCellSet common = m_excluders[a] & m_excluders[b];
        if (!TwoOrMore(common))
          continue; // a third cell can only thin the excluders out
        if (m_size == 2)
          Pair(a, b, common);
        else
          Triplets(a, b, common);
        if (m_find == TFind::First && m_offered)
          return;
      }
  }

  bool Offered() const { return m_offered; }

private:
  int Masks(const TCellSet &excluders, std::array<TDigits, MaxExcluders> &masks) const {
    int count = 0;
    for (const int cell : excluders)
      masks[count++] = m_grid.Candidates(cell);
    return count;
  }

  void Pair(int a, int b, const TCellSet &common) {
    std::array<TDigits, MaxExcluders> masks{};
    const int count = Masks(common, masks);
    const TDigits da = m_grid.Candidates(a), db = m_grid.Candidates(b);
    const bool see = Sees(a, b);
    TDigits allowedA = 0, allowedB = 0;
    for (TDigits rest = da; rest;) {
      const int digit = TakeDigit(rest);
      const TDigits bit = DigitBit(digit);
      // b's digits that, with this one, use up a two-candidate excluder
      TDigits barred = see ? bit : 0;
      for (int k = 0; k < count; ++k)
        if (masks[k] & bit)
          barred |= masks[k] & ~bit;
      const TDigits partners = db & ~barred;
      if (partners) {
        allowedA |= bit;
        allowedB |= partners;
      }
    }
    const std::array<int, 3> cells = {a, b, -1};
    Offer(cells, {TDigits(da & ~allowedA), TDigits(db & ~allowedB), 0}, common);
  }

  void Triplets(int a, int b, const TCellSet &common) {
    // The twin area: excluders of a, then of b, that are base cells, each in
    // its peer order. Few of them leave two excluders, so those are picked
    // out by set first and only then put in order.
    const TCellSet fromA = m_excluders[a] & m_isBase;
    const TCellSet fromB = (m_excluders[b] & m_isBase) - fromA;
    std::array<std::uint8_t, 40> order{};
    std::array<std::uint8_t, 40> thirds{};
    int count = 0;
    for (const int third : (fromA | fromB) - TCellSet::Of(a) - TCellSet::Of(b)) {
      if (!TwoOrMore(common & m_excluders[third]))
        continue;
      const int key = fromA.Has(third) ? PeerIndex(a, third) : 20 + PeerIndex(b, third);
      int i = count++;
      for (; i > 0 && order[i - 1] > key; --i) {
        order[i] = order[i - 1];
        thirds[i] = thirds[i - 1];
      }
      order[i] = std::uint8_t(key);
      thirds[i] = std::uint8_t(third);
    }
    for (int i = 0; i < count; ++i) {
      Triplet(a, b, thirds[i], common & m_excluders[thirds[i]]);
      if (m_find == TFind::First && m_offered)
        return;
    }
  }

  // For each digit x of a, which pairs (y, z) of b's and c's digits may go
  // with it: per y, the z that are barred. A two-candidate excluder {r, s}
  // bars (r, s) and (s, r) whatever x is; when x takes one of its digits it
  // bars the other from b and from c outright, which covers the pair rule.
  // A three-candidate excluder {x, r, s} bars (r, s) and (s, r).
  void Triplet(int a, int b, int c, const TCellSet &common) {
    std::array<TDigits, MaxExcluders> masks{};
    const int count = Masks(common, masks);
    const TDigits da = m_grid.Candidates(a), db = m_grid.Candidates(b), dc = m_grid.Candidates(c);
    const bool seeAB = Sees(a, b), seeAC = Sees(a, c), seeBC = Sees(b, c);
    std::array<TDigits, 10> pairBarred{}; // by digit of b: the digits of c barred with it
    for (int k = 0; k < count; ++k)
      if (DigitCount(masks[k]) == 2) {
        const int r = FirstDigit(masks[k]), s = FirstDigit(TDigits(masks[k] & (masks[k] - 1)));
        pairBarred[r] |= DigitBit(s);
        pairBarred[s] |= DigitBit(r);
      }
    TDigits allowedA = 0, allowedB = 0, allowedC = 0;
    for (TDigits restA = da; restA;) {
      const int x = TakeDigit(restA);
      const TDigits bit = DigitBit(x);
      std::array<TDigits, 10> barred = pairBarred;
      TDigits everyY = seeAC ? bit : 0; // digits of c barred whatever b holds
      TDigits noY = seeAB ? bit : 0;    // digits of b barred whatever c holds
      for (int k = 0; k < count; ++k) {
        if ((masks[k] & bit) == 0)
          continue;
        const TDigits rest = TDigits(masks[k] & ~bit);
        if ((rest & (rest - 1)) == 0) {
          everyY |= rest;
          noY |= rest;
        } else {
          const int r = FirstDigit(rest), s = FirstDigit(TDigits(rest & (rest - 1)));
          barred[r] |= DigitBit(s);
          barred[s] |= DigitBit(r);
        }
      }
      for (TDigits restB = TDigits(db & ~noY); restB;) {
        const int y = TakeDigit(restB);
        const TDigits thirds = TDigits(dc & ~(everyY | barred[y] | (seeBC ? DigitBit(y) : 0)));
        if (thirds) {
          allowedA |= bit;
          allowedB |= DigitBit(y);
          allowedC |= thirds;
          if (allowedB == db && allowedC == dc)
            break; // b and c keep every digit; x is what was in question
        }
      }
    }
    Offer({a, b, c}, {TDigits(da & ~allowedA), TDigits(db & ~allowedB), TDigits(dc & ~allowedC)},
          common);
  }

  void Offer(const std::array<int, 3> &cells, const std::array<TDigits, 3> &removed,
             const TCellSet &excluders) {
    if ((removed[0] | removed[1] | removed[2]) == 0)
      return;
    TEliminations eliminations;
    for (int i = 0; i < m_size; ++i)
      eliminations.Add(cells[i], removed[i]);
    TStep step;
    const bool pair = m_size == 2;
    step.technique = pair ? TTechnique::AlignedPairExclusion : TTechnique::AlignedTripletExclusion;
    step.rating = pair ? 62 : 75;
    step.variant = m_size; // the base cells come first, then the excluders
    for (int i = 0; i < m_size; ++i)
      step.cells.push_back(std::uint8_t(cells[i]));
    for (const int cell : excluders)
      step.cells.push_back(std::uint8_t(cell));
    eliminations.AppendTo(step);
    m_out.push_back(std::move(step));
    m_offered = true;
  }

  const TCandidateGrid &m_grid;
  const int m_size;
  const TFind m_find;
  TSteps &m_out;
  std::array<TCellSet, CellCount> m_excluders{};
  std::array<std::uint8_t, CellCount> m_base{};
  int m_count = 0;
  TCellSet m_isBase;
  bool m_offered = false;
};

} // namespace

bool FindAlignedExclusion(const TCandidateGrid &grid, int size, TFind find, TSteps &out) {
  if (size != 2 && size != 3)
    return false;
  TAlignedFinder finder(grid, size, find, out);
  finder.Run();
  return finder.Offered();
}
