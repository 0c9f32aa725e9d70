#include "eliminations.h"
#include "scanorder.h"
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
    for (const int cell : RowMajorCells) {
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
        if (common.Count() < 2)
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
    const bool see = ArePeers(a, b);
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
    // The twin area: excluders of a, then of b, that are base cells.
    const TCellSet fromA = m_excluders[a] & m_isBase;
    const TCellSet fromB = (m_excluders[b] & m_isBase) - fromA;
    for (const TCellSet *from : {&fromA, &fromB})
      for (const int third : HousePeers[from == &fromA ? a : b]) {
        if (!from->Has(third) || third == a || third == b)
          continue;
        const TCellSet shared = common & m_excluders[third];
        if (shared.Count() >= 2)
          Triplet(a, b, third, shared);
        if (m_find == TFind::First && m_offered)
          return;
      }
  }

  void Triplet(int a, int b, int c, const TCellSet &common) {
    std::array<TDigits, MaxExcluders> masks{};
    const int count = Masks(common, masks);
    const TDigits da = m_grid.Candidates(a), db = m_grid.Candidates(b),
                  dc = m_grid.Candidates(c);
    const bool seeAB = ArePeers(a, b), seeAC = ArePeers(a, c), seeBC = ArePeers(b, c);
    TDigits allowedA = 0, allowedB = 0, allowedC = 0;
    for (TDigits restA = da; restA;) {
      const TDigits bitA = DigitBit(TakeDigit(restA));
      for (TDigits restB = db; restB;) {
        const TDigits bitB = DigitBit(TakeDigit(restB));
        if (bitA == bitB && seeAB)
          continue;
        const TDigits both = bitA | bitB;
        // c's digits that, with these two, break a rule
        TDigits barred = TDigits((seeAC ? bitA : 0) | (seeBC ? bitB : 0));
        for (int k = 0; k < count && barred != AllDigits; ++k) {
          const TDigits left = masks[k] & ~both;
          if (left == 0)
            barred = AllDigits;
          else if ((left & (left - 1)) == 0)
            barred |= left;
        }
        const TDigits thirds = dc & ~barred;
        if (thirds) {
          allowedA |= bitA;
          allowedB |= bitB;
          allowedC |= thirds;
        }
      }
    }
    Offer({a, b, c}, {TDigits(da & ~allowedA), TDigits(db & ~allowedB), TDigits(dc & ~allowedC)},
          common);
  }

  void Offer(const std::array<int, 3> &cells, const std::array<TDigits, 3> &removed,
             const TCellSet &excluders) {
    TEliminations eliminations;
    for (int i = 0; i < m_size; ++i)
      eliminations.Add(cells[i], removed[i]);
    if (eliminations.Empty())
      return;
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
