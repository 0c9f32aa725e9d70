#pragma once

// The board's one language for every solver: cells, units, peers and digit
// masks. Cells are numbered in board order, column by column like TGrid, so a
// scan of cell numbers is a scan of the board.

#include <array>
#include <bit>
#include <cstdint>

// The number of bits set. Without a population-count instruction in the
// target (x86-64's baseline has none), std::popcount is a library call, and
// counting is the hot operation of every solver here.
constexpr int BitCount(std::uint64_t bits) {
#if defined(__POPCNT__) || !(defined(__x86_64__) || defined(__i386__))
  return std::popcount(bits);
#else
  bits -= bits >> 1 & 0x5555555555555555ull;
  bits = (bits & 0x3333333333333333ull) + (bits >> 2 & 0x3333333333333333ull);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return int(bits * 0x0101010101010101ull >> 56);
#endif
}

// Digits as bits: bit d-1 for digit d.
using TDigits = std::uint16_t;
constexpr TDigits AllDigits = 0x1FF;

constexpr TDigits DigitBit(int digit) {
  return TDigits(1u << (digit - 1));
}

namespace geometry_detail {
// Looked up, not computed: baseline x86-64 has no popcount instruction, so
// std::popcount is a library call, and the searches count in their hottest
// loops.
inline constexpr auto DigitCounts = [] {
  std::array<std::uint8_t, AllDigits + 1> counts{};
  for (unsigned digits = 0; digits <= AllDigits; ++digits)
    counts[digits] = std::uint8_t(std::popcount(digits));
  return counts;
}();
} // namespace geometry_detail

constexpr int DigitCount(TDigits digits) {
  // The high seven bits count too, for a mask that was never cut to nine.
  return geometry_detail::DigitCounts[digits & AllDigits] +
         geometry_detail::DigitCounts[digits >> 9];
}
static_assert(DigitCount(0) == 0 && DigitCount(AllDigits) == 9 && DigitCount(0xFFFF) == 16);

// The lowest digit of a non-empty mask.
constexpr int FirstDigit(TDigits digits) {
  return std::countr_zero(static_cast<unsigned>(digits)) + 1;
}
// Removes and returns the lowest digit of a non-empty mask.
constexpr int TakeDigit(TDigits &digits) {
  const int digit = FirstDigit(digits);
  digits &= TDigits(digits - 1);
  return digit;
}

constexpr int CellCount = 81;

constexpr int CellOf(int col, int row) {
  return col * 9 + row;
}
constexpr int ColOf(int cell) {
  return cell / 9;
}
constexpr int RowOf(int cell) {
  return cell % 9;
}
// Boxes in row-major order of the boxes: 0 top left, 2 top right, 8 bottom right.
constexpr int BoxOf(int cell) {
  return RowOf(cell) / 3 * 3 + ColOf(cell) / 3;
}

// The 27 units: rows 0-8, then columns 0-8, then boxes 0-8.
enum class TUnitKind { Row, Column, Box };
constexpr int UnitCount = 27;
constexpr int RowUnit(int row) {
  return row;
}
constexpr int ColumnUnit(int col) {
  return 9 + col;
}
constexpr int BoxUnit(int box) {
  return 18 + box;
}
constexpr TUnitKind UnitKind(int unit) {
  return unit < 9 ? TUnitKind::Row : unit < 18 ? TUnitKind::Column : TUnitKind::Box;
}

// A set of cells by number.
struct TCellSet {
  std::uint64_t low = 0;  // cells 0 to 63
  std::uint64_t high = 0; // cells 64 to 80

  static constexpr TCellSet Of(int cell) {
    TCellSet set;
    set.Add(cell);
    return set;
  }
  constexpr void Add(int cell) {
    if (cell < 64)
      low |= std::uint64_t(1) << cell;
    else
      high |= std::uint64_t(1) << (cell - 64);
  }
  constexpr void Remove(int cell) {
    if (cell < 64)
      low &= ~(std::uint64_t(1) << cell);
    else
      high &= ~(std::uint64_t(1) << (cell - 64));
  }
  constexpr bool Has(int cell) const {
    return cell < 64 ? (low >> cell & 1) != 0 : (high >> (cell - 64) & 1) != 0;
  }
  constexpr bool Any() const { return (low | high) != 0; }
  constexpr bool Empty() const { return (low | high) == 0; }
  constexpr int Count() const { return BitCount(low) + BitCount(high); }
  // The lowest cell of a non-empty set.
  constexpr int First() const {
    return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
  }
  // Removes and returns the lowest cell of a non-empty set.
  constexpr int TakeFirst() {
    if (low != 0) {
      const int cell = std::countr_zero(low);
      low &= low - 1;
      return cell;
    }
    const int cell = 64 + std::countr_zero(high);
    high &= high - 1;
    return cell;
  }
  constexpr TCellSet operator&(const TCellSet &other) const {
    return {low & other.low, high & other.high};
  }
  constexpr TCellSet operator|(const TCellSet &other) const {
    return {low | other.low, high | other.high};
  }
  // The cells of this set that are not in other.
  constexpr TCellSet operator-(const TCellSet &other) const {
    return {low & ~other.low, high & ~other.high};
  }
  constexpr TCellSet &operator&=(const TCellSet &other) {
    low &= other.low, high &= other.high;
    return *this;
  }
  constexpr TCellSet &operator|=(const TCellSet &other) {
    low |= other.low, high |= other.high;
    return *this;
  }
  constexpr TCellSet &operator-=(const TCellSet &other) {
    low &= ~other.low, high &= ~other.high;
    return *this;
  }
  constexpr bool operator==(const TCellSet &) const = default;

  // Range-for over the cells in ascending order.
  struct TIterator {
    std::uint64_t low, high;
    constexpr int operator*() const {
      return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
    }
    constexpr TIterator &operator++() {
      if (low != 0)
        low &= low - 1;
      else
        high &= high - 1;
      return *this;
    }
    constexpr bool operator!=(const TIterator &other) const {
      return low != other.low || high != other.high;
    }
  };
  constexpr TIterator begin() const { return {low, high}; }
  constexpr TIterator end() const { return {0, 0}; }
};

namespace geometry_detail {

using TUnitCells = std::array<std::array<std::uint8_t, 9>, UnitCount>;

// A box's cells go down each of its columns in turn, left to right: board
// order within the box.
constexpr TUnitCells MakeUnitCells() {
  TUnitCells units{};
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 9; ++k) {
      units[RowUnit(i)][k] = std::uint8_t(CellOf(k, i));
      units[ColumnUnit(i)][k] = std::uint8_t(CellOf(i, k));
      units[BoxUnit(i)][k] = std::uint8_t(CellOf(i % 3 * 3 + k / 3, i / 3 * 3 + k % 3));
    }
  return units;
}

// Inline, like the reference to it below: a reference at namespace scope
// has external linkage, and every file that uses it must see one object.
inline constexpr TUnitCells UnitCells = MakeUnitCells();

constexpr std::array<TCellSet, UnitCount> MakeUnitSets() {
  std::array<TCellSet, UnitCount> sets{};
  for (int u = 0; u < UnitCount; ++u)
    for (const int cell : UnitCells[u])
      sets[u].Add(cell);
  return sets;
}

constexpr std::array<std::array<std::uint8_t, 3>, CellCount> MakeUnitsOf() {
  std::array<std::array<std::uint8_t, 3>, CellCount> units{};
  for (int cell = 0; cell < CellCount; ++cell)
    units[cell] = {std::uint8_t(RowUnit(RowOf(cell))), std::uint8_t(ColumnUnit(ColOf(cell))),
                   std::uint8_t(BoxUnit(BoxOf(cell)))};
  return units;
}

constexpr bool ArePeers(int a, int b) {
  return a != b && (RowOf(a) == RowOf(b) || ColOf(a) == ColOf(b) || BoxOf(a) == BoxOf(b));
}

constexpr std::array<TCellSet, CellCount> MakePeerSets() {
  std::array<TCellSet, CellCount> sets{};
  for (int a = 0; a < CellCount; ++a)
    for (int b = 0; b < CellCount; ++b)
      if (ArePeers(a, b))
        sets[a].Add(b);
  return sets;
}

constexpr std::array<std::array<std::uint8_t, 20>, CellCount> MakePeerLists() {
  std::array<std::array<std::uint8_t, 20>, CellCount> lists{};
  for (int a = 0; a < CellCount; ++a) {
    int n = 0;
    for (int b = 0; b < CellCount; ++b)
      if (ArePeers(a, b))
        lists[a][n++] = std::uint8_t(b);
  }
  return lists;
}

} // namespace geometry_detail

// The cells of each unit, in the order above.
inline constexpr const auto &UnitCells = geometry_detail::UnitCells;
// Each unit as a set.
constexpr std::array<TCellSet, UnitCount> UnitSets = geometry_detail::MakeUnitSets();
// The row, column and box unit of each cell.
constexpr std::array<std::array<std::uint8_t, 3>, CellCount> UnitsOf =
    geometry_detail::MakeUnitsOf();
// The digits that stand in each unit, by unit number: what the searches keep
// so that a cell's candidates are three lookups away.
using TUnitDigits = std::array<TDigits, UnitCount>;

// The digits that stand in a cell's row, column or box.
constexpr TDigits SeenDigits(const TUnitDigits &units, int cell) {
  const auto &of = UnitsOf[cell];
  return TDigits(units[of[0]] | units[of[1]] | units[of[2]]);
}
// Records digits as standing in a cell's row, column and box.
constexpr void StandDigits(TUnitDigits &units, int cell, TDigits digits) {
  for (const int unit : UnitsOf[cell])
    units[unit] |= digits;
}

// The 20 cells that share a unit with each cell, as a set and in ascending order.
constexpr std::array<TCellSet, CellCount> PeerSets = geometry_detail::MakePeerSets();
constexpr std::array<std::array<std::uint8_t, 20>, CellCount> Peers =
    geometry_detail::MakePeerLists();

constexpr bool ArePeers(int a, int b) {
  return geometry_detail::ArePeers(a, b);
}
// The position of a cell within a unit that holds it.
constexpr int IndexInUnit(int unit, int cell) {
  switch (UnitKind(unit)) {
  case TUnitKind::Row:
    return ColOf(cell);
  case TUnitKind::Column:
    return RowOf(cell);
  case TUnitKind::Box:
    return ColOf(cell) % 3 * 3 + RowOf(cell) % 3;
  }
  return -1;
}
