#include "techniques.h"

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>
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
  return kind == 0   ? BoxUnit(BoxOf(cell))
         : kind == 1 ? RowUnit(RowOf(cell))
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
// Why an "on" node holds: the last candidate of its cell, or the last place
// of its digit in a box, row or column; "off" nodes from a nested technique
// are advanced.
enum TCause : std::uint8_t { CauseNone, CauseCell, CauseBox, CauseRow, CauseColumn, CauseAdvanced };

struct TImplied {
  TNodeId id;
  std::uint8_t cause = CauseNone;
  std::uint8_t count = 0;
  std::array<TNodeId, 10> hidden{};
};

// Two bits exactly, without a population count: the hot test of every link.
constexpr bool TwoBits(std::uint64_t bits) {
  const std::uint64_t rest = bits & (bits - 1);
  return rest != 0 && (rest & (rest - 1)) == 0;
}
constexpr bool TwoCells(const TCellSet &set) {
  return set.low == 0    ? TwoBits(set.high)
         : set.high == 0 ? TwoBits(set.low)
                         : (set.low & (set.low - 1)) == 0 && (set.high & (set.high - 1)) == 0;
}

// "On" to "off": the other candidates of the cell, then the other places of
// the digit in box, row and column.
// The 20 peers of each cell in the order links are drawn from them: box,
// row, column, each peer at its first place.
using TPeerOrder = std::array<std::array<std::uint8_t, 20>, CellCount>;
constexpr TPeerOrder MakePeerOrder() {
  TPeerOrder order{};
  for (int cell = 0; cell < CellCount; ++cell) {
    int n = 0;
    TCellSet seen = TCellSet::Of(cell);
    for (int kind = 0; kind < 3; ++kind)
      for (const int other : Houses[cell][kind])
        if (!seen.Has(other)) {
          seen.Add(other);
          order[cell][n++] = std::uint8_t(other);
        }
  }
  return order;
}
constexpr TPeerOrder PeerOrder = MakePeerOrder();

int OnToOff(const TCandidateGrid &grid, TNodeId id, bool cellLinks, std::array<TNodeId, 28> &out) {
  const int cell = NodeCell(id), digit = NodeDigit(id);
  int n = 0;
  if (cellLinks)
    for (TDigits rest = TDigits(grid.Candidates(cell) & ~DigitBit(digit)); rest;)
      out[n++] = NodeOf(cell, TakeDigit(rest), false);
  const TCellSet &holders = grid.Cells(digit);
  if ((PeerSets[cell] & holders).Empty())
    return n;
  for (const int other : PeerOrder[cell])
    if (holders.Has(other))
      out[n++] = NodeOf(other, digit, false);
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
      implied = {NodeOf(cell, FirstDigit(other), true), CauseCell};
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
      implied = {on, std::uint8_t(CauseBox + kind)};
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
  // What an "off" node turns on, and why.
  struct TOns {
    const TNodeId *ids;
    const std::uint8_t *causes;
    int count;
  };
  TOns Ons(TNodeId id) {
    if (m_ons[id] < 0) {
      std::array<TImplied, 4> out;
      const int n = OffToOn(m_grid, m_grid, id, m_links, out);
      m_ons[id] = int(m_onPool.size());
      m_onPool.push_back(TNodeId(n));
      m_onCauses.push_back(0);
      for (int i = 0; i < n; ++i) {
        m_onPool.push_back(out[i].id);
        m_onCauses.push_back(out[i].cause);
      }
    }
    const int at = m_ons[id];
    return {m_onPool.data() + at + 1, m_onCauses.data() + at + 1, m_onPool[at]};
  }

private:
  const TCandidateGrid &m_grid;
  TLinks m_links;
  std::array<int, NodeSpace> m_offs, m_ons;
  std::vector<TNodeId> m_offPool, m_onPool;
  std::vector<std::uint8_t> m_onCauses;
};

// The "off" nodes that lead straight back to an "on" node.
int Closers(const TCandidateGrid &grid, TNodeId on, TLinks links, std::array<TNodeId, 4> &out,
            std::array<std::uint8_t, 4> &causes) {
  const int cell = NodeCell(on), digit = NodeDigit(on);
  int n = 0;
  if (links.cell && TwoBits(grid.Candidates(cell))) {
    causes[n] = CauseCell;
    out[n++] = NodeOf(cell, FirstDigit(TDigits(grid.Candidates(cell) & ~DigitBit(digit))), false);
  }
  if (links.region)
    for (int kind = 0; kind < 3; ++kind) {
      const TCellSet places = HouseSets[kind][cell] & grid.Cells(digit);
      if (TwoCells(places)) {
        TCellSet other = places;
        other.Remove(cell);
        causes[n] = std::uint8_t(CauseBox + kind);
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
  std::uint8_t cause;
  std::uint16_t parentCount;
  std::uint32_t parents; // into TSearch::m_parents
  std::int32_t nested;   // into TSearch::m_nested, or -1
  // A filter of the nodes on the way here along first causes: a node whose
  // bit is clear is surely not among them.
  std::uint64_t way;
};

// A nested step an advanced node came from: what tells it apart from an equal
// one found elsewhere, and its complexity.
struct TNested {
  std::uint64_t key;
  int complexity;
};

class TSearch {
public:
  // Room for a typical search up front: searches are made by the thousand.
  TSearch() {
    m_where.fill(-1);
    m_nodes.reserve(256);
    m_parents.reserve(512);
    m_order[0].reserve(128);
    m_order[1].reserve(128);
  }

  void Reset() {
    for (const TNode &node : m_nodes)
      m_where[node.id] = -1;
    m_nodes.clear();
    m_parents.clear();
    m_order[0].clear();
    m_order[1].clear();
    m_nested.clear();
    absurdOn = absurdOff = -1;
  }
  int Find(TNodeId id) const { return m_where[id]; }
  static constexpr std::uint64_t WayBit(TNodeId id) {
    return std::uint64_t(1) << (std::uint32_t(id) * 2654435761u >> 26);
  }
  bool Has(TNodeId id) const { return m_where[id] >= 0; }
  // A node of the search; registered ones are found by Find.
  int Add(TNodeId id, int parent, const TImplied *implied, bool registered) {
    const int index = int(m_nodes.size());
    TNode node{id, implied ? implied->cause : std::uint8_t(CauseNone),
               0,  std::uint32_t(m_parents.size()),
               -1, WayBit(id)};
    if (parent >= 0) {
      node.way |= m_nodes[parent].way;
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
  // An "off" node that a technique applied inside the chain proves.
  int AddAdvanced(TNodeId id, const std::vector<int> &parents, const TNested *nested) {
    const int index = int(m_nodes.size());
    TNode node{id, CauseAdvanced, 0, std::uint32_t(m_parents.size()), -1, WayBit(id)};
    for (const int parent : parents) {
      m_parents.push_back(std::uint32_t(parent));
      ++node.parentCount;
    }
    if (nested) {
      node.nested = int(m_nested.size());
      m_nested.push_back(*nested);
    }
    m_nodes.push_back(node);
    m_where[id] = index;
    m_order[NodeOn(id)].push_back(index);
    return index;
  }
  const TNode &Node(int index) const { return m_nodes[index]; }
  const TNested *Nested(int index) const {
    return m_nodes[index].nested >= 0 ? &m_nested[m_nodes[index].nested] : nullptr;
  }
  // Every node the node rests on, itself included, each once, nearest first.
  void Ancestors(int index, std::vector<int> &out) const {
    std::array<std::uint64_t, (NodeSpace + 63) / 64> seen{};
    out.assign(1, index);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const TNode &node = m_nodes[out[i]];
      std::uint64_t &word = seen[node.id >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (node.id & 63);
      if (word & bit)
        continue;
      word |= bit;
      const int self = out[i];
      for (int k = 0; k < node.parentCount; ++k)
        out.push_back(int(m_parents[node.parents + k]));
      out[kept++] = self;
    }
    out.resize(kept);
  }
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
  std::vector<TNested> m_nested;
  mutable std::vector<int> m_scratch;
};

// A step found, with what orders it among the others: rating, then
// complexity, then the kind of step, then the order found.
struct TCandidateStep {
  int rating = 0, complexity = 0, sortKey = 0, sequence = 0;
  TStep step;
  // For a step used inside another chain: the "on" nodes it rests on, each
  // with its cause, from which the eliminations it needs follow.
  std::vector<std::pair<std::uint8_t, TNodeId>> reliance;
  // Inside a chain: the eliminations of the outer chain it needs.
  std::vector<TNodeId> parents;
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

std::vector<TNodeId> RelianceParents(const std::vector<std::pair<std::uint8_t, TNodeId>> &reliance,
                                     const TCandidateGrid &initial, const TCandidateGrid &current);

class TFound {
public:
  // Steps for use inside a chain that started from initial say what they
  // rest on; they need no words.
  explicit TFound(TFind find, const TCandidateGrid *initial = nullptr,
                  const std::atomic<bool> *cancel = nullptr)
      : m_find(find), m_initial(initial), m_cancel(cancel) {}
  bool Nesting() const { return m_initial != nullptr; }
  const std::atomic<bool> *Cancel() const { return m_cancel; }
  bool Cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }
  // Every step, easiest first; of steps with the same eliminations the first.
  std::vector<TCandidateStep> &Sorted() {
    std::stable_sort(m_all.begin(), m_all.end(),
                     [](const TCandidateStep &a, const TCandidateStep &b) { return a.Before(b); });
    std::vector<TCandidateStep> unique;
    for (TCandidateStep &c : m_all) {
      bool seen = false;
      for (const TCandidateStep &u : unique)
        seen = seen || u.step.eliminations == c.step.eliminations;
      if (!seen)
        unique.push_back(std::move(c));
    }
    m_all = std::move(unique);
    return m_all;
  }
  // Whether a step of this rating and complexity could still come first.
  bool Worth(int rating, int complexity) const {
    if (m_find == TFind::All || !m_best)
      return true;
    return rating < m_best->rating ||
           (rating == m_best->rating && complexity <= m_best->complexity);
  }
  void Offer(TCandidateStep &&candidate, const TCandidateGrid &current) {
    if (m_initial) {
      candidate.parents = RelianceParents(candidate.reliance, *m_initial, current);
      candidate.reliance.clear();
    }
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
  const TCandidateGrid *m_initial = nullptr;
  const std::atomic<bool> *m_cancel = nullptr;
  int m_sequence = 0;
  std::unique_ptr<TCandidateStep> m_best;
  std::vector<TCandidateStep> m_all;
};

// A conclusion of a search: the node, in the search that holds it.
struct TTarget {
  const TSearch *search;
  int index;
};

int FlatComplexity(const std::vector<TTarget> &targets) {
  int complexity = 0;
  for (const TTarget &t : targets)
    complexity += t.search->AncestorCount(t.index);
  return complexity;
}

// Each nested step that the targets rest on counts once, in full.
int NestedComplexity(const std::vector<TTarget> &targets) {
  std::vector<int> ancestors;
  std::vector<std::uint64_t> keys;
  int complexity = 0;
  for (const TTarget &t : targets) {
    t.search->Ancestors(t.index, ancestors);
    for (const int a : ancestors)
      if (const TNested *nested = t.search->Nested(a))
        if (std::find(keys.begin(), keys.end(), nested->key) == keys.end()) {
          keys.push_back(nested->key);
          complexity += nested->complexity;
        }
  }
  return complexity;
}

using TReliance = std::vector<std::pair<std::uint8_t, TNodeId>>;

// The "on" nodes the targets rest on, with their causes; the assumption
// itself counts with rootCause when it has one.
TReliance Reliance(const std::vector<TTarget> &targets, std::uint8_t rootCause) {
  TReliance reliance;
  std::vector<int> ancestors;
  for (const TTarget &t : targets) {
    t.search->Ancestors(t.index, ancestors);
    for (const int a : ancestors) {
      const TNode &node = t.search->Node(a);
      const std::uint8_t cause = node.parentCount == 0 ? rootCause : node.cause;
      if (!NodeOn(node.id) || cause == CauseNone || cause == CauseAdvanced)
        continue;
      const std::pair<std::uint8_t, TNodeId> item{cause, node.id};
      if (std::find(reliance.begin(), reliance.end(), item) == reliance.end())
        reliance.push_back(item);
    }
  }
  return reliance;
}

void AddParent(std::vector<TNodeId> &parents, TNodeId id) {
  if (std::find(parents.begin(), parents.end(), id) == parents.end())
    parents.push_back(id);
}

// The eliminations that a chain used inside another needs: candidates the
// outer chain has taken from the cells and units its links read.
std::vector<TNodeId> RelianceParents(const TReliance &reliance, const TCandidateGrid &initial,
                                     const TCandidateGrid &current) {
  std::vector<TNodeId> parents;
  for (const auto &[cause, id] : reliance) {
    const int cell = NodeCell(id), digit = NodeDigit(id);
    if (cause == CauseCell) {
      for (TDigits gone = TDigits(initial.Candidates(cell) & ~current.Candidates(cell)); gone;)
        AddParent(parents, NodeOf(cell, TakeDigit(gone), false));
      continue;
    }
    for (const int other : Houses[cell][cause - CauseBox])
      if (initial.Has(other, digit) && !current.Has(other, digit))
        AddParent(parents, NodeOf(other, digit, false));
  }
  return parents;
}

// A unit's cells in the order implications read them: a box row by row.
const std::array<std::uint8_t, 9> &ReadingOrder(int unit) {
  const int first = UnitCells[unit][0];
  const TUnitKind kind = UnitKind(unit);
  return Houses[first][kind == TUnitKind::Box ? 0 : kind == TUnitKind::Row ? 1 : 2];
}

// The same for the techniques of the first rows, read off their steps.
std::vector<TNodeId> StepParents(const TStep &step, const TCandidateGrid &initial,
                                 const TCandidateGrid &current) {
  std::vector<TNodeId> parents;
  const int digit = step.digits ? FirstDigit(step.digits) : 0;
  switch (step.technique) {
  case TTechnique::Pointing:
  case TTechnique::Claiming:
  case TTechnique::XWing: {
    // The digit's places the chain took from the base units, outside the
    // units it is then removed from.
    const std::size_t bases = step.technique == TTechnique::XWing ? step.units.size() / 2 : 1;
    TCellSet covers;
    for (std::size_t i = bases; i < step.units.size(); ++i)
      covers |= UnitSets[step.units[i]];
    for (std::size_t i = 0; i < bases; ++i)
      for (const int cell : ReadingOrder(step.units[i]))
        if (initial.Has(cell, digit) && !current.Has(cell, digit) && !covers.Has(cell))
          AddParent(parents, NodeOf(cell, digit, false));
    break;
  }
  case TTechnique::HiddenPair: {
    const int unit = step.units[0];
    TCellSet positions;
    for (TDigits rest = step.digits; rest;)
      positions |= current.Cells(TakeDigit(rest)) & UnitSets[unit];
    for (const int cell : ReadingOrder(unit))
      if (!positions.Has(cell))
        for (TDigits rest = step.digits; rest;) {
          const int d = TakeDigit(rest);
          if (initial.Has(cell, d))
            AddParent(parents, NodeOf(cell, d, false));
        }
    break;
  }
  case TTechnique::NakedPair:
    for (const int cell : step.cells)
      for (TDigits gone = TDigits(initial.Candidates(cell) & ~step.digits); gone;)
        AddParent(parents, NodeOf(cell, TakeDigit(gone), false));
    break;
  default:
    break;
  }
  return parents;
}

std::uint64_t StepKey(const TCandidateStep &c) {
  std::uint64_t key = std::uint64_t(c.rating) << 48 ^ std::uint64_t(c.complexity) << 32;
  for (const TCandidate &e : c.step.eliminations)
    key = key * 1099511628211ull ^ (std::uint64_t(e.cell) << 4 | e.digit);
  return key;
}

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
          if (m_found.Cancelled())
            return;
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
    if (!m_search.Has(id) || !(m_search.Node(index).way & TSearch::WayBit(id)))
      return false;
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
    std::array<std::uint8_t, 4> closerCauses;
    const int closerCount = Closers(m_grid, source, links, closers, closerCauses);
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
                const TImplied closing{source, closerCauses[j]};
                OfferCycle(m_search.Add(source, x, &closing, false), links);
              }
          if (!m_search.Has(off))
            offs.push_back(m_search.Add(off, p, nullptr, true));
        }
      }
      ons.clear();
      for (const int p : offs) {
        const auto made = cache.Ons(m_search.Node(p).id);
        for (int j = 0; j < made.count; ++j)
          if (!m_search.Has(made.ids[j])) {
            const TImplied implied{made.ids[j], made.causes[j]};
            ons.push_back(m_search.Add(made.ids[j], p, &implied, true));
          }
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
        const auto made = cache.Ons(m_search.Node(p).id);
        for (int j = 0; j < made.count; ++j) {
          const TNodeId on = made.ids[j];
          const TImplied implied{on, made.causes[j]};
          if (Conjugate(on) == source) {
            OfferChain(m_search.Add(on, p, &implied, false), links);
            return;
          }
          if (!m_search.Has(on))
            ons.push_back(m_search.Add(on, p, &implied, true));
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
    TCandidateStep c{rating, complexity, SortKey(links), 0, {}, {}, {}};
    c.step.technique = links.cell && links.region ? TTechnique::ForcingXYChain
                       : links.cell               ? TTechnique::ForcingYChain
                                                  : TTechnique::ForcingXChain;
    c.step.rating = rating;
    c.step.complexity = complexity;
    const TNodeId id = m_search.Node(target).id;
    c.step.cells = {std::uint8_t(NodeCell(id))};
    c.step.digits = DigitBit(NodeDigit(id));
    Conclude(m_grid, id, c.step);
    if (m_found.Nesting())
      c.reliance = Reliance({{&m_search, target}}, CauseNone);
    else
      c.step.chains = {m_search.ChainTo(target)};
    m_found.Offer(std::move(c), m_grid);
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
                     : links.cell               ? TTechnique::YCycle
                                                : TTechnique::XCycle;
    step.rating = rating;
    step.complexity = complexity;
    TDigits digits = 0;
    for (const int cell : cycleCells)
      step.cells.push_back(std::uint8_t(cell));
    for (int i = end; i >= 0; i = m_search.Parent(i))
      digits |= DigitBit(NodeDigit(m_search.Node(i).id));
    step.digits = digits;
    if (!m_found.Nesting())
      step.chains = {m_search.ChainTo(end)};
    TCandidateStep c{rating, complexity, SortKey(links), 0, std::move(step), {}, {}};
    if (m_found.Nesting())
      // The cycle read both ways: its "off" nodes are the other way's "on"
      // nodes, each with the link that turned it off.
      for (int i = end; m_search.Parent(i) >= 0; i = m_search.Parent(i)) {
        const TNode &node = m_search.Node(i);
        std::uint8_t cause = node.cause;
        if (!NodeOn(node.id)) {
          const int from = NodeCell(m_search.Node(m_search.Parent(i)).id), at = NodeCell(node.id);
          cause = from == at                   ? CauseCell
                  : HouseSets[0][from].Has(at) ? CauseBox
                  : HouseSets[1][from].Has(at) ? CauseRow
                                               : CauseColumn;
        }
        const std::pair<std::uint8_t, TNodeId> item{cause, TNodeId(node.id | 1)};
        if (cause != CauseNone &&
            std::find(c.reliance.begin(), c.reliance.end(), item) == c.reliance.end())
          c.reliance.push_back(item);
      }
    m_found.Offer(std::move(c), m_grid);
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
  int level = 0; // 1: with the first techniques inside; 2 to 5: nested chains too
};

// Searches made by one chain finder, kept for the next: nested chains make
// them by the thousand.
class TSearchPool {
public:
  std::unique_ptr<TSearch> Take() {
    if (m_free.empty())
      return std::make_unique<TSearch>();
    std::unique_ptr<TSearch> search = std::move(m_free.back());
    m_free.pop_back();
    return search;
  }
  void Give(std::unique_ptr<TSearch> search) { m_free.push_back(std::move(search)); }

private:
  std::vector<std::unique_ptr<TSearch>> m_free;
};

void CollectChains(const TCandidateGrid &grid, TChaining level, TFound &found, TSearchPool &pool);

class TForcingChains {
public:
  TForcingChains(const TCandidateGrid &grid, TMode mode, TFound &found, TSearchPool &pool)
      : m_grid(grid), m_mode(mode), m_found(found), m_pool(pool), m_offResult(pool.Take()) {}
  ~TForcingChains() {
    m_pool.Give(std::move(m_offResult));
    for (std::unique_ptr<TSearch> &search : m_onResults)
      if (search)
        m_pool.Give(std::move(search));
  }
  TForcingChains(const TForcingChains &) = delete;
  TForcingChains &operator=(const TForcingChains &) = delete;

  void Run() {
    for (int row = 0; row < 9; ++row)
      for (int col = 0; col < 9; ++col) {
        const int cell = CellOf(col, row);
        const TDigits digits = m_grid.Candidates(cell);
        const int count = DigitCount(digits);
        if (m_found.Cancelled())
          return;
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
      if (nextOn == ons.size() && nextOff == offs.size() && m_mode.level > 0)
        Advanced(grid, out, offs);
    }
  }

  // When the links have nothing left to give, the techniques of the first
  // rows (and, nested, whole chains) applied to what the assumption has left:
  // the first of them with a step that needs the chain adds its eliminations.
  void Advanced(const TCandidateGrid &current, TSearch &out, std::vector<int> &offs) const {
    struct TRule {
      bool (*find)(const TCandidateGrid &, TFind, TSteps &);
      TChaining chains;
    };
    static constexpr TChaining None = TChaining::Nested5;
    const TRule basics[] = {
        {[](const TCandidateGrid &g, TFind f, TSteps &o) { return FindLocking(g, false, f, o); },
         None},
        {[](const TCandidateGrid &g, TFind f, TSteps &o) {
           return FindHiddenSets(g, 2, false, f, o);
         },
         None},
        {[](const TCandidateGrid &g, TFind f, TSteps &o) { return FindNakedSets(g, 2, f, o); },
         None},
        {[](const TCandidateGrid &g, TFind f, TSteps &o) { return FindFish(g, 2, f, o); }, None},
    };
    std::vector<int> parents;
    bool added = false;
    auto addOffs = [&](const std::vector<TCandidate> &eliminations,
                       const std::vector<TNodeId> &parentIds, const TNested *nested) {
      parents.clear();
      for (const TNodeId id : parentIds)
        if (const int index = out.Find(id); index >= 0)
          parents.push_back(index);
      for (const TCandidate &e : eliminations) {
        const TNodeId off = NodeOf(e.cell, e.digit, false);
        if (!out.Has(off))
          offs.push_back(out.AddAdvanced(off, parents, nested));
      }
      added = true;
    };
    TSteps steps;
    for (const TRule &rule : basics) {
      steps.clear();
      rule.find(current, TFind::All, steps);
      for (const TStep &step : steps)
        if (const std::vector<TNodeId> ids = StepParents(step, m_grid, current); !ids.empty())
          addOffs(step.eliminations, ids, nullptr);
      if (added)
        return;
    }
    std::vector<TChaining> nestedLevels;
    const int level = m_mode.level;
    if (level < 4) {
      if (level >= 2)
        nestedLevels.push_back(TChaining::CyclesAndXYChains);
      if (level >= 3)
        nestedLevels.push_back(TChaining::Multiple);
    } else {
      nestedLevels.push_back(TChaining::Dynamic);
      if (level >= 5)
        nestedLevels.push_back(TChaining(int(TChaining::DynamicPlus) + level - 4));
    }
    for (std::size_t i = 0; i < nestedLevels.size(); ++i) {
      for (const TInnerStep &s : InnerSteps(current, nestedLevels[i], i))
        addOffs(s.eliminations, s.parents, &s.nested);
      if (added)
        return;
    }
  }

  // A nested step that rests on the outer chain.
  struct TInnerStep {
    std::vector<TCandidate> eliminations;
    std::vector<TNodeId> parents;
    TNested nested;
  };
  struct TGridKey {
    std::array<std::uint64_t, 18> words;
    std::size_t level;
    bool operator==(const TGridKey &) const = default;
  };
  struct TGridKeyHash {
    std::size_t operator()(const TGridKey &key) const {
      std::uint64_t h = key.level;
      for (const std::uint64_t w : key.words)
        h = (h ^ w) * 0x9e3779b97f4a7c15ull;
      return std::size_t(h ^ h >> 29);
    }
  };

  // Different assumptions often settle on the same grid (the two values of a
  // cell with two candidates, say), and the nested search depends on nothing
  // else, so each grid is searched once.
  const std::vector<TInnerStep> &InnerSteps(const TCandidateGrid &current, TChaining level,
                                            std::size_t levelIndex) const {
    TGridKey key{{}, levelIndex};
    for (int digit = 1; digit <= 9; ++digit) {
      key.words[2 * digit - 2] = current.Cells(digit).low;
      key.words[2 * digit - 1] = current.Cells(digit).high;
    }
    const auto [slot, fresh] = m_inner.try_emplace(key);
    if (fresh) {
      TFound inner(TFind::All, &m_grid, m_found.Cancel());
      CollectChains(current, level, inner, m_pool);
      for (TCandidateStep &c : inner.Sorted())
        if (!c.parents.empty()) {
          const TNested nested{StepKey(c), c.complexity};
          slot->second.push_back({std::move(c.step.eliminations), std::move(c.parents), nested});
        }
    }
    return slot->second;
  }

  // The consequences of a candidate being true, worked out once a grid.
  const TSearch &OnResult(int cell, int digit) {
    std::unique_ptr<TSearch> &slot = m_onResults[cell * 9 + digit - 1];
    if (!slot) {
      slot = m_pool.Take();
      Follow(NodeOf(cell, digit, true), *slot);
    }
    return *slot;
  }

  // A step from the targets, if it could still come first.
  void Offer(TTechnique technique, int sortKey, TNodeId target, const std::vector<TTarget> &targets,
             std::uint8_t rootCause, TStep extra = {}) {
    int complexity = FlatComplexity(targets);
    if (!Worth(complexity))
      return;
    if (m_mode.level > 1) {
      complexity += NestedComplexity(targets);
      if (!Worth(complexity))
        return;
    }
    const int rating = m_mode.base + LengthBonus(complexity);
    TStep step = std::move(extra);
    Conclude(m_grid, target, step);
    if (step.eliminations.empty())
      return;
    step.technique = Kind(technique);
    step.rating = rating;
    step.variant = m_mode.level;
    step.complexity = complexity;
    if (!m_found.Nesting())
      for (const TTarget &t : targets)
        step.chains.push_back(t.search->ChainTo(t.index));
    TCandidateStep c{rating, complexity, sortKey, 0, std::move(step), {}, {}};
    if (m_found.Nesting())
      c.reliance = Reliance(targets, rootCause);
    m_found.Offer(std::move(c), m_grid);
  }
  bool Worth(int complexity) const {
    return m_found.Worth(m_mode.base + LengthBonus(complexity), complexity);
  }

  TTechnique Kind(TTechnique dynamicKind) const {
    if (m_mode.nishio)
      return TTechnique::NishioForcingChain;
    if (m_mode.level >= 2)
      return TTechnique::NestedForcingChain;
    if (m_mode.level == 1)
      return TTechnique::DynamicPlusForcingChain;
    if (m_mode.dynamic)
      return dynamicKind;
    return dynamicKind == TTechnique::DynamicRegionForcingChain ? TTechnique::RegionForcingChain
                                                                : TTechnique::CellForcingChain;
  }

  void FromCell(int cell, TDigits digits, int count) {
    const bool doDouble = count >= 3 && !m_mode.nishio && m_mode.dynamic;
    const bool doContradiction = m_mode.dynamic || m_mode.nishio;
    std::vector<const TSearch *> valueResults;
    TSearch &offResult = *m_offResult;
    for (TDigits rest = digits; rest;) {
      const int digit = TakeDigit(rest);
      const TSearch &on = OnResult(cell, digit);
      const TNodeId onId = NodeOf(cell, digit, true), offId = NodeOf(cell, digit, false);
      if (doContradiction && on.absurdOn >= 0)
        Offer(TTechnique::DynamicContradictionChain, 7, offId,
              {{&on, on.absurdOn}, {&on, on.absurdOff}}, CauseNone, CellStep(cell, digit));
      Follow(offId, offResult);
      if (doContradiction && offResult.absurdOn >= 0)
        Offer(TTechnique::DynamicContradictionChain, 7, onId,
              {{&offResult, offResult.absurdOn}, {&offResult, offResult.absurdOff}}, CauseNone,
              CellStep(cell, digit));
      if (doDouble)
        for (const bool state : {true, false})
          for (const int a : on.Order(state)) {
            const TNodeId id = on.Node(a).id;
            if (const int b = offResult.Find(id); b >= 0)
              Offer(TTechnique::DynamicDoubleChain, 1, id, {{&on, a}, {&offResult, b}}, CauseNone,
                    CellStep(cell, digit));
          }
      if (!m_mode.nishio)
        FromRegions(cell, digit);
      valueResults.push_back(&on);
    }
    if (m_mode.nishio || !(count == 2 || (m_mode.multiple && count > 2)))
      return;
    // What every value of the cell leads to holds.
    OfferCommon(valueResults, TTechnique::DynamicCellForcingChain, 5, CauseCell,
                CellStep(cell, digits));
  }

  // The nodes that every search reaches make a step each.
  void OfferCommon(const std::vector<const TSearch *> &results, TTechnique technique, int sortKey,
                   std::uint8_t rootCause, const TStep &extra) {
    std::vector<TTarget> targets;
    for (const bool state : {true, false})
      for (const int a : results[0]->Order(state)) {
        const TNodeId id = results[0]->Node(a).id;
        targets.clear();
        for (const TSearch *result : results) {
          const int index = result->Find(id);
          if (index < 0)
            break;
          targets.push_back({result, index});
        }
        if (targets.size() == results.size())
          Offer(technique, sortKey, id, targets, rootCause, extra);
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
      std::vector<int> ordered;
      for (const int c : Houses[cell][kind])
        if (places.Has(c))
          ordered.push_back(c);
      if (ordered.front() != cell)
        continue;
      std::vector<const TSearch *> results;
      for (const int c : ordered)
        results.push_back(&OnResult(c, digit));
      TStep extra;
      extra.units = {std::uint8_t(HouseUnit(cell, kind))};
      extra.digits = DigitBit(digit);
      for (const int c : ordered)
        extra.cells.push_back(std::uint8_t(c));
      OfferCommon(results, TTechnique::DynamicRegionForcingChain, 6, std::uint8_t(CauseBox + kind),
                  extra);
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
  TSearchPool &m_pool;
  std::array<std::unique_ptr<TSearch>, CellCount * 9> m_onResults;
  std::unique_ptr<TSearch> m_offResult;
  mutable std::unordered_map<TGridKey, std::vector<TInnerStep>, TGridKeyHash> m_inner;
};

TMode ModeOf(TChaining level) {
  switch (level) {
  case TChaining::Nishio:
    return {false, true, true, 75, 0};
  case TChaining::Multiple:
    return {true, false, false, 80, 0};
  case TChaining::Dynamic:
    return {true, true, false, 85, 0};
  case TChaining::DynamicPlus:
    return {true, true, false, 90, 1};
  default: {
    const int nesting = int(level) - int(TChaining::Nested2) + 2;
    return {true, true, false, 95 + 5 * (nesting - 2), nesting};
  }
  }
}

void CollectChains(const TCandidateGrid &grid, TChaining level, TFound &found, TSearchPool &pool) {
  if (level == TChaining::CyclesAndXYChains)
    TStaticChains(grid, found).Run();
  else
    TForcingChains(grid, ModeOf(level), found, pool).Run();
}

} // namespace

int ChainLengthBonus(int complexity) {
  return LengthBonus(complexity);
}

bool FindChains(const TCandidateGrid &grid, TChaining level, TFind find, TSteps &out,
                const std::atomic<bool> *cancel) {
  TFound found(find, nullptr, cancel);
  TSearchPool pool;
  CollectChains(grid, level, found, pool);
  return found.Deliver(out);
}
