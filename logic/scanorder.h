#pragma once

// The order in which the rating scale's solver walks the board. A technique
// offers the first step its scan meets, so two scans that meet patterns in a
// different order can take a puzzle down different paths; these tables let
// the basic techniques walk exactly as the ratings we match were made.

#include "geometry.h"

#include <array>
#include <cstdint>

namespace scan {

// Boxes, then columns, then rows: how subsets visit the units.
constexpr std::array<std::uint8_t, UnitCount> BoxesColumnsRows = [] {
  std::array<std::uint8_t, UnitCount> units{};
  for (int i = 0; i < 9; ++i) {
    units[i] = std::uint8_t(BoxUnit(i));
    units[9 + i] = std::uint8_t(ColumnUnit(i));
    units[18 + i] = std::uint8_t(RowUnit(i));
  }
  return units;
}();

// The cells of each unit by position: a row left to right, a column top to
// bottom, and a box row by row (unlike UnitCells, which goes down a box's
// columns). Which set of positions is "first" depends on it.
constexpr std::array<std::array<std::uint8_t, 9>, UnitCount> Cells = [] {
  std::array<std::array<std::uint8_t, 9>, UnitCount> cells = UnitCells;
  for (int box = 0; box < 9; ++box)
    for (int i = 0; i < 9; ++i)
      cells[BoxUnit(box)][i] = std::uint8_t(CellOf(box % 3 * 3 + i % 3, box / 3 * 3 + i / 3));
  return cells;
}();

// Each cell's 20 peers: its box row by row, then the rest of its row, then
// the rest of its column.
constexpr std::array<std::array<std::uint8_t, 20>, CellCount> Peers = [] {
  std::array<std::array<std::uint8_t, 20>, CellCount> peers{};
  for (int cell = 0; cell < CellCount; ++cell) {
    TCellSet seen = TCellSet::Of(cell);
    int n = 0;
    const int units[3] = {BoxUnit(BoxOf(cell)), RowUnit(RowOf(cell)), ColumnUnit(ColOf(cell))};
    for (const int unit : units)
      for (const int peer : Cells[unit])
        if (!seen.Has(peer)) {
          seen.Add(peer);
          peers[cell][n++] = std::uint8_t(peer);
        }
  }
  return peers;
}();

// The next larger number with as many bits set (Gosper's hack): walking the
// k-subsets of positions in increasing order of their masks, which is the
// order the reference scans use.
constexpr unsigned NextSubset(unsigned mask) {
  const unsigned lowest = mask & -mask;
  const unsigned ripple = mask + lowest;
  return ripple | (((mask ^ ripple) >> 2) / lowest);
}

// Bits set in a 9-bit mask, by table: the scans count masks of positions
// and digits in their innermost loops.
constexpr std::array<std::uint8_t, 512> BitCounts = [] {
  std::array<std::uint8_t, 512> counts{};
  for (unsigned mask = 1; mask < 512; ++mask)
    counts[mask] = std::uint8_t(counts[mask >> 1] + (mask & 1));
  return counts;
}();
constexpr int Bits(unsigned nineBits) {
  return BitCounts[nineBits & 511];
}

// The k-subsets of the bits of a 9-bit mask, in increasing order of their
// masks: f(subset) for each until it returns true.
template <typename F> bool ForEachSubset(unsigned of, int k, F &&f) {
  int bit[9], n = 0;
  for (int i = 0; i < 9; ++i)
    if (of >> i & 1)
      bit[n++] = i;
  if (k > n)
    return false;
  // Subsets of the n set bits by local index map to subsets of the mask in
  // the same order, since the map keeps the order of bits.
  for (unsigned local = (1u << k) - 1; local < 1u << n; local = NextSubset(local)) {
    unsigned subset = 0;
    for (int i = 0; i < n; ++i)
      if (local >> i & 1)
        subset |= 1u << bit[i];
    if (f(subset))
      return true;
  }
  return false;
}

// Whether a set of cells has two or more.
constexpr bool TwoOrMore(const TCellSet &cells) {
  return cells.low & (cells.low - 1) || (cells.low && cells.high) || cells.high & (cells.high - 1);
}
constexpr bool ExactlyOne(const TCellSet &cells) {
  return cells.Any() && !TwoOrMore(cells);
}

} // namespace scan
