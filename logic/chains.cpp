#include "techniques.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

// Chains of implications between candidates. A node is a candidate assumed
// true ("on") or false ("off"). From an "on" node every other candidate of its
// cell and every other place of its digit in its units goes off; from an "off"
// node the other candidate of a two-candidate cell, or the other place of a
// digit with two places in a unit, comes on. The rating follows the number of
// distinct nodes a step rests on, so the search must find the same shortest
// chains in the same order as the rating scale's reference solver.

namespace {

using TNodeId = std::uint16_t;
constexpr int NodeSpace = CellCount * 9 * 2;

constexpr TNodeId NodeOf(int cell, int digit, bool on) {
  return TNodeId((cell * 9 + digit - 1) << 1 | int(on));
}
constexpr int NodeCell(TNodeId id) {
  return (id >> 1) / 9;
}
constexpr int NodeDigit(TNodeId id) {
  return (id >> 1) % 9 + 1;
}
constexpr bool NodeOn(TNodeId id) {
  return (id & 1) != 0;
}
constexpr TNodeId Conjugate(TNodeId id) {
  return TNodeId(id ^ 1);
}

// The three houses of a cell in the order implications are drawn from them:
// box, row, column; a box read row by row.
using THouses = std::array<std::array<std::array<std::uint8_t, 9>, 3>, CellCount>;
constexpr THouses MakeHouses() {
  THouses houses{};
  for (int cell = 0; cell < CellCount; ++cell) {
    const int col = ColOf(cell), row = RowOf(cell);
    for (int i = 0; i < 9; ++i) {
      houses[cell][0][i] = std::uint8_t(CellOf(col / 3 * 3 + i % 3, row / 3 * 3 + i / 3));
      houses[cell][1][i] = std::uint8_t(CellOf(i, row));
      houses[cell][2][i] = std::uint8_t(CellOf(col, i));
    }
  }
  return houses;
}
constexpr THouses Houses = MakeHouses();

constexpr std::array<TCellSet, CellCount> MakeHouseSets(int kind) {
  std::array<TCellSet, CellCount> sets{};
  for (int cell = 0; cell < CellCount; ++cell)
    for (const int other : Houses[cell][kind])
      sets[cell].Add(other);
  return sets;
}
constexpr std::array<std::array<TCellSet, CellCount>, 3> HouseSets = {
    MakeHouseSets(0), MakeHouseSets(1), MakeHouseSets(2)};

constexpr int HouseUnit(int cell, int kind) {
  return kind == 0 ? BoxUnit(BoxOf(cell)) : kind == 1 ? RowUnit(RowOf(cell))
                                                      : ColumnUnit(ColOf(cell));
}

// Which links a search may use.
struct TLinks {
  bool cell = true;   // within a cell (the "Y" links)
  bool region = true; // within a unit (the "X" links)
};

// One implication found: the node, and the nodes it follows from, the first
// of which is the link that made it; the others are earlier eliminations it
// needed (in a dynamic search a cell or a unit shrinks as the chain goes).
struct TImplied {
  TNodeId id;
  std::uint8_t count = 0;
  std::array<TNodeId, 10> hidden{};
};

// Two bits exactly, without a population count: the hot test of every link.
constexpr bool TwoBits(std::uint64_t bits) {
  const std::uint64_t rest = bits & (bits - 1);
  return rest != 0 && (rest & (rest - 1)) == 0;
}
constexpr bool TwoCells(const TCellSet &set) {
  return set.low == 0 ? TwoBits(set.high)
         : set.high == 0 ? TwoBits(set.low)
                         : (set.low & (set.low - 1)) == 0 && (set.high & (set.high - 1)) == 0;
}

// "On" to "off": the other candidates of the cell, then the other places of
// the digit in box, row and column.
int OnToOff(const TCandidateGrid &grid, TNodeId id, bool cellLinks, std::array<TNodeId, 28> &out) {
  const int cell = NodeCell(id), digit = NodeDigit(id);
  int n = 0;
  if (cellLinks)
    for (TDigits rest = TDigits(grid.Candidates(cell) & ~DigitBit(digit)); rest;)
      out[n++] = NodeOf(cell, TakeDigit(rest), false);
  TCellSet seen = TCellSet::Of(cell);
  const TCellSet &holders = grid.Cells(digit);
  for (int kind = 0; kind < 3; ++kind) {
    if ((HouseSets[kind][cell] & (holders - seen)).Empty())
      continue;
    for (const int other : Houses[cell][kind])
      if (holders.Has(other) && !seen.Has(other)) {
        seen.Add(other);
        out[n++] = NodeOf(other, digit, false);
      }
  }
  return n;
}

// "Off" to "on", with the eliminations each conclusion also rests on, read
// against the grid the search started from.
int OffToOn(const TCandidateGrid &grid, const TCandidateGrid &start, TNodeId id, TLinks links,
            std::array<TImplied, 4> &out) {
  const int cell = NodeCell(id), digit = NodeDigit(id);
  int n = 0;
  if (links.cell) {
    const TDigits digits = grid.Candidates(cell);
    if (TwoBits(digits)) {
      TDigits other = TDigits(digits & ~DigitBit(digit));
      if (DigitCount(other) != 1)
        other = TDigits(digits & -digits);
      TImplied &implied = out[n++];
      implied = {NodeOf(cell, FirstDigit(other), true)};
      for (TDigits gone = TDigits(start.Candidates(cell) & ~digits); gone;)
        implied.hidden[implied.count++] = NodeOf(cell, TakeDigit(gone), false);
    }
  }
  if (links.region) {
    const TCellSet &holders = grid.Cells(digit);
    for (int kind = 0; kind < 3; ++kind) {
      const TCellSet places = HouseSets[kind][cell] & holders;
      if (!TwoCells(places))
        continue;
      TCellSet others = places;
      if (places.Has(cell))
        others.Remove(cell);
      int otherCell = -1;
      for (const int c : Houses[cell][kind])
        if (others.Has(c)) {
          otherCell = c;
          break;
        }
      const TNodeId on = NodeOf(otherCell, digit, true);
      bool duplicate = false;
      for (int i = 0; i < n; ++i)
        duplicate = duplicate || out[i].id == on;
      if (duplicate)
        continue;
      TImplied &implied = out[n++];
      implied = {on};
      const TCellSet gone = HouseSets[kind][cell] & (start.Cells(digit) - holders);
      for (const int c : Houses[cell][kind])
        if (gone.Has(c) && implied.count < implied.hidden.size())
          implied.hidden[implied.count++] = NodeOf(c, digit, false);
    }
  }
  return n;
}

// The links of a grid that does not change, each worked out once.
class TLinkCache {
public:
  TLinkCache(const TCandidateGrid &grid, TLinks links) : m_grid(grid), m_links(links) {
    m_offs.fill(-1);
    m_ons.fill(-1);
  }
  // What an "on" node turns off.
  std::pair<const TNodeId *, int> Offs(TNodeId id) {
    if (m_offs[id] < 0) {
      std::array<TNodeId, 28> out;
      const int n = OnToOff(m_grid, id, m_links.cell, out);
      m_offs[id] = int(m_offPool.size());
      m_offPool.push_back(TNodeId(n));
      m_offPool.insert(m_offPool.end(), out.begin(), out.begin() + n);
    }
    return {m_offPool.data() + m_offs[id] + 1, m_offPool[m_offs[id]]};
  }
  // What an "off" node turns on.
  std::pair<const TNodeId *, int> Ons(TNodeId id) {
    if (m_ons[id] < 0) {
      std::array<TImplied, 4> out;
      const int n = OffToOn(m_grid, m_grid, id, m_links, out);
      m_ons[id] = int(m_onPool.size());
      m_onPool.push_back(TNodeId(n));
      for (int i = 0; i < n; ++i)
        m_onPool.push_back(out[i].id);
    }
    return {m_onPool.data() + m_ons[id] + 1, m_onPool[m_ons[id]]};
  }

private:
  const TCandidateGrid &m_grid;
  TLinks m_links;
  std::array<int, NodeSpace> m_offs, m_ons;
  std::vector<TNodeId> m_offPool, m_onPool;
};

// The "off" nodes that lead straight back to an "on" node.
int Closers(const TCandidateGrid &grid, TNodeId on, TLinks links, std::array<TNodeId, 4> &out) {
  const int cell = NodeCell(on), digit = NodeDigit(on);
  int n = 0;
  if (links.cell && TwoBits(grid.Candidates(cell)))
    out[n++] = NodeOf(cell, FirstDigit(TDigits(grid.Candidates(cell) & ~DigitBit(digit))), false);
  if (links.region)
    for (int kind = 0; kind < 3; ++kind) {
      const TCellSet places = HouseSets[kind][cell] & grid.Cells(digit);
      if (TwoCells(places)) {
        TCellSet other = places;
        other.Remove(cell);
        out[n++] = NodeOf(other.First(), digit, false);
      }
    }
  return n;
}

// The length bonus: a tenth for each ceiling the chain passes.
int LengthBonus(int complexity) {
  int bonus = 0, ceiling = 4;
  bool odd = false;
  for (int length = complexity - 2; length > ceiling; odd = !odd) {
    ++bonus;
    ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
  }
  return bonus;
}

// The nodes of one search, each once, with the nodes it follows from.
struct TNode {
  TNodeId id;
  std::uint32_t parents; // into TChaining::m_parents
  std::uint16_t parentCount;
};

class TSearch {
public:
  TSearch() { m_where.fill(-1); }

  void Reset() {
    for (const TNode &node : m_nodes)
      m_where[node.id] = -1;
    m_nodes.clear();
    m_parents.clear();
    m_order[0].clear();
    m_order[1].clear();
    absurdOn = absurdOff = -1;
  }
  int Find(TNodeId id) const { return m_where[id]; }
  bool Has(TNodeId id) const { return m_where[id] >= 0; }
  // A node of the search; registered ones are found by Find.
  int Add(TNodeId id, int parent, const TImplied *implied, bool registered) {
    const int index = int(m_nodes.size());
    TNode node{id, std::uint32_t(m_parents.size()), 0};
    if (parent >= 0) {
      m_parents.push_back(std::uint32_t(parent));
      ++node.parentCount;
    }
    if (implied)
      for (int i = 0; i < implied->count; ++i) {
        const int hidden = m_where[implied->hidden[i]];
        if (hidden >= 0) {
          m_parents.push_back(std::uint32_t(hidden));
          ++node.parentCount;
        }
      }
    m_nodes.push_back(node);
    if (registered) {
      m_where[id] = index;
      m_order[NodeOn(id)].push_back(index);
    }
    return index;
  }
  const TNode &Node(int index) const { return m_nodes[index]; }
  int Parent(int index, int k = 0) const {
    const TNode &node = m_nodes[index];
    return k < node.parentCount ? int(m_parents[node.parents + k]) : -1;
  }
  const std::vector<int> &Order(bool on) const { return m_order[on]; }

  // How many distinct nodes the node rests on, itself included.
  int AncestorCount(int index) const {
    std::array<std::uint64_t, (NodeSpace + 63) / 64> seen{};
    std::vector<int> &todo = m_scratch;
    todo.assign(1, index);
    int count = 0;
    for (std::size_t i = 0; i < todo.size(); ++i) {
      const TNode &node = m_nodes[todo[i]];
      std::uint64_t &word = seen[node.id >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (node.id & 63);
      if (word & bit)
        continue;
      word |= bit;
      ++count;
      for (int k = 0; k < node.parentCount; ++k)
        todo.push_back(int(m_parents[node.parents + k]));
    }
    return count;
  }

  // The chain from the assumption to the node along each node's first cause.
  TChain ChainTo(int index) const {
    TChain chain;
    for (int i = index; i >= 0; i = Parent(i)) {
      const TNodeId id = m_nodes[i].id;
      chain.push_back({{std::uint8_t(NodeCell(id)), std::uint8_t(NodeDigit(id))}, NodeOn(id)});
      if (chain.size() > NodeSpace)
        break;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
  }

  int absurdOn = -1, absurdOff = -1; // the two nodes of a contradiction

private:
  std::vector<TNode> m_nodes;
  std::vector<std::uint32_t> m_parents;
  std::array<std::vector<int>, 2> m_order;
  std::array<int, NodeSpace> m_where;
  mutable std::vector<int> m_scratch;
};

// A step found, with what orders it among the others: rating, then
// complexity, then the kind of step, then the order found.
struct TCandidateStep {
  int rating = 0, complexity = 0, sortKey = 0, sequence = 0;
  TStep step;
  bool Before(const TCandidateStep &other) const {
    if (rating != other.rating)
      return rating < other.rating;
    if (complexity != other.complexity)
      return complexity < other.complexity;
    if (sortKey != other.sortKey)
      return sortKey < other.sortKey;
    return sequence < other.sequence;
  }
};

class TFound {
public:
  explicit TFound(TFind find) : m_find(find) {}
  // Whether a step of this rating and complexity could still come first.
  bool Worth(int rating, int complexity) const {
    if (m_find == TFind::All || !m_best)
      return true;
    return rating < m_best->rating ||
           (rating == m_best->rating && complexity <= m_best->complexity);
  }
  void Offer(TCandidateStep &&candidate) {
    candidate.sequence = m_sequence++;
    if (m_find == TFind::All) {
      m_all.push_back(std::move(candidate));
      return;
    }
    if (!m_best || candidate.Before(*m_best))
      m_best = std::make_unique<TCandidateStep>(std::move(candidate));
  }
  bool Empty() const { return !m_best && m_all.empty(); }
  const TCandidateStep *Best() const { return m_best.get(); }
  bool Deliver(TSteps &out) {
    if (m_best) {
      out.push_back(std::move(m_best->step));
      return true;
    }
    std::stable_sort(m_all.begin(), m_all.end(),
                     [](const TCandidateStep &a, const TCandidateStep &b) { return a.Before(b); });
    for (TCandidateStep &c : m_all)
      out.push_back(std::move(c.step));
    return !m_all.empty();
  }

private:
  TFind m_find;
  int m_sequence = 0;
  std::unique_ptr<TCandidateStep> m_best;
  std::vector<TCandidateStep> m_all;
};


// What a conclusion removes: the digit itself when it is off, every other
// candidate of its cell when it is on.
void Conclude(const TCandidateGrid &grid, TNodeId target, TStep &step) {
  const int cell = NodeCell(target), digit = NodeDigit(target);
  if (!NodeOn(target)) {
    step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(digit)});
    return;
  }
  for (TDigits rest = TDigits(grid.Candidates(cell) & ~DigitBit(digit)); rest;)
    step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(TakeDigit(rest))});
  step.placements.push_back({std::uint8_t(cell), std::uint8_t(digit)});
}

// ---------------------------------------------------------------------------
// Cycles and forcing chains on a grid that stays as it is.

class TStaticChains {
public:
  TStaticChains(const TCandidateGrid &grid, TFound &found) : m_grid(grid), m_found(found) {}

  void Run() {
    // X links first, then Y links, then both.
    for (const TLinks links : {TLinks{false, true}, TLinks{true, false}, TLinks{true, true}}) {
      // Forcing chains always use links within units; cycles only the mode's.
      TLinkCache cycleLinks(m_grid, links), chainLinks(m_grid, {links.cell, true});
      for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 9; ++col) {
          const int cell = CellOf(col, row);
          const TDigits digits = m_grid.Candidates(cell);
          if (DigitCount(digits) < 2 || (!links.region && DigitCount(digits) > 2))
            continue;
          for (TDigits rest = digits; rest;) {
            const int digit = TakeDigit(rest);
            FromOn(NodeOf(cell, digit, true), links, cycleLinks);
            if (links.region)
              FromOff(NodeOf(cell, digit, false), links, chainLinks);
          }
        }
    }
  }

private:
  int CycleBase(TLinks links) const { return links.cell && links.region ? 70 : 65; }
  int ChainBase(TLinks links) const { return links.cell && links.region ? 70 : 66; }
  int SortKey(TLinks links) const { return links.cell && links.region ? 4 : links.cell ? 3 : 2; }

  // Whether the node stands on the chain that led to index.
  bool OnChain(int index, TNodeId id) const {
    for (int i = m_search.Parent(index); i >= 0; i = m_search.Parent(i))
      if (m_search.Node(i).id == id)
        return true;
    return false;
  }
  int Depth(int index) const {
    int depth = 0;
    for (int i = index; i >= 0; i = m_search.Parent(i))
      ++depth;
    return depth;
  }

  // Breadth first from an "on" assumption: cycles back to it, and chains
  // that turn it off.
  void FromOn(TNodeId source, TLinks links, TLinkCache &cache) {
    const int minBase = std::min(CycleBase(links), links.region ? ChainBase(links) : 99);
    m_search.Reset();
    std::vector<int> &ons = m_ons, &offs = m_offs;
    ons.assign(1, m_search.Add(source, -1, nullptr, true));
    std::array<TNodeId, 4> closers;
    const int closerCount = Closers(m_grid, source, links, closers);
    bool chainFound = false;
    for (int depth = 1; !ons.empty(); depth += 2) {
      // Everything further on rests on at least depth + 1 nodes.
      if (!m_found.Worth(minBase + LengthBonus(depth + 1), depth + 1))
        return;
      offs.clear();
      for (const int p : ons) {
        const auto [makeOff, n] = cache.Offs(m_search.Node(p).id);
        for (int i = 0; i < n; ++i) {
          const TNodeId off = makeOff[i];
          if (links.region && !chainFound && Conjugate(off) == source) {
            chainFound = true;
            OfferChain(m_search.Add(off, p, nullptr, false), links);
          }
          if (OnChain(p, off))
            continue;
          // Every way to an "off" node that leads straight back to the
          // assumption closes a cycle.
          if (depth > 1)
            for (int j = 0; j < closerCount; ++j)
              if (closers[j] == off) {
                const int x = m_search.Add(off, p, nullptr, false);
                OfferCycle(m_search.Add(source, x, nullptr, false), links);
              }
          if (!m_search.Has(off))
            offs.push_back(m_search.Add(off, p, nullptr, true));
        }
      }
      ons.clear();
      for (const int p : offs) {
        const auto [makeOn, k] = cache.Ons(m_search.Node(p).id);
        for (int j = 0; j < k; ++j)
          if (!m_search.Has(makeOn[j]))
            ons.push_back(m_search.Add(makeOn[j], p, nullptr, true));
      }
    }
  }

  // Breadth first from an "off" assumption: chains that turn it on.
  void FromOff(TNodeId source, TLinks links, TLinkCache &cache) {
    m_search.Reset();
    std::vector<int> &ons = m_ons, &offs = m_offs;
    offs.assign(1, m_search.Add(source, -1, nullptr, true));
    for (int depth = 1; !offs.empty(); depth += 2) {
      if (!m_found.Worth(ChainBase(links) + LengthBonus(depth + 1), depth + 1))
        return;
      ons.clear();
      for (const int p : offs) {
        const auto [makeOn, k] = cache.Ons(m_search.Node(p).id);
        for (int j = 0; j < k; ++j) {
          const TNodeId on = makeOn[j];
          if (Conjugate(on) == source) {
            OfferChain(m_search.Add(on, p, nullptr, false), links);
            return;
          }
          if (!m_search.Has(on))
            ons.push_back(m_search.Add(on, p, nullptr, true));
        }
      }
      offs.clear();
      for (const int p : ons) {
        const auto [makeOff, n] = cache.Offs(m_search.Node(p).id);
        for (int i = 0; i < n; ++i)
          if (!OnChain(p, makeOff[i]) && !m_search.Has(makeOff[i]))
            offs.push_back(m_search.Add(makeOff[i], p, nullptr, true));
      }
    }
  }

  void OfferChain(int target, TLinks links) {
    const int complexity = Depth(target);
    const int rating = ChainBase(links) + LengthBonus(complexity);
    if (!m_found.Worth(rating, complexity))
      return;
    TCandidateStep c{rating, complexity, SortKey(links), 0, {}};
    c.step.technique = links.cell && links.region ? TTechnique::ForcingXYChain
                       : links.cell              ? TTechnique::ForcingYChain
                                                 : TTechnique::ForcingXChain;
    c.step.rating = rating;
    c.step.complexity = complexity;
    const TNodeId id = m_search.Node(target).id;
    c.step.cells = {std::uint8_t(NodeCell(id))};
    c.step.digits = DigitBit(NodeDigit(id));
    c.step.chains = {m_search.ChainTo(target)};
    Conclude(m_grid, id, c.step);
    m_found.Offer(std::move(c));
  }

  // A candidate goes when it sees an "on" node and an "off" node of its
  // digit on the cycle, from outside the cycle's cells.
  void OfferCycle(int end, TLinks links) {
    const int complexity = Depth(end) - 1;
    const int rating = CycleBase(links) + LengthBonus(complexity);
    if (!m_found.Worth(rating, complexity))
      return;
    TCellSet cycleCells;
    for (int i = end; m_search.Parent(i) >= 0; i = m_search.Parent(i))
      cycleCells.Add(NodeCell(m_search.Node(i).id));
    std::array<TCellSet, 9> forward{}, backward{};
    for (int i = end; m_search.Parent(i) >= 0; i = m_search.Parent(i)) {
      const TNodeId id = m_search.Node(i).id;
      const int digit = NodeDigit(id);
      const TCellSet seen = (PeerSets[NodeCell(id)] & m_grid.Cells(digit)) - cycleCells;
      (NodeOn(id) ? forward : backward)[digit - 1] |= seen;
    }
    TStep step;
    for (int d = 1; d <= 9; ++d)
      for (const int cell : forward[d - 1] & backward[d - 1])
        step.eliminations.push_back({std::uint8_t(cell), std::uint8_t(d)});
    if (step.eliminations.empty())
      return;
    std::sort(step.eliminations.begin(), step.eliminations.end());
    step.technique = links.cell && links.region ? TTechnique::XYCycle
                     : links.cell              ? TTechnique::YCycle
                                               : TTechnique::XCycle;
    step.rating = rating;
    step.complexity = complexity;
    TDigits digits = 0;
    for (const int cell : cycleCells)
      step.cells.push_back(std::uint8_t(cell));
    step.chains = {m_search.ChainTo(end)};
    for (const TChainNode &node : step.chains[0])
      digits |= DigitBit(node.candidate.digit);
    step.digits = digits;
    m_found.Offer({rating, complexity, SortKey(links), 0, std::move(step)});
  }

  const TCandidateGrid &m_grid;
  TFound &m_found;
  TSearch m_search;
  std::vector<int> m_ons, m_offs;
};

// ---------------------------------------------------------------------------
// Forcing chains that follow every consequence of an assumption: Nishio,
// multiple (cell and region) and dynamic chains.

struct TMode {
  bool multiple = false;
  bool dynamic = false;
  bool nishio = false;
  int base = 0;
};

class TForcingChains {
public:
  TForcingChains(const TCandidateGrid &grid, TMode mode, TFound &found)
      : m_grid(grid), m_mode(mode), m_found(found) {}

  void Run() {
    for (int row = 0; row < 9; ++row)
      for (int col = 0; col < 9; ++col) {
        const int cell = CellOf(col, row);
        const TDigits digits = m_grid.Candidates(cell);
        const int count = DigitCount(digits);
        if (count > 2 || (count > 1 && m_mode.dynamic))
          FromCell(cell, digits, count);
      }
  }

private:
  // Every consequence of the assumption; stops at a contradiction.
  void Follow(TNodeId assumption, TSearch &out) const {
    out.Reset();
    TCandidateGrid grid = m_grid;
    const TLinks links{!m_mode.nishio, true};
    std::vector<int> ons, offs;
    std::size_t nextOn = 0, nextOff = 0;
    (NodeOn(assumption) ? ons : offs).push_back(out.Add(assumption, -1, nullptr, true));
    std::array<TNodeId, 28> makeOff;
    std::array<TImplied, 4> makeOn;
    while (nextOn < ons.size() || nextOff < offs.size()) {
      if (nextOn < ons.size()) {
        const int p = ons[nextOn++];
        const int n = OnToOff(grid, out.Node(p).id, links.cell, makeOff);
        for (int i = 0; i < n; ++i) {
          const TNodeId off = makeOff[i];
          if (out.Has(Conjugate(off))) {
            out.absurdOn = out.Find(Conjugate(off));
            out.absurdOff = out.Add(off, p, nullptr, false);
            return;
          }
          if (!out.Has(off))
            offs.push_back(out.Add(off, p, nullptr, true));
        }
      } else {
        const int p = offs[nextOff++];
        const TNodeId id = out.Node(p).id;
        const int k = OffToOn(grid, m_grid, id, links, makeOn);
        if (m_mode.dynamic)
          grid.Eliminate(NodeCell(id), NodeDigit(id));
        for (int j = 0; j < k; ++j) {
          const TNodeId on = makeOn[j].id;
          if (out.Has(Conjugate(on))) {
            out.absurdOn = out.Add(on, p, &makeOn[j], false);
            out.absurdOff = out.Find(Conjugate(on));
            return;
          }
          if (!out.Has(on))
            ons.push_back(out.Add(on, p, &makeOn[j], true));
        }
      }
    }
  }

  // The consequences of a candidate being true, worked out once a grid.
  const TSearch &OnResult(int cell, int digit) {
    std::unique_ptr<TSearch> &slot = m_onResults[cell * 9 + digit - 1];
    if (!slot) {
      slot = std::make_unique<TSearch>();
      Follow(NodeOf(cell, digit, true), *slot);
    }
    return *slot;
  }

  void Offer(TTechnique technique, int complexity, int sortKey, TNodeId target,
             std::vector<TChain> chains, TStep extra = {}) {
    const int rating = m_mode.base + LengthBonus(complexity);
    TStep step = std::move(extra);
    Conclude(m_grid, target, step);
    if (step.eliminations.empty())
      return;
    step.technique = technique;
    step.rating = rating;
    step.complexity = complexity;
    step.chains = std::move(chains);
    m_found.Offer({rating, complexity, sortKey, 0, std::move(step)});
  }
  bool Worth(int complexity) const {
    return m_found.Worth(m_mode.base + LengthBonus(complexity), complexity);
  }

  TTechnique Kind(TTechnique dynamicKind, TTechnique staticKind) const {
    if (m_mode.nishio)
      return TTechnique::NishioForcingChain;
    return m_mode.dynamic ? dynamicKind : staticKind;
  }

  void FromCell(int cell, TDigits digits, int count) {
    const bool doDouble = count >= 3 && !m_mode.nishio && m_mode.dynamic;
    const bool doContradiction = m_mode.dynamic || m_mode.nishio;
    std::vector<const TSearch *> valueResults;
    TSearch offResult;
    for (TDigits rest = digits; rest;) {
      const int digit = TakeDigit(rest);
      const TSearch &on = OnResult(cell, digit);
      const TNodeId onId = NodeOf(cell, digit, true), offId = NodeOf(cell, digit, false);
      if (doContradiction && on.absurdOn >= 0) {
        const int complexity = on.AncestorCount(on.absurdOn) + on.AncestorCount(on.absurdOff);
        if (Worth(complexity))
          Offer(Kind(TTechnique::DynamicContradictionChain, TTechnique::CellForcingChain),
                complexity, 7, offId, {on.ChainTo(on.absurdOn), on.ChainTo(on.absurdOff)},
                CellStep(cell, digit));
      }
      Follow(offId, offResult);
      if (doContradiction && offResult.absurdOn >= 0) {
        const int complexity =
            offResult.AncestorCount(offResult.absurdOn) + offResult.AncestorCount(offResult.absurdOff);
        if (Worth(complexity))
          Offer(Kind(TTechnique::DynamicContradictionChain, TTechnique::CellForcingChain),
                complexity, 7, onId,
                {offResult.ChainTo(offResult.absurdOn), offResult.ChainTo(offResult.absurdOff)},
                CellStep(cell, digit));
      }
      if (doDouble)
        for (const bool state : {true, false})
          for (const int a : on.Order(state)) {
            const TNodeId id = on.Node(a).id;
            const int b = offResult.Find(id);
            if (b < 0)
              continue;
            const int complexity = on.AncestorCount(a) + offResult.AncestorCount(b);
            if (Worth(complexity))
              Offer(TTechnique::DynamicDoubleChain, complexity, 1, id,
                    {on.ChainTo(a), offResult.ChainTo(b)}, CellStep(cell, digit));
          }
      if (!m_mode.nishio)
        FromRegions(cell, digit);
      valueResults.push_back(&on);
    }
    if (m_mode.nishio || !(count == 2 || (m_mode.multiple && count > 2)))
      return;
    // What every value of the cell leads to holds.
    for (const bool state : {true, false})
      for (const int a : valueResults[0]->Order(state)) {
        const TNodeId id = valueResults[0]->Node(a).id;
        int complexity = 0;
        bool everywhere = true;
        for (const TSearch *result : valueResults) {
          const int index = result->Find(id);
          if (index < 0) {
            everywhere = false;
            break;
          }
          complexity += result->AncestorCount(index);
        }
        if (!everywhere || !Worth(complexity))
          continue;
        std::vector<TChain> chains;
        for (const TSearch *result : valueResults)
          chains.push_back(result->ChainTo(result->Find(id)));
        TStep extra = CellStep(cell, digits);
        Offer(Kind(TTechnique::DynamicCellForcingChain, TTechnique::CellForcingChain), complexity,
              5, id, std::move(chains), std::move(extra));
      }
  }

  // What every place of the digit in one of the cell's units leads to holds.
  // Each unit is taken once, from its first place.
  void FromRegions(int cell, int digit) {
    for (int kind = 0; kind < 3; ++kind) {
      const TCellSet places = HouseSets[kind][cell] & m_grid.Cells(digit);
      const int count = places.Count();
      if (!(count == 2 || (m_mode.multiple && count > 2)))
        continue;
      int first = -1;
      std::vector<int> ordered;
      for (const int c : Houses[cell][kind])
        if (places.Has(c))
          ordered.push_back(c);
      first = ordered.front();
      if (first != cell)
        continue;
      std::vector<const TSearch *> results;
      for (const int c : ordered)
        results.push_back(&OnResult(c, digit));
      for (const bool state : {true, false})
        for (const int a : results[0]->Order(state)) {
          const TNodeId id = results[0]->Node(a).id;
          int complexity = 0;
          bool everywhere = true;
          for (const TSearch *result : results) {
            const int index = result->Find(id);
            if (index < 0) {
              everywhere = false;
              break;
            }
            complexity += result->AncestorCount(index);
          }
          if (!everywhere || !Worth(complexity))
            continue;
          std::vector<TChain> chains;
          for (const TSearch *result : results)
            chains.push_back(result->ChainTo(result->Find(id)));
          TStep extra;
          extra.units = {std::uint8_t(HouseUnit(cell, kind))};
          extra.digits = DigitBit(digit);
          for (const int c : ordered)
            extra.cells.push_back(std::uint8_t(c));
          Offer(Kind(TTechnique::DynamicRegionForcingChain, TTechnique::RegionForcingChain),
                complexity, 6, id, std::move(chains), std::move(extra));
        }
    }
  }

  static TStep CellStep(int cell, TDigits digits) {
    TStep step;
    step.cells = {std::uint8_t(cell)};
    step.digits = digits;
    return step;
  }
  static TStep CellStep(int cell, int digit) { return CellStep(cell, DigitBit(digit)); }

  const TCandidateGrid &m_grid;
  TMode m_mode;
  TFound &m_found;
  std::array<std::unique_ptr<TSearch>, CellCount * 9> m_onResults;
};

} // namespace

int ChainLengthBonus(int complexity) {
  return LengthBonus(complexity);
}

bool FindChains(const TCandidateGrid &grid, TChaining level, TFind find, TSteps &out) {
  TFound found(find);
  switch (level) {
  case TChaining::CyclesAndXYChains:
    TStaticChains(grid, found).Run();
    break;
  case TChaining::Nishio:
    TForcingChains(grid, {false, true, true, 75}, found).Run();
    break;
  case TChaining::Multiple:
    TForcingChains(grid, {true, false, false, 80}, found).Run();
    break;
  case TChaining::Dynamic:
    TForcingChains(grid, {true, true, false, 85}, found).Run();
    break;
  default:
    break;
  }
  return found.Deliver(out);
}
